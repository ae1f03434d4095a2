// The verbs disasm, asm, convert, run and bench.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "app/converters.h"
#include "cli.h"
#include "core/mcu.h"
#include "base/options.h"
#include "base/safe_file.h"
#include "disasm/assembler.h"
#include "disasm/listing.h"
#include "disasm/text_util.h"

namespace tarvolin::cli {
namespace {

// Positional arguments must not look like options.
void NeedPositional(const std::string& Arg) {
    if (Arg.size() > 1 && Arg[0] == '-') throw EUsageError("unknown option " + Arg);
}

// An output that names the input file itself would destroy the input.
void RefuseToOverwriteInput(const std::string& Input, const std::string& Output) {
    if (!Output.empty() && SameFile(Input, Output))
        throw EUsageError("the output " + Output + " is the input file itself; name another file");
}

// ---------------------------------------------------------------------------------------
// disasm

const char* const DisasmHelp =
    "usage: tarvolin-cli disasm ROM [--game NAME] [--bps] [--lfsr] [--mnemonics native|sharp|kb]\n"
    "                           [--no-comments] [-o FILE]\n"
    "\n"
    "Writes the listing of a chip-order ROM image (as the debugger's \"Save disassembly\"\n"
    "writes it: page headers, labels, one line per instruction, CR LF line ends).\n"
    "\n"
    "  --game NAME      the game whose labels, comments and input names apply (default custom_game)\n"
    "  --bps            addresses as bank:page:step instead of three hex digits\n"
    "  --lfsr           step parts of addresses as step-counter codes\n"
    "  --mnemonics SET  native (the chip's own), sharp (SHARP SM-5A) or kb (KB1013VK1-2)\n"
    "  --no-comments    leave out the default comments (user comments stay)\n"
    "  -o FILE          write to FILE instead of standard output (- = standard output)\n";

int DisasmMain(const std::vector<std::string>& Args) {
    std::string rom, output, game = "custom_game";
    int mnemonics = 0;
    TOptions& o = Options();
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "--game") game = OptionValue(Args, i);
        else if (a == "--bps") o.UseBankPageStepAddressNotation = true;
        else if (a == "--lfsr") o.UseLFSRAddressing = true;
        else if (a == "--mnemonics") mnemonics = ParseMnemonics(OptionValue(Args, i));
        else if (a == "--no-comments") o.AppendDisAsmComments = false;
        else if (a == "-o") output = OptionValue(Args, i);
        else {
            NeedPositional(a);
            if (!rom.empty()) throw EUsageError("more than one ROM given");
            rom = a;
        }
    }
    if (rom.empty()) throw EUsageError("no ROM given");
    RefuseToOverwriteInput(rom, output);
    const TMCUClass& cls = FindGameClass(game);
    o.InstructionMnemonics = mnemonics;
    auto mcu = LoadROM(cls, rom);
    mcu->SetupInstructionMnemonics();
    TListing listing;
    listing.BuildDisAsmStrings(mcu.get());
    if (output.empty() || output == "-") { // "-o -" names standard output, as it does for other tools
        std::cout << listing.ExportText(*mcu);
        std::cout.flush();
        if (!std::cout) throw EFailure("cannot write to standard output");
    } else {
        listing.SaveToFile(*mcu, output);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------
// asm

const char* const AsmHelp =
    "usage: tarvolin-cli asm SOURCE -o ROM [--lfsr]\n"
    "\n"
    "Assembles an SM-5A program into a 1856-byte ROM image in chip order (the order of a\n"
    "dump, loadable like one); unused bytes are 00.\n"
    "\n"
    "Source lines:   [name:] [instruction | .org ADDRESS | .byte V, V, ...] [; comment]\n"
    "  Instructions are written as the disassembler shows them, in either mnemonic set and\n"
    "  either address notation (3C5 or 0:F:05); targets may be addresses, labels,\n"
    "  \"label @ address\" and the double readings \"A / B\". The DPH toggle of EXC, EXCI,\n"
    "  LDA and EXCD (XE, XEI, LE, XED) is the comment note \"xor DPH 01\", \"10\" or \"11\".\n"
    "  .org takes an execution-order address; step 63 of every page is the chip's fixed\n"
    "  jump to step 0. Numbers: 0x1F or $1F hexadecimal, otherwise decimal.\n"
    "\n"
    "  -o ROM    the image to write\n"
    "  --lfsr    step parts of addresses are step-counter codes\n";

int AsmMain(const std::vector<std::string>& Args) {
    std::string source, output;
    TAssemblerOptions ao;
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "-o") output = OptionValue(Args, i);
        else if (a == "--lfsr") ao.StepCodes = true;
        else {
            NeedPositional(a);
            if (!source.empty()) throw EUsageError("more than one source given");
            source = a;
        }
    }
    if (source.empty()) throw EUsageError("no source given");
    if (output.empty()) throw EUsageError("no output given (-o ROM)");
    RefuseToOverwriteInput(source, output);
    std::string text;
    try {
        text = ReadFileBounded(source, AssemblerSourceLimit);
    } catch (const std::runtime_error& e) {
        throw EFailure(e.what());
    }
    const TAssemblyResult r = Assemble(text, source, ao);
    WriteFileReplacing(output, std::string(r.ChipOrder.begin(), r.ChipOrder.end()));
    return 0;
}

