#include "debugger/run_control.h"

#include <algorithm>
#include <exception>

#include "base/text_format.h"
#include "base/translate.h"

namespace tarvolin {

const std::array<TSpeedFactor, 7> SpeedFactors = {{
    {4096, "25%"},
    {8192, "50%"},
    {12288, "75%"},
    {16384, "100%"},
    {32768, "200%"},
    {65536, "400%"},
    {0, TR_NOOP("RunControl", "(full emulation speed)")},
}};

std::string SpeedFactorText(int Position) {
    if (Position < 0 || Position >= static_cast<int>(SpeedFactors.size())) return {};
    // The percentages are numbers; only the words are translated.
    const char* Text = SpeedFactors[size_t(Position)].Text;
    return SpeedFactors[size_t(Position)].CyclesPerSecond ? std::string(Text) : Tr("RunControl", Text);
}

namespace {

constexpr bool IsReturnInstruction(uint8_t Opcode) { return Opcode == 0x6E || Opcode == 0x6F; }

} // namespace

TRunControl::TRunControl(TLoadedGame& Game, TWindowView& Window, TListView& List, TPrompter& Prompter,
                         TBreakpointControl& Breakpoints, TInputControl& Input, TLCDPictureControl& LCD,
                         TSessionControl& Session, TPaneRefresh& Panes, TListNavigator& Navigator, TStateSink& States,
                         TReverseControl& Reverse)
    : FGame(Game), FWindow(Window), FList(List), FPrompter(Prompter), FBreakpoints(Breakpoints), FInput(Input),
      FLCD(LCD), FSession(Session), FPanes(Panes), FNavigator(Navigator), FStates(States), FReverse(Reverse) {}

void TRunControl::SetStatus(const std::string& Text, TStatusColour Colour) {
    FStatusText = Text;
    FStatusColour = Colour;
    FWindow.SetStatus(Text, Colour);
}

// ---- run type ----

void TRunControl::SetRunType(TRunType RunType, const std::string& StatusText, bool Highlight) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU && IsPCShown() && RunType != rtUnattendedRunUntilReturn && RunType != rtUnattendedRun)
        FNavigator.SelectRowOf(MCU->PC);
    if (RunType == FRunType) return;

    const bool OldStopped = IsStopped();
    const bool OldFullRun = IsFullRun();
    FRunType = RunType;

    if (IsStopped()) FBreakpoints.ClearTempCodeBreakpoints();
    if (MCU) {
        MCU->SetFullRun(IsFullRun());
        if (IsStopped()) {
            FLCD.RunStopped();
            if (OldFullRun) {
                FPanes.FullRunEnded();
                FPanes.UpdatePanes(AllPanes, false, false, true);
                FList.FocusList();
            }
        } else if (IsFullRun() && OldStopped) {
            FPanes.UpdatePanes(AllPanes, false, false, false);
            FPanes.FullRunStarted();
            FList.RepaintList();
            FLCD.FullRunStarted();
        }
    }

    if (IsAnimatedRun() || IsFullRun()) {
        SetStatus(Tr("RunControl", "Running..."), TStatusColour::Running);
    } else {
        const TStatusColour Colour = Highlight ? TStatusColour::Highlight : TStatusColour::Normal;
        SetStatus(FRunType == rtTraceInto ? Tr("RunControl", "Ready.") : StatusText, Colour);
    }
    FStates.StatesChanged();
    FPanes.UpdateHintLabel();
}

// ---- one step ----

void TRunControl::StopOnEmulatorError(const std::exception& Error, bool EntryFullRun) {
    SetRunType(rtNoEmulation, Format(Tr("RunControl", "Paused on emulator exception: %s").c_str(), Error.what()), true);
    // The instruction may have moved PC or changed registers before it failed: show that
    // state (a stop from a full run has already redrawn everything).
    if (!EntryFullRun) FPanes.UpdatePanes(AllPanes, true, false, true);
    FList.FocusList();
    FPrompter.Error(Error.what());
}

