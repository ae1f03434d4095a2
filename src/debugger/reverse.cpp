#include "debugger/reverse.h"

#include <algorithm>
#include <exception>

#include "base/options.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "disasm/disasm.h"
#include "persist/settings.h"

namespace tarvolin {

TReverseControl::TReverseControl(TLoadedGame& Game, const TRunState& Run, TWindowView& Window, TListView& List,
                                 TPrompter& Prompter, TBreakpointControl& Breakpoints, TPaneRefresh& Panes,
                                 TSessionControl& Session, TStateSink& States, TSettings& Settings)
    : FGame(Game), FRun(Run), FWindow(Window), FList(List), FPrompter(Prompter), FBreakpoints(Breakpoints),
      FPanes(Panes), FSession(Session), FStates(States), FSettings(Settings),
      FHistory(size_t(Options().HistoryLimitMB) << 20) {}

// A log still open when the window ends is completed: the steps it holds are the user's.
TReverseControl::~TReverseControl() {
    try {
        if (FTraceLog) {
            FTraceLog->Append(FTraceBuffer);
            FTraceLog->Commit();
        }
    } catch (const std::exception&) {
        // The temporary file is removed; nothing else can be done while the window closes.
    }
}

void TReverseControl::ApplyTracking() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) {
        MCU->SetTrackCoverage(Options().TrackCoverage);
        MCU->SetTrackWrites(Options().TrackCoverage);
    }
}

void TReverseControl::RestartHistory() {
    ApplyTracking();
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    FRecording = MCU && Options().KeepHistory;
    if (FRecording) {
        FHistory.SetLimitBytes(size_t(Options().HistoryLimitMB) << 20);
        FHistory.Start(*MCU);
    } else {
        FHistory.Clear();
    }
    if (!MCU) EndTraceLog();
    FStates.StatesChanged();
}

void TReverseControl::StepDone(const TStepResult& Step) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU) return;
    if (FRecording) FHistory.AfterSteps(*MCU, 1);
    if (!FTraceLog) return;
    FTraceBuffer += FormatTraceLine(++FTraceLines, *MCU, Step);
    if (FTraceBuffer.size() < (1u << 20)) return;
    try {
        FTraceLog->Append(FTraceBuffer);
        FTraceBuffer.clear();
    } catch (const std::exception& e) {
        FTraceLog.reset(); // the temporary file goes; an older file of that name stays
        FTraceBuffer.clear();
        FStates.StatesChanged();
        FPrompter.Error(e.what());
    }
}

// ---- stepping back ----

TSHARP_SM5A_MCU* TReverseControl::SteppingMCU() const {
    return FRecording && FRun.IsStopped() && FGame.IsLoaded() && FHistory.CanStepBack() ? FGame.Get() : nullptr;
}

bool TReverseControl::CanStepBack() const { return SteppingMCU() != nullptr; }

void TReverseControl::Arrived(const std::string& Status) {
    FBreakpoints.BeginStep(); // the hits seen on the way are not this state's
    FSession.MarkSessionModified();
    FWindow.SetStatus(Status, TStatusColour::Normal);
    FPanes.UpdatePanes(AllPanes, true, false, true);
    FList.FocusList();
    FStates.StatesChanged();
}

namespace {

std::string StepStatus(const TMachineHistory& History) {
    return Format(Tr("Reverse", "Stepped back: %s step(s) before the newest state.").c_str(),
                  std::to_string(History.EndStep() - History.CurrentStep()).c_str());
}

} // namespace

void TReverseControl::StepBack() {
    TSHARP_SM5A_MCU* MCU = SteppingMCU();
    if (!MCU) return;
    FHistory.GoTo(*MCU, FHistory.CurrentStep() - 1);
    Arrived(StepStatus(FHistory));
}

// Back over a whole subroutine: when the step back lands inside one the machine had left,
// the way goes on to the state before its call.
void TReverseControl::StepBackOver() {
    TSHARP_SM5A_MCU* MCU = SteppingMCU();
    if (!MCU) return;
    const bool WasInSubroutine = MCU->InSubroutine();
    FHistory.GoTo(*MCU, FHistory.CurrentStep() - 1);
    if (!WasInSubroutine && MCU->InSubroutine() && FHistory.CanStepBack())
        FHistory.FindLast(*MCU, [MCU](uint64_t, const TStepResult&) { return !MCU->InSubroutine(); });
    Arrived(StepStatus(FHistory));
}

// Back to the latest state at which a forward run would have paused on a breakpoint: PC on a
// code breakpoint, or a step that touched a watched RAM cell.
void TReverseControl::RunBackwards() {
    TSHARP_SM5A_MCU* MCU = SteppingMCU();
    if (!MCU) return;
    const uint8_t* Flags = FBreakpoints.CodeFlagTable();
    const bool Memory = FBreakpoints.WatchesMemory();
    FBreakpoints.BeginStep();
    const int64_t Found = FHistory.FindLast(*MCU, [&](uint64_t, const TStepResult&) {
        const bool Hit = (Flags[MCU->PC & 0x7FF] & TBreakpointControl::CodeFlag) ||
                         (Memory && FBreakpoints.MemoryBreakpointTriggered());
        FBreakpoints.BeginStep();
        return Hit;
    });
    Arrived(Found >= 0 ? Tr("Reverse", "Paused on the previous breakpoint hit.")
                       : Tr("Reverse", "No breakpoint hit in the history: at its oldest state."));
}