// ---------------------------------------------------------------------------------------
// convert

const char* const ConvertHelp =
    "usage: tarvolin-cli convert --delfsr|--dejava FILE\n"
    "\n"
    "Writes FILE with the extension .seq: the ROM with the bytes of every 64-byte page in\n"
    "the order the chip's step counter visits them.\n"
    "\n"
    "  --delfsr   FILE is a raw dump of any length (a short last page reads missing bytes as 0)\n"
    "  --dejava   FILE is a text of inverted byte values separated by \", \" (at most 1856)\n";

int ConvertMain(const std::vector<std::string>& Args) {
    int kind = 0;
    std::string file;
    for (const auto& a : Args) {
        if (a == "--delfsr" || a == "--dejava") {
            if (kind) throw EUsageError("give one of --delfsr and --dejava");
            kind = a == "--delfsr" ? 1 : 2;
        } else {
            NeedPositional(a);
            if (!file.empty()) throw EUsageError("more than one file given");
            file = a;
        }
    }
    if (!kind) throw EUsageError("give --delfsr or --dejava");
    if (file.empty()) throw EUsageError("no file given");
    const auto out = kind == 1 ? ConvertDeLFSRFile(file) : ConvertDeJAVAFile(file);
    std::cout << "Wrote " << out.string() << "\n";
    return 0;
}

// ---------------------------------------------------------------------------------------
// run

const char* const RunHelpText =
    "usage: tarvolin-cli run ROM [--game NAME] [--steps N] [--trace] [--matrix HHHH]\n"
    "                        [--alpha 0|1] [--beta 0|1] [--full-run-rate N]\n"
    "                        [--mnemonics native|sharp|kb] [--wav FILE] [--derivated]\n"
    "                        [--save-session FILE]\n"
    "       tarvolin-cli run --session FILE [--rom ROM] [--steps N] [--trace] ...\n"
    "\n"
    "Runs a chip-order ROM image from reset, or a debug session from where it was saved,\n"
    "and prints the RAM and the cycle count (of this run).\n"
    "\n"
    "  --game NAME          the game whose wiring applies (default custom_game)\n"
    "  --session FILE       continue the debug session FILE (its game and state)\n"
    "  --rom ROM            the ROM of the session's game (the window asks for it)\n"
    "  --save-session FILE  after the run, write the machine as it stands as a debug session\n"
    "  --steps N            number of instruction steps (default 1000)\n"
    "  --trace              one line of registers after every step\n"
    "  --matrix HHHH        pressed inputs on ground, R4, R3 and R2, one hex digit each (K4..K1);\n"
    "                       with --session, --matrix, --alpha and --beta replace the stored inputs\n"
    "  --alpha 0|1          the Alpha input\n"
    "  --beta 0|1           the Beta input\n"
    "  --full-run-rate N    paced run at N machine cycles per second (0 = unpaced)\n"
    "  --mnemonics SET      instruction names in error messages: native, sharp or kb\n"
    "  --wav FILE           record the buzzer from reset and write it as a WAV file\n"
    "  --derivated          record the buzzer's changes instead of its level\n";

