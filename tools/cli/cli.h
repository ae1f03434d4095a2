// tarvolin-cli: the headless tool. Its command line is parsed by CLI11: every verb is a
// subcommand that lives in its own file and registers itself; options of `run` that belong to
// other subsystems (LCD drivers, scenes) register a run extension, so the verbs need no change
// when they arrive.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "debugger/session_format.h"

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace tarvolin {

class TSHARP_SM5A_MCU;
struct TMCUClass;

namespace cli {

// A bad command line: printed with the verb's usage hint, exit status 2.
class EUsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
// A failure while doing the work (unreadable file, assembly errors): exit status 1.
class EFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A verb is a CLI11 subcommand of the tool. To add one, write a file of your own in tools/cli/
// with a static TVerbRegistration:
//
//     struct { std::string File; uint64_t Count = 1; } Args;           // the verb's own values
//     void Define(CLI::App& C) {
//         AddInputFile(C, "FILE", Args.File, "the file to read");      // positional, an input
//         AddCount(C, "--count", "N", Args.Count, 1000, "how many");   // typed and range-checked
//     }
//     int Main() { ...; return 0; }                                    // after a clean parse
//     const TVerbRegistration Reg({"name", "one line for the overview", "the paragraph of its help", Define, Main});
//
// Define binds the options to the verb's variables (file-local statics; one verb runs per
// process); --help and the usage line are generated from these definitions. Values are checked
// while the line is parsed (a bad one is a usage error, exit status 2). An option added with
// AddOutputFile is refused when it names one of the files added with AddInputFile, before Main
// runs. A verb with sub-verbs (`session show`) adds CLI11 subcommands to its App in Define.
// File names that start with a dash are given after `--`.
struct TVerb {
    const char* Name;
    const char* Summary;     // one line for the overview
    const char* Description; // the paragraph of `VERB --help` under the usage line
    void (*Define)(CLI::App& Command);
    int (*Main)(); // after the command line was parsed and checked
};

// Verbs register themselves with a static TVerbRegistration in their own file.
std::vector<TVerb>& Verbs();
struct TVerbRegistration {
    explicit TVerbRegistration(const TVerb& Verb) { Verbs().push_back(Verb); }
};

// Extra options of `run` (e.g. the LCD picture), registered from their own file with a static
// TRunExtensionRegistration. Define adds the options to the `run` subcommand like a verb's
// Define (with AddOutputFile for a file the option writes, so that it can never replace the
// ROM or session being run); their lines appear in `run --help` after run's own.
struct TRunExtension {
    void (*Define)(CLI::App& Run);
    // After the MCU is created and configured (may be null).
    void (*AfterCreate)(TSHARP_SM5A_MCU& MCU);
    // After the last line of the run's output (may be null).
    void (*AfterRun)(TSHARP_SM5A_MCU& MCU, std::ostream& Out);
    // After every step (may be null; a run without such an extension pays nothing for it).
    void (*AfterStep)(TSHARP_SM5A_MCU& MCU) = nullptr;
    // After the last step, before the RAM and cycle lines; may add lines to Out (may be null).
    void (*AfterSteps)(TSHARP_SM5A_MCU& MCU, uint64_t Steps, bool Trace, std::string& Out) = nullptr;
};
std::vector<TRunExtension>& RunExtensions();
struct TRunExtensionRegistration {
    explicit TRunExtensionRegistration(const TRunExtension& Extension) { RunExtensions().push_back(Extension); }
};

// Definitions shared by the verbs. Name is "--long" or "-s" (or a positional's NAME);
// ValueName is the placeholder of the help ("N", "FILE").
// A whole number from 0 to Max ("option --steps needs a whole number, not ...").
CLI::Option* AddCount(CLI::App& C, const std::string& Name, const std::string& ValueName, uint64_t& Target,
                      uint64_t Max, const std::string& Help);
// One of the words of Choices, kept as given.
CLI::Option* AddChoice(CLI::App& C, const std::string& Name, std::string& Target, const std::vector<std::string>& Choices,
                       const std::string& Help);
// A file the verb reads / writes. Every output is compared with every input of the same
// command line; naming an input as output is a usage error.
CLI::Option* AddInputFile(CLI::App& C, const std::string& Name, const std::string& ValueName, std::string& Target,
                          const std::string& Help);
CLI::Option* AddOutputFile(CLI::App& C, const std::string& Name, const std::string& ValueName, std::string& Target,
                           const std::string& Help);
// --user-data FILE: the user data file (labels, comments, patched bytes; a game's ".dat") to
// apply to the loaded ROM. The tool reads none unless it is named.
CLI::Option* AddUserDataOption(CLI::App& C, std::string& Target);
// Throws EUsageError when an output of the parsed command line is one of its inputs (the same
// file under any name). Called by main before a verb's Main.
void RefuseOutputsThatAreInputs();
// True when the two names lead to the same existing file.
bool IsSameFile(const std::string& A, const std::string& B);

// True when A and B differ in the letter case of ASCII letters at most (driver and picture names).
bool SameIgnoringCase(const std::string& A, const std::string& B);

// The MCU class for a game's short name (`--game`); throws EUsageError for an unknown name.
const TMCUClass& FindGameClass(const std::string& ShortName);

// Reads the ROM file (chip order, at most 1856 bytes, zero-padded) into a new MCU of the
// class; a file of another size gets the window's size warning on standard error. With
// UserDataFile, that file is read completely, checked and then applied. Throws EFailure
// when a file cannot be read or the user data is bad (nothing of it is applied).
std::unique_ptr<TSHARP_SM5A_MCU> LoadROM(const TMCUClass& Class, const std::string& FileName,
                                         const std::string& UserDataFile = {});

// Debug sessions.
struct TLoadedSession {
    TMainBlock Main; // the main block as read (the MCU block is applied to MCU)
    const TMCUClass* Class = nullptr;
    std::unique_ptr<TSHARP_SM5A_MCU> MCU;
};
// Reads a session file and applies it to a new MCU of the game it names, whose ROM is read
// from ROMFile (the question the window would ask). Throws EUsageError without a ROM file,
// EFailure for an unreadable or refused file or an unknown game.
TLoadedSession LoadSessionFile(const std::string& FileName, const std::string& ROMFile);
// Writes a session: Fields around the MCU block of MCU (through a temporary file).
void SaveSessionFile(const std::string& FileName, const TMainBlock& Fields, const TSHARP_SM5A_MCU& MCU);
// The main block of a freshly started window with a game of Class loaded: no placement,
// panel width 0, no breakpoints, trigger bytes 0, speed 3, radiation 1, no selected line.
TMainBlock FreshWindowMainBlock(const TMCUClass& Class);

// "native", "sharp" or "kb" -> 0, 1, 2; anything else is an EUsageError.
int ParseMnemonics(const std::string& Value);

} // namespace cli
} // namespace tarvolin
