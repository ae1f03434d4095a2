// The panes feature: the register, RAM and LCD-register panes (their texts, the red marks of
// changed values, the RAM cells' backgrounds), which panes a refresh redraws in each run
// state, the instruction hint above the list, the value edits and the value pop-up menu.
#pragma once

#include <array>
#include <string>

#include "debugger/breakpoints.h"
#include "debugger/feature_links.h"
#include "debugger/input.h"
#include "debugger/pane_texts.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

// States of the value pop-up menu for the component under the mouse.
struct TValuePopupStates {
    bool ChangeValueVisible = false, ChangeValueEnabled = false;
    bool FollowVisible = false, FollowEnabled = false;
    // Memory breakpoint items, indexed by TMemoryBreakpointKind.
    std::array<bool, 3> SetVisible{}, SetEnabled{}, RemoveVisible{};
    bool Show7SegmentVisible = false;
    bool ShowMCUPinsVisible = false;
    bool ShowInterconnectionVisible = false;
};

class TPaneControl : public TPaneRefresh {
public:
    TPaneControl(TLoadedGame& Game, const TRunState& Run, TPanesView& View, TListView& List, TToolWindows& Tools,
                 TPrompter& Prompter, TSessionControl& Session, TStateSink& States, TListNavigator& Navigator,
                 const TBreakpointControl& Breakpoints, TInputControl& Input);

    // ---- TPaneRefresh ----
    void UpdatePanes(TPanes Panes, bool OnlyChanged, bool Force, bool FollowPC) override;
    void UpdateHintLabel() override;
    void TakeValuesAsShown() override { StorePreviousValues(AllPanes); }
    void FullRunStarted() override;
    void FullRunEnded() override;

    // The texts of the value panes (computed now if a full run left them pending).
    const TPaneTexts& PaneTexts();
    const std::string& HintLabel() const { return FHintLabel; }

    // Double-click action of a value (prompts, writes, redraws); false when it has none or
    // was cancelled.
    bool EditValue(TValueId Id);
    bool HasEditAction(TValueId Id) const;
    TValuePopupStates ValuePopupStates(TValueId Id) const;
    // The RAM address a value component stands for (a RAM cell its own, the DP and (DP) rows
    // the current DP), or -1 when none.
    int ValueRAMAddress(TValueId Id) const;
    void FollowValue(TValueId Id); // "&Follow" on PC or A
    void ShowSevenSegmentCodingTableForValue(TValueId Id);
    void DigitLabelClicked(TOIndex Index);
    // "Show &MCU pins..." of the value pop-up (the R labels, the raw K, Alpha and Beta buttons).
    void ShowMCUPins();

private:
    void StorePreviousValues(TPanes Panes);
    // Computes the texts a full run left pending, except those of Skip (computed next).
    void FlushLazyPaneTexts(TPanes Skip = 0);
    void ComputePaneTexts(TPanes Panes, bool OnlyChanged);
    void ComputeNoGamePaneTexts();

    TLoadedGame& FGame;
    const TRunState& FRun;
    TPanesView& FView;
    TListView& FList;
    TToolWindows& FTools;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TStateSink& FStates;
    TListNavigator& FNavigator;
    const TBreakpointControl& FBreakpoints;
    TInputControl& FInput;

    std::string FHintLabel;
    bool FHintLabelSent = false;

    // The values a refresh compares with: those last shown, and those in the machine when a
    // full run started (a stop marks red what changed since then).
    struct TShownValues {
        T4bits Acc = 0;
        T7bits DP = 0;
        T14bits T = 0;
        T1bit MSB = 0;
        T4bits Page = 0;
        T11bits PC = 0;
        T11bits A = 0;
        bool Carry = false, OneSecond = false;
        T4bits R = 0;
        T4bits DPCell = 0;
        TRAM RAM{};
        TORegister O{}, O_{};
        bool TD = false, LD0 = false;
        void Take(const TSHARP_SM5A_MCU& m, TPanes Panes);
    };
    TShownValues FPrev;
    TShownValues FRunStart;
    TPaneTexts FPaneTexts;
    TPanes FLazyPanes = 0; // value panes whose texts a full run has not computed yet
};

} // namespace tarvolin
