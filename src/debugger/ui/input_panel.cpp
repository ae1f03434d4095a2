#include "debugger/ui/input_panel.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <QVBoxLayout>
#include <cmath>

#include "core/mcu.h"
#include "debugger/debugger.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/run_icons.h"

namespace tarvolin {

TInputButton::TInputButton(TRawButton Tied, bool GameControl, QWidget* Parent)
    : QToolButton(Parent), FTied(Tied), FGameControl(GameControl) {
    setCheckable(true); // checked = latched
    setFocusPolicy(Qt::TabFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TInputButton::keyPressEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers mods = Event->modifiers() & ~Qt::KeypadModifier;
    if (Event->key() == Qt::Key_Space && (mods == Qt::NoModifier || mods == Qt::ControlModifier)) {
        if (!Event->isAutoRepeat()) {
            setDown(true);
            emit Pressed(FTied);
        }
        return;
    }
    if (Event->key() == Qt::Key_Menu || (Event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        if (!FGameControl) emit PopupRequested(FTied, mapToGlobal(rect().center()));
        return;
    }
    QToolButton::keyPressEvent(Event);
}

void TInputButton::keyReleaseEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers mods = Event->modifiers() & ~Qt::KeypadModifier;
    if (Event->key() == Qt::Key_Space) {
        if (!Event->isAutoRepeat()) {
            setDown(false);
            // Ctrl+Space latches like a Ctrl+click.
            emit Released(FTied, mods == Qt::ControlModifier, true, FGameControl);
        }
        return;
    }
    QToolButton::keyReleaseEvent(Event);
}

void TInputButton::paintEvent(QPaintEvent* Event) {
    if (FSign == TControlSign::Text) {
        QToolButton::paintEvent(Event);
        return;
    }
    // The frame as the style draws it, the sign of our own inside.
    QStylePainter p(this);
    QStyleOptionToolButton option;
    initStyleOption(&option);
    option.text.clear();
    p.drawComplexControl(QStyle::CC_ToolButton, option);
    const QRectF r = QRectF(rect()).adjusted(4, 4, -4, -4);
    DrawControlSign(p, FSign, r, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                                 QPalette::ButtonText));
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
    FRadiationLabel = new QLabel(tr("&Radiation intensity:"), FRadiationBox);
    FRadiationTrackBar = new QSlider(Qt::Horizontal, FRadiationBox);
    FRadiationTrackBar->setRange(0, 3);
    FRadiationTrackBar->setPageStep(1);
    FRadiationTrackBar->setTickPosition(QSlider::TicksBelow);
    FRadiationTrackBar->setTickInterval(1);
    FRadiationTrackBar->setFixedWidth(110);
    const QString hint = tr("Radiation Intensity Simulator\n\n0 - No radiation / Faulty dosimeter board\n1 - Natural "
                            "background radiation\n2 - Higher radiation\n3 - Chernobyl disaster");
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
    FKeysLabel = new QLabel(FGamePage);
    FKeysLabel->setTextFormat(Qt::PlainText);
    FKeysLabel->hide();
    addTab(FRawPage, tr("Raw input"));
    addTab(FGamePage, tr("Game controls"));
    setAccessibleName(tr("Input"));
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
            b->setToolTip(row == 0 ? tr("pin %1 (bit #%2)").arg(caption).arg(d - 1)
                                   : tr("pin %1 (bit #%2) for R%3%4")
                                         .arg(caption)
                                         .arg(d - 1)
                                         .arg(n[4 - row])
                                         .arg(rowMasks[row]));
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
    FRawButtons[rbACL]->setToolTip(tr("Reset"));

    for (int row = 0; row < 4; ++row)
        for (int k = 0; k < 4; ++k) {
            TInputButton* b = FRawButtons[row * 4 + k];
            b->setAccessibleName(b->text() + ", " + FRowLabels[row]->text());
        }
    for (TRawButton rb : {rbAlpha, rbBeta, rbACL}) FRawButtons[rb]->setAccessibleName(FRawButtons[rb]->text());

    // Game controls, laid out like the game's own buttons, with the signs of the real game.
    for (TInputButton* b : FGameControls) delete b;
    FGameControls.clear();
    FGameControlDefs = FDebugger->Input().GameControls();
    const std::vector<TGameControlFace> faces = GameControlFaces(FGameControlDefs);
    for (size_t i = 0; i < FGameControlDefs.size(); ++i) {
        const TGameControlDef& d = FGameControlDefs[i];
        const TRawButton tied = TiedRawButton(d.FGnd, d.FAssociatedInputPin);
        auto* b = new TInputButton(tied, true, FGamePage);
        b->SetSign(faces[i].Sign);
        b->setText(QString::fromStdString(faces[i].Text));
        const QString function = QString::fromStdString(faces[i].Function);
        b->setAccessibleName(function);
        b->setToolTip(QString::fromStdString(GameControlHint(faces[i])) + "\n" + FRawButtons[tied]->toolTip());
        if (tied == rbACL) {
            b->setCheckable(false);
            connect(b, &TInputButton::Released, this,
                    [this](TRawButton, bool, bool inside, bool) { ResetButtonReleased(inside); });
        } else {
            Wire(b);
        }
        b->show();
        FGameControls.push_back(b);
    }
    QString keys;
    for (const std::string& line : GameKeyList(faces)) keys += (keys.isEmpty() ? "" : "\n") + QString::fromStdString(line);
    FKeysLabel->setText(keys);
    FKeysLabel->setAccessibleName(keys);
    FKeysLabel->setVisible(!keys.isEmpty());
    const bool dosimeter = FDebugger->Input().IsDosimeterGame();
    if (dosimeter) {
        FRebuilding = true;
        FRadiationTrackBar->setValue(FDebugger->Input().RadiationIntensity());
        FRebuilding = false;
    }
    FRadiationBox->setVisible(dosimeter);
    PlaceGameControls();
    setTabVisible(indexOf(FGamePage), !FGameControls.empty());
    setCurrentWidget(FGameControls.empty() ? FRawPage : FGamePage);
    RefreshStates();
    emit GameKeysChanged(keys);
}

void TInputPanel::SetLarge(bool Large) {
    const double scale = Large ? 2.2 : 1.0;
    if (scale == FScale) return;
    FScale = scale;
    PlaceGameControls();
    if (Large && !FGameControls.empty()) setCurrentWidget(FGamePage);
}

void TInputPanel::PlaceGameControls() {
    int right = 0, bottom = 0;
    auto px = [this](int v) { return int(std::lround(v * FScale)); };
    for (size_t i = 0; i < FGameControls.size() && i < FGameControlDefs.size(); ++i) {
        const TGameControlDef& d = FGameControlDefs[i];
        TInputButton* b = FGameControls[i];
        QFont f = font();
        // A caption as large as the button allows: the game's own size, scaled with the button.
        const int points = d.FFontSize > 0 ? d.FFontSize : std::max(f.pointSize(), 9);
        f.setPointSizeF(points * FScale * (d.FFontName.rfind("Wingdings", 0) == 0 ? 0.8 : 1.0));
        f.setBold(true);
        b->setFont(f);
        b->setGeometry(px(d.FOrigin.x), px(d.FOrigin.y), px(d.FSize.cx), px(d.FSize.cy));
        right = std::max(right, px(d.FOrigin.x + d.FSize.cx));
        bottom = std::max(bottom, px(d.FOrigin.y + d.FSize.cy));
    }
    if (FDebugger && FDebugger->Input().IsDosimeterGame()) {
        FRadiationBox->move(right + 24, 8);
        right += 24 + FRadiationBox->width();
        bottom = std::max(bottom, 8 + FRadiationBox->height());
    }
    if (!FKeysLabel->text().isEmpty()) {
        QFont f = font();
        f.setPointSizeF(f.pointSizeF() * (FScale > 1.0 ? 1.4 : 0.9));
        FKeysLabel->setFont(f);
        FKeysLabel->adjustSize();
        FKeysLabel->move(right + 16, 4);
        right += 16 + FKeysLabel->width();
        bottom = std::max(bottom, 4 + FKeysLabel->height());
    }
    FGamePage->setMinimumSize(right + 4, bottom + 4);
    updateGeometry();
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