// ---- options ----

bool TReverseControl::SaveSettings() {
    if (FSettings.SaveSettings()) return true;
    FPrompter.Error(Tr("Options", "Unable to save the settings."));
    return false;
}

bool TReverseControl::KeepHistory() const { return Options().KeepHistory; }

void TReverseControl::SetKeepHistory(bool On) {
    if (Options().KeepHistory == On) return;
    Options().KeepHistory = On;
    RestartHistory();
    SaveSettings();
}

void TReverseControl::HistoryLimitCommand() {
    TInputDialog Dialog;
    Dialog.Title = Tr("Reverse", "History memory");
    Dialog.Fields.push_back({Format(Tr("Reverse", "Memory for the history in MiB (%u-%u):").c_str(),
                                    unsigned(MinHistoryLimitMB), unsigned(MaxHistoryLimitMB)),
                             std::to_string(Options().HistoryLimitMB)});
    uint32_t Value = 0;
    Dialog.Validate = [&Value](const std::vector<std::string>& Texts) {
        const std::string& t = Texts[0];
        if (t.empty() || t.size() > 6 || t.find_first_not_of("0123456789") != std::string::npos)
            return TInputCheck::Refuse(Tr("Reverse", "Enter a whole number of MiB."));
        Value = static_cast<uint32_t>(std::stoul(t));
        if (Value < MinHistoryLimitMB || Value > MaxHistoryLimitMB) return TInputCheck::Refuse(Tr("Reverse", "Out of range."));
        return TInputCheck::Accept();
    };
    if (!FPrompter.Input(Dialog)) return;
    Options().HistoryLimitMB = Value;
    FHistory.SetLimitBytes(size_t(Value) << 20);
    FStates.StatesChanged();
    SaveSettings();
}

bool TReverseControl::TrackCoverage() const { return Options().TrackCoverage; }

void TReverseControl::SetTrackCoverage(bool On) {
    if (Options().TrackCoverage == On) return;
    Options().TrackCoverage = On;
    ApplyTracking();
    FPanes.UpdatePanes(pnDisAsm, false, false, false);
    SaveSettings();
}

void TReverseControl::ClearCoverage() {
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) MCU->ClearCoverage();
    FPanes.UpdatePanes(pnDisAsm, false, false, false);
}

// ---- the trace log ----

void TReverseControl::TraceLogCommand() {
    if (FTraceLog) {
        EndTraceLog();
        return;
    }
    TFileDialog Dialog;
    Dialog.Title = Tr("Reverse", "Write the trace of the following steps to");
    Dialog.DefaultExt = "txt";
    Dialog.FileName = "trace.txt";
    Dialog.Filter = Tr("Reverse", "Text files (*.txt)") + "|*.txt|" + Tr("Reverse", "All files (*.*)") + "|*.*";
    Dialog.OverwritePrompt = true;
    std::string FileName;
    if (!FPrompter.SaveFile(Dialog, FileName)) return;
    FTraceLog = std::make_unique<TSafeFileStream>(FileName);
    FTraceBuffer.clear();
    FTraceLines = 0;
    FWindow.SetStatus(Format(Tr("Reverse", "Trace log: the following steps go to %s.").c_str(), FileName.c_str()),
                      TStatusColour::Normal);
    FStates.StatesChanged();
}

void TReverseControl::EndTraceLog() {
    if (!FTraceLog) return;
    std::unique_ptr<TSafeFileStream> Log = std::move(FTraceLog);
    std::string Buffer = std::move(FTraceBuffer);
    FTraceBuffer.clear();
    FStates.StatesChanged();
    try {
        Log->Append(Buffer);
        Log->Commit();
    } catch (const std::exception& e) {
        FPrompter.Error(e.what());
        return;
    }
    FWindow.SetStatus(Format(Tr("Reverse", "Trace log complete: %s step(s) written to %s.").c_str(),
                             std::to_string(FTraceLines).c_str(), Log->FileName().string().c_str()),
                      TStatusColour::Normal);
}

// ---- texts ----

std::string TReverseControl::CoverageHint(T11bits Addr) const {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || !Options().TrackCoverage || !MCU->ExecutionCount(Addr)) return {};
    return Format(Tr("Reverse", "Executed %s time(s) since reset or \"Clear coverage\".").c_str(),
                  std::to_string(MCU->ExecutionCount(Addr)).c_str());
}

std::string TReverseControl::LastWriterHint(T7bits Addr) const {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || !Options().TrackCoverage) return {};
    const uint16_t PC = MCU->LastWriterPC(Addr);
    if (PC == NoWriter) return Tr("Reverse", "Not written by the program since reset.");
    return Format(Tr("Reverse", "Last written by the instruction at %s, %s cycle(s) ago.").c_str(),
                  AddrToStr(static_cast<T11bits>(PC)).c_str(),
                  std::to_string(MCU->CycleCount - MCU->LastWriteCycle(Addr)).c_str());
}

} // namespace tarvolin
