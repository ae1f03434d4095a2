// The verbs disasm, asm, convert, run and bench.
#include <cerrno>
#include <chrono>
#include <cstring>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include <CLI/CLI.hpp>

#include "app/converters.h"
#include "cli.h"
#include "core/mcu.h"
#include "core/trace.h"
#include "base/options.h"
#include "base/safe_file.h"
#include "disasm/assembler.h"
#include "disasm/listing.h"
#include "disasm/text_util.h"

namespace tarvolin::cli {
namespace {

// ---------------------------------------------------------------------------------------
// disasm

struct {
    std::string ROM, Output, Game = "custom_game", Mnemonics = "native", UserData;
    bool BPS = false, LFSR = false, NoComments = false;
} Disasm;

const char* const DisasmDescription =
    "Writes the listing of a chip-order ROM image (as the debugger's \"Save disassembly\"\n"
    "writes it: page headers, labels, one line per instruction, CR LF line ends).";

void AddGameOption(CLI::App& C, std::string& Target, const char* Help) {
    C.add_option("--game", Target, Help)->type_name("NAME")->check(CLI::Validator(
        [](std::string& Name) {
            FindGameClass(Name); // an unknown game is a usage error naming the known ones
            return std::string();
        },
        ""));
}

void DefineDisasm(CLI::App& C) {
    AddInputFile(C, "ROM", "ROM", Disasm.ROM, "the chip-order ROM image");
    AddGameOption(C, Disasm.Game, "the game whose labels, comments and input names apply (default custom_game)");
    C.add_flag("--bps", Disasm.BPS, "addresses as bank:page:step instead of three hex digits");
    C.add_flag("--lfsr", Disasm.LFSR, "step parts of addresses as step-counter codes");
    AddChoice(C, "--mnemonics", Disasm.Mnemonics, {"native", "sharp", "kb"},
              "native (the chip's own), sharp (SHARP SM-5A) or kb (KB1013VK1-2)");
    C.add_flag("--no-comments", Disasm.NoComments, "leave out the default comments (user comments stay)");
    AddUserDataOption(C, Disasm.UserData);
    AddOutputFile(C, "-o", "FILE", Disasm.Output, "write to FILE instead of standard output (- is standard output)");
}

int DisasmMain() {
    if (Disasm.ROM.empty()) throw EUsageError("no ROM given");
    TOptions& o = Options();
    o.UseBankPageStepAddressNotation = Disasm.BPS;
    o.UseLFSRAddressing = Disasm.LFSR;
    o.AppendDisAsmComments = !Disasm.NoComments;
    const TMCUClass& cls = FindGameClass(Disasm.Game);
    o.InstructionMnemonics = ParseMnemonics(Disasm.Mnemonics);
    auto mcu = LoadROM(cls, Disasm.ROM, Disasm.UserData);
    mcu->SetupInstructionMnemonics();
    TListing listing;
    listing.BuildDisAsmStrings(mcu.get());
    if (Disasm.Output.empty() || Disasm.Output == "-") std::cout << listing.ExportText(*mcu);
    else listing.SaveToFile(*mcu, Disasm.Output);
    return 0;
}

// ---------------------------------------------------------------------------------------
// asm

struct {
    std::string Source, Output;
    bool LFSR = false;
} Asm;

const char* const AsmDescription =
    "Assembles an SM-5A program into a 1856-byte ROM image in chip order (the order of a\n"
    "dump, loadable like one); unused bytes are 00.\n"
    "\n"
    "Source lines:   [name:] [instruction | .org ADDRESS | .byte V, V, ...] [; comment]\n"
    "  Instructions are written as the disassembler shows them, in either mnemonic set and\n"
    "  either address notation (3C5 or 0:F:05); targets may be addresses, labels,\n"
    "  \"label @ address\" and the double readings \"A / B\". The DPH toggle of EXC, EXCI,\n"
    "  LDA and EXCD (XE, XEI, LE, XED) is the comment note \"xor DPH 01\", \"10\" or \"11\".\n"
    "  .org takes an execution-order address; step 63 of every page is the chip's fixed\n"
    "  jump to step 0. Numbers: 0x1F or $1F hexadecimal, otherwise decimal.";

void DefineAsm(CLI::App& C) {
    AddInputFile(C, "SOURCE", "SOURCE", Asm.Source, "the assembler source");
    AddOutputFile(C, "-o", "ROM", Asm.Output, "the image to write (- writes it to standard output)")->required();
    C.add_flag("--lfsr", Asm.LFSR, "step parts of addresses are step-counter codes");
}

int AsmMain() {
    if (Asm.Source.empty()) throw EUsageError("no source given");
    const std::string& source = Asm.Source;
    TAssemblerOptions ao;
    ao.StepCodes = Asm.LFSR;
    std::string text;
    try {
        text = ReadFileBounded(source, AssemblerSourceLimit);
    } catch (const std::runtime_error& e) {
        throw EFailure(e.what());
    }
    const TAssemblyResult r = Assemble(text, source, ao);
    const std::string image(r.ChipOrder.begin(), r.ChipOrder.end());
    if (Asm.Output == "-") std::cout << image; // "-o -": the image goes to standard output
    else WriteFileReplacing(Asm.Output, image);
    return 0;
}

// ---------------------------------------------------------------------------------------
// convert

struct {
    std::string File;
    bool DeLFSR = false, DeJAVA = false;
} Convert;

const char* const ConvertDescription =
    "Writes FILE with the extension .seq: the ROM with the bytes of every 64-byte page in\n"
    "the order the chip's step counter visits them.";

void DefineConvert(CLI::App& C) {
    AddInputFile(C, "FILE", "FILE", Convert.File, "the dump to convert");
    auto* l = C.add_flag("--delfsr", Convert.DeLFSR,
                         "FILE is a raw dump of any length (a short last page reads missing bytes as 0)");
    auto* j = C.add_flag("--dejava", Convert.DeJAVA,
                         "FILE is a text of inverted byte values separated by \", \" (at most 1856)");
    l->excludes(j);
}

int ConvertMain() {
    if (!Convert.DeLFSR && !Convert.DeJAVA) throw EUsageError("give --delfsr or --dejava");
    if (Convert.File.empty()) throw EUsageError("no file given");
    const auto out = Convert.DeLFSR ? ConvertDeLFSRFile(Convert.File) : ConvertDeJAVAFile(Convert.File);
    std::cout << "Wrote " << out.string() << "\n";
    return 0;
}

// ---------------------------------------------------------------------------------------
// run

struct {
    std::string ROM, Wav, Game = "custom_game", Session, SessionROM, SaveSession, UserData;
    std::string Matrix, Alpha, Beta, Mnemonics = "native";
    uint64_t Steps = 1000, Rate = 0;
    bool Trace = false, Derivated = false;
    CLI::Option *GameOption = nullptr, *RateOption = nullptr;
} RunArgs;

const char* const RunDescription =
    "Runs a chip-order ROM image from reset, or a debug session from where it was saved\n"
    "(--session FILE --rom ROM, without ROM), and prints the RAM and the cycle count (of this run).";

void DefineRun(CLI::App& C) {
    auto& A = RunArgs;
    AddInputFile(C, "ROM", "ROM", A.ROM, "the chip-order ROM image to run from reset");
    AddGameOption(C, A.Game, "the game whose wiring applies (default custom_game)");
    A.GameOption = C.get_option("--game");
    AddCount(C, "--steps", "N", A.Steps, UINT64_MAX / 2, "number of instruction steps (default 1000)");
    C.add_flag("--trace", A.Trace, "one line of registers after every step");
    C.add_option("--matrix", A.Matrix,
                 "pressed inputs on ground, R4, R3 and R2, one hex digit each (K4..K1);\n"
                 "with --session, --matrix, --alpha and --beta replace the stored inputs")
        ->type_name("HHHH")
        ->check(CLI::Validator(
            [](std::string& v) {
                if (v.size() != 4 || v.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                    throw EUsageError("--matrix takes four hex digits (ground, R4, R3, R2), not \"" + v + "\"");
                return std::string();
            },
            ""));
    AddChoice(C, "--alpha", A.Alpha, {"0", "1"}, "the Alpha input");
    AddChoice(C, "--beta", A.Beta, {"0", "1"}, "the Beta input");
    A.RateOption = AddCount(C, "--full-run-rate", "N", A.Rate, UINT32_MAX,
                            "paced run at N machine cycles per second (0 = unpaced)");
    AddChoice(C, "--mnemonics", A.Mnemonics, {"native", "sharp", "kb"},
              "instruction names in error messages: native, sharp or kb");
    AddOutputFile(C, "--wav", "FILE", A.Wav, "record the buzzer from reset and write it as a WAV file");
    C.add_flag("--derivated", A.Derivated, "record the buzzer's changes instead of its level");
    AddInputFile(C, "--session", "FILE", A.Session, "continue the debug session FILE (its game and state)");
    AddInputFile(C, "--rom", "ROM", A.SessionROM, "the ROM of the session's game (the window asks for it)");
    AddOutputFile(C, "--save-session", "FILE", A.SaveSession,
                  "after the run, write the machine as it stands as a debug session");
    AddUserDataOption(C, A.UserData);
}

int RunMain() {
    const auto& A = RunArgs;
    const std::string& session = A.Session;
    const std::string& wav = A.Wav;
    const std::string& saveSession = A.SaveSession;
    const bool matrixGiven = !A.Matrix.empty(), alphaGiven = !A.Alpha.empty(), betaGiven = !A.Beta.empty();
    const bool fullRun = A.RateOption->count() > 0;
    const uint32_t rate = static_cast<uint32_t>(A.Rate);
    const uint64_t steps = A.Steps;
    const bool trace = A.Trace;
    TInputMatrix matrix{};
    for (size_t k = 0; k < A.Matrix.size() && k < 4; ++k)
        matrix[k] = static_cast<T4bits>(std::stoi(A.Matrix.substr(k, 1), nullptr, 16));
    const bool alpha = A.Alpha == "1", beta = A.Beta == "1";
    if (!session.empty()) {
        if (!A.ROM.empty()) throw EUsageError("a session is continued with its ROM given as --rom ROM, not as " + A.ROM);
        if (A.GameOption->count()) throw EUsageError("--game cannot be used with --session: the session names its game");
        if (!A.UserData.empty())
            throw EUsageError("--user-data cannot be used with --session: the session holds its user data");
    } else {
        if (A.ROM.empty()) throw EUsageError("no ROM given");
        if (!A.SessionROM.empty()) throw EUsageError("--rom belongs to --session; give the ROM to run as ROM");
    }
    const int mnemonics = ParseMnemonics(A.Mnemonics);
    const bool derivated = A.Derivated;
    Options().InstructionMnemonics = mnemonics;
    Options().DerivatedSoundWave = derivated;
    std::unique_ptr<TSHARP_SM5A_MCU> mcu;
    TMainBlock fields;
    if (!session.empty()) {
        TLoadedSession loaded = LoadSessionFile(session, A.SessionROM);
        mcu = std::move(loaded.MCU);
        fields = std::move(loaded.Main);
        fields.MCU = TMCUSessionBlock{}; // written from the machine
    } else {
        const TMCUClass& cls = FindGameClass(A.Game);
        mcu = LoadROM(cls, A.ROM, A.UserData);
        fields = FreshWindowMainBlock(cls);
    }
    mcu->SetupInstructionMnemonics();
    if (session.empty() || matrixGiven) mcu->IO.FInputMatrix = matrix;
    if (session.empty() || alphaGiven) mcu->IO.FAlpha = alpha;
    if (session.empty() || betaGiven) mcu->IO.FBeta = beta;
    // Without a rate the run is unpaced and the machine keeps the rate it has.
    if (fullRun) mcu->SetFullRunCyclesPerSecond(rate);
    mcu->SetFullRun(fullRun);
    if (!wav.empty() && mcu->AudioBuffer().empty()) mcu->StartSoundRecording();
    for (const auto& e : RunExtensions())
        if (e.AfterCreate) e.AfterCreate(*mcu);

    std::string out;
    uint64_t errors = 0;
    std::string firstError;
    std::vector<void (*)(TSHARP_SM5A_MCU&)> afterStep;
    for (const auto& e : RunExtensions())
        if (e.AfterStep) afterStep.push_back(e.AfterStep);
    for (uint64_t i = 1; i <= steps; ++i) {
        const TStepResult r = PerformStep(*mcu);
        if (r.Failed && !errors++) firstError = r.Error;
        for (auto* f : afterStep) f(*mcu);
        if (!trace) continue;
        out += FormatTraceLine(i, *mcu, r);
        if (out.size() > (1u << 16)) {
            errno = 0;
            std::cout << out;
            out.clear();
            // A trace nobody receives (full disk, closed pipe) ends the run at once.
            if (!std::cout)
                throw EFailure(std::string("cannot write to standard output") + (errno ? ": " : "") +
                               (errno ? std::strerror(errno) : ""));
        }
    }
    for (const auto& e : RunExtensions())
        if (e.AfterSteps) e.AfterSteps(*mcu, steps, trace, out);
    out += "RAM=";
    for (T4bits v : mcu->RAM) out += HexDigits(v, 1);
    out += "\nCYCLES=" + std::to_string(mcu->CycleCount) + "\n";
    std::cout << out;
    for (const auto& e : RunExtensions())
        if (e.AfterRun) e.AfterRun(*mcu, std::cout);
    std::cout.flush();
    if (errors && !trace)
        std::cerr << "tarvolin-cli run: " << errors << " step(s) raised an emulator error; the first: " << firstError << "\n";
    if (!wav.empty()) {
        mcu->SaveSoundRecording(wav);
        if (const std::string note = mcu->SoundRecordingCutNote(); !note.empty()) std::cerr << note << "\n";
    }
    if (!saveSession.empty()) {
        fields.SoundRecording = fields.SoundRecording || !mcu->AudioBuffer().empty();
        mcu->SetFullRun(false);
        SaveSessionFile(saveSession, fields, *mcu);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// bench

struct {
    std::string ROM, Game = "custom_game", UserData;
    double Seconds = 1.0;
} Bench;

const char* const BenchDescription =
    "Runs the ROM unpaced for S seconds of wall-clock time (default 1) and prints\n"
    "steps=... cycles=... seconds=... cycles_per_second=...";

void DefineBench(CLI::App& C) {
    AddInputFile(C, "ROM", "ROM", Bench.ROM, "the chip-order ROM image");
    AddGameOption(C, Bench.Game, "the game whose wiring applies (default custom_game)");
    C.add_option("--seconds", Bench.Seconds, "wall-clock time of the run, above 0 and at most 3600 (default 1)")
        ->type_name("S")
        ->check(CLI::Validator(
            [](std::string& v) {
                char* end = nullptr;
                const double s = std::strtod(v.c_str(), &end);
                if (v.empty() || *end || !(s > 0) || s > 3600)
                    throw EUsageError("--seconds takes a number above 0 and at most 3600");
                return std::string();
            },
            ""));
    AddUserDataOption(C, Bench.UserData);
}

int BenchMain() {
    if (Bench.ROM.empty()) throw EUsageError("no ROM given");
    const double seconds = Bench.Seconds;
    auto mcu = LoadROM(FindGameClass(Bench.Game), Bench.ROM, Bench.UserData);
    mcu->SetFullRunCyclesPerSecond(0);
    mcu->SetFullRun(true);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto limit = std::chrono::duration<double>(seconds);
    uint64_t steps = 0, errors = 0;
    double elapsed = 0;
    for (;;) {
        for (int k = 0; k < 4096; ++k) {
            uint8_t op, operand;
            try {
                mcu->PerformOneCycle(op, operand);
            } catch (const std::exception&) {
                ++errors; // the program goes on with the next step, as in a run
            }
        }
        steps += 4096;
        const std::chrono::duration<double> d = Clock::now() - start;
        elapsed = d.count();
        if (d >= limit) break;
    }
    std::printf("steps=%" PRIu64 " cycles=%" PRIu64 " seconds=%.3f cycles_per_second=%.0f\n", steps, mcu->CycleCount, elapsed,
                elapsed > 0 ? static_cast<double>(mcu->CycleCount) / elapsed : 0.0);
    if (errors) std::cerr << "tarvolin-cli bench: " << errors << " step(s) raised an emulator error\n";
    return 0;
}

const TVerbRegistration DisasmVerb({"disasm", "write the listing of a ROM", DisasmDescription, DefineDisasm, DisasmMain});
const TVerbRegistration AsmVerb({"asm", "assemble a source into a ROM image", AsmDescription, DefineAsm, AsmMain});
const TVerbRegistration ConvertVerb({"convert", "reorder a raw or text ROM dump into a .seq file", ConvertDescription,
                                     DefineConvert, ConvertMain});
const TVerbRegistration RunVerb({"run", "run a ROM and print registers, RAM and cycles", RunDescription, DefineRun,
                                 RunMain});
const TVerbRegistration BenchVerb({"bench", "measure the emulation speed", BenchDescription, DefineBench, BenchMain});

} // namespace
} // namespace tarvolin::cli
