// The reverse feature: the machine's history while it runs ("Step back", "Step back over",
// "Run backwards" to the previous breakpoint hit), the coverage marks of the listing and the
// last writer of each RAM cell, and the trace log of the window's steps. The run control
// reports every step here; the history itself is the machine's (core/history).
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "base/safe_file.h"
#include "core/history.h"
#include "debugger/breakpoints.h"
#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

class TSettings;

class TReverseControl : public THistoryRestart {
public:
    TReverseControl(TLoadedGame& Game, const TRunState& Run, TWindowView& Window, TListView& List,
                    TPrompter& Prompter, TBreakpointControl& Breakpoints, TPaneRefresh& Panes,
                    TSessionControl& Session, TStateSink& States, TSettings& Settings);
    ~TReverseControl() override;
    TReverseControl(const TReverseControl&) = delete;
    TReverseControl& operator=(const TReverseControl&) = delete;

    // ---- what the run control reports ----
    // Before steps: whatever changed the machine since the last step is kept.
    void BeforeSteps() {
        if (FRecording) FHistory.BeforeSteps(*FGame.MCU);
    }
    // After Count steps of a full-speed stretch.
    void AfterSteps(uint32_t Count) {
        if (FRecording) FHistory.AfterSteps(*FGame.MCU, Count);
    }
    // After one whole step: the history and the trace log.
    void StepDone(const TStepResult& Step);
    // How many instructions a full-speed stretch may run before the history wants a snapshot.
    uint32_t StretchLimit(uint32_t Max) const {
        return FRecording ? std::min(Max, FHistory.StepsUntilSnapshot()) : Max;
    }
    // While a trace log is written, every step is a whole step.
    bool WantsWholeSteps() const { return FTraceLog != nullptr; }

    // ---- THistoryRestart ----
    void RestartHistory() override;

    // ---- the Debug menu ----
    void StepBack();
    void StepBackOver();
    void RunBackwards();
    bool CanStepBack() const;
    // "Keep history": on or off, remembered in the settings.
    void SetKeepHistory(bool On);
    bool KeepHistory() const;
    // "History memory...": asks for the bound in MiB.
    void HistoryLimitCommand();
    // "Mark executed code": coverage and last writers on or off, remembered in the settings.
    void SetTrackCoverage(bool On);
    bool TrackCoverage() const;
    void ClearCoverage();
    // "Trace log...": asks for a file and logs every following step until chosen again (or the
    // game is closed), then the file is complete.
    void TraceLogCommand();
    bool IsTraceLogging() const { return FTraceLog != nullptr; }
    // Completes a running trace log (the game is closed, the window ends).
    void EndTraceLog();

    // ---- texts ----
    // "Executed N times" for the listing's coverage mark of Addr; "" when it never ran.
    std::string CoverageHint(T11bits Addr) const;
    // "Last written by the instruction at ADDR, N cycles ago" or "Not written since reset".
    std::string LastWriterHint(T7bits Addr) const;
    const TMachineHistory& History() const { return FHistory; }

private:
    TSHARP_SM5A_MCU* SteppingMCU() const;
    void Arrived(const std::string& Status);
    void ApplyTracking();
    bool SaveSettings();

    TLoadedGame& FGame;
    const TRunState& FRun;
    TWindowView& FWindow;
    TListView& FList;
    TPrompter& FPrompter;
    TBreakpointControl& FBreakpoints;
    TPaneRefresh& FPanes;
    TSessionControl& FSession;
    TStateSink& FStates;
    TSettings& FSettings;

    TMachineHistory FHistory;
    bool FRecording = false;
    std::unique_ptr<TSafeFileStream> FTraceLog;
    std::string FTraceBuffer;
    uint64_t FTraceLines = 0;
};

} // namespace tarvolin
