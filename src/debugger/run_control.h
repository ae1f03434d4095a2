// The run control: the run type and its status texts, one step with everything around it
// (breakpoints, stop conditions, panes), the slices of instructions the idle loop runs while
// a run goes on, MCU reset, the speed of full runs and the "update during runs" boxes.
#pragma once

#include <cstdint>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/feature_links.h"
#include "debugger/input.h"
#include "debugger/lcd_picture.h"
#include "debugger/prompter.h"
#include "debugger/reverse.h"
#include "debugger/session.h"

namespace tarvolin {

// True for a call: opcode C0..FF, or 70..7F followed by C0..FF.
constexpr bool IsCallInstruction(uint8_t Opcode, uint8_t Operand) {
    return Opcode >= 0xC0 || (Opcode >= 0x70 && Opcode <= 0x7F && Operand >= 0xC0);
}

class TRunControl : public TRunState, public TRunCommands {
public:
    TRunControl(TLoadedGame& Game, TWindowView& Window, TListView& List, TPrompter& Prompter,
                TBreakpointControl& Breakpoints, TInputControl& Input, TLCDPictureControl& LCD,
                TSessionControl& Session, TPaneRefresh& Panes, TListNavigator& Navigator, TStateSink& States,
                TReverseControl& Reverse);

    const std::string& StatusText() const { return FStatusText; }
    TStatusColour StatusColour() const { return FStatusColour; }

    void SetRunType(TRunType RunType, const std::string& StatusText = {}, bool Highlight = false);
    // One instruction with everything around it (breakpoints, panes, stop conditions).
    void ExecuteStep(bool CheckBreakpoints);
    // The idle loop: runs up to MaxInstructions instructions while a run goes on. An animated
    // run returns after each instruction, because it has redrawn the panes. Returns true while
    // a run is still going (call again after handling events).
    bool RunSlice(uint32_t MaxInstructions);
    void ResetMCU();

    // ---- Debug menu ----
    void TraceInto();
    void StepOver();
    void RunUntilReturn();
    void AnimatedRun();
    void UnattendedRun();
    void Pause();
    void Refresh();
    void MCUReset() override;
    void StartRun(TRunType RunType) override;

    // ---- speed and update check boxes ----
    void SetSpeedFactor(int Position);
    void SetUpdateCheckBox(TPane Pane, bool Checked);

    // ---- for the owner ----
    // A game was installed: default speed, no run, every update box ticked.
    void GameInstalled();
    // Status text without a run change ("Resetting..." while the game is replaced).
    void SetStatus(const std::string& Text, TStatusColour Colour);

private:
    // Everything of ExecuteStep after the instruction has executed.
    void FinishStep(uint8_t Opcode, uint8_t Operand, bool WasInSubroutine, bool EntryFullRun);
    void StopOnEmulatorError(const std::exception& Error, bool EntryFullRun);
    // The instructions of a full run while nothing but the instruction itself needs doing.
    uint32_t RunFullSpeedStretch(uint32_t MaxInstructions);

    TLoadedGame& FGame;
    TWindowView& FWindow;
    TListView& FList;
    TPrompter& FPrompter;
    TBreakpointControl& FBreakpoints;
    TInputControl& FInput;
    TLCDPictureControl& FLCD;
    TSessionControl& FSession;
    TPaneRefresh& FPanes;
    TListNavigator& FNavigator;
    TStateSink& FStates;
    TReverseControl& FReverse;

    TRunType FPreResetRunType = rtNoEmulation;
    std::string FStatusText;
    TStatusColour FStatusColour = TStatusColour::Normal;
};

} // namespace tarvolin
