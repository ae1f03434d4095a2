#include "debugger/debugger.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "persist/settings.h"
#include "base/options.h"
#include "debugger/input_dialogs.h"
#include "disasm/disasm.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

const std::array<TSpeedFactor, 7> SpeedFactors = {{
    {4096, "25%"},
    {8192, "50%"},
    {12288, "75%"},
    {16384, "100%"},
    {32768, "200%"},
    {65536, "400%"},
    {0, "(full emulation speed)"},
}};

namespace {

std::string Format(const char* Fmt, ...) {
    va_list ap;
    va_start(ap, Fmt);
    va_list ap2;
    va_copy(ap2, ap);
    int n = std::vsnprintf(nullptr, 0, Fmt, ap);
    va_end(ap);
    std::string s(n > 0 ? size_t(n) : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), size_t(n) + 1, Fmt, ap2);
    va_end(ap2);
    return s;
}

std::string Hex2(unsigned v) { return Format("%.2X", v & 0xFF); }
std::string Hex1(unsigned v) { return Format("%X", v & 0xF); }

std::string ToLower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

const char* const MemoryBreakpointNames[3] = {"read", "write", "change"};

bool IsInputOpcode(uint8_t Opcode) { return Opcode == 0x50 || Opcode == 0x51 || Opcode == 0x5E || Opcode == 0x6A; }

std::mt19937& Random() {
    static std::mt19937 Generator{std::random_device{}()};
    return Generator;
}
int RandomInt(int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Random()); }

} // namespace

// ====================================================================================
// Construction
// ====================================================================================

TDebugger::TDebugger(TDebuggerView& View, TPrompter& Prompter, TSettings& Settings)
    : FView(View), FPrompter(Prompter), FSettings(Settings), FCatalogue(GameClasses()) {}

TDebugger::~TDebugger() {
    if (FMCU && FMCU->LCDDriver) FMCU->LCDDriver->OnBitmapRefresh = nullptr;
}

void TDebugger::Initialize() {
    FCaption = ApplicationName;
    FView.SetCaption(FCaption);
    CloseGame();
}

std::string TDebugger::SpeedFactorText(int Position) {
    if (Position < 0 || Position >= static_cast<int>(SpeedFactors.size())) return {};
    return SpeedFactors[size_t(Position)].Text;
}

void TDebugger::MarkSessionModified() {
    if (FHasDebugSession) FSessionModified = true;
}

// ====================================================================================
// Window state
// ====================================================================================

void TDebugger::SetStatus(const std::string& Text, TStatusColour Colour) {
    FStatusText = Text;
    FStatusColour = Colour;
    FView.SetStatus(Text, Colour);
}

void TDebugger::SendStates() {
    TCommandStates s;
    const bool Game = FMCU != nullptr;
    const bool Stopped = IsStopped();
    const bool Running = IsAnimatedRun() || IsFullRun();
    s.TraceInto = s.StepOver = s.AnimatedRun = s.UnattendedRun = Stopped && Game;
    s.RunUntilReturn = Stopped && Game && FMCU->A != NoAddress;
    s.Pause = Running;
    s.Refresh = IsFullRun();
    s.MCUReset = Game;
    s.Breakpoints = Game;
    s.SessionSave = Game;
    s.CheckedGame = FCheckedGame;
    s.GameSpecificVisible = Game;
    if (Game) s.GameSpecificCaption = FGameClass->GameName();
    s.MCUPins = s.Interconnection = Game;
    s.Cheats = Game && !FGameClass->GetCheatsText().empty();
    s.SoundRecording = Game;
    s.SoundRecordingChecked = s.SoundRecordingIndicatorVisible = IsSoundRecording();
    s.SetCurrentTime = Game && !FGameClass->IsCustomGame();
    s.UpdateDisAsmVisible = IsAnimatedRun();
    s.UpdateRegistersVisible = s.UpdateRAMVisible = s.UpdateLCDRegistersVisible = Running;
    s.UpdateDisAsmChecked = FUpdateDisAsm;
    s.UpdateRegistersChecked = FUpdateRegisters;
    s.UpdateRAMChecked = FUpdateRAM;
    s.UpdateLCDRegistersChecked = FUpdateLCDRegisters;
    s.SpeedControlsVisible = IsFullRun();
    s.SpeedFactor = FSpeedFactor;
    s.StartPanelVisible = !Game;
    for (TOIndex i = 0; i < 9; ++i) s.DigitLabelVisible[i] = Game && FMCU->IsOIndexEncodingADigit(i);
    if (Game && FMCU->SupportedLCDDrivers.size() > 1)
        s.LCDImageHint = "There are more LCD images available for this ROM.\nDoubleclick here to switch to the next image.";
    if (s == FStates && FStatesSent) return;
    FStates = s;
    FStatesSent = true;
    FView.CommandStatesChanged(FStates);
}

// ====================================================================================
// Run control
// ====================================================================================

void TDebugger::SetRunType(TRunType RunType, const std::string& StatusText, bool Highlight) {
    if (FMCU && IsPCShown() && RunType != rtUnattendedRunUntilReturn && RunType != rtUnattendedRun) {
        if (FMCU->PC <= LastROMAddress) {
            int i = AddrToItemIndex(FMCU->PC);
            if (i >= 0 && i != FSelectedIndex) SelectItem(i);
        }
    }
    if (RunType == FRunType) return;

    const bool OldStopped = IsStopped();
    const bool OldFullRun = IsFullRun();
    FRunType = RunType;

    if (IsStopped()) FTempCodeBreakpoints.Clear();
    if (FMCU) {
        FMCU->SetFullRun(IsFullRun());
        TLCDDriver* Driver = FMCU->LCDDriver.get();
        if (IsStopped()) {
            if (Driver && Driver->ShowStableImageOnly()) {
                Driver->SetShowStableImageOnly(false);
                RefreshLCD(true);
            }
            if (OldFullRun) {
                UpdatePanes(AllPanes, false, false, true);
                FView.FocusList();
            }
        } else if (IsFullRun() && OldStopped) {
            UpdatePanes(AllPanes, false, false, false);
            FView.RepaintList();
            RefreshLCD(true);
            if (Driver) Driver->SetShowStableImageOnly(true);
        }
    }

    if (IsAnimatedRun() || IsFullRun()) {
        SetStatus("Running...", TStatusColour::Running);
    } else {
        const TStatusColour Colour = Highlight ? TStatusColour::Highlight : TStatusColour::Normal;
        SetStatus(FRunType == rtTraceInto ? std::string("Ready.") : StatusText, Colour);
    }
    SendStates();
    UpdateHintLabel();
}

void TDebugger::RefreshLCD(bool lErrorOnUndefinedLCDpad) {
    if (!FMCU || !FMCU->LCDDriver) return;
    try {
        FMCU->LCDDriver->RefreshBitmap(FMCU->O, FMCU->O_, lErrorOnUndefinedLCDpad);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
}

void TDebugger::ExecuteStep(bool CheckBreakpoints) {
    const bool EntryFullRun = IsFullRun();
    if (FMCU) {
        if (CheckBreakpoints && (IsAnimatedRun() || IsFullRun())) {
            if (IsCodeBreakpoint(FMCU->PC)) SetRunType(rtNoEmulation, "Paused on breakpoint.", true);
            else if (IsTempCodeBreakpoint(FMCU->PC)) SetRunType(rtNoEmulation, "Paused on run-to-cursor.", true);
        }
        if (FRunType != rtNoEmulation) {
            const bool WasInSubroutine = FMCU->A != NoAddress;
            FTriggeredReadMemoryBreakpointAddress = 0x7F;
            FTriggeredWriteMemoryBreakpointAddress = 0x7F;
            FTriggeredChangeMemoryBreakpointAddress = 0x7F;
            FMemoryBreakpointTriggered = false;
            if (FIsDosimeterGame && (IsAnimatedRun() || IsFullRun())) SimulateRadiation();
            // A halted cycle reports nothing: it counts as opcode 0.
            uint8_t Opcode = 0, Operand = 0;
            try {
                FMCU->PerformOneCycle(Opcode, Operand);
            } catch (const std::exception& e) {
                SetRunType(rtNoEmulation, std::string("Paused on emulator exception") + ": " + e.what(), true);
                // The instruction may have moved PC or changed registers before it failed:
                // show that state (a stop from a full run has already redrawn everything).
                if (!EntryFullRun) UpdatePanes(AllPanes, true, false, true);
                FView.FocusList();
                FPrompter.Error(e.what());
                return;
            }
            MarkSessionModified();
            if (FIsDosimeterGame) UpdateDosimeterMode();
            if (FMemoryBreakpointTriggered) ReportMemoryBreakpoint();
            const bool IsReturn = Opcode == 0x6E || Opcode == 0x6F;
            switch (FRunType) {
            case rtStepOver:
                if (WasInSubroutine || !IsCallInstruction(Opcode, Operand)) SetRunType(rtTraceInto);
                else SetRunType(rtSteppingOver);
                break;
            case rtSteppingOver:
                if (IsReturn) SetRunType(rtNoEmulation, "Ready.", false);
                break;
            case rtUnattendedRunUntilReturn:
                if (IsReturn) SetRunType(rtNoEmulation, "Paused on return from subroutine.", false);
                break;
            default:
                break;
            }
        }
        // Run until return follows A while stopped.
        if (IsStopped()) SendStates();
    }
    if (IsStopped() || IsAnimatedRun()) {
        if (!EntryFullRun) UpdatePanes(AllPanes, true, false, true);
        if (!IsAnimatedRun()) FView.FocusList();
    }
}

bool TDebugger::RunSlice(const std::function<bool()>& ShouldReturn) {
    if (IsStopped() || FRunType > rtUnattendedRun) return false;
    do {
        // The buttons are sampled only where the program can see them.
        if (FMCU && (IsInputOpcode(FMCU->PC <= LastROMAddress ? FMCU->ROM[FMCU->PC] : 0) || FMCU->HaltMode))
            ReadRawInputButtons(rbNone);
        ExecuteStep(true);
        if (IsFullRun() && FMCU && (FMCU->T & 0xFF) == 0)
            UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, true, false, false);
        if (IsStopped()) break;
        // An animated run has redrawn its panes after the instruction: let the window paint.
        if (IsAnimatedRun()) break;
    } while (!(ShouldReturn && ShouldReturn()));
    return !IsStopped();
}

