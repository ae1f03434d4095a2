#include "debugger/input.h"

#include <algorithm>
#include <random>
#include <string>

#include "base/tick_source.h"
#include "base/translate.h"

namespace tarvolin {

namespace {

std::mt19937& Random() {
    static std::mt19937 Generator{std::random_device{}()};
    return Generator;
}
int RandomInt(int Lo, int Hi) { return std::uniform_int_distribution<int>(Lo, Hi)(Random()); }

} // namespace

TRawButton TiedRawButton(TInputGND Gnd, TGameControlAssociatedInputPin Pin) {
    if (Pin == aipAlpha) return rbAlpha;
    if (Pin == aipBeta) return rbBeta;
    if (Pin == aipACL) return rbACL;
    return static_cast<TRawButton>(rbDiK4 + Gnd * 4 + Pin);
}

void CheckGameControlDefs(const std::vector<TGameControlDef>& Defs) {
    for (const TGameControlDef& d : Defs) CheckGndPinCombination(d.FGnd, d.FAssociatedInputPin);
}

TInputControl::TInputControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter, TSessionControl& Session,
                             TPaneRefresh& Panes, TRunCommands& Commands)
    : FGame(Game), FRun(Run), FPrompter(Prompter), FSession(Session), FPanes(Panes), FCommands(Commands) {}

// ---- raw buttons ----

void TInputControl::ReadRawInputButtons(TRawButton HandledButton) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (FRun.IsResetting() || !MCU) return;
    const bool InputOpcode = IsInputOpcode(MCU->GetCurrentOpcode());
    if (!(FRun.IsStopped() || InputOpcode || MCU->HaltMode)) return;
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
        FInputsApplied = HandledButton == rbNone;
    } else {
        ApplyButtonInputs(FButtonInputs);
        FInputsApplied = true;
    }
    FSession.MarkSessionModified();
    if (FRun.IsStopped() && InputOpcode) FPanes.UpdateHintLabel();
}

void TInputControl::ApplyButtonInputs(const TButtonInputs& In) {
    TInputOutput& IO = FGame.MCU->IO;
    IO.FInputMatrix = In.Matrix;
    if (IO.AlphaBeingQueried) IO.FAlpha = In.Alpha;
    if (IO.BetaBeingQueried) IO.FBeta = In.Beta;
}

void TInputControl::RefreshRawInputButtons() {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    ButtonsChanged();
    if (!MCU) {
        for (auto& b : FRawButtons) b = TRawButtonState{};
        return;
    }
    const TInputOutput& IO = MCU->IO;
    for (int Row = 0; Row < 4; ++Row)
        for (int k = 0; k < 4; ++k)
            FRawButtons[size_t(Row * 4 + k)].Latched = (IO.FInputMatrix[size_t(Row)] & (8 >> k)) != 0;
    FRawButtons[rbAlpha].Latched = IO.FAlpha;
    FRawButtons[rbBeta].Latched = IO.FBeta;
}

void TInputControl::RawButtonMouseDown(TRawButton Button) {
    if (Button >= rbCount) return;
    FRawButtons[Button].Pressed = true;
    ButtonsChanged();
    if (FRun.IsStopped()) ReadRawInputButtons(Button);
}

void TInputControl::RawButtonClick(TRawButton Button) {
    if (Button >= rbCount) return;
    if (FRun.IsStopped()) ReadRawInputButtons(rbNone);
}

void TInputControl::RawButtonMouseUp(TRawButton Button, bool lCtrlOnly, bool lInside, bool lGameControl) {
    if (Button >= rbCount) return;
    TRawButtonState& s = FRawButtons[Button];
    s.Pressed = false;
    if (s.Latched) s.Latched = false;
    else if (lCtrlOnly && lInside) s.Latched = true;
    ButtonsChanged();
    if (FRun.IsStopped() && !lGameControl) ReadRawInputButtons(rbNone);
}

void TInputControl::SetRawButtonPressed(TRawButton Button, bool Pressed) {
    if (Button >= rbCount) return;
    FRawButtons[Button].Pressed = Pressed;
    ButtonsChanged();
}

void TInputControl::ResetButtonClick() {
    if (!FGame.IsLoaded()) return;
    if (FPrompter.Message(TMessageKind::Warning, Tr("Input", "Are you sure you want to reset the game?"),
                          TMessageButtons::YesNo) == TMessageResult::Yes)
        FCommands.MCUReset();
}