void TRunControl::FinishStep(uint8_t Opcode, uint8_t Operand, bool WasInSubroutine, bool EntryFullRun) {
    FSession.MarkSessionModified();
    if (FInput.IsDosimeterGame()) FInput.UpdateDosimeterMode();
    if (FBreakpoints.MemoryBreakpointTriggered()) {
        const std::string Text = FBreakpoints.MemoryBreakpointStopText();
        if (!Text.empty()) SetRunType(rtNoEmulation, Text, true);
    }
    switch (FRunType) {
    case rtStepOver:
        if (WasInSubroutine || !IsCallInstruction(Opcode, Operand)) SetRunType(rtTraceInto);
        else SetRunType(rtSteppingOver);
        break;
    case rtSteppingOver:
        if (IsReturnInstruction(Opcode)) SetRunType(rtNoEmulation, Tr("RunControl", "Ready."), false);
        break;
    case rtUnattendedRunUntilReturn:
        if (IsReturnInstruction(Opcode))
            SetRunType(rtNoEmulation, Tr("RunControl", "Paused on return from subroutine."), false);
        break;
    default:
        break;
    }
    // Run until return follows A while stopped.
    if (IsStopped()) FStates.StatesChanged();
    if (IsStopped() || IsAnimatedRun()) {
        if (!EntryFullRun) FPanes.UpdatePanes(AllPanes, true, false, true);
        if (!IsAnimatedRun()) FList.FocusList();
    }
}

void TRunControl::ExecuteStep(bool CheckBreakpoints) {
    const bool EntryFullRun = IsFullRun();
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU) {
        if (CheckBreakpoints && (IsAnimatedRun() || IsFullRun())) {
            const uint8_t Flags = FBreakpoints.CodeFlags(MCU->PC);
            if (Flags & TBreakpointControl::CodeFlag)
                SetRunType(rtNoEmulation, Tr("RunControl", "Paused on breakpoint."), true);
            else if (Flags & TBreakpointControl::TempFlag)
                SetRunType(rtNoEmulation, Tr("RunControl", "Paused on run-to-cursor."), true);
        }
        if (FRunType != rtNoEmulation) {
            const bool WasInSubroutine = MCU->A != NoAddress;
            FBreakpoints.BeginStep();
            if (FInput.IsDosimeterGame() && (IsAnimatedRun() || IsFullRun())) FInput.SimulateRadiation();
            FReverse.BeforeSteps();
            // A halted cycle reports nothing: it counts as opcode 0.
            TStepResult Step;
            try {
                Step.Executed = MCU->PerformOneCycle(Step.Opcode, Step.Operand);
            } catch (const std::exception& e) {
                Step.Failed = true;
                Step.Error = e.what();
                FReverse.StepDone(Step);
                StopOnEmulatorError(e, EntryFullRun);
                return;
            }
            FReverse.StepDone(Step);
            FinishStep(Step.Opcode, Step.Operand, WasInSubroutine, EntryFullRun);
            return;
        }
        if (IsStopped()) FStates.StatesChanged();
    }
    if (IsStopped() || IsAnimatedRun()) {
        if (!EntryFullRun) FPanes.UpdatePanes(AllPanes, true, false, true);
        if (!IsAnimatedRun()) FList.FocusList();
    }
}

// ---- the idle loop ----