void TDebugger::UpdatePanes(TPanes Panes, bool OnlyChanged, bool Force, bool FollowPC) {
    bool Follow = FollowPC;
    if (Force || FResetting) {
        Panes = AllPanes;
        Follow = true;
    } else {
        Follow = (Panes & pnDisAsm) != 0;
        if (IsStopped() || (IsAnimatedRun() && FUpdateDisAsm)) Panes |= pnDisAsm;
        else if (IsFullRun()) Follow = FollowPC;
        else Panes &= static_cast<TPanes>(~pnDisAsm);
        auto Pick = [&](TPane Pane, bool Checked) {
            if (IsStopped() || ((IsAnimatedRun() || IsFullRun()) && Checked)) Panes |= Pane;
            else Panes &= static_cast<TPanes>(~Pane);
        };
        Pick(pnRegisters, FUpdateRegisters);
        Pick(pnRAM, FUpdateRAM);
        Pick(pnLCDRegisters, FUpdateLCDRegisters);
    }

    if (FMCU) {
        if (Panes & pnDisAsm) {
            if (Follow) GoToAddr(FMCU->PC);
            if (!OnlyChanged) FView.RepaintList();
            if (IsStopped()) UpdateHintLabel();
        }
        constexpr TPanes ValuePanes = pnRegisters | pnRAM | pnLCDRegisters;
        if (OnlyChanged && !Force && !FResetting && IsFullRun()) {
            // A full run asks for the ticked panes every 256 timer ticks, far more often than
            // a window can show them: the texts are computed when they are read, and the red
            // marks then tell what changed since the values were last shown.
            FLazyPanes |= Panes & ValuePanes;
        } else {
            FlushLazyPaneTexts();
            ComputePaneTexts(Panes, OnlyChanged);
        }
        if ((Panes & pnRawInput) && !OnlyChanged) RefreshRawInputButtons();
        FView.DrawPanes(Panes, OnlyChanged);
        StorePreviousValues(Panes & static_cast<TPanes>(~FLazyPanes));
    } else {
        FLazyPanes = 0;
        ComputeNoGamePaneTexts();
        if (Panes & pnRawInput) RefreshRawInputButtons();
        FView.DrawPanes(Panes, false);
    }
}

void TDebugger::UpdateHintLabel() {
    std::string Text;
    if (FMCU) {
        if (IsStopped()) {
            try {
                Text = GetCurrentOpcodeHint(*FMCU);
            } catch (const std::exception& e) {
                Text = e.what();
            }
        } else if (IsFullRun()) {
            Text = SpeedFactorText(FSpeedFactor);
        }
    }
    if (Text == FHintLabel && FHintLabelSent) return;
    FHintLabel = Text;
    FHintLabelSent = true;
    FView.SetHintLabel(FHintLabel);
}

void TDebugger::ResetMCU() {
    SetStatus("Resetting...", TStatusColour::Normal);
    FResetting = true;
    std::string Error;
    try {
        if (FMCU) {
            FMCU->Reset();
            SetSpeedFactor(FSpeedFactor);
            StorePreviousValues(AllPanes);
        }
        FPreResetRunType = FRunType <= rtUnattendedRun ? static_cast<TRunType>(FRunType) : rtNoEmulation;
        FRunType = 0xFF;
        SetRunType(rtNoEmulation, "Resetting...", false);
        FPreviousSelectedAddr = NoAddress;
        FPreviousGotoAddr = NoAddress;
        UpdatePanes(AllPanes, false, true, FMCU != nullptr);
    } catch (const std::exception& e) {
        Error = e.what();
    }
    if (FRunType > rtUnattendedRun) FRunType = rtNoEmulation;
    FResetting = false;
    SetStatus("Ready.", FStatusColour);
    SendStates();
    if (FListing.Count() > 0) FView.FocusList();
    if (!Error.empty()) FPrompter.Error(Error);
}

// ---- commands ----

void TDebugger::TraceInto() {
    if (!IsStopped() || !FMCU) return;
    SetRunType(rtTraceInto);
    ExecuteStep(false);
}

void TDebugger::StepOver() {
    if (!IsStopped() || !FMCU) return;
    uint8_t Opcode = 0, Operand = 0;
    FMCU->GetCurrentOpcodeExt(Opcode, Operand);
    if (FMCU->A == NoAddress && IsCallInstruction(Opcode, Operand)) SetRunType(rtStepOver);
    else SetRunType(rtTraceInto);
    ExecuteStep(false);
}

void TDebugger::RunUntilReturn() {
    if (!IsStopped() || !FMCU || FMCU->A == NoAddress) return;
    SetRunType(rtUnattendedRunUntilReturn);
    ExecuteStep(false);
}

void TDebugger::AnimatedRun() {
    if (!IsStopped() || !FMCU) return;
    SetRunType(rtAnimatedRun);
    ExecuteStep(false);
}

void TDebugger::UnattendedRun() {
    if (!IsStopped() || !FMCU) return;
    SetRunType(rtUnattendedRun);
    ExecuteStep(false);
}

void TDebugger::Pause() {
    if (!(IsAnimatedRun() || IsFullRun())) return;
    SetRunType(rtNoEmulation, "Paused by user.", false);
}

void TDebugger::Refresh() {
    if (!IsFullRun()) return;
    UpdatePanes(AllPanes, true, true, true);
}

void TDebugger::MCUReset() {
    if (!FMCU) return;
    ResetMCU();
    MarkSessionModified();
    if (FPreResetRunType == rtUnattendedRun && FStates.UnattendedRun) UnattendedRun();
}

void TDebugger::SetSpeedFactor(int Position) {
    Position = std::clamp(Position, 0, static_cast<int>(SpeedFactors.size()) - 1);
    FSpeedFactor = Position;
    if (FMCU) {
        FMCU->SetFullRunCyclesPerSecond(SpeedFactors[size_t(Position)].CyclesPerSecond);
        if (!FResetting && !FLoadingDebugSession) MarkSessionModified();
    }
    SendStates();
    UpdateHintLabel();
}

void TDebugger::SetUpdateCheckBox(TPane Pane, bool Checked) {
    switch (Pane) {
    case pnDisAsm: FUpdateDisAsm = Checked; break;
    case pnRegisters: FUpdateRegisters = Checked; break;
    case pnRAM: FUpdateRAM = Checked; break;
    case pnLCDRegisters: FUpdateLCDRegisters = Checked; break;
    default: return;
    }
    SendStates();
}

bool TDebugger::UpdateCheckBox(TPane Pane) const {
    switch (Pane) {
    case pnDisAsm: return FUpdateDisAsm;
    case pnRegisters: return FUpdateRegisters;
    case pnRAM: return FUpdateRAM;
    case pnLCDRegisters: return FUpdateLCDRegisters;
    default: return false;
    }
}

// ====================================================================================
// Closing and loading games
// ====================================================================================

bool TDebugger::IsSoundRecording() const { return FMCU && FSoundRecording; }

bool TDebugger::SaveSoundRecordingAs() {
    TFileDialog Dialog;
    Dialog.Title = "Specify file name for recorded sound";
    Dialog.DefaultExt = "wav";
    Dialog.Filter = "Wave files (*.wav)|*.wav|All files (*.*)|*.*";
    Dialog.OverwritePrompt = true;
    std::string FileName;
    if (!FPrompter.SaveFile(Dialog, FileName)) return false;
    try {
        FMCU->SaveSoundRecording(FileName);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return false;
    }
    return true;
}

