// Debug sessions without a window: the verb `session` (show, resave) and the loading and
// saving that `run --session` and `run --save-session` use.
#include <CLI/CLI.hpp>
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "base/errors.h"
#include "cli.h"
#include "core/mcu.h"
#include "disasm/text_util.h"
#include "games/game_catalogue.h"
#include "persist/debug_session.h"

namespace tarvolin::cli {

namespace {

// Reads the main block of a session file; Known decides where an unknown game stops it.
TMainBlock ReadSessionFile(const std::string& FileName, const std::function<bool(const std::string&)>& Known,
                           bool& HasMainBlock) {
    HasMainBlock = false;
    TMainBlock Main;
    TDebugSession Session;
    Session.RegisterStreamMethods(
        [&](std::istream& S) {
            Main = ReadMainBlock(S, Known);
            HasMainBlock = true;
        },
        nullptr);
    try {
        Session.Open(FileName);
    } catch (const std::exception& e) {
        throw EFailure(FileName + ": " + e.what());
    }
    return Main;
}

} // namespace

TMainBlock FreshWindowMainBlock(const TMCUClass& Class) {
    TMainBlock b;
    b.Game = Class.ShortGameName();
    b.TriggeredReadAddress = b.TriggeredWriteAddress = b.TriggeredChangeAddress = 0;
    b.Speed = 3;
    b.RadiationIntensity = 1;
    b.SelectedLine = -1;
    b.TopLine = 0;
    return b;
}

TLoadedSession LoadSessionFile(const std::string& FileName, const std::string& ROMFile) {
    bool HasMain = false;
    TLoadedSession r;
    r.Main = ReadSessionFile(
        FileName, [](const std::string& Name) { return tarvolin::FindGameClass(Name) != nullptr; }, HasMain);
    if (!HasMain || r.Main.Version < 1) throw EFailure(FileName + ": the file holds no session data");
    if (!r.Main.GameRecognized) throw EFailure(FileName + ": Unrecognized game: '" + r.Main.Game + "'.");
    r.Class = tarvolin::FindGameClass(r.Main.Game);
    if (ROMFile.empty())
        throw EUsageError("the session's game \"" + r.Main.Game + "\" needs its ROM: give --rom ROM");
    r.MCU = LoadROM(*r.Class, ROMFile);
    try {
        r.MCU->ApplySessionBlock(r.Main.MCU);
    } catch (const std::exception& e) {
        throw EFailure(FileName + ": " + e.what());
    }
    return r;
}

void SaveSessionFile(const std::string& FileName, const TMainBlock& Fields, const TSHARP_SM5A_MCU& MCU) {
    TDebugSession Session;
    Session.RegisterStreamMethods(nullptr, [&](std::ostream& S) { WriteMainBlock(S, Fields, MCU); });
    Session.SaveAs(FileName);
}

namespace {

// ---------------------------------------------------------------------------------------
// session show

std::string Quoted(const std::string& Text) {
    std::string s = "\"";
    for (char c : Text) {
        if (c == '"' || c == '\\') s += '\\';
        if (c == '\n') s += "\\n";
        else if (c == '\r') s += "\\r";
        else s += c;
    }
    return s + "\"";
}

std::string Nibbles(const uint8_t* Values, size_t Count) {
    std::string s;
    for (size_t i = 0; i < Count; ++i) s += HexDigits(Values[i] & 0xF, 1);
    return s;
}

std::string List(const std::vector<int32_t>& Values, int Digits) {
    std::string s = std::to_string(Values.size());
    for (int32_t v : Values) s += " " + HexDigits(static_cast<unsigned>(v), Digits);
    return s;
}

void PrintPlacement(std::ostream& Out, const std::vector<uint8_t>& Bytes) {
    Out << "window_placement size=" << Bytes.size();
    TWindowPlacement P;
    if (TWindowPlacement::Decode(Bytes, P)) {
        Out << " length=" << P.Length << " flags=" << P.Flags << " show=" << P.ShowCmd << " min=(" << P.MinX << ","
            << P.MinY << ") max=(" << P.MaxX << "," << P.MaxY << ") normal=(" << P.Left << "," << P.Top << ")-("
            << P.Right << "," << P.Bottom << ")";
    } else if (!Bytes.empty()) {
        Out << " (not a whole placement record) bytes=";
        for (uint8_t b : Bytes) Out << HexDigits(b, 2);
    }
    Out << "\n";
}

void PrintMCUBlock(std::ostream& Out, const TMCUSessionBlock& M) {
    Out << "mcu.version " << M.Version << "\n";
    if (M.Version < 1) return;
    Out << "mcu.previous_opcode " << HexDigits(M.PreviousOpcode, 2) << "\n"
        << "mcu.full_run_cycles_per_second " << M.FullRunCyclesPerSecond << "\n"
        << "mcu.acc " << HexDigits(M.Acc, 1) << "\n"
        << "mcu.dp " << HexDigits(M.DP, 2) << "\n"
        << "mcu.t " << HexDigits(M.T, 4) << "\n"
        << "mcu.msb " << int(M.MSB) << "\n"
        << "mcu.page " << HexDigits(M.Page, 1) << "\n"
        << "mcu.pc " << HexDigits(M.PC, 3) << "\n"
        << "mcu.a " << HexDigits(M.A, 3) << "\n"
        << "mcu.carry " << M.Carry << "\n"
        << "mcu.one_second " << M.OneSecond << "\n"
        << "mcu.halt_mode " << M.HaltMode << "\n"
        << "mcu.o " << Nibbles(M.O.data(), M.O.size()) << "\n"
        << "mcu.o_ " << Nibbles(M.O_.data(), M.O_.size()) << "\n"
        << "mcu.td " << M.TD << "\n"
        << "mcu.ld0 " << M.LD0 << "\n"
        << "mcu.ram " << Nibbles(M.RAM.data(), M.RAM.size()) << "\n"
        << "io.version " << M.IO.Version << "\n";
    if (M.IO.Version >= 1)
        Out << "io.input_matrix direct=" << HexDigits(M.IO.Matrix[0], 1) << " r4=" << HexDigits(M.IO.Matrix[1], 1)
            << " r3=" << HexDigits(M.IO.Matrix[2], 1) << " r2=" << HexDigits(M.IO.Matrix[3], 1) << "\n"
            << "io.alpha " << M.IO.Alpha << "\n"
            << "io.beta " << M.IO.Beta << "\n"
            << "io.r " << HexDigits(M.IO.R, 1) << "\n";
    if (M.Version >= 2) Out << "mcu.lcd_driver " << Quoted(M.LCDDriverName) << "\n";
    Out << "mcu.recording " << M.Recording << "\n";
    if (M.Recording) {
        size_t NonZero = 0;
        for (size_t i = 0; i + 1 < M.AudioBytes.size(); i += 2)
            if (M.AudioBytes[i] | M.AudioBytes[i + 1]) ++NonZero;
        Out << "mcu.audio_buffer " << M.AudioBytes.size() << " bytes, " << M.AudioBytes.size() / 2 << " samples, "
            << NonZero << " not silent\n"
            << "mcu.audio_position " << M.AudioBufferPos << "\n"
            << "mcu.previous_sound_bit " << M.PreviousSoundBit << "\n";
    }
    const TUserDataBlock& U = M.UserData;
    Out << "user_data.version " << U.Version << "\n";
    if (U.Version < 1) return;
    Out << "user_data.ranges " << U.Ranges.size() << "\n";
    for (const TROMPatch& r : U.Ranges) {
        Out << "user_data.range " << HexDigits(r.Start, 3) << " length " << r.Bytes.size() << ":";
        for (uint8_t b : r.Bytes) Out << " " << HexDigits(b, 2);
        Out << "\n";
    }
    Out << "user_data.entries " << U.Entries.size() << "\n";
    for (const TAddressCustomData& e : U.Entries)
        Out << "user_data.entry " << HexDigits(e.FAddr, 3) << " label " << Quoted(e.FLabel) << " comment "
            << Quoted(e.FComment) << "\n";
}

void PrintSession(std::ostream& Out, const std::string& FileName) {
    bool HasMain = false;
    const TMainBlock B = ReadSessionFile(FileName, nullptr, HasMain);
    Out << "signature " << DebugSessionSignature << "\n";
    if (!HasMain) {
        Out << "container_version 0 (no blocks)\n";
        return;
    }
    Out << "container_version " << DebugSessionContainerVersion << "\n"
        << "main.version " << B.Version << "\n";
    if (B.Version < 1) return;
    Out << "main.";
    PrintPlacement(Out, B.Placement);
    const TMCUClass* Class = tarvolin::FindGameClass(B.Game);
    Out << "main.right_panel_width " << B.RightPanelWidth << "\n"
        << "main.game " << Quoted(B.Game) << " ("
        << (Class ? Class->GameName() : std::string("not a game of this program")) << ")\n";
    PrintMCUBlock(Out, B.MCU);
    Out << "main.code_breakpoints " << List(B.CodeBreakpoints, 3) << "\n"
        << "main.temporary_code_breakpoints " << List(B.TempCodeBreakpoints, 3) << "\n"
        << "main.last_access_value " << HexDigits(B.MemoryBreakpointFieldValue, 1) << "\n"
        << "main.previous_value " << HexDigits(B.MemoryBreakpointPreviousFieldValue, 1) << "\n"
        << "main.triggered_read_address " << HexDigits(B.TriggeredReadAddress, 2) << "\n"
        << "main.read_memory_breakpoints " << List(B.ReadBreakpoints, 2) << "\n"
        << "main.triggered_write_address " << HexDigits(B.TriggeredWriteAddress, 2) << "\n"
        << "main.write_memory_breakpoints " << List(B.WriteBreakpoints, 2) << "\n"
        << "main.triggered_change_address " << HexDigits(B.TriggeredChangeAddress, 2) << "\n"
        << "main.change_memory_breakpoints " << List(B.ChangeBreakpoints, 2) << "\n"
        << "main.sound_recording " << B.SoundRecording << "\n"
        << "main.speed " << B.Speed << "\n";
    if (B.Version >= 2) Out << "main.radiation_intensity " << B.RadiationIntensity << "\n";
    Out << "main.selected_line " << B.SelectedLine << "\n"
        << "main.top_line " << B.TopLine << "\n";
}

struct {
    std::string File, ROM, Output;
    CLI::App *Show = nullptr, *Resave = nullptr;
} SessionArgs;

void DefineSession(CLI::App& C) {
    auto& A = SessionArgs;
    A.Show = C.add_subcommand("show",
                              "prints every field of a debug session file in file order, one per line:\n"
                              "registers, RAM, inputs, the LCD image, the recording, patched ROM ranges\n"
                              "with their bytes, labels and comments, breakpoints and the window's fields.");
    AddInputFile(*A.Show, "FILE", "FILE", A.File, "the session file")->required();
    A.Resave = C.add_subcommand("resave",
                                "loads the session into its game (the ROM read from ROM, as the window asks\n"
                                "for it) and writes it again as OUT. The window's own fields (placement, panel\n"
                                "width, list lines, speed, radiation, breakpoints, trigger bytes) are kept as\n"
                                "read; a session saved by this program comes out byte for byte the same.");
    AddInputFile(*A.Resave, "FILE", "FILE", A.File, "the session file")->required();
    AddInputFile(*A.Resave, "--rom", "ROM", A.ROM, "the ROM of the session's game");
    AddOutputFile(*A.Resave, "-o", "OUT", A.Output, "the session file to write")->required();
}

int SessionMain() {
    const auto& A = SessionArgs;
    if (!A.Show->parsed() && !A.Resave->parsed()) throw EUsageError("give show or resave");
    if (A.Show->parsed()) {
        std::ostringstream Out;
        PrintSession(Out, A.File);
        std::cout << Out.str();
        return 0;
    }
    TLoadedSession S = LoadSessionFile(A.File, A.ROM);
    SaveSessionFile(A.Output, S.Main, *S.MCU);
    return 0;
}

const TVerbRegistration SessionVerb({"session", "show or resave a debug session file",
                                     "Reads debug session files as the window writes them.", DefineSession,
                                     SessionMain});

} // namespace
} // namespace tarvolin::cli
