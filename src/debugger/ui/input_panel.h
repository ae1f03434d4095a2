// The game input panel: "Raw input" (one button per input-matrix bit, Alpha, Beta and the
// reset line) and "Game controls" (the game's own buttons, each tied to a raw button, with the
// signs of the real game drawn on them and the list of the game's keys beside them), and the
// keys that press game controls while a run is going. Every button also works from the
// keyboard: Space presses it (Ctrl+Space latches), the Menu key opens its pop-up menu.
#pragma once

#include <QTabWidget>
#include <QToolButton>
#include <array>
#include <vector>

#include "debugger/debugger_view.h"
#include "debugger/game_control_faces.h"
#include "debugger/input.h"

class QLabel;
class QSlider;

namespace tarvolin {

// A button that reports presses and releases to the controller and shows its pressed and
// latched states.
class TInputButton : public QToolButton {
    Q_OBJECT
public:
    TInputButton(TRawButton Tied, bool GameControl, QWidget* Parent);
    TRawButton Tied() const { return FTied; }
    bool IsGameControl() const { return FGameControl; }
    // The sign drawn instead of the text (Text: the button's text).
    void SetSign(TControlSign Sign) { FSign = Sign; update(); }
    TControlSign Sign() const { return FSign; }

signals:
    void Pressed(TRawButton Button);
    // CtrlOnly: Ctrl was the only modifier; Inside: the pointer was still on the button.
    void Released(TRawButton Button, bool CtrlOnly, bool Inside, bool GameControl);
    void PopupRequested(TRawButton Button, const QPoint& GlobalPos);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;

private:
    TRawButton FTied;
    bool FGameControl;
    TControlSign FSign = TControlSign::Text;
};

class TDebugger;
class TCommandRunner;

class TInputPanel : public QTabWidget, public TInputView {
    Q_OBJECT
public:
    TInputPanel(TCommandRunner& Runner, QWidget* Parent = nullptr);
    void SetDebugger(TDebugger* Debugger);

    // ---- TInputView ----
    void RebuildInputPanel() override { Rebuild(); }

    // Labels, hints, visibility and game controls for the loaded game (or for none).
    void Rebuild();
    // Shows the pressed and latched states the controller holds.
    void RefreshStates();
    // Large game controls (the Play layout) or the normal ones.
    void SetLarge(bool Large);
    // Key events of the main window; true when a game control took the key.
    bool KeyPress(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat);
    bool KeyRelease(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat);

    TInputButton* RawButton(TRawButton b) const { return FRawButtons[b]; }
    const std::vector<TInputButton*>& GameControls() const { return FGameControls; }
    QWidget* RawInputPage() const { return FRawPage; }
    QWidget* GameControlsPage() const { return FGamePage; }
    QLabel* RadiationIntensityLabel() const { return FRadiationLabel; }
    QSlider* RadiationIntensityTrackBar() const { return FRadiationTrackBar; }
    QLabel* GameKeysLabel() const { return FKeysLabel; }

signals:
    // The list of the loaded game's keys changed ("" = no game keys).
    void GameKeysChanged(const QString& Text);
    // A right click on a raw input button: the window shows the value pop-up menu for it.
    void RawButtonPopupRequested(TRawButton Button, const QPoint& GlobalPos);

private:
    void Wire(TInputButton* Button);
    void ResetButtonReleased(bool Inside);
    // Places the game controls, the radiation simulator and the key list at the present scale.
    void PlaceGameControls();

    TCommandRunner& FRunner;
    TDebugger* FDebugger = nullptr;
    QWidget* FRawPage = nullptr;
    QWidget* FGamePage = nullptr;
    std::array<TInputButton*, rbCount> FRawButtons{};
    std::array<QLabel*, 4> FRowLabels{};
    std::vector<TInputButton*> FGameControls;
    std::vector<TGameControlDef> FGameControlDefs;
    QLabel* FKeysLabel = nullptr;
    double FScale = 1.0;
    QWidget* FRadiationBox = nullptr;
    QLabel* FRadiationLabel = nullptr;
    QSlider* FRadiationTrackBar = nullptr;
    bool FRebuilding = false;
};

// The virtual-key code of the game control tables for a Qt key (0 for keys they never use).
uint16_t VirtualKeyOf(int QtKey);

} // namespace tarvolin