bool TDebugger::CanCloseGame(bool lTerminating) {
    // A recording that has not taken a sample yet holds nothing to save.
    if (FMCU && FSoundRecording && FMCU->IsSoundRecordingActive()) {
        TMessageResult r = FPrompter.Message(TMessageKind::Warning,
                                             "Sound recording is active. Do you want to save the recorded sound?",
                                             TMessageButtons::YesNoCancel);
        if (r == TMessageResult::Cancel) return false;
        // A cancelled or failed save keeps the game and its recording, so nothing is lost.
        if (r == TMessageResult::Yes && !SaveSoundRecordingAs()) return false;
        FMCU->StopSoundRecording();
        FSoundRecording = false;
        SendStates();
    }
    if (FHasDebugSession && FSessionModified) {
        TMessageResult r = FPrompter.Message(TMessageKind::Warning,
                                             "This debug session was modified.\nDo you want to SAVE it?",
                                             TMessageButtons::YesNoCancel);
        if (r == TMessageResult::Cancel) return false;
        if (r == TMessageResult::Yes && (!OnSaveSession || !OnSaveSession())) return false;
    }
    if (FMCU && !lTerminating) CloseGame();
    return true;
}

void TDebugger::CloseGame() {
    FCaption = ApplicationName;
    FView.SetCaption(FCaption);
    FCheckedGame = nullptr;
    FLCDImageMenu = TLCDImageMenu{};
    FView.LCDImageMenuChanged();
    FListing.Clear();
    FSelectedIndex = -1;
    FView.ListReset();
    FView.CloseInterconnection();
    FHasDebugSession = false;
    FSessionModified = false;
    if (FMCU) {
        if (FMCU->LCDDriver) FMCU->LCDDriver->OnBitmapRefresh = nullptr;
        FMCU->StopSoundRecording();
        FMCU.reset();
        FGameClass = nullptr;
    }
    FSoundRecording = false;
    FLCDBitmap.Clear();
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
    FCodeBreakpoints.Clear();
    for (auto& l : FMemoryBreakpoints) l.Clear();
    FDosimeterModeActive = false;
    FIsDosimeterGame = false;
    FView.RebuildInputPanel();
    SendStates();
    ResetMCU();
}

const TMCUClass* TDebugger::FindGameByShortName(const std::string& ShortName) const {
    const std::string Wanted = ToLower(ShortName);
    for (const TMCUClass* c : FCatalogue)
        if (c && !c->IsCustomGame() && ToLower(c->ShortGameName()) == Wanted) return c;
    return nullptr;
}

// Reads at most the 1856 bytes the MCU uses; Size receives the whole file's size, so a huge
// file is questioned without being loaded into memory.
bool TDebugger::ReadROMFile(const std::string& FileName, std::string& Data, uint64_t& Size) {
    Data.clear();
    Size = 0;
    std::ifstream f(FileName, std::ios::binary);
    if (!f) {
        FPrompter.Error(Format("Cannot open file \"%s\".", FileName.c_str()));
        return false;
    }
    f.seekg(0, std::ios::end);
    const std::streamoff End = f.tellg();
    f.seekg(0, std::ios::beg);
    if (End < 0 || !f) {
        FPrompter.Error(Format("Cannot read file \"%s\".", FileName.c_str()));
        return false;
    }
    Size = static_cast<uint64_t>(End);
    Data.resize(static_cast<size_t>(std::min<uint64_t>(Size, ROMSize)));
    if (!Data.empty() && !f.read(Data.data(), static_cast<std::streamsize>(Data.size()))) {
        Data.clear();
        FPrompter.Error(Format("Cannot read file \"%s\".", FileName.c_str()));
        return false;
    }
    return true;
}

bool TDebugger::LoadGame(const TMCUClass* GameClass, const std::string& FileName) {
    if (FMCU && GameClass) {
        if (!FPrompter.Confirm(
                Format("Are you sure you want to load the debugger with %s?", GameClass->GameName().c_str())))
            return false;
    }
    if (!GameClass) return false;

    const std::string SelectTitle = GameClass->GameName() + " - " + "Select ROM file";
    TFileDialog OpenDialog;
    OpenDialog.Title = SelectTitle;
    OpenDialog.Filter = "All files (*.*)|*.*";
    OpenDialog.MustExist = true;

    std::string Data;
    uint64_t Size = 0;
    std::string SourceFile;
    if (GameClass->IsCustomGame()) {
        // The custom game's file is never remembered.
        std::string Name = FileName;
        if (Name.empty() && !FPrompter.OpenFile(OpenDialog, Name)) return false;
        if (!Name.empty()) {
            if (!ReadROMFile(Name, Data, Size)) return false;
            SourceFile = Name;
        }
    } else {
        bool Ask = true;
        const std::string Short = GameClass->ShortGameName();
        const std::string Remembered = FSettings.ROMFile(Short);
        std::error_code ec;
        if (!Remembered.empty() && std::filesystem::is_regular_file(Remembered, ec)) {
            if (!ReadROMFile(Remembered, Data, Size)) return false;
            SourceFile = Remembered;
        }
        if (Data.empty()) {
            const std::string ROMFile = GameClass->ROMFileName();
            if (!ROMFile.empty()) {
                const std::string Stem = std::filesystem::path(ROMFile).stem().string();
                const std::string Text =
                    "You need to supply the ROM file...\n\n" +
                    Format("Hint:\nSearch Google for \"%s\" and unpack \"%s\" from the archive.", Stem.c_str(),
                           GameClass->ROMFileNameInArchive().c_str());
                Ask = FPrompter.Message(TMessageKind::Warning, Text, TMessageButtons::OKCancel) == TMessageResult::OK;
            }
        }
        if (Data.empty() && Ask) {
            std::string Name;
            if (FPrompter.OpenFile(OpenDialog, Name)) {
                if (!ReadROMFile(Name, Data, Size)) return false;
                SourceFile = Name;
                std::error_code ec2;
                auto Absolute = std::filesystem::absolute(Name, ec2);
                FSettings.SetROMFile(Short, ec2 ? Name : Absolute.string());
            }
        }
    }

    if (Data.empty()) {
        // A chosen file that holds nothing is reported instead of being ignored silently.
        if (!SourceFile.empty()) FPrompter.Error(Format("The file \"%s\" is empty.", SourceFile.c_str()));
        return false;
    }
    if (Size != uint64_t(ROMSize)) {
        const std::string Question = Format(
            "Unexpected data size: %u bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n\nAre you sure you "
            "want to continue loading the data?",
            static_cast<unsigned>(std::min<uint64_t>(Size, 0xFFFFFFFFu)));
        if (FPrompter.Message(TMessageKind::Warning, Question, TMessageButtons::YesNo) != TMessageResult::Yes)
            return false;
    }

    FView.SetBusy(true);
    std::unique_ptr<TSHARP_SM5A_MCU> NewMCU;
    try {
        std::istringstream Stream(Data);
        NewMCU = GameClass->Create(&Stream);
    } catch (const std::exception& e) {
        FView.SetBusy(false);
        FPrompter.Error(e.what());
        return false;
    }
    if (!NewMCU) {
        FView.SetBusy(false);
        return false;
    }
    if (FMCU && FMCU->LCDDriver) FMCU->LCDDriver->OnBitmapRefresh = nullptr;
    FView.CloseInterconnection();
    FMCU = std::move(NewMCU);
    FGameClass = GameClass;
    FSoundRecording = false; // a replaced game took its recording with it
    SetupGameWindow(*GameClass);
    FView.SetBusy(false);
    return true;
}

void TDebugger::SetupGameWindow(const TMCUClass& GameClass) {
    FCaption = std::string(ApplicationName) + " - " + GameClass.GameName();
    FView.SetCaption(FCaption);
    FSpeedFactor = DefaultSpeedFactor;
    FMCU->SetFullRunCyclesPerSecond(SpeedFactors[DefaultSpeedFactor].CyclesPerSecond);
    FRunType = rtNoEmulation;
    FPreResetRunType = rtNoEmulation;
    FDosimeterModeActive = false;
    FIsDosimeterGame = std::string(GameClass.ClassName) == "TAltair";
    if (FRadiationIntensity < 0 || FRadiationIntensity > 3) FRadiationIntensity = 1;
    FView.RebuildInputPanel();
    FMCU->OnReadMemory = TReadMemoryEvent{&TDebugger::ReadMemoryHandler, this};
    FMCU->OnWriteMemory = TWriteMemoryEvent{&TDebugger::WriteMemoryHandler, this};
    AttachLCDDriver();
    BuildLCDImageMenu();
    if (!FLoadingDebugSession) FillDisAsmList();
    FUpdateDisAsm = FUpdateRegisters = FUpdateRAM = FUpdateLCDRegisters = true;
    SendStates();
    FView.RefreshMCUPins();
    ResetMCU();
    // A ".dat" file read with the game starts an unnamed debug session once sessions exist.
}

