// tarvolin-cli: the headless tool. Verbs live in separate files and register themselves;
// options of `run` that belong to other subsystems (LCD drivers, scenes) register a
// run extension, so this file's verbs need no change when they arrive.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "debugger/session_format.h"

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

struct TVerb {
    const char* Name;
    const char* Summary; // one line for the overview
    std::string (*Help)(); // the full --help text
    int (*Main)(const std::vector<std::string>& Args); // arguments after the verb
};

// Verbs register themselves with a static TVerbRegistration in their own file.
std::vector<TVerb>& Verbs();
struct TVerbRegistration {
    explicit TVerbRegistration(const TVerb& Verb) { Verbs().push_back(Verb); }
};

// Extra options of `run`.
struct TRunExtension {
    const char* HelpLines; // appended to `run --help`
    // Args[i] is an option this extension may own: returns how many arguments it consumed
    // (0 = not its option). Throws EUsageError for a bad value.
    size_t (*ParseOption)(const std::vector<std::string>& Args, size_t i);
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

// The MCU class for a game's short name (`--game`); throws EUsageError for an unknown name.
const TMCUClass& FindGameClass(const std::string& ShortName);

// Reads the ROM file (chip order, at most 1856 bytes, zero-padded) into a new MCU of the
// class. Throws EFailure when the file cannot be read.
std::unique_ptr<TSHARP_SM5A_MCU> LoadROM(const TMCUClass& Class, const std::string& FileName);

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

// Helpers for argument parsing.
bool IsHelp(const std::vector<std::string>& Args);
// The value after option Args[i]; throws EUsageError when it is missing.
const std::string& OptionValue(const std::vector<std::string>& Args, size_t& i);
uint64_t ParseCount(const std::string& Option, const std::string& Value, uint64_t Max);
// "native", "sharp" or "kb" -> 0, 1, 2.
int ParseMnemonics(const std::string& Value);

} // namespace cli
} // namespace tarvolin
