// tarvolin-cli: disassemble, assemble, convert and run SM-5A programs without a window.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/safe_file.h"
#include "base/version.h"
#include "core/mcu.h"
#include "cli.h"
#include "cli_help.h"
#include "persist/user_data.h"

namespace tarvolin::cli {

std::vector<TVerb>& Verbs() {
    static std::vector<TVerb> v;
    return v;
}

std::vector<TRunExtension>& RunExtensions() {
    static std::vector<TRunExtension> v;
    return v;
}

namespace {

struct TFileOption {
    CLI::Option* Option;
    bool IsOutput;
};
std::vector<TFileOption>& FileOptions() {
    static std::vector<TFileOption> v;
    return v;
}

// A check that throws the tool's own usage error, so the message reads as it always has.
CLI::Validator Check(std::function<void(const std::string&)> Test) {
    return CLI::Validator(
        [Test](std::string& Value) {
            Test(Value);
            return std::string();
        },
        "");
}

} // namespace

CLI::Option* AddCount(CLI::App& C, const std::string& Name, const std::string& ValueName, uint64_t& Target,
                      uint64_t Max, const std::string& Help) {
    return C.add_option(Name, Target, Help)
        ->type_name(ValueName)
        ->check(Check([Name, Max](const std::string& Value) {
            if (Value.empty() || Value.size() > 19 || Value.find_first_not_of("0123456789") != std::string::npos)
                throw EUsageError("option " + Name + " needs a whole number, not \"" + Value + "\"");
            if (std::stoull(Value) > Max) throw EUsageError("option " + Name + " is at most " + std::to_string(Max));
        }));
}

CLI::Option* AddChoice(CLI::App& C, const std::string& Name, std::string& Target, const std::vector<std::string>& Choices,
                       const std::string& Help) {
    std::string Words;
    for (const auto& c : Choices) Words += (Words.empty() ? "" : "|") + c;
    return C.add_option(Name, Target, Help)->type_name(Words)->check(Check([Name, Choices](const std::string& Value) {
        if (std::find(Choices.begin(), Choices.end(), Value) != Choices.end()) return;
        std::string List;
        for (size_t i = 0; i < Choices.size(); ++i)
            List += (i == 0 ? "" : i + 1 == Choices.size() ? " or " : ", ") + Choices[i];
        throw EUsageError(Name + " takes " + List + ", not \"" + Value + "\"");
    }));
}

CLI::Option* AddInputFile(CLI::App& C, const std::string& Name, const std::string& ValueName, std::string& Target,
                          const std::string& Help) {
    CLI::Option* o = C.add_option(Name, Target, Help)->type_name(ValueName);
    FileOptions().push_back({o, false});
    return o;
}

CLI::Option* AddOutputFile(CLI::App& C, const std::string& Name, const std::string& ValueName, std::string& Target,
                           const std::string& Help) {
    CLI::Option* o = C.add_option(Name, Target, Help)->type_name(ValueName);
    FileOptions().push_back({o, true});
    return o;
}

CLI::Option* AddUserDataOption(CLI::App& C, std::string& Target) {
    return AddInputFile(C, "--user-data", "FILE", Target,
                        "apply this user data file (labels, comments and patched bytes, as a game's .dat\n"
                        "file holds them); without it no .dat file is read");
}

bool IsSameFile(const std::string& A, const std::string& B) {
    // Compared by device and inode, so another spelling, a hard link or a symbolic link to the
    // file counts as the file itself. A name that does not exist yet is no existing file.
    return !A.empty() && !B.empty() && SameFile(A, B);
}

void RefuseOutputsThatAreInputs() {
    for (const TFileOption& Out : FileOptions()) {
        if (!Out.IsOutput || Out.Option->count() == 0) continue;
        for (const TFileOption& In : FileOptions()) {
            if (In.IsOutput || In.Option->count() == 0) continue;
            for (const std::string& o : Out.Option->results())
                for (const std::string& i : In.Option->results())
                    if (IsSameFile(i, o))
                        throw EUsageError("the output " + o + " is the input file itself; name another file");
        }
    }
}

int ParseMnemonics(const std::string& Value) {
    if (Value == "native") return 0;
    if (Value == "sharp") return 1;
    if (Value == "kb") return 2;
    throw EUsageError("--mnemonics takes native, sharp or kb, not \"" + Value + "\"");
}

std::unique_ptr<TSHARP_SM5A_MCU> LoadROM(const TMCUClass& Class, const std::string& FileName,
                                         const std::string& UserDataFile) {
    // Looked at before it is opened (a pipe or device is refused, never waited on) and read
    // here, so that a read error ends the command with a failure instead of a run of whatever
    // part of the image arrived. One byte more than the image tells a larger file.
    uint64_t size = 0;
    std::string image;
    try {
        image = ReadFilePrefix(FileName, ROMSize + 1, size);
    } catch (const std::runtime_error& e) {
        throw EFailure(e.what());
    }
    const size_t got = image.size();
    if (got != ROMSize || size != ROMSize) {
        // The window's warning (it asks whether to go on; the tool goes on).
        std::cerr << "tarvolin-cli: warning: ROM \"" << FileName << "\": Unexpected data size: " << std::max<uint64_t>(size, got)
                  << " bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n";
    }
    image.resize(std::min<size_t>(got, ROMSize));
    TUserDataBlock Data;
    if (!UserDataFile.empty()) {
        try {
            Data = ReadUserDataFile(UserDataFile);
        } catch (const std::exception& e) {
            throw EFailure(e.what());
        }
    }
    std::istringstream stream(image);
    auto MCU = Class.Create(&stream);
    if (!UserDataFile.empty()) {
        try {
            MCU->UserData->ApplyBlock(Data, MCU->ROM);
        } catch (const std::exception& e) {
            throw EFailure("The user data file \"" + UserDataFile + "\" was not loaded: " + e.what());
        }
    }
    return MCU;
}

namespace {

void PrintOverview(std::ostream& Out) {
    Out << "usage: tarvolin-cli VERB [ARGUMENTS]\n\nVerbs:\n";
    for (const auto& v : Verbs()) {
        std::string name = v.Name;
        name.resize(std::max<size_t>(name.size(), 10), ' ');
        Out << "  " << name << v.Summary << "\n";
    }
    Out << "\n'tarvolin-cli VERB --help' describes a verb; 'tarvolin-cli --version' prints the version.\n";
}

// Everything written to standard output must have arrived: a full disk or a closed pipe is a
// failure, not a cut-off result with exit status 0.
int CheckedExit(int Code, const std::string& Who) {
    std::cout.flush();
    errno = 0;
    const bool failed = std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout;
    if (!failed) return Code;
    const int err = errno;
    std::cerr << Who << ": cannot write to standard output" << (err ? std::string(": ") + std::strerror(err) : "")
              << "\n";
    return 1;
}

int Run(int argc, char** argv) {
    std::sort(Verbs().begin(), Verbs().end(), [](const TVerb& a, const TVerb& b) { return std::string(a.Name) < b.Name; });
    if (argc < 2) {
        PrintOverview(std::cerr);
        return 2;
    }
    const std::string verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        PrintOverview(std::cout);
        return CheckedExit(0, "tarvolin-cli");
    }
    if (verb == "--version") {
        std::cout << "tarvolin-cli " << tarvolin::ProgramVersionText() << "\n";
        return CheckedExit(0, "tarvolin-cli");
    }
    const auto it = std::find_if(Verbs().begin(), Verbs().end(), [&](const TVerb& v) { return verb == v.Name; });
    if (it == Verbs().end()) {
        std::cerr << "tarvolin-cli: unknown verb \"" << verb << "\"\n\n";
        PrintOverview(std::cerr);
        return 2;
    }
    const std::string who = std::string("tarvolin-cli ") + it->Name;

