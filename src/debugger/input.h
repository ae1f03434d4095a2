// The input feature: the raw input buttons (one per input-matrix bit, Alpha, Beta and the
// reset line) with their pressed and latched states, the game's own controls and the keys
// that press them, and the dosimeter game's radiation simulator.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/input_output.h"
#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

// The raw input buttons: K4..K1 of the four ground rows, Alpha, Beta and the ACL reset.
enum TRawButton : uint8_t {
    rbDiK4, rbDiK3, rbDiK2, rbDiK1,
    rbR4K4, rbR4K3, rbR4K2, rbR4K1,
    rbR3K4, rbR3K3, rbR3K2, rbR3K1,
    rbR2K4, rbR2K3, rbR2K2, rbR2K1,
    rbAlpha, rbBeta, rbACL,
    rbCount,
    rbNone = 0xFF,
};
struct TRawButtonState {
    bool Pressed = false; // mouse or key held on it (or on a game control tied to it)
    bool Latched = false; // sticky down state
};

// The raw button a game control is tied to.
TRawButton TiedRawButton(TInputGND Gnd, TGameControlAssociatedInputPin Pin);

// Checks every control definition of a game before its panel is built: throws
// std::invalid_argument "Invalid combination of Gnd (%d) and AssociatedInputPin (%d)." for
// the first ground/pin pair no raw button stands for.
void CheckGameControlDefs(const std::vector<TGameControlDef>& Defs);

// True for the instructions that read the inputs (K, Alpha, Beta).
constexpr bool IsInputOpcode(uint8_t Opcode) {
    return Opcode == 0x50 || Opcode == 0x51 || Opcode == 0x5E || Opcode == 0x6A;
}

class TInputControl {
public:
    TInputControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter, TSessionControl& Session,
                  TPaneRefresh& Panes, TRunCommands& Commands);

    const std::array<TRawButtonState, rbCount>& RawButtons() const { return FRawButtons; }
    // Samples the raw buttons into the input matrix (when stopped or at an input instruction).
    void ReadRawInputButtons(TRawButton HandledButton = rbNone);
    // Takes the latched states from the input matrix (after the panes were asked to redraw).
    void RefreshRawInputButtons();
    void RawButtonMouseDown(TRawButton Button);
    void RawButtonClick(TRawButton Button);
    // lCtrlOnly: Ctrl is the only modifier; lInside: the pointer is still on the button;
    // lGameControl: the release came through a game control.
    void RawButtonMouseUp(TRawButton Button, bool lCtrlOnly, bool lInside, bool lGameControl = false);
    void SetRawButtonPressed(TRawButton Button, bool Pressed);
    // "Are you sure you want to reset the game?", then an MCU reset.
    void ResetButtonClick();

    // ---- game controls and keys ----
    // The loaded game's controls that can be shown (a valid ground and input pin), in order.
    const std::vector<TGameControlDef>& GameControls() const { return FControls; }
    // The control a key (a virtual-key code of the control tables) presses, or -1.
    int GameControlForKey(uint16_t VirtualKey) const;
    // A key without modifiers went down or up; true when a game control took it. Keys press
    // game controls while a run is going; a key held when the run stops is still released.
    bool KeyDown(uint16_t VirtualKey, bool AutoRepeat);
    bool KeyUp(uint16_t VirtualKey, bool AutoRepeat);

    // ---- the dosimeter game's radiation simulator (track bar positions 0..3) ----
    int RadiationIntensity() const { return FRadiationIntensity; }
    // The track bar moved (positions outside 0..3 are clamped); a change marks the session
    // modified unless a session file is being applied.
    void SetRadiationIntensity(int Position);
    bool IsDosimeterGame() const { return FIsDosimeterGame; }
    // Before an instruction of a run: a pulse of the simulated radiation now and then.
    void SimulateRadiation();
    // After an instruction: the game switches its measuring mode with line R1.
    void UpdateDosimeterMode();

    // ---- for the run loop ----
    // True once this slice of a run has put the buttons into the input matrix; until a button
    // changes nothing needs sampling again.
    bool InputsApplied() const { return FInputsApplied; }
    void BeginSlice() { FInputsApplied = false; }

    // ---- for the owner ----
    void GameInstalled();
    void GameClosed();

private:
    // What the buttons put into the input matrix, kept between button changes.
    struct TButtonInputs {
        TInputMatrix Matrix{};
        bool Alpha = false;
        bool Beta = false;
    };
    void ApplyButtonInputs(const TButtonInputs& In);
    void ButtonsChanged() {
        FButtonInputsStale = true;
        FInputsApplied = false;
    }
    void SetDosimeterInput(T4bits Value);

    TLoadedGame& FGame;
    const TRunState& FRun;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TPaneRefresh& FPanes;
    TRunCommands& FCommands;

    std::array<TRawButtonState, rbCount> FRawButtons{};
    TButtonInputs FButtonInputs;
    bool FButtonInputsStale = true;
    bool FInputsApplied = false;
    std::vector<TGameControlDef> FControls;
    std::vector<int> FKeyHeldControls; // controls a key pressed during a run, not yet released
    bool FIsDosimeterGame = false;
    bool FDosimeterModeActive = false;
    int FRadiationIntensity = 1;
};

} // namespace tarvolin