void TDebugger::AttachLCDDriver() {
    if (!FMCU || !FMCU->LCDDriver) return;
    TLCDDriver& Driver = *FMCU->LCDDriver;
    Driver.OnBitmapRefresh = [this](TLCDDriver&) { FView.LCDImageChanged(FLCDBitmap); };
    try {
        Driver.AssignBitmapContainer(&FLCDBitmap, FLCDBackground, 4, false);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
}

int TDebugger::CurrentLCDDriverIndex() const {
    if (!FMCU || !FMCU->LCDDriver) return -1;
    const TLCDDriverClass& Current = FMCU->LCDDriver->GetClass();
    for (size_t i = 0; i < FMCU->SupportedLCDDrivers.size(); ++i)
        if (FMCU->SupportedLCDDrivers[i] == &Current) return static_cast<int>(i);
    return -1;
}

void TDebugger::BuildLCDImageMenu() {
    FLCDImageMenu = TLCDImageMenu{};
    if (FMCU && FMCU->SupportedLCDDrivers.size() > 1) {
        FLCDImageMenu.Visible = true;
        FLCDImageMenu.Header = FGameClass->IsCustomGame() ? "---  ALL AVAILABLE LCD IMAGES  ---"
                                                               : "---  COMPATIBLE LCD IMAGES  ---";
        for (const TLCDDriverClass* c : FMCU->SupportedLCDDrivers) {
            std::string Theme;
            try {
                auto Driver = FMCU->CreateLCDDriver(*c);
                if (Driver) Theme = Driver->LCDThemeName();
            } catch (const std::exception&) {
            }
            std::string Caption;
            for (char ch : Theme) {
                Caption += ch;
                if (ch == '&') Caption += '&';
            }
            FLCDImageMenu.Captions.push_back(Caption);
        }
        FLCDImageMenu.Checked = CurrentLCDDriverIndex();
    }
    FView.LCDImageMenuChanged();
}

void TDebugger::ChangeLCDDriverTo(int Index) {
    if (!FMCU || Index < 0 || Index >= static_cast<int>(FMCU->SupportedLCDDrivers.size())) return;
    FView.CloseInterconnection();
    try {
        FMCU->ChangeLCDDriver(*FMCU->SupportedLCDDrivers[size_t(Index)]);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    if (FMCU->LCDDriver && !FMCU->LCDDriver->OnBitmapRefresh)
        FMCU->LCDDriver->OnBitmapRefresh = [this](TLCDDriver&) { FView.LCDImageChanged(FLCDBitmap); };
    MarkSessionModified();
    FLCDImageMenu.Checked = CurrentLCDDriverIndex();
    FView.LCDImageMenuChanged();
    FLCDBitmap.MarkChanged();
    FView.LCDImageChanged(FLCDBitmap);
    FView.ShowLCDThemeName(FMCU->LCDDriver ? FMCU->LCDDriver->LCDThemeName() : std::string());
}

void TDebugger::SwitchLCDImage(bool lPrevious) {
    if (!FMCU) return;
    const int n = static_cast<int>(FMCU->SupportedLCDDrivers.size());
    if (n <= 1) return;
    int i = CurrentLCDDriverIndex();
    if (i < 0) i = 0;
    ChangeLCDDriverTo(lPrevious ? (i + n - 1) % n : (i + 1) % n);
}

void TDebugger::SelectLCDImage(int Index) { ChangeLCDDriverTo(Index); }

void TDebugger::FillDisAsmList() {
    FListing.BuildDisAsmStrings(FMCU.get());
    FSelectedIndex = -1;
    FView.ListReset();
}

bool TDebugger::LoadGameFromMenu(const TMCUClass* GameClass) {
    if (!GameClass) return false;
    if (!CanCloseGame()) return false;
    if (!LoadGame(GameClass)) return false;
    FCheckedGame = GameClass;
    SendStates();
    return true;
}

void TDebugger::HandleCommandLine(const std::string& Argument) {
    if (Argument.empty()) return;
    if (const TMCUClass* Game = FindGameByShortName(Argument)) {
        LoadGameFromMenu(Game);
        return;
    }
    std::error_code ec;
    std::filesystem::path Path = std::filesystem::absolute(Argument, ec);
    if (ec) Path = Argument;
    const std::string Full = Path.lexically_normal().string();
    if (!std::filesystem::is_regular_file(Path, ec)) {
        FPrompter.Error(Format("Cannot find file \"%s\".", Full.c_str()));
        return;
    }
    if (ToLower(Path.extension().string()) == ".dbgsession") {
        FPrompter.Error(Format("Cannot open \"%s\": this version cannot read debug sessions yet.", Full.c_str()));
        return;
    }
    if (!CanCloseGame()) return;
    if (LoadGame(&TSHARP_SM5A_MCU::Class, Full)) {
        FCheckedGame = &TSHARP_SM5A_MCU::Class;
        SendStates();
    }
}

// ====================================================================================
// Disassembly list and navigation
// ====================================================================================

bool TDebugger::GetSelectedAddr(T11bits& Addr) const {
    Addr = FListing.ItemIndexToAddr(FSelectedIndex);
    return FSelectedIndex >= 0 && Addr != NoAddress;
}

TListRowLook TDebugger::RowLook(int Index) const {
    TListRowLook Look;
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (Addr == NoAddress) return Look;
    const bool Breakpoint = IsCodeBreakpoint(Addr);
    if (FMCU && Addr == FMCU->PC && IsPCShown()) {
        Look.Style = Breakpoint ? TListRowStyle::PCBreakpoint : TListRowStyle::PC;
    } else if (Breakpoint) {
        Look.Style = TListRowStyle::Breakpoint;
    } else {
        Look.Style = Index == FSelectedIndex ? TListRowStyle::Selected : TListRowStyle::Normal;
        Look.GreyText = IsFullRun();
    }
    Look.OpcodeChanged = FMCU && FMCU->IsOpcodeChanged(Addr);
    return Look;
}

std::string TDebugger::RowHeader(int Index) const {
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (!FMCU || Addr > LastROMAddress) return {};
    return FMCU->DefaultROMAddressComments[Addr];
}

std::string TDebugger::RowLabel(int Index) const {
    const T11bits Addr = FListing.ItemIndexToAddr(Index);
    if (!FMCU || Addr > LastROMAddress) return {};
    return FMCU->GetAddressLabel(Addr);
}

int TDebugger::RowLines(int Index) const {
    int Lines = 1;
    const std::string Header = RowHeader(Index);
    if (!Header.empty()) Lines += 1 + static_cast<int>(std::count(Header.begin(), Header.end(), '\n'));
    if (!RowLabel(Index).empty()) ++Lines;
    return Lines;
}

void TDebugger::SelectItem(int Index) {
    if (Index < 0 || Index >= FListing.Count()) Index = -1;
    FSelectedIndex = Index;
    FView.ListSelectionChanged(Index);
    FView.RefreshOpcodeLegend();
}

void TDebugger::GoToAddr(T11bits Addr) {
    if (Addr > LastROMAddress || FListing.Count() == 0) return;
    const int i = FListing.AddrToItemIndex(Addr);
    if (i < 0) return;
    const int Top = FView.ListTopIndex();
    const bool Scroll = FResetting || i < Top || i >= Top + FView.ListVisibleRows();
    SelectItem(i);
    if (Scroll) FView.ScrollListTo(i);
}

void TDebugger::ListDoubleClick() {
    ToggleBreakpointAtSelection();
    MarkSessionModified();
}

TDisAsmPopupStates TDebugger::DisAsmPopupStates() const {
    TDisAsmPopupStates s;
    T11bits Sel = NoAddress;
    const bool HasSel = GetSelectedAddr(Sel);
    const bool Animated = IsAnimatedRun();
    const bool Game = FMCU != nullptr;
    s.Show7SegmentVisible = Game && HasSel && (FMCU->GetOpcode(Sel) == 0x5D || FMCU->GetOpcode(Sel) == 0x61);
    s.RunToCursor = s.GoToAddress = s.SetAddressDescription = s.ChangeOpcode = s.Search = !Animated;
    s.GoToCurrentPC = IsStopped();
    if (!Animated && Game && HasSel) {
        const T11bits t = FMCU->GetAddrToFollow(Sel);
        s.Follow = t != NoAddress && t != Sel;
    }
    s.GoToCaller = IsStopped() && Game && FMCU->A != NoAddress;
    s.GoToPrevious = !Animated && FPreviousSelectedAddr != NoAddress;
    s.SetNewPC = IsStopped() && Game && HasSel && Sel != FMCU->PC;
    s.RevertOpcode = Game && HasSel && FMCU->IsOpcodeChanged(Sel);
    s.RevertAllOpcodes = Game && FMCU->IsAnyOpcodeChanged();
    s.SearchNext = !Animated && FOpcodeToSearch >= 0;
    s.SaveDisassembly = FListing.Count() > 0;
    return s;
}

void TDebugger::Show7SegmentCodingTableForSelection() {
    T11bits Sel = NoAddress;
    const bool HasSel = GetSelectedAddr(Sel);
    const int Acc = (FMCU && HasSel && Sel == FMCU->PC) ? FMCU->Acc : -1;
    FView.ShowSevenSegmentCodingTable(-1, -1, FMCU ? FMCU->TD0IsCOM1 : true, Acc);
}

void TDebugger::ShowOpcodeLegendForSelection() {
    T11bits Sel = NoAddress;
    if (!FMCU || !GetSelectedAddr(Sel)) return;
    uint8_t Opcode = 0, Operand = 0;
    FMCU->GetOpcodeExt(Sel, Opcode, Operand);
    FView.ShowOpcodeLegend(Opcode, Operand);
}

void TDebugger::ToggleBreakpointAtSelection() {
    T11bits Sel = NoAddress;
    if (!GetSelectedAddr(Sel)) return;
    ToggleCodeBreakpoint(Sel);
    FView.RepaintList();
    MarkSessionModified();
}

void TDebugger::RunToCursor() {
    T11bits Sel = NoAddress;
    if (IsAnimatedRun() || !FMCU || !GetSelectedAddr(Sel)) return;
    const bool AtPC = Sel == FMCU->PC;
    if (!AtPC) AddTempCodeBreakpoint(Sel);
    SetRunType(rtUnattendedRun);
    ExecuteStep(false);
    // Only a run that is still going may keep a temporary breakpoint.
    if (AtPC && !IsStopped()) AddTempCodeBreakpoint(Sel);
}

void TDebugger::GoToAddress() {
    T11bits Sel = NoAddress;
    if (IsAnimatedRun() || !GetSelectedAddr(Sel)) return;
    T11bits Addr = FPreviousGotoAddr != NoAddress ? FPreviousGotoAddr : Sel;
    if (!GetAddress(FPrompter, "Go to address", Addr, LastROMAddress)) return;
    if (Addr == Sel) return;
    FPreviousSelectedAddr = FMCU ? FMCU->PC : Sel;
    GoToAddr(Addr);
    FView.FocusList();
    FPreviousGotoAddr = Addr;
}

void TDebugger::GoToCurrentPC() {
    if (!IsStopped()) return;
    UpdatePanes(pnDisAsm, false, false, true);
    FView.FocusList();
}

void TDebugger::Follow() {
    T11bits Sel = NoAddress;
    if (IsAnimatedRun() || !FMCU || !GetSelectedAddr(Sel)) return;
    const T11bits Target = FMCU->GetAddrToFollow(Sel);
    // A target without a row (pages 13..15 of bank 1) is not followed.
    if (Target == NoAddress || Target == Sel || Target > LastROMAddress) return;
    FPreviousSelectedAddr = Sel;
    GoToAddr(Target);
    FView.FocusList();
}

void TDebugger::GoToCaller() {
    if (!IsStopped() || !FMCU) return;
    const T11bits b = FMCU->A;
    T11bits Sel = NoAddress;
    if (b == NoAddress || !GetSelectedAddr(Sel) || b == Sel) return;
    // The last byte of the calling instruction maps onto its row; A = 0 has no such byte.
    if (b == 0 || b - 1 > LastROMAddress) return;
    FPreviousSelectedAddr = FMCU->PC;
    GoToAddr(static_cast<T11bits>(b - 1));
    FView.FocusList();
}

void TDebugger::GoToPrevious() {
    if (IsAnimatedRun() || FPreviousSelectedAddr == NoAddress) return;
    const T11bits p = FPreviousSelectedAddr;
    T11bits Sel = NoAddress;
    GetSelectedAddr(Sel);
    FPreviousSelectedAddr = Sel;
    GoToAddr(p);
}

void TDebugger::SetPCToCursor() {
    T11bits Sel = NoAddress;
    if (!IsStopped() || !FMCU || !GetSelectedAddr(Sel)) return;
    FMCU->PC = Sel;
    MarkSessionModified();
    UpdatePanes(pnDisAsm | pnRegisters, false, false, true);
    FView.FocusList();
}

void TDebugger::SetAddressDescription() {
    T11bits Sel = NoAddress;
    if (IsAnimatedRun() || !FMCU || !GetSelectedAddr(Sel)) return;
    std::string Label = FMCU->GetAddressLabel(Sel);
    std::string Comment = FMCU->GetAddressComment(Sel);
    if (!GetAddressDescription(FPrompter, Sel, Label, Comment)) return;
    try {
        FMCU->SetAddressLabel(Sel, Label);
        FMCU->SetAddressComment(Sel, Comment);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
    MarkSessionModified();
    FListing.RefreshDisAsmStrings(FMCU.get());
    FView.ListItemChanged(FListing.AddrToItemIndex(Sel));
    UpdatePanes(pnDisAsm, false, false, false);
    FView.RefreshOpcodeLegend();
}

void TDebugger::SearchOpcode() {
    if (IsAnimatedRun() || !FMCU) return;
    uint32_t Value = 0;
    T11bits Sel = NoAddress;
    if (FOpcodeToSearch >= 0) Value = static_cast<uint32_t>(FOpcodeToSearch);
    else if (GetSelectedAddr(Sel)) Value = FMCU->GetOpcode(Sel);
    if (!GetInteger(FPrompter, "Opcode", Value, 0xFF, 0)) return;
    FOpcodeToSearch = static_cast<int>(Value & 0xFF);
    FindNext();
}

void TDebugger::FindNext() {
    if (IsAnimatedRun() || !FMCU) return;
    if (FOpcodeToSearch < 0) {
        SearchOpcode();
        return;
    }
    if (FSelectedIndex < 0) return;
    for (int i = FSelectedIndex + 1; i < FListing.Count(); ++i) {
        const T11bits Addr = FListing.ItemIndexToAddr(i);
        if (FMCU->GetOpcode(Addr) == FOpcodeToSearch) {
            GoToAddr(Addr);
            return;
        }
    }
    FPrompter.Information("Not found.");
}

void TDebugger::SaveDisassembly() {
    if (!FMCU || FListing.Count() == 0) return;
    TFileDialog Dialog;
    Dialog.Title = "Specify disassembly file name";
    Dialog.DefaultExt = "txt";
    Dialog.Filter = "Text files (*.txt)|*.txt|All files (*.*)|*.*";
    Dialog.OverwritePrompt = true;
    Dialog.FileName = TListing::ProposedFileName(*FMCU);
    std::string FileName;
    if (!FPrompter.SaveFile(Dialog, FileName)) return;
    try {
        FListing.SaveToFile(*FMCU, FileName);
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
    }
}

void TDebugger::OptionsChanged() {
    if (FMCU) FMCU->SetupInstructionMnemonics();
    FListing.RefreshDisAsmStrings(FMCU.get());
    FView.RepaintList();
    UpdatePanes(pnDisAsm | pnRegisters, false, false, false);
    FView.RefreshOpcodeLegend();
}

// ====================================================================================
// Breakpoints
// ====================================================================================

void TDebugger::ToggleCodeBreakpoint(T11bits Addr) {
    FCodeBreakpoints.Toggle(Addr);
    MarkSessionModified();
}

void TDebugger::AddTempCodeBreakpoint(T11bits Addr) {
    FTempCodeBreakpoints.Add(Addr);
    MarkSessionModified();
}

void TDebugger::AddMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) {
    FMemoryBreakpoints[size_t(Kind)].Add(Addr);
    MarkSessionModified();
    UpdatePanes(pnRAM, false, false, false);
}

void TDebugger::RemoveMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) {
    FMemoryBreakpoints[size_t(Kind)].Remove(Addr);
    MarkSessionModified();
    UpdatePanes(pnRAM, false, false, false);
}

bool TDebugger::IsMemoryBreakpoint(TMemoryBreakpointKind Kind, T7bits Addr) const {
    return FMemoryBreakpoints[size_t(Kind)].Contains(Addr);
}

bool TDebugger::HasMemoryBreakpoint(T7bits Addr) const {
    for (const auto& l : FMemoryBreakpoints)
        if (l.Contains(Addr)) return true;
    return false;
}

void TDebugger::SetMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr) {
    if (!FMCU) return;
    if (!IsValidRAMAddress(Addr)) {
        FPrompter.Error("0x" + Hex2(Addr) + " " + "is not a valid RAM address.");
        return;
    }
    const std::string Question =
        Format("Set %s memory breakpoint on RAM address", MemoryBreakpointNames[size_t(Kind)]) + " 0x" + Hex2(Addr) + "?";
    if (FPrompter.Confirm(Question)) AddMemoryBreakpoint(Kind, Addr);
}

