// tarvolin-cli: disassemble, assemble, convert and run SM-5A programs without a window.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/version.h"
#include "core/mcu.h"
#include "cli.h"

namespace tarvolin::cli {

std::vector<TVerb>& Verbs() {
    static std::vector<TVerb> v;
    return v;
}

std::vector<TRunExtension>& RunExtensions() {
    static std::vector<TRunExtension> v;
    return v;
}

bool IsHelp(const std::vector<std::string>& Args) {
    return std::any_of(Args.begin(), Args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; });
}

const std::string& OptionValue(const std::vector<std::string>& Args, size_t& i) {
    if (i + 1 >= Args.size()) throw EUsageError("option " + Args[i] + " needs a value");
    return Args[++i];
}

uint64_t ParseCount(const std::string& Option, const std::string& Value, uint64_t Max) {
    if (Value.empty() || Value.size() > 19 || !std::all_of(Value.begin(), Value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        throw EUsageError("option " + Option + " needs a whole number, not \"" + Value + "\"");
    const uint64_t v = std::stoull(Value);
    if (v > Max) throw EUsageError("option " + Option + " is at most " + std::to_string(Max));
    return v;
}

int ParseMnemonics(const std::string& Value) {
    if (Value == "native") return 0;
    if (Value == "sharp") return 1;
    if (Value == "kb") return 2;
    throw EUsageError("--mnemonics takes native, sharp or kb, not \"" + Value + "\"");
}

std::unique_ptr<TSHARP_SM5A_MCU> LoadROM(const TMCUClass& Class, const std::string& FileName) {
    std::error_code ec;
    if (std::filesystem::is_directory(FileName, ec)) throw EFailure("Cannot read ROM \"" + FileName + "\": it is a folder");
    std::ifstream f(FileName, std::ios::binary);
    if (!f) throw EFailure("Cannot open ROM \"" + FileName + "\"");
    // Read here so that a read error ends the command with a failure instead of a run of
    // whatever part of the image arrived.
    std::string image(ROMSize, '\0');
    f.read(image.data(), ROMSize);
    if (f.bad()) throw EFailure("Cannot read ROM \"" + FileName + "\"");
    image.resize(static_cast<size_t>(f.gcount()));
    std::istringstream stream(image);
    return Class.Create(&stream);
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

} // namespace
} // namespace tarvolin::cli

int main(int argc, char** argv) {
    using namespace tarvolin::cli;
    std::sort(Verbs().begin(), Verbs().end(), [](const TVerb& a, const TVerb& b) { return std::string(a.Name) < b.Name; });
    if (argc < 2) {
        PrintOverview(std::cerr);
        return 2;
    }
    const std::string verb = argv[1];
    if (verb == "--help" || verb == "-h" || verb == "help") {
        PrintOverview(std::cout);
        return 0;
    }
    if (verb == "--version") {
        std::cout << "tarvolin-cli " << tarvolin::ProgramVersionText() << "\n";
        return 0;
    }
    const auto it = std::find_if(Verbs().begin(), Verbs().end(), [&](const TVerb& v) { return verb == v.Name; });
    if (it == Verbs().end()) {
        std::cerr << "tarvolin-cli: unknown verb \"" << verb << "\"\n\n";
        PrintOverview(std::cerr);
        return 2;
    }
    const std::vector<std::string> args(argv + 2, argv + argc);
    if (IsHelp(args)) {
        std::cout << it->Help();
        return 0;
    }
    try {
        return it->Main(args);
    } catch (const EUsageError& e) {
        std::cerr << "tarvolin-cli " << it->Name << ": " << e.what() << "\n(see 'tarvolin-cli " << it->Name << " --help')\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "tarvolin-cli " << it->Name << ": " << e.what() << "\n";
        return 1;
    }
}