uint32_t TRunControl::RunFullSpeedStretch(uint32_t MaxInstructions) {
    // Stepping over a call decides after its first instruction, and the dosimeter's simulator
    // works around every instruction: those take the whole step.
    // So does every step of a trace log.
    if (FRunType == rtStepOver || FInput.IsDosimeterGame() || FReverse.WantsWholeSteps()) return 0;
    FReverse.BeforeSteps();
    uint32_t Recorded = 0; // steps already reported to the history
    // The step at which the history wants its next snapshot (never reached without history).
    uint64_t Report = FReverse.StretchLimit(UINT32_MAX);
    TSHARP_SM5A_MCU& m = *FGame.MCU;
    const bool StopOnReturn = FRunType != rtUnattendedRun;
    // Nothing in a stretch adds or removes breakpoints, and the callbacks of memory breakpoints
    // are installed only while one exists: what the loop tests is read once.
    const uint8_t* const CodeFlags = FBreakpoints.CodeFlagTable();
    const bool WatchesMemory = FBreakpoints.WatchesMemory();
    bool InputsApplied = FInput.InputsApplied();
    uint32_t n = 0;
    bool Marked = false; // every step marks the session modified; once is enough in a stretch
    while (n < MaxInstructions) {
        // A breakpoint here stops the run: the whole step handles it.
        if (CodeFlags[m.PC & 0x7FF]) break;
        // The buttons reach the input matrix before the first instruction that can see them;
        // until a button changes, sampling them again would write the same values.
        if (!InputsApplied && (IsInputOpcode(m.GetCurrentOpcode()) || m.HaltMode)) {
            FReverse.AfterSteps(n - Recorded);
            Recorded = n;
            FInput.ReadRawInputButtons(rbNone);
            InputsApplied = FInput.InputsApplied();
            FReverse.BeforeSteps(); // a changed button is kept with the step it arrived at
            Report = uint64_t(n) + FReverse.StretchLimit(UINT32_MAX);
        }
        if (WatchesMemory) FBreakpoints.BeginStep();
        uint8_t Opcode = 0, Operand = 0;
        try {
            m.PerformOneCycle(Opcode, Operand);
        } catch (const std::exception& e) {
            FReverse.AfterSteps(n + 1 - Recorded);
            StopOnEmulatorError(e, true);
            return n + 1;
        }
        ++n;
        if (!Marked) [[unlikely]] {
            FSession.MarkSessionModified();
            Marked = true;
        }
        if ((WatchesMemory && FBreakpoints.MemoryBreakpointTriggered()) ||
            (StopOnReturn && IsReturnInstruction(Opcode))) [[unlikely]] {
            FinishStep(Opcode, Operand, false, true);
            if (IsStopped()) {
                FReverse.AfterSteps(n - Recorded);
                return n;
            }
        }
        if ((m.T & 0xFF) == 0) [[unlikely]]
            FPanes.UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, true, false, false);
        if (n == Report) [[unlikely]] {
            FReverse.AfterSteps(n - Recorded);
            Recorded = n;
            Report = uint64_t(n) + FReverse.StretchLimit(UINT32_MAX);
        }
    }
    FReverse.AfterSteps(n - Recorded);
    return n;
}

bool TRunControl::RunSlice(uint32_t MaxInstructions) {
    if (IsStopped() || FRunType > rtUnattendedRun) return false;
    FInput.BeginSlice();
    uint32_t Done = 0;
    while (Done < MaxInstructions) {
        if (IsFullRun() && FGame.IsLoaded()) {
            Done += RunFullSpeedStretch(MaxInstructions - Done);
            if (IsStopped() || Done >= MaxInstructions) break;
        }
        // The whole step, for whatever the stretch left to it.
        TSHARP_SM5A_MCU* MCU = FGame.Get();
        // The buttons are sampled only where the program can see them.
        if (MCU && (IsInputOpcode(MCU->GetCurrentOpcode()) || MCU->HaltMode)) FInput.ReadRawInputButtons(rbNone);
        ExecuteStep(true);
        ++Done;
        if (IsFullRun() && MCU && (MCU->T & 0xFF) == 0)
            FPanes.UpdatePanes(pnRegisters | pnRAM | pnLCDRegisters, true, false, false);
        if (IsStopped()) break;
        // An animated run has redrawn its panes after the instruction: let the window paint.
        if (IsAnimatedRun()) break;
    }
    return !IsStopped();
}

// ---- reset ----

