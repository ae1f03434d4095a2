#include "debugger/ui/input_panel.h"

#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

#include "core/mcu.h"

namespace tarvolin {

TInputButton::TInputButton(TRawButton Tied, bool GameControl, QWidget* Parent)
    : QToolButton(Parent), FTied(Tied), FGameControl(GameControl) {
    setCheckable(true); // checked = latched
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TInputButton::mousePressEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    setDown(true);
    emit Pressed(FTied);
}

void TInputButton::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    setDown(false);
    const bool ctrlOnly = (Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                                                 Qt::MetaModifier)) == Qt::ControlModifier;
    emit Released(FTied, ctrlOnly, rect().contains(Event->position().toPoint()), FGameControl);
}

uint16_t VirtualKeyOf(int QtKey) {
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z) return static_cast<uint16_t>('A' + (QtKey - Qt::Key_A));
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<uint16_t>('0' + (QtKey - Qt::Key_0));
    switch (QtKey) {
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    default: return 0;
    }
}

namespace {

TRawButton TiedButton(TInputGND Gnd, TGameControlAssociatedInputPin Pin) {
    if (Pin == aipAlpha) return rbAlpha;
    if (Pin == aipBeta) return rbBeta;
    if (Pin == aipACL) return rbACL;
    return static_cast<TRawButton>(rbDiK4 + Gnd * 4 + Pin);
}

} // namespace

TInputPanel::TInputPanel(TDebugger& Debugger, QWidget* Parent) : QTabWidget(Parent), FDebugger(Debugger) {
    FRawPage = new QWidget(this);
    auto* grid = new QGridLayout(FRawPage);
    grid->setSpacing(2);
    for (int row = 0; row < 4; ++row) {
        FRowLabels[row] = new QLabel(FRawPage);
        grid->addWidget(FRowLabels[row], row, 0);
        for (int k = 0; k < 4; ++k) {
            auto* b = new TInputButton(static_cast<TRawButton>(row * 4 + k), false, FRawPage);
            b->setFixedWidth(38);
            FRawButtons[row * 4 + k] = b;
            grid->addWidget(b, row, 1 + k);
            Wire(b);
        }
    }
    for (TRawButton rb : {rbAlpha, rbBeta, rbACL}) {
        auto* b = new TInputButton(rb, false, FRawPage);
        b->setMinimumWidth(48);
        FRawButtons[rb] = b;
        grid->addWidget(b, rb - rbAlpha, 6);
        if (rb == rbACL) {
            b->setCheckable(false);
            disconnect(b, nullptr, this, nullptr);
            connect(b, &TInputButton::Released, this, [this](TRawButton, bool, bool inside, bool) {
                if (inside) FDebugger.ResetButtonClick();
            });
        } else {
            Wire(b);
        }
    }
    grid->setColumnStretch(7, 1);
    FGamePage = new QWidget(this);
    addTab(FRawPage, "Raw input");
    addTab(FGamePage, "Game controls");
    Rebuild();
}

void TInputPanel::Wire(TInputButton* b) {
    connect(b, &TInputButton::Pressed, this, [this](TRawButton t) {
        FDebugger.RawButtonMouseDown(t);
        RefreshStates();
    });
    connect(b, &TInputButton::Released, this, [this](TRawButton t, bool ctrlOnly, bool inside, bool) {
        FDebugger.RawButtonMouseUp(t, ctrlOnly, inside, false);
        RefreshStates();
    });
}