std::string RunHelp() {
    std::string s = RunHelpText;
    for (const auto& e : RunExtensions())
        if (e.HelpLines) s += e.HelpLines;
    return s;
}

std::string Hex9(const TORegister& r) {
    std::string s;
    for (T4bits v : r) s += HexDigits(v, 1);
    return s;
}

int RunMain(const std::vector<std::string>& Args) {
    std::string rom, wav, game = "custom_game", session, sessionROM, saveSession;
    bool gameGiven = false, matrixGiven = false, alphaGiven = false, betaGiven = false;
    uint64_t steps = 1000;
    bool trace = false, fullRun = false, derivated = false;
    uint32_t rate = 0;
    int mnemonics = 0;
    TInputMatrix matrix{};
    bool alpha = false, beta = false;
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "--game") {
            game = OptionValue(Args, i);
            gameGiven = true;
        } else if (a == "--session") session = OptionValue(Args, i);
        else if (a == "--rom") sessionROM = OptionValue(Args, i);
        else if (a == "--save-session") saveSession = OptionValue(Args, i);
        else if (a == "--steps") steps = ParseCount(a, OptionValue(Args, i), UINT64_MAX / 2);
        else if (a == "--trace") trace = true;
        else if (a == "--matrix") {
            matrixGiven = true;
            const std::string& v = OptionValue(Args, i);
            if (v.size() != 4 || v.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
                throw EUsageError("--matrix takes four hex digits (ground, R4, R3, R2), not \"" + v + "\"");
            for (size_t k = 0; k < 4; ++k) matrix[k] = static_cast<T4bits>(std::stoi(v.substr(k, 1), nullptr, 16));
        } else if (a == "--alpha" || a == "--beta") {
            const std::string& v = OptionValue(Args, i);
            if (v != "0" && v != "1") throw EUsageError(a + " takes 0 or 1, not \"" + v + "\"");
            (a == "--alpha" ? alpha : beta) = v == "1";
            (a == "--alpha" ? alphaGiven : betaGiven) = true;
        } else if (a == "--full-run-rate") {
            rate = static_cast<uint32_t>(ParseCount(a, OptionValue(Args, i), UINT32_MAX));
            fullRun = true;
        } else if (a == "--mnemonics") mnemonics = ParseMnemonics(OptionValue(Args, i));
        else if (a == "--wav") wav = OptionValue(Args, i);
        else if (a == "--derivated") derivated = true;
        else {
            size_t used = 0;
            for (const auto& e : RunExtensions())
                if (e.ParseOption && (used = e.ParseOption(Args, i)) > 0) break;
            if (used) {
                i += used - 1;
                continue;
            }
            NeedPositional(a);
            if (!rom.empty()) throw EUsageError("more than one ROM given");
            rom = a;
        }
    }
    if (!session.empty()) {
        if (!rom.empty()) throw EUsageError("a session is continued with its ROM given as --rom ROM, not as " + rom);
        if (gameGiven) throw EUsageError("--game cannot be used with --session: the session names its game");
        RefuseToOverwriteInput(session, wav);
    } else {
        if (rom.empty()) throw EUsageError("no ROM given");
        if (!sessionROM.empty()) throw EUsageError("--rom belongs to --session; give the ROM to run as ROM");
        RefuseToOverwriteInput(rom, wav);
        RefuseToOverwriteInput(rom, saveSession);
    }
    RefuseToOverwriteInput(sessionROM, wav);
    RefuseToOverwriteInput(sessionROM, saveSession);
    Options().InstructionMnemonics = mnemonics;
    Options().DerivatedSoundWave = derivated;
    std::unique_ptr<TSHARP_SM5A_MCU> mcu;
    TMainBlock fields;
    if (!session.empty()) {
        TLoadedSession loaded = LoadSessionFile(session, sessionROM);
        mcu = std::move(loaded.MCU);
        fields = std::move(loaded.Main);
        fields.MCU = TMCUSessionBlock{}; // written from the machine
    } else {
        const TMCUClass& cls = FindGameClass(game);
        mcu = LoadROM(cls, rom);
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
    char buf[256];
    for (uint64_t i = 1; i <= steps; ++i) {
        uint8_t op = 0, operand = 0;
        bool executed = false;
        std::string error;
        try {
            executed = mcu->PerformOneCycle(op, operand);
        } catch (const std::exception& e) {
            error = e.what();
            if (!errors++) firstError = error;
        }
        if (!trace) continue;
        const TSHARP_SM5A_MCU& m = *mcu;
        std::snprintf(buf, sizeof buf,
                      "%" PRIu64 " PC=%03X OP=%s ACC=%X DP=%02X A=%03X MSB=%X PAGE=%X C=%d T=%04X T14=%d HALT=%d R=%X TD=%d LD0=%d O=", i,
                      m.PC & 0x7FF, executed && error.empty() ? HexDigits(op, 2).c_str() : "--", m.Acc & 0xF, m.DP & 0x7F, m.A & 0x7FF,
                      m.MSB & 1, m.Page & 0xF, m.Carry ? 1 : 0, m.T & 0x3FFF, m.OneSecond ? 1 : 0, m.HaltMode ? 1 : 0, m.IO.R & 0xF,
                      m.TD ? 1 : 0, m.LD0 ? 1 : 0);
        out += buf;
        out += Hex9(m.O) + " O'=" + Hex9(m.O_);
        if (!error.empty()) out += " ERROR=\"" + error + "\"";
        out += "\n";
        if (out.size() > (1u << 16)) {
            std::cout << out;
            out.clear();
        }
    }
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

const char* const BenchHelp =
    "usage: tarvolin-cli bench ROM [--game NAME] [--seconds S]\n"
    "\n"
    "Runs the ROM unpaced for S seconds of wall-clock time (default 1) and prints\n"
    "steps=... cycles=... seconds=... cycles_per_second=...\n";

int BenchMain(const std::vector<std::string>& Args) {
    std::string rom, game = "custom_game";
    double seconds = 1.0;
    for (size_t i = 0; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a == "--game") game = OptionValue(Args, i);
        else if (a == "--seconds") {
            const std::string& v = OptionValue(Args, i);
            char* end = nullptr;
            seconds = std::strtod(v.c_str(), &end);
            if (v.empty() || *end || !(seconds > 0) || seconds > 3600) throw EUsageError("--seconds takes a number above 0 and at most 3600");
        } else {
            NeedPositional(a);
            if (!rom.empty()) throw EUsageError("more than one ROM given");
            rom = a;
        }
    }
    if (rom.empty()) throw EUsageError("no ROM given");
    auto mcu = LoadROM(FindGameClass(game), rom);
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

const TVerbRegistration DisasmVerb({"disasm", "write the listing of a ROM", [] { return std::string(DisasmHelp); }, DisasmMain});
const TVerbRegistration AsmVerb({"asm", "assemble a source into a ROM image", [] { return std::string(AsmHelp); }, AsmMain});
const TVerbRegistration ConvertVerb({"convert", "reorder a raw or text ROM dump into a .seq file",
                                     [] { return std::string(ConvertHelp); }, ConvertMain});
const TVerbRegistration RunVerb({"run", "run a ROM and print registers, RAM and cycles", RunHelp, RunMain});
const TVerbRegistration BenchVerb({"bench", "measure the emulation speed", [] { return std::string(BenchHelp); }, BenchMain});

} // namespace
} // namespace tarvolin::cli