    CLI::App app("tarvolin-cli", "tarvolin-cli");
    CLI::App* command = app.add_subcommand(it->Name, it->Description);
    command->allow_extras(); // reported below in the tool's own words
    command->formatter(std::make_shared<THelpFormatter>());
    it->Define(*command);
    if (std::string(it->Name) == "run")
        for (const auto& e : RunExtensions()) e.Define(*command);
    for (CLI::App* sub : command->get_subcommands([](CLI::App*) { return true; })) {
        sub->allow_extras();
        sub->formatter(std::make_shared<THelpFormatter>());
    }

    try {
        try {
            app.parse(argc, argv);
        } catch (const CLI::CallForHelp&) {
            CLI::App* shown = command;
            for (CLI::App* sub : command->get_subcommands()) shown = sub;
            std::cout << shown->help();
            return CheckedExit(0, who);
        } catch (const CLI::ParseError& e) {
            throw EUsageError(e.what());
        }
        // CLI11 keeps the "--" that ends the options among the extras of a verb that allows them.
        std::vector<std::string> extra;
        for (const auto& r : command->remaining())
            if (r != "--") extra.push_back(r);
        for (CLI::App* sub : command->get_subcommands())
            for (const auto& r : sub->remaining())
                if (r != "--") extra.push_back(r);
        if (!extra.empty()) {
            const std::string& a = extra.front();
            if (a.size() > 1 && a[0] == '-') throw EUsageError("unknown option " + a);
            throw EUsageError("unexpected argument \"" + a + "\"");
        }
        RefuseOutputsThatAreInputs();
        return CheckedExit(it->Main(), who);
    } catch (const EUsageError& e) {
        std::cerr << who << ": " << e.what() << "\n(see 'tarvolin-cli " << it->Name << " --help')\n";
        return 2;
    } catch (const std::exception& e) {
        std::cout.flush();
        std::cerr << who << ": " << e.what() << "\n";
        return 1;
    }
}

} // namespace
} // namespace tarvolin::cli

int main(int argc, char** argv) {
    // The tool reads a game's ".dat" file only when it is named (--user-data).
    tarvolin::TUserData::SetReadGameDatFiles(false);
    return tarvolin::cli::Run(argc, argv);
}