void TInputPanel::Rebuild() {
    const TSHARP_SM5A_MCU* mcu = FDebugger.MCU();
    const TMCUClass& cls = mcu ? mcu->GetClass() : TSHARP_SM5A_MCU::Class;
    const std::string in = cls.GetInputRegisterName();
    const TLabelingNumbers& n = cls.GetR_K_LabelingNumbers();
    const TInputGNDs gnds = mcu ? mcu->IO.SupportedGNDs : AllGNDs;
    const char* rowMasks[4] = {"", "=0xxx", "=x0xx", "=xx0x"};
    for (int row = 0; row < 4; ++row) {
        FRowLabels[row]->setText(row == 0 ? QString("GND") : QString("R%1=0").arg(n[4 - row]));
        const bool shown = (gnds & GNDSet(static_cast<TInputGND>(row))) != 0;
        FRowLabels[row]->setVisible(shown);
        for (int k = 0; k < 4; ++k) {
            const int d = 4 - k; // K4 .. K1
            TInputButton* b = FRawButtons[row * 4 + k];
            const QString caption = QString::fromStdString(in) + n[d - 1];
            b->setText(caption);
            QString hint = QString("pin %1 (bit #%2)").arg(caption).arg(d - 1);
            if (row > 0) hint += QString(" for R%1%2").arg(n[4 - row]).arg(rowMasks[row]);
            b->setToolTip(hint);
            b->setVisible(shown);
        }
    }
    FRawButtons[rbAlpha]->setText(QString::fromStdString(cls.GetAlphaName()));
    FRawButtons[rbAlpha]->setToolTip(QString::fromStdString(cls.GetAlphaName()));
    FRawButtons[rbAlpha]->setVisible(!mcu || mcu->IO.AlphaBeingQueried);
    FRawButtons[rbBeta]->setText(QString::fromStdString(cls.GetBetaName()));
    FRawButtons[rbBeta]->setToolTip(QString::fromStdString(cls.GetBetaName()));
    FRawButtons[rbBeta]->setVisible(!mcu || mcu->IO.BetaBeingQueried);
    FRawButtons[rbACL]->setText(QString::fromStdString(cls.GetACLName()));
    FRawButtons[rbACL]->setToolTip("Reset");

    // Game controls, laid out like the game's own buttons.
    for (TInputButton* b : FGameControls) delete b;
    FGameControls.clear();
    FPressedDuringRuns.clear();
    FDefs = mcu ? mcu->GameControlDefs : std::vector<TGameControlDef>{};
    int right = 0, bottom = 0;
    for (const TGameControlDef& d : FDefs) {
        if (!IsValidGndPinCombination(d.FGnd, d.FAssociatedInputPin)) continue;
        const TRawButton tied = TiedButton(d.FGnd, d.FAssociatedInputPin);
        auto* b = new TInputButton(tied, true, FGamePage);
        b->setText(QString::fromStdString(d.FCaption));
        if (!d.FFontName.empty() || d.FFontSize > 0) {
            QFont f = b->font();
            if (!d.FFontName.empty()) f.setFamily(QString::fromStdString(d.FFontName));
            if (d.FFontSize > 0) f.setPointSize(d.FFontSize);
            b->setFont(f);
        }
        b->setGeometry(d.FOrigin.x, d.FOrigin.y, d.FSize.cx, d.FSize.cy);
        b->setToolTip(FRawButtons[tied]->toolTip());
        if (tied == rbACL) {
            b->setCheckable(false);
            connect(b, &TInputButton::Released, this, [this](TRawButton, bool, bool inside, bool) {
                if (inside) FDebugger.ResetButtonClick();
            });
        } else {
            Wire(b);
        }
        b->show();
        right = std::max(right, d.FOrigin.x + d.FSize.cx);
        bottom = std::max(bottom, d.FOrigin.y + d.FSize.cy);
        FGameControls.push_back(b);
    }
    FGamePage->setMinimumSize(right + 4, bottom + 4);
    setTabVisible(indexOf(FGamePage), !FGameControls.empty());
    setCurrentWidget(FGameControls.empty() ? FRawPage : FGamePage);
    RefreshStates();
}

void TInputPanel::RefreshStates() {
    const auto& states = FDebugger.RawButtons();
    for (int i = 0; i < rbCount; ++i) {
        TInputButton* b = FRawButtons[i];
        if (b->isCheckable()) b->setChecked(states[i].Latched);
        b->setDown(states[i].Pressed);
    }
    for (TInputButton* b : FGameControls) {
        if (b->isCheckable()) b->setChecked(states[b->Tied()].Latched);
        b->setDown(states[b->Tied()].Pressed);
    }
}

TInputButton* TInputPanel::FindGameControlForKey(int Key) const {
    const uint16_t vk = VirtualKeyOf(Key);
    if (!vk) return nullptr;
    size_t i = 0;
    for (const TGameControlDef& d : FDefs) {
        if (!IsValidGndPinCombination(d.FGnd, d.FAssociatedInputPin)) continue;
        for (uint16_t code : d.FVirtualKeyCodes)
            if (code == vk) return i < FGameControls.size() ? FGameControls[i] : nullptr;
        ++i;
    }
    return nullptr;
}

bool TInputPanel::KeyPress(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat) {
    if (Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    TInputButton* b = FindGameControlForKey(Key);
    if (!b || FDebugger.IsStopped()) return false;
    if (!AutoRepeat && !FPressedDuringRuns.contains(b)) {
        FPressedDuringRuns.insert(b);
        FDebugger.RawButtonMouseDown(b->Tied());
        RefreshStates();
    }
    return true;
}

bool TInputPanel::KeyRelease(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat) {
    if (Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    TInputButton* b = FindGameControlForKey(Key);
    if (!b || (FDebugger.IsStopped() && !FPressedDuringRuns.contains(b))) return false;
    if (AutoRepeat) return true;
    FPressedDuringRuns.remove(b);
    FDebugger.RawButtonMouseUp(b->Tied(), false, true, false);
    RefreshStates();
    return true;
}

} // namespace tarvolin