// ---- game controls and keys ----

int TInputControl::GameControlForKey(uint16_t VirtualKey) const {
    if (!VirtualKey) return -1;
    for (size_t i = 0; i < FControls.size(); ++i)
        for (uint16_t Code : FControls[i].FVirtualKeyCodes)
            if (Code == VirtualKey) return static_cast<int>(i);
    return -1;
}

bool TInputControl::KeyDown(uint16_t VirtualKey, bool AutoRepeat) {
    const int Control = GameControlForKey(VirtualKey);
    if (Control < 0 || FRun.IsStopped()) return false;
    const bool Held = std::find(FKeyHeldControls.begin(), FKeyHeldControls.end(), Control) != FKeyHeldControls.end();
    if (!AutoRepeat && !Held) {
        FKeyHeldControls.push_back(Control);
        const TGameControlDef& d = FControls[size_t(Control)];
        RawButtonMouseDown(TiedRawButton(d.FGnd, d.FAssociatedInputPin));
    }
    return true;
}

bool TInputControl::KeyUp(uint16_t VirtualKey, bool AutoRepeat) {
    const int Control = GameControlForKey(VirtualKey);
    if (Control < 0) return false;
    auto Held = std::find(FKeyHeldControls.begin(), FKeyHeldControls.end(), Control);
    if (FRun.IsStopped() && Held == FKeyHeldControls.end()) return false;
    if (AutoRepeat) return true;
    if (Held != FKeyHeldControls.end()) FKeyHeldControls.erase(Held);
    const TGameControlDef& d = FControls[size_t(Control)];
    RawButtonMouseUp(TiedRawButton(d.FGnd, d.FAssociatedInputPin), false, true, false);
    return true;
}

// ---- dosimeter ----

void TInputControl::SetRadiationIntensity(int Position) {
    const int New = std::clamp(Position, 0, 3);
    if (New == FRadiationIntensity) return;
    FRadiationIntensity = New;
    if (!FSession.IsLoadingDebugSession()) FSession.MarkSessionModified();
}

void TInputControl::SetDosimeterInput(T4bits Value) {
    T4bits& Nibble = FGame.MCU->IO.FInputMatrix[gndR2];
    const T4bits New = Value & 0xF;
    if (New == Nibble) return;
    Nibble = New;
    FInputsApplied = false;
    FPanes.UpdatePanes(pnRawInput, false, false, false);
}

void TInputControl::SimulateRadiation() {
    if (!FIsDosimeterGame || FRun.IsResetting()) return;
    TSHARP_SM5A_MCU& MCU = *FGame.MCU;
    if (FDosimeterModeActive) {
        const uint32_t Tick = SystemTickSource().GetTickCount();
        const T14bits T = MCU.T;
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
            SetDosimeterInput(
                static_cast<T4bits>((MCU.IO.FInputMatrix[gndR2] + RandomInt(0, FRadiationIntensity)) & 0xF));
    } else if (MCU.IO.FInputMatrix[gndR2] != 0) {
        SetDosimeterInput(0);
    }
}

void TInputControl::UpdateDosimeterMode() {
    if (!FIsDosimeterGame || FRun.IsResetting()) return;
    const bool R1 = (FGame.MCU->IO.R & 2) != 0;
    if (!FDosimeterModeActive && !R1) {
        FDosimeterModeActive = true;
        if (FRadiationIntensity != 0) SetDosimeterInput(static_cast<T4bits>(RandomInt(1, 15)));
    } else if (FDosimeterModeActive && R1) {
        FDosimeterModeActive = false;
        SetDosimeterInput(0);
    }
}

// ---- game changes ----

void TInputControl::GameInstalled() {
    FDosimeterModeActive = false;
    FIsDosimeterGame = std::string(FGame.Class->ClassName) == "TAltair";
    if (FRadiationIntensity < 0 || FRadiationIntensity > 3) FRadiationIntensity = 1;
    FControls.clear();
    for (const TGameControlDef& d : FGame.MCU->GameControlDefs)
        if (IsValidGndPinCombination(d.FGnd, d.FAssociatedInputPin)) FControls.push_back(d);
    FKeyHeldControls.clear();
    ButtonsChanged();
}

void TInputControl::GameClosed() {
    FDosimeterModeActive = false;
    FIsDosimeterGame = false;
    FControls.clear();
    FKeyHeldControls.clear();
    ButtonsChanged();
}

} // namespace tarvolin