void TDebugger::RemoveMemoryBreakpointCommand(TMemoryBreakpointKind Kind, T7bits Addr) {
    if (!IsValidRAMAddress(Addr) || !IsMemoryBreakpoint(Kind, Addr)) return;
    const std::string Question = Format("Remove %s memory breakpoint on RAM address",
                                        MemoryBreakpointNames[size_t(Kind)]) + " 0x" + Hex2(Addr) + "?";
    if (FPrompter.Message(TMessageKind::Warning, Question, TMessageButtons::YesNo) == TMessageResult::Yes)
        RemoveMemoryBreakpoint(Kind, Addr);
}

bool TDebugger::PrepareBreakpointsDialog(std::unique_ptr<TBreakpointsDialogModel>& Model) {
    Model.reset();
    if (!FMCU) return false;
    if (FCodeBreakpoints.Empty() && std::all_of(FMemoryBreakpoints.begin(), FMemoryBreakpoints.end(),
                                                [](const TAddressList& l) { return l.Empty(); })) {
        FPrompter.Information("No breakpoint set.");
        return false;
    }
    Model = std::make_unique<TBreakpointsDialogModel>(FCodeBreakpoints, FMemoryBreakpoints[0], FMemoryBreakpoints[1],
                                                      FMemoryBreakpoints[2]);
    return true;
}

