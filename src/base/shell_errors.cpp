#include "base/shell_errors.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

std::string ShellErrorText(unsigned Result) {
    switch (Result) {
    case 0: return Tr("Shell", "The operating system is out of memory or resources.");
    case 2: return Tr("Shell", "The specified file was not found.");
    case 3: return Tr("Shell", "The specified path was not found.");
    case 5: return Tr("Shell", "The operating system denied access to the specified file.");
    case 8: return Tr("Shell", "There was not enough memory to complete the operation.");
    case 11: return Tr("Shell", "The .exe file is invalid (non-Microsoft Win32 .exe or error in .exe image).");
    case 26: return Tr("Shell", "A sharing violation occurred.");
    case 27: return Tr("Shell", "The file name association is incomplete or invalid.");
    case 28: return Tr("Shell", "The DDE transaction could not be completed because the request timed out.");
    case 29: return Tr("Shell", "The DDE transaction failed.");
    case 30:
        return Tr("Shell", "The Dynamic Data Exchange (DDE) transaction could not be completed because other DDE "
                           "transactions were being processed.");
    case 31:
        return Tr("Shell", "There is no application associated with the given file name extension. This error will "
                           "also be returned if you attempt to print a file that is not printable.");
    case 32: return Tr("Shell", "The specified dynamic-link library (DLL) was not found.");
    default: return Format(Tr("Shell", "Unknown shell error code 0x%.8x.").c_str(), Result);
    }
}

namespace {

std::string Failure(const std::string& What, unsigned Result) {
    return Format(Tr("Shell", "%s failed.\n%s").c_str(), What.c_str(),
                  Format("%u: '%s'", Result, ShellErrorText(Result).c_str()).c_str());
}

bool HasScheme(const std::string& Target) {
    // "https://...", "mailto:...": letters, digits, '+', '-' or '.' before the first ':', at
    // least two of them (a one-letter prefix would be a drive).
    const size_t Colon = Target.find(':');
    if (Colon == std::string::npos || Colon < 2) return false;
    for (size_t i = 0; i < Colon; ++i) {
        const auto c = static_cast<unsigned char>(Target[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return std::isalpha(static_cast<unsigned char>(Target[0])) != 0;
}

} // namespace

std::string ShellOpenFailure(const std::string& FileName, unsigned Result) {
    return Failure("ShellExecute('open', '" + FileName + "')", Result);
}

std::string ShellExecuteFailure(const std::string& FileName, const std::string& Parameters, int ShowCmd,
                                unsigned Result) {
    return Failure("ShellExecute('" + FileName + "', '" + Parameters + "', " + std::to_string(ShowCmd) + ")", Result);
}

unsigned ShellResultOfFailedOpen(const std::string& Target) {
    if (HasScheme(Target)) return ShellNoAssociation;
    namespace fs = std::filesystem;
    std::error_code Ec;
    const fs::path Path = fs::absolute(fs::path(Target), Ec);
    if (Ec || !fs::is_directory(Path.parent_path(), Ec)) return ShellPathNotFound;
    if (!fs::exists(Path, Ec)) return ShellFileNotFound;
    if (::access(Path.c_str(), R_OK) != 0) return ShellAccessDenied;
    return ShellNoAssociation;
}

unsigned ShellResultOfFailedStart(const std::string& Program) {
    namespace fs = std::filesystem;
    std::error_code Ec;
    if (!fs::exists(fs::path(Program), Ec)) return ShellFileNotFound;
    if (::access(Program.c_str(), X_OK) != 0) return ShellAccessDenied;
    return ShellBadExecutable;
}

} // namespace tarvolin
