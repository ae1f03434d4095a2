#include "debugger/ui/input_panel.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QSlider>
#include <QVBoxLayout>

#include "core/mcu.h"
#include "debugger/debugger.h"
#include "debugger/ui/command_runner.h"

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

void TInputButton::contextMenuEvent(QContextMenuEvent* Event) {
    if (FGameControl) return;
    emit PopupRequested(FTied, Event->globalPos());
    Event->accept();
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


TInputPanel::TInputPanel(TCommandRunner& Runner, QWidget* Parent) : QTabWidget(Parent), FRunner(Runner) {
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
            connect(b, &TInputButton::Released, this,
                    [this](TRawButton, bool, bool inside, bool) { ResetButtonReleased(inside); });
        } else {
            Wire(b);
        }
    }
    grid->setColumnStretch(7, 1);
    FGamePage = new QWidget(this);
    // The dosimeter's radiation simulator, beside its controls (placed by Rebuild).
    FRadiationBox = new QWidget(FGamePage);
    auto* radiation = new QVBoxLayout(FRadiationBox);
    radiation->setContentsMargins(0, 0, 0, 0);
    FRadiationLabel = new QLabel("&Radiation intensity:", FRadiationBox);
    FRadiationTrackBar = new QSlider(Qt::Horizontal, FRadiationBox);
    FRadiationTrackBar->setRange(0, 3);
    FRadiationTrackBar->setPageStep(1);
    FRadiationTrackBar->setTickPosition(QSlider::TicksBelow);
    FRadiationTrackBar->setTickInterval(1);
    FRadiationTrackBar->setFixedWidth(110);
    const QString hint = "Radiation Intensity Simulator\n\n0 - No radiation / Faulty dosimeter board\n1 - Natural "
                         "background radiation\n2 - Higher radiation\n3 - Chernobyl disaster";
    FRadiationTrackBar->setToolTip(hint);
    FRadiationLabel->setToolTip(hint);
    FRadiationLabel->setBuddy(FRadiationTrackBar);
    radiation->addWidget(FRadiationLabel);
    radiation->addWidget(FRadiationTrackBar);
    FRadiationBox->adjustSize();
    FRadiationBox->hide();
    connect(FRadiationTrackBar, &QSlider::valueChanged, this, [this](int v) {
        if (!FRebuilding && FDebugger) FRunner.RunCommand([&] { FDebugger->Input().SetRadiationIntensity(v); });
    });
    addTab(FRawPage, "Raw input");
    addTab(FGamePage, "Game controls");
}

void TInputPanel::SetDebugger(TDebugger* Debugger) {
    FDebugger = Debugger;
    Rebuild();
}

void TInputPanel::ResetButtonReleased(bool Inside) {
    if (Inside && FDebugger) FRunner.RunCommand([this] { FDebugger->Input().ResetButtonClick(); });
}

void TInputPanel::Wire(TInputButton* b) {
    if (!b->IsGameControl())
        connect(b, &TInputButton::PopupRequested, this, &TInputPanel::RawButtonPopupRequested);
    connect(b, &TInputButton::Pressed, this, [this](TRawButton t) {
        FRunner.RunCommand([&] { FDebugger->Input().RawButtonMouseDown(t); });
        RefreshStates();
    });
    connect(b, &TInputButton::Released, this, [this](TRawButton t, bool ctrlOnly, bool inside, bool) {
        FRunner.RunCommand([&] { FDebugger->Input().RawButtonMouseUp(t, ctrlOnly, inside, false); });
        RefreshStates();
    });
}

void TInputPanel::Rebuild() {
    if (!FDebugger) return;
    const TSHARP_SM5A_MCU* mcu = FDebugger->MCU();
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
    int right = 0, bottom = 0;
    for (const TGameControlDef& d : FDebugger->Input().GameControls()) {
        const TRawButton tied = TiedRawButton(d.FGnd, d.FAssociatedInputPin);
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
            connect(b, &TInputButton::Released, this,
                    [this](TRawButton, bool, bool inside, bool) { ResetButtonReleased(inside); });
        } else {
            Wire(b);
        }
        b->show();
        right = std::max(right, d.FOrigin.x + d.FSize.cx);
        bottom = std::max(bottom, d.FOrigin.y + d.FSize.cy);
        FGameControls.push_back(b);
    }
    const bool dosimeter = FDebugger->Input().IsDosimeterGame();
    if (dosimeter) {
        FRebuilding = true;
        FRadiationTrackBar->setValue(FDebugger->Input().RadiationIntensity());
        FRebuilding = false;
        FRadiationBox->move(right + 24, 8);
        right += 24 + FRadiationBox->width();
        bottom = std::max(bottom, 8 + FRadiationBox->height());
    }
    FRadiationBox->setVisible(dosimeter);
    FGamePage->setMinimumSize(right + 4, bottom + 4);
    setTabVisible(indexOf(FGamePage), !FGameControls.empty());
    setCurrentWidget(FGameControls.empty() ? FRawPage : FGamePage);
    RefreshStates();
}

void TInputPanel::RefreshStates() {
    if (!FDebugger) return;
    // A session read after the panel was built may have set another intensity.
    if (FRadiationTrackBar->value() != FDebugger->Input().RadiationIntensity()) {
        FRebuilding = true;
        FRadiationTrackBar->setValue(FDebugger->Input().RadiationIntensity());
        FRebuilding = false;
    }
    const auto& states = FDebugger->Input().RawButtons();
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

bool TInputPanel::KeyPress(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat) {
    if (!FDebugger) return false;
    if (Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    bool taken = false;
    FRunner.RunCommand([&] { taken = FDebugger->Input().KeyDown(VirtualKeyOf(Key), AutoRepeat); });
    if (taken) RefreshStates();
    return taken;
}

bool TInputPanel::KeyRelease(int Key, Qt::KeyboardModifiers Modifiers, bool AutoRepeat) {
    if (!FDebugger) return false;
    if (Modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    bool taken = false;
    FRunner.RunCommand([&] { taken = FDebugger->Input().KeyUp(VirtualKeyOf(Key), AutoRepeat); });
    if (taken) RefreshStates();
    return taken;
}

} // namespace tarvolin