bool TDebugger::ConfirmDeleteAllBreakpoints() {
    return FPrompter.Message(TMessageKind::Warning, "Are you sure you want to delete all breakpoints?",
                             TMessageButtons::YesNo) == TMessageResult::Yes;
}

void TDebugger::ApplyBreakpointsDialog(const TBreakpointsDialogModel& Model) {
    FCodeBreakpoints.Assign(Model.Addresses(TBreakpointListKind::Code));
    FMemoryBreakpoints[0].Assign(Model.Addresses(TBreakpointListKind::Read));
    FMemoryBreakpoints[1].Assign(Model.Addresses(TBreakpointListKind::Write));
    FMemoryBreakpoints[2].Assign(Model.Addresses(TBreakpointListKind::Change));
    UpdatePanes(pnDisAsm | pnRAM, false, false, false);
    FView.RepaintList();
    MarkSessionModified();
}

void TDebugger::ReadMemoryHandler(void* Obj, T7bits RAMAddr, T4bits Value) {
    auto* Self = static_cast<TDebugger*>(Obj);
    Self->FMemoryBreakpointFieldValue = Value;
    if (Self->FMemoryBreakpoints[0].Contains(RAMAddr)) {
        Self->FTriggeredReadMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
}

void TDebugger::WriteMemoryHandler(void* Obj, T7bits RAMAddr, T4bits NewValue, T4bits PreviousValue) {
    auto* Self = static_cast<TDebugger*>(Obj);
    Self->FMemoryBreakpointFieldValue = NewValue;
    Self->FMemoryBreakpointPreviousFieldValue = PreviousValue;
    if (Self->FMemoryBreakpoints[1].Contains(RAMAddr)) {
        Self->FTriggeredWriteMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
    if (NewValue != PreviousValue && Self->FMemoryBreakpoints[2].Contains(RAMAddr)) {
        Self->FTriggeredChangeMemoryBreakpointAddress = RAMAddr;
        Self->FMemoryBreakpointTriggered = true;
    }
}

void TDebugger::ReportMemoryBreakpoint() {
    if (FTriggeredChangeMemoryBreakpointAddress != 0x7F) {
        SetRunType(rtNoEmulation,
                   Format("Paused on change memory breakpoint, RAM[0x%s]=%s, previous value: %s.",
                          Hex2(FTriggeredChangeMemoryBreakpointAddress).c_str(),
                          Hex1(FMemoryBreakpointFieldValue).c_str(),
                          Hex1(FMemoryBreakpointPreviousFieldValue).c_str()),
                   true);
    } else if (FTriggeredWriteMemoryBreakpointAddress != 0x7F) {
        SetRunType(rtNoEmulation,
                   Format("Paused on write memory breakpoint, RAM[0x%s]=%s.",
                          Hex2(FTriggeredWriteMemoryBreakpointAddress).c_str(),
                          Hex1(FMemoryBreakpointFieldValue).c_str()),
                   true);
    } else if (FTriggeredReadMemoryBreakpointAddress != 0x7F) {
        SetRunType(rtNoEmulation,
                   Format("Paused on read memory breakpoint, RAM address 0x%s.",
                          Hex2(FTriggeredReadMemoryBreakpointAddress).c_str()),
                   true);
    }
}

// ====================================================================================
// Panes
// ====================================================================================

const TPaneTexts& TDebugger::PaneTexts() {
    FlushLazyPaneTexts();
    return FPaneTexts;
}

void TDebugger::FlushLazyPaneTexts() {
    if (!FLazyPanes || !FMCU) {
        FLazyPanes = 0;
        return;
    }
    const TPanes Panes = FLazyPanes;
    FLazyPanes = 0;
    ComputePaneTexts(Panes, false);
    StorePreviousValues(Panes);
}

void TDebugger::StorePreviousValues(TPanes Panes) {
    if (!FMCU) return;
    const TSHARP_SM5A_MCU& m = *FMCU;
    if (Panes & pnRegisters) {
        FPrevAcc = m.Acc;
        FPrevDP = m.DP;
        FPrevT = m.T;
        FPrevMSB = m.MSB;
        FPrevPage = m.Page;
        FPrevPC = m.PC;
        FPrevA = m.A;
        FPrevCarry = m.Carry;
        FPrevOneSecond = m.OneSecond;
        FPrevR = m.IO.R;
        FPrevDPCell = m.RAM[AdjustDP(m.DP)];
    }
    if (Panes & pnRAM) FPrevRAM = m.RAM;
    if (Panes & pnLCDRegisters) {
        FPrevO = m.O;
        FPrevO_ = m.O_;
        FPrevTD = m.TD;
        FPrevLD0 = m.LD0;
    }
}

namespace {

// Texts are only formatted when the label is to be rewritten: during full runs most values
// stay the same between two refreshes.
template <class F> void SetValue(TValueText& v, bool Changed, bool OnlyChanged, F&& MakeTexts) {
    v.Changed = Changed;
    v.Rewrite = !OnlyChanged || Changed;
    if (v.Rewrite) MakeTexts(v);
}

void Nibble(TValueText& v, unsigned Value) {
    v.Value = NibbleText(Value);
    v.Bits = FourBitsText(Value);
}

void Flag(TValueText& v, bool Value) {
    v.Value = Value ? "1" : "0";
    v.Bits.clear();
}

std::string RHintFor(const TMCUClass& Class) {
    const TLabelingNumbers& n = Class.GetR_K_LabelingNumbers();
    return Format("%s (R%s,R%s,R%s,R%s)", "Output register", n[3], n[2], n[1], n[0]);
}

} // namespace

void TDebugger::ComputePaneTexts(TPanes Panes, bool OnlyChanged) {
    const TSHARP_SM5A_MCU& m = *FMCU;
    TPaneTexts& p = FPaneTexts;
    if (Panes & pnRegisters) {
        SetValue(p.Acc, m.Acc != FPrevAcc, OnlyChanged, [&](TValueText& v) { Nibble(v, m.Acc); });
        SetValue(p.DP, m.DP != FPrevDP, OnlyChanged, [&](TValueText& v) {
            v.Value = Hex2(m.DP);
            v.Bits = DPBitsText(m.DP);
        });
        const T7bits Cell = AdjustDP(m.DP);
        SetValue(p.DPCell, m.RAM[Cell] != FPrevDPCell, OnlyChanged, [&](TValueText& v) { Nibble(v, m.RAM[Cell]); });
        const bool Warning = !IsValidRAMAddress(m.DP & 0x7F);
        if (!OnlyChanged || Warning != p.DPWarningVisible || m.DP != FPrevDP) {
            p.DPWarningVisible = Warning;
            p.DPWarningHint = Warning ? Format("RAM address 0x%s is out of range. When referencing a memory cell, it "
                                               "is mapped to 0x%s.",
                                               Hex2(m.DP).c_str(), Hex2(Cell).c_str())
                                      : std::string("RAM address is out of range");
        }
        // The timer and the program counter change with nearly every step: never drawn red.
        SetValue(p.T, false, OnlyChanged && m.T == FPrevT, [&](TValueText& v) {
            v.Value = Format("%.4X", m.T & 0x3FFF);
            v.Bits = FourBitsText((m.T >> 10) & 0xF);
        });
        SetValue(p.T14, m.OneSecond != FPrevOneSecond, OnlyChanged, [&](TValueText& v) { Flag(v, m.OneSecond); });
        SetValue(p.MSB, m.MSB != FPrevMSB, OnlyChanged, [&](TValueText& v) { Flag(v, m.MSB != 0); });
        SetValue(p.Page, m.Page != FPrevPage, OnlyChanged, [&](TValueText& v) { Nibble(v, m.Page); });
        SetValue(p.PC, false, OnlyChanged && m.PC == FPrevPC, [&](TValueText& v) {
            v.Value = AddrToStr(m.PC);
            v.Bits = AddressBitsText(m.PC);
        });
        SetValue(p.A, m.A != FPrevA, OnlyChanged, [&](TValueText& v) {
            if (m.A == NoAddress) {
                v.Value = Options().UseBankPageStepAddressNotation ? "-:-:--" : "---";
                v.Bits.clear();
            } else {
                v.Value = AddrToStr(m.A);
                v.Bits = AddressBitsText(m.A);
            }
        });
        SetValue(p.Carry, m.Carry != FPrevCarry, OnlyChanged, [&](TValueText& v) { Flag(v, m.Carry); });
        SetValue(p.R, m.IO.R != FPrevR, OnlyChanged, [&](TValueText& v) { Nibble(v, m.IO.R); });
        if (!OnlyChanged || p.RHint.empty()) p.RHint = RHintFor(*FGameClass);
    }
    if (Panes & pnRAM) {
        const T7bits DPCell = AdjustDP(m.DP);
        for (int a = 0; a < RAMSize; ++a) {
            if (!IsValidRAMAddress(static_cast<T7bits>(a))) continue;
            const T4bits Value = m.RAM[size_t(a)];
            SetValue(p.RAM[size_t(a)], Value != FPrevRAM[size_t(a)], OnlyChanged, [&](TValueText& v) {
                v.Value = NibbleText(Value);
                v.Bits.clear();
            });
            p.RAMBackground[size_t(a)] = a == DPCell                                   ? TRAMCellBackground::DP
                                         : HasMemoryBreakpoint(static_cast<T7bits>(a)) ? TRAMCellBackground::Breakpoint
                                                                                       : TRAMCellBackground::Normal;
        }
    }
    if (Panes & pnLCDRegisters) {
        for (size_t i = 0; i < 9; ++i) {
            SetValue(p.O[i], m.O[i] != FPrevO[i], OnlyChanged, [&](TValueText& v) { Nibble(v, m.O[i]); });
            SetValue(p.O_[i], m.O_[i] != FPrevO_[i], OnlyChanged, [&](TValueText& v) { Nibble(v, m.O_[i]); });
        }
        SetValue(p.TD, m.TD != FPrevTD, OnlyChanged, [&](TValueText& v) { Flag(v, m.TD); });
        SetValue(p.LD0, m.LD0 != FPrevLD0, OnlyChanged, [&](TValueText& v) { Flag(v, m.LD0); });
    }
}

void TDebugger::ComputeNoGamePaneTexts() {
    TPaneTexts& p = FPaneTexts;
    auto Fixed = [](TValueText& v, std::string Value, std::string Bits) {
        v.Value = std::move(Value);
        v.Bits = std::move(Bits);
        v.Changed = false;
        v.Rewrite = true;
    };
    Fixed(p.Acc, "0", "0000");
    Fixed(p.DP, "00", "0 00 0000");
    Fixed(p.DPCell, "0", "0000");
    p.DPWarningVisible = false;
    p.DPWarningHint = "RAM address is out of range";
    Fixed(p.T, "0000", "0000");
    Fixed(p.T14, "1", "");
    Fixed(p.MSB, "0", "");
    Fixed(p.Page, "F", "1111");
    Fixed(p.PC, AddrToStr(0x3C0), AddressBitsText(0x3C0));
    Fixed(p.A, Options().UseBankPageStepAddressNotation ? "-:-:--" : "---", "");
    Fixed(p.Carry, "0", "");
    Fixed(p.R, "0", "0000");
    p.RHint = RHintFor(TSHARP_SM5A_MCU::Class);
    for (int a = 0; a < RAMSize; ++a) {
        Fixed(p.RAM[size_t(a)], "0", "");
        p.RAMBackground[size_t(a)] = a == 0 ? TRAMCellBackground::DP : TRAMCellBackground::Normal;
    }
    for (size_t i = 0; i < 9; ++i) {
        Fixed(p.O[i], "0", "0000");
        Fixed(p.O_[i], "0", "0000");
    }
    Fixed(p.TD, "0", "");
    Fixed(p.LD0, "0", "");
}

int TDebugger::ValueRAMAddress(TValueId Id) const {
    switch (Id.Kind) {
    case TValueKind::RAMCell: return Id.Index & 0x7F;
    case TValueKind::DP:
    case TValueKind::DPCell: return FMCU ? FMCU->DP : 0;
    default: return -1;
    }
}

bool TDebugger::HasEditAction(TValueId Id) const {
    switch (Id.Kind) {
    case TValueKind::T14:
    case TValueKind::RawInput: return false;
    case TValueKind::RAMCell: return IsValidRAMAddress(static_cast<T7bits>(Id.Index & 0x7F)) && Id.Index < RAMSize;
    case TValueKind::O:
    case TValueKind::O_: return Id.Index >= 0 && Id.Index < 9;
    default: return true;
    }
}

bool TDebugger::EditValue(TValueId Id) {
    if (!FMCU || !HasEditAction(Id)) return false;
    TSHARP_SM5A_MCU& m = *FMCU;
    auto Ask = [&](const std::string& Caption, uint32_t Current, uint32_t Max, uint32_t& Out) {
        Out = Current;
        return GetInteger(FPrompter, Caption, Out, Max, 0);
    };
    uint32_t v = 0;
    TPanes Panes = pnRegisters;
    bool FollowPC = false;
    switch (Id.Kind) {
    case TValueKind::Acc:
        if (!Ask("Acc", m.Acc, 0xF, v)) return false;
        m.Acc = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::DP:
        if (!Ask("DP", m.DP, 0x7F, v)) return false;
        m.DP = static_cast<T7bits>(v & 0x7F);
        Panes |= pnRAM; // the DP cell's background moves
        break;
    case TValueKind::DPCell: {
        const T7bits Cell = AdjustDP(m.DP);
        if (!Ask("(DP)", m.RAM[Cell], 0xF, v)) return false;
        m.RAM[Cell] = static_cast<T4bits>(v & 0xF);
        Panes |= pnRAM;
        break;
    }
    case TValueKind::T:
        if (!Ask("T", m.T, 0x3FFF, v)) return false;
        m.T = static_cast<T14bits>(v & 0x3FFF);
        break;
    case TValueKind::MSB:
        if (!Ask("MSB", m.MSB, 1, v)) return false;
        m.MSB = static_cast<T1bit>(v & 1);
        break;
    case TValueKind::Page:
        if (!Ask("Page", m.Page, 0xF, v)) return false;
        m.Page = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::PC: {
        T11bits a = m.PC;
        if (!GetAddress(FPrompter, "PC", a, LastROMAddress)) return false;
        m.PC = static_cast<T11bits>(a & 0x7FF);
        Panes |= pnDisAsm;
        FollowPC = true;
        break;
    }
    case TValueKind::A: {
        T11bits a = m.A;
        if (!GetAddress(FPrompter, "A", a, NoAddress)) return false;
        a &= 0x7FF;
        m.A = a >= 0x740 ? NoAddress : a;
        break;
    }
    case TValueKind::Carry:
        if (!Ask("Carry", m.Carry ? 1 : 0, 1, v)) return false;
        m.Carry = (v & 1) != 0;
        break;
    case TValueKind::R:
        if (!Ask("R", m.IO.R, 0xF, v)) return false;
        m.IO.R = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::RAMCell: {
        const size_t a = size_t(Id.Index);
        if (!Ask("RAM[" + Hex2(static_cast<unsigned>(a)) + "]", m.RAM[a], 0xF, v)) return false;
        m.RAM[a] = static_cast<T4bits>(v & 0xF);
        Panes = pnDisAsm | pnRAM | pnRegisters; // (DP) may show this cell
        break;
    }
    case TValueKind::O:
    case TValueKind::O_: {
        const size_t i = size_t(Id.Index);
        TORegister& Reg = Id.Kind == TValueKind::O ? m.O : m.O_;
        const std::string Caption = std::string(Id.Kind == TValueKind::O ? "O" : "O'") + std::to_string(i);
        if (!Ask(Caption, Reg[i], 0xF, v)) return false;
        Reg[i] = static_cast<T4bits>(v & 0xF);
        if (m.LCDDriver) {
            try {
                m.LCDDriver->OnInstruction(m.O, m.O_, true, false);
            } catch (const std::exception& e) {
                FPrompter.Error(e.what());
            }
        }
        Panes = pnLCDRegisters;
        break;
    }
    case TValueKind::TD:
        if (!Ask("TD", m.TD ? 1 : 0, 1, v)) return false;
        m.TD = (v & 1) != 0;
        Panes = pnLCDRegisters;
        break;
    case TValueKind::LD0:
        if (!Ask("LD0", m.LD0 ? 1 : 0, 1, v)) return false;
        m.LD0 = (v & 1) != 0;
        Panes = pnLCDRegisters;
        break;
    default:
        return false;
    }
    MarkSessionModified();
    UpdatePanes(Panes, false, false, FollowPC);
    if (Id.Kind == TValueKind::RAMCell) UpdateHintLabel();
    SendStates();
    return true;
}

TValuePopupStates TDebugger::ValuePopupStates(TValueId Id) const {
    TValuePopupStates s;
    const bool Game = FMCU != nullptr;
    s.ChangeValueVisible = HasEditAction(Id);
    s.ChangeValueEnabled = s.ChangeValueVisible && Game;
    if (Id.Kind == TValueKind::PC || Id.Kind == TValueKind::A) {
        s.FollowVisible = true;
        const T11bits Value = Game ? (Id.Kind == TValueKind::PC ? FMCU->PC : FMCU->A) : NoAddress;
        s.FollowEnabled = !IsAnimatedRun() && Value != NoAddress;
    }
    const int Addr = ValueRAMAddress(Id);
    if (Addr >= 0) {
        for (size_t k = 0; k < 3; ++k) {
            const bool Has = FMemoryBreakpoints[k].Contains(static_cast<uint16_t>(Addr));
            s.SetVisible[k] = !Has;
            s.SetEnabled[k] = Game && Addr != 0x7F;
            s.RemoveVisible[k] = Has;
        }
    }
    if (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_)
        s.Show7SegmentVisible = !Game || FMCU->IsOIndexEncodingADigit(static_cast<TOIndex>(Id.Index));
    if (Id.Kind == TValueKind::TD || Id.Kind == TValueKind::LD0) s.Show7SegmentVisible = true;
    if (Game && (Id.Kind == TValueKind::R ||
                 (Id.Kind == TValueKind::RawInput && Id.Index != rbACL)))
        s.ShowMCUPinsVisible = true;
    s.ShowInterconnectionVisible = Game && (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_);
    return s;
}

void TDebugger::FollowValue(TValueId Id) {
    if (!FMCU || IsAnimatedRun()) return;
    T11bits Value = NoAddress;
    if (Id.Kind == TValueKind::PC) Value = FMCU->PC;
    else if (Id.Kind == TValueKind::A) Value = FMCU->A;
    if (Value == NoAddress || Value > LastROMAddress) return;
    T11bits Sel = NoAddress;
    GetSelectedAddr(Sel);
    if (Value != Sel) {
        FPreviousSelectedAddr = Sel;
        GoToAddr(Value);
    }
    FView.FocusList();
}

void TDebugger::ShowSevenSegmentCodingTableForValue(TValueId Id) {
    const bool TD0IsCOM1 = FMCU ? FMCU->TD0IsCOM1 : true;
    if (FMCU && (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_) && Id.Index >= 0 && Id.Index < 9)
        FView.ShowSevenSegmentCodingTable(FMCU->O[size_t(Id.Index)], FMCU->O_[size_t(Id.Index)], TD0IsCOM1, -1);
    else
        FView.ShowSevenSegmentCodingTable(-1, -1, TD0IsCOM1, -1);
}

void TDebugger::DigitLabelClicked(TOIndex Index) {
    if (Index > 8) return;
    UpdatePanes(pnLCDRegisters, false, false, false);
    if (FMCU) FView.ShowSevenSegmentCodingTable(FMCU->O[Index], FMCU->O_[Index], FMCU->TD0IsCOM1, -1);
    else FView.ShowSevenSegmentCodingTable(0, 0, true, -1);
}

void TDebugger::SetCurrentTime() {
    if (!FMCU || FGameClass->IsCustomGame() || FResetting) return;
    try {
        FMCU->SetCurrentTime();
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return;
    }
    MarkSessionModified();
    UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, false, false, false);
}

// ====================================================================================
// Game specific menu
// ====================================================================================

void TDebugger::ShowCheats() {
    if (!FMCU) return;
    const std::string Text = FGameClass->GetCheatsText();
    if (!Text.empty()) FPrompter.Information(Text);
}

void TDebugger::ToggleSoundRecording() {
    if (!FMCU) return;
    if (!FSoundRecording) {
        FMCU->StartSoundRecording();
        FSoundRecording = true;
        MarkSessionModified();
    } else {
        const bool Anything = FMCU->AudioBufferPos() > 0;
        if (Anything) {
            TFileDialog Dialog;
            Dialog.Title = "Specify file name for recorded sound";
            Dialog.DefaultExt = "wav";
            Dialog.Filter = "Wave files (*.wav)|*.wav|All files (*.*)|*.*";
            Dialog.OverwritePrompt = true;
            std::string FileName;
            if (FPrompter.SaveFile(Dialog, FileName)) {
                try {
                    FMCU->SaveSoundRecording(FileName);
                } catch (const std::exception& e) {
                    // The recording stays on, so the sound is not lost with the failed file.
                    FPrompter.Error(e.what());
                    return;
                }
            }
        }
        FMCU->StopSoundRecording();
        FSoundRecording = false;
        if (Anything) MarkSessionModified();
    }
    SendStates();
}

// ====================================================================================
// Raw input
// ====================================================================================

void TDebugger::ReadRawInputButtons(TRawButton HandledButton) {
    if (FResetting || !FMCU) return;
    const uint8_t Opcode = FMCU->GetCurrentOpcode();
    const bool InputOpcode = IsInputOpcode(Opcode);
    if (!(IsStopped() || InputOpcode || FMCU->HaltMode)) return;
    // During a run this is asked before every instruction that can see the inputs: the
    // buttons' view of the matrix is kept and recomputed only when a button changes.
    if (HandledButton != rbNone || FButtonInputsStale) {
        auto Down = [&](int b) {
            const TRawButtonState& s = FRawButtons[size_t(b)];
            return s.Pressed || s.Latched || b == HandledButton;
        };
        TButtonInputs In;
        for (int Row = 0; Row < 4; ++Row)
            for (int k = 0; k < 4; ++k)
                if (Down(Row * 4 + k)) In.Matrix[size_t(Row)] |= static_cast<T4bits>(8 >> k);
        In.Alpha = Down(rbAlpha);
        In.Beta = Down(rbBeta);
        if (HandledButton == rbNone) {
            FButtonInputs = In;
            FButtonInputsStale = false;
        }
        ApplyButtonInputs(In);
    } else {
        ApplyButtonInputs(FButtonInputs);
    }
    MarkSessionModified();
    if (IsStopped() && InputOpcode) UpdateHintLabel();
}

void TDebugger::ApplyButtonInputs(const TButtonInputs& In) {
    TInputOutput& IO = FMCU->IO;
    IO.FInputMatrix = In.Matrix;
    if (IO.AlphaBeingQueried) IO.FAlpha = In.Alpha;
    if (IO.BetaBeingQueried) IO.FBeta = In.Beta;
}

void TDebugger::RefreshRawInputButtons() {
    if (!FMCU) {
        for (auto& b : FRawButtons) b = TRawButtonState{};
        FButtonInputsStale = true;
        return;
    }
    const TInputOutput& IO = FMCU->IO;
    for (int Row = 0; Row < 4; ++Row)
        for (int k = 0; k < 4; ++k)
            FRawButtons[size_t(Row * 4 + k)].Latched = (IO.FInputMatrix[size_t(Row)] & (8 >> k)) != 0;
    FRawButtons[rbAlpha].Latched = IO.FAlpha;
    FRawButtons[rbBeta].Latched = IO.FBeta;
    FButtonInputsStale = true;
}

void TDebugger::RawButtonMouseDown(TRawButton Button) {
    if (Button >= rbCount) return;
    FRawButtons[Button].Pressed = true;
    FButtonInputsStale = true;
    if (IsStopped()) ReadRawInputButtons(Button);
}

void TDebugger::RawButtonClick(TRawButton Button) {
    if (Button >= rbCount) return;
    if (IsStopped()) ReadRawInputButtons(rbNone);
}

void TDebugger::RawButtonMouseUp(TRawButton Button, bool lCtrlOnly, bool lInside, bool lGameControl) {
    if (Button >= rbCount) return;
    TRawButtonState& s = FRawButtons[Button];
    s.Pressed = false;
    if (s.Latched) s.Latched = false;
    else if (lCtrlOnly && lInside) s.Latched = true;
    FButtonInputsStale = true;
    if (IsStopped() && !lGameControl) ReadRawInputButtons(rbNone);
}

void TDebugger::SetRawButtonPressed(TRawButton Button, bool Pressed) {
    if (Button >= rbCount) return;
    FRawButtons[Button].Pressed = Pressed;
    FButtonInputsStale = true;
}

void TDebugger::ResetButtonClick() {
    if (!FMCU) return;
    if (FPrompter.Message(TMessageKind::Warning, "Are you sure you want to reset the game?", TMessageButtons::YesNo) ==
        TMessageResult::Yes)
        MCUReset();
}

void TDebugger::SetRadiationIntensity(int Position) {
    FRadiationIntensity = std::clamp(Position, 0, 3);
}

void TDebugger::SetDosimeterInput(T4bits Value) {
    T4bits& Nibble = FMCU->IO.FInputMatrix[gndR2];
    const T4bits New = Value & 0xF;
    if (New == Nibble) return;
    Nibble = New;
    UpdatePanes(pnRawInput, false, false, false);
}

void TDebugger::SimulateRadiation() {
    if (!FIsDosimeterGame || FResetting) return;
    if (FDosimeterModeActive) {
        const uint32_t Tick = SystemTickSource().GetTickCount();
        const T14bits T = FMCU->T;
        bool Pulse = false;
        switch (FRadiationIntensity) {
        case 1: Pulse = (T & 0x1FFF) == 0 && Tick % 3 == 0; break;
        case 2: Pulse = (T & 0x3FF) == 0 && Tick % 2 == 0; break;
        case 3: Pulse = (T & 0x7FF) == 0; break;
        default: break;
        }
        if (!Pulse) return;
        if (FRadiationIntensity == 3) SetDosimeterInput(static_cast<T4bits>(RandomInt(0, 15)));
        else
            SetDosimeterInput(static_cast<T4bits>((FMCU->IO.FInputMatrix[gndR2] + RandomInt(0, FRadiationIntensity)) & 0xF));
    } else if (FMCU->IO.FInputMatrix[gndR2] != 0) {
        SetDosimeterInput(0);
    }
}

void TDebugger::UpdateDosimeterMode() {
    if (!FIsDosimeterGame || FResetting) return;
    const bool R1 = (FMCU->IO.R & 2) != 0;
    if (!FDosimeterModeActive && !R1) {
        FDosimeterModeActive = true;
        if (FRadiationIntensity != 0) SetDosimeterInput(static_cast<T4bits>(RandomInt(1, 15)));
    } else if (FDosimeterModeActive && R1) {
        FDosimeterModeActive = false;
        SetDosimeterInput(0);
    }
}

} // namespace tarvolin
