// The texts of a failed "open" or program start through the desktop, in the form the
// program's error boxes show them:
//   ShellExecute('open', 'x') failed.
//   2: 'The specified file was not found.'
#pragma once

#include <string>

namespace tarvolin {

// The shell's result codes that the program distinguishes (32 or less is a failure).
enum : unsigned {
    ShellFileNotFound = 2,
    ShellPathNotFound = 3,
    ShellAccessDenied = 5,
    ShellBadExecutable = 11,
    ShellNoAssociation = 31,
};
// The window mode of a started program: a normal window.
inline constexpr int ShellShowNormal = 1;

// The explanation of a result code ("Unknown shell error code 0x00000021." for others).
std::string ShellErrorText(unsigned Result);
std::string ShellOpenFailure(const std::string& FileName, unsigned Result);
std::string ShellExecuteFailure(const std::string& FileName, const std::string& Parameters, int ShowCmd,
                                unsigned Result);

// The result code that fits a target the desktop could not open: a link or mail address
// (anything with a scheme) has no application for it; a local path is looked at: a missing
// folder, a missing file, a file that cannot be read, or else no application for its kind.
unsigned ShellResultOfFailedOpen(const std::string& Target);
// The result code that fits a program that could not be started: missing, not executable, or
// not a program this system can run.
unsigned ShellResultOfFailedStart(const std::string& Program);

} // namespace tarvolin