void TRunControl::ResetMCU() {
    SetStatus(Tr("RunControl", "Resetting..."), TStatusColour::Normal);
    FResetting = true;
    std::string Error;
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    try {
        if (MCU) {
            MCU->Reset();
            SetSpeedFactor(FSpeedFactor);
            FPanes.TakeValuesAsShown();
        }
        FPreResetRunType = FRunType <= rtUnattendedRun ? static_cast<TRunType>(FRunType) : rtNoEmulation;
        FRunType = 0xFF;
        SetRunType(rtNoEmulation, Tr("RunControl", "Resetting..."), false);
        FNavigator.ForgetHistory();
        FReverse.RestartHistory();
        FPanes.UpdatePanes(AllPanes, false, true, MCU != nullptr);
    } catch (const std::exception& e) {
        Error = e.what();
    }
    if (FRunType > rtUnattendedRun) FRunType = rtNoEmulation;
    FResetting = false;
    SetStatus(Tr("RunControl", "Ready."), FStatusColour);
    FStates.StatesChanged();
    if (FNavigator.HasRows()) FList.FocusList();
    if (!Error.empty()) FPrompter.Error(Error);
}

// ---- commands ----

void TRunControl::StartRun(TRunType RunType) {
    SetRunType(RunType);
    ExecuteStep(false);
}

void TRunControl::TraceInto() {
    if (!IsStopped() || !FGame.IsLoaded()) return;
    StartRun(rtTraceInto);
}

void TRunControl::StepOver() {
    if (!IsStopped() || !FGame.IsLoaded()) return;
    uint8_t Opcode = 0, Operand = 0;
    FGame.MCU->GetCurrentOpcodeExt(Opcode, Operand);
    StartRun(FGame.MCU->A == NoAddress && IsCallInstruction(Opcode, Operand) ? rtStepOver : rtTraceInto);
}

void TRunControl::RunUntilReturn() {
    if (!IsStopped() || !FGame.IsLoaded() || FGame.MCU->A == NoAddress) return;
    StartRun(rtUnattendedRunUntilReturn);
}

void TRunControl::AnimatedRun() {
    if (!IsStopped() || !FGame.IsLoaded()) return;
    StartRun(rtAnimatedRun);
}

void TRunControl::UnattendedRun() {
    if (!IsStopped() || !FGame.IsLoaded()) return;
    StartRun(rtUnattendedRun);
}

void TRunControl::Pause() {
    if (!(IsAnimatedRun() || IsFullRun())) return;
    SetRunType(rtNoEmulation, Tr("RunControl", "Paused by user."), false);
}

void TRunControl::Refresh() {
    if (!IsFullRun()) return;
    FPanes.UpdatePanes(AllPanes, true, true, true);
}

void TRunControl::MCUReset() {
    if (!FGame.IsLoaded()) return;
    ResetMCU();
    FSession.MarkSessionModified();
    // A reset during an unattended run starts it again.
    if (FPreResetRunType == rtUnattendedRun && IsStopped() && FGame.IsLoaded()) UnattendedRun();
}

// ---- speed and update boxes ----

void TRunControl::SetSpeedFactor(int Position) {
    Position = std::clamp(Position, 0, static_cast<int>(SpeedFactors.size()) - 1);
    FSpeedFactor = Position;
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) {
        MCU->SetFullRunCyclesPerSecond(SpeedFactors[size_t(Position)].CyclesPerSecond);
        if (!FResetting && !FSession.IsLoadingDebugSession()) FSession.MarkSessionModified();
    }
    FStates.StatesChanged();
    FPanes.UpdateHintLabel();
}

void TRunControl::SetUpdateCheckBox(TPane Pane, bool Checked) {
    switch (Pane) {
    case pnDisAsm: FUpdateDisAsm = Checked; break;
    case pnRegisters: FUpdateRegisters = Checked; break;
    case pnRAM: FUpdateRAM = Checked; break;
    case pnLCDRegisters: FUpdateLCDRegisters = Checked; break;
    default: return;
    }
    FStates.StatesChanged();
}

void TRunControl::GameInstalled() {
    FSpeedFactor = DefaultSpeedFactor;
    FGame.MCU->SetFullRunCyclesPerSecond(SpeedFactors[DefaultSpeedFactor].CyclesPerSecond);
    FRunType = rtNoEmulation;
    FPreResetRunType = rtNoEmulation;
    FUpdateDisAsm = FUpdateRegisters = FUpdateRAM = FUpdateLCDRegisters = true;
}

} // namespace tarvolin
