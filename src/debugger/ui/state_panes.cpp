#include "debugger/ui/state_panes.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "debugger/pane_texts.h"
#include "debugger/ui/lcd_image_widget.h"

namespace tarvolin {

namespace {

// The update boxes show only during runs; their room stays reserved, so starting or ending a
// run never moves the panes and the LCD picture.
void KeepRoomWhenHidden(QWidget* Widget) {
    QSizePolicy sp = Widget->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    Widget->setSizePolicy(sp);
}

} // namespace

TValueLabel::TValueLabel(int Row, TLabelRole Role, const QString& Text, QWidget* Parent)
    : QLabel(Text, Parent), FRow(Row), FRole(Role) {
    setTextFormat(Qt::PlainText);
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void TValueLabel::SetValue(const QString& Text, bool Changed) {
    if (text() != Text) setText(Text);
    if (Changed != FChanged) {
        FChanged = Changed;
        QPalette p = palette();
        p.setColor(QPalette::WindowText, Changed ? QColor(255, 0, 0) : parentWidget()->palette().color(QPalette::WindowText));
        setPalette(p);
    }
}

void TValueLabel::SetBackground(const QBrush& Brush) {
    if (Brush == FBackground) return;
    FBackground = Brush;
    QPalette p = palette();
    if (Brush.style() != Qt::NoBrush && (Brush.gradient() || Brush.color().isValid())) {
        p.setBrush(QPalette::Window, Brush);
        setAutoFillBackground(true);
    } else {
        p.setColor(QPalette::Window, parentWidget()->palette().color(QPalette::Window));
        setAutoFillBackground(false);
    }
    setPalette(p);
}

void TValueLabel::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton) emit DoubleClicked(FRow);
}

void TValueLabel::contextMenuEvent(QContextMenuEvent* Event) {
    emit PopupRequested(FRow, FRole, Event->globalPos());
    Event->accept();
}

TStatePanes::TStatePanes(QWidget* Parent) : QWidget(Parent) {
    FRows.resize(prCount);
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    setFont(fixed);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* topRow = new QHBoxLayout;
    outer->addLayout(topRow);

    // Registers.
    RegistersGroupBox = new QGroupBox("Registers", this);
    auto* reg = new QGridLayout(RegistersGroupBox);
    reg->setHorizontalSpacing(6);
    reg->setVerticalSpacing(1);
    // Value and bit widths in characters, by row.
    constexpr int valueChars[11] = {1, 2, 1, 4, 1, 1, 1, 6, 6, 1, 1};
    constexpr int bitChars[11] = {4, 9, 4, 4, 0, 0, 4, 13, 13, 0, 4};
    for (size_t i = 0; i < RegisterRows.size(); ++i) {
        const TRegisterRowInfo& info = RegisterRows[i];
        const int row = static_cast<int>(info.Kind);
        AddRegisterRow(reg, static_cast<int>(i), row, QString::fromUtf8(info.Caption), valueChars[row],
                       info.HasBits ? bitChars[row] : 0, QString::fromUtf8(info.Hint));
        if (info.HasBits && info.BitsHint[0] != 0) Bits(row)->setToolTip(QString::fromUtf8(info.BitsHint));
    }
    RAMbyDPWarningLabel = new QLabel("!", RegistersGroupBox);
    RAMbyDPWarningLabel->setToolTip("RAM address is out of range");
    QFont bold = fixed;
    bold.setBold(true);
    RAMbyDPWarningLabel->setFont(bold);
    RAMbyDPWarningLabel->setStyleSheet("color: rgb(255,0,0);");
    RAMbyDPWarningLabel->setVisible(false);
    QSizePolicy wsp = RAMbyDPWarningLabel->sizePolicy();
    wsp.setRetainSizeWhenHidden(true);
    RAMbyDPWarningLabel->setSizePolicy(wsp);
    reg->addWidget(RAMbyDPWarningLabel, 2, 3);
    SoundRecordingIndicator = new QLabel(QString::fromUtf8("\u25CF"), RegistersGroupBox);
    SoundRecordingIndicator->setStyleSheet("color: rgb(255,0,0);");
    SoundRecordingIndicator->setToolTip("Sound recording is ON");
    SoundRecordingIndicator->setVisible(false);
    reg->addWidget(SoundRecordingIndicator, 0, 3);
    SetCurrentTimeButton = new QPushButton("Set &current time", RegistersGroupBox);
    SetCurrentTimeButton->setFont(QFont());
    SetCurrentTimeButton->setEnabled(false);
    reg->addWidget(SetCurrentTimeButton, 11, 0, 1, 4);
    UpdateRegistersCB = new QCheckBox("Update", RegistersGroupBox);
    UpdateRegistersCB->setFont(QFont());
    UpdateRegistersCB->setToolTip("Update Registers pane on animated or unattended run");
    UpdateRegistersCB->setChecked(true);
    UpdateRegistersCB->setVisible(false);
    KeepRoomWhenHidden(UpdateRegistersCB);
    reg->addWidget(UpdateRegistersCB, 12, 0, 1, 4);
    reg->setRowStretch(13, 1);
    reg->setColumnStretch(4, 1);
    topRow->addWidget(RegistersGroupBox);

    // RAM.
    RAMGroupBox = new QGroupBox("RAM", this);
    auto* ram = new QGridLayout(RAMGroupBox);
    ram->setHorizontalSpacing(3);
    ram->setVerticalSpacing(1);
    const QString hex = "0123456789ABC";
    for (int c = 0; c < 13; ++c) {
        auto* h = new QLabel(hex.mid(c, 1), RAMGroupBox);
        h->setAlignment(Qt::AlignCenter);
        ram->addWidget(h, 0, c + 1);
    }
    for (int r = 0; r < 5; ++r) {
        ram->addWidget(new QLabel(QString("%1_").arg(r), RAMGroupBox), r + 1, 0);
        for (int c = 0; c < 13; ++c) {
            const int row = prRAM0 + r * 16 + c;
            TValueLabel* cell = MakeLabel(row, TLabelRole::Value, "0", RAMGroupBox, 1);
            cell->setAlignment(Qt::AlignCenter);
            cell->setFixedWidth(cell->fontMetrics().horizontalAdvance('0') + 4);
            FRows[row].Value = cell;
            ram->addWidget(cell, r + 1, c + 1);
        }
    }
    UpdateRAMCB = new QCheckBox("Update", RAMGroupBox);
    UpdateRAMCB->setFont(QFont());
    UpdateRAMCB->setToolTip("Update RAM pane on unattended run");
    UpdateRAMCB->setChecked(true);
    UpdateRAMCB->setVisible(false);
    KeepRoomWhenHidden(UpdateRAMCB);
    ram->addWidget(UpdateRAMCB, 6, 0, 1, 14);
    ram->setRowStretch(7, 1);
    topRow->addWidget(RAMGroupBox);
    topRow->addStretch();

    // LCD.
    LCDGroupBox = new QGroupBox("LCD", this);
    auto* lcdImageBox = new QVBoxLayout(LCDGroupBox);
    auto* lcdOuter = new QHBoxLayout;
    lcdImageBox->addLayout(lcdOuter);
    auto* lcd = new QGridLayout;
    lcd->setHorizontalSpacing(4);
    lcd->setVerticalSpacing(0);
    lcdOuter->addLayout(lcd);
    auto* com1 = new QLabel("COM1", LCDGroupBox);
    auto* com0 = new QLabel("COM0", LCDGroupBox);
    com1->setToolTip("Common plane");
    com0->setToolTip("Common plane");
    lcd->addWidget(com1, 0, 0, 1, 3);
    lcd->addWidget(com0, 0, 4, 1, 3);
    for (int i = 8; i >= 0; --i) {
        const int gridRow = 1 + (8 - i);
        auto addNibble = [&](int row, const QString& caption, int col) {
            TPaneRowLabels& l = FRows[row];
            l.Name = MakeLabel(row, TLabelRole::Name, caption, LCDGroupBox, 0);
            l.Value = MakeLabel(row, TLabelRole::Value, "0", LCDGroupBox, 1);
            l.Bits = MakeLabel(row, TLabelRole::Bits, "0000", LCDGroupBox, 4);
            lcd->addWidget(l.Name, gridRow, col);
            lcd->addWidget(l.Value, gridRow, col + 1);
            lcd->addWidget(l.Bits, gridRow, col + 2);
        };
        addNibble(prO0 + i, QString("O%1  ").arg(i), 0);
        auto* digit = new QLabel("- digit -", LCDGroupBox);
        digit->setToolTip("This O register pair encodes a digit");
        digit->setCursor(Qt::PointingHandCursor);
        digit->setVisible(false);
        digit->setProperty("OIndex", i);
        digit->installEventFilter(this);
        QSizePolicy sp = digit->sizePolicy();
        sp.setRetainSizeWhenHidden(true);
        digit->setSizePolicy(sp);
        DigitLabels[i] = digit;
        lcd->addWidget(digit, gridRow, 3);
        addNibble(prO_0 + i, QString("O'%1  ").arg(i), 4);
    }
    auto addFlag = [&](int row, const QString& caption, int gridRow, const QString& hint) {
        TPaneRowLabels& l = FRows[row];
        l.Name = MakeLabel(row, TLabelRole::Name, caption, LCDGroupBox, 0);
        l.Value = MakeLabel(row, TLabelRole::Value, "0", LCDGroupBox, 1);
        lcd->addWidget(l.Name, gridRow, 0);
        lcd->addWidget(l.Value, gridRow, 1);
        SetRowHint(row, hint);
    };
    addFlag(prTD, "TD   ", 11, "Bank of 7-segment Coding Table");
    addFlag(prLD0, "LD0  ", 12, "Turn on \"dot\" segment (8th segment of a digit) if TD=0");
    UpdateLCDRegistersCB = new QCheckBox("Update", LCDGroupBox);
    UpdateLCDRegistersCB->setFont(QFont());
    UpdateLCDRegistersCB->setToolTip("Update LCD registers on animated or unattended run");
    UpdateLCDRegistersCB->setChecked(true);
    UpdateLCDRegistersCB->setVisible(false);
    KeepRoomWhenHidden(UpdateLCDRegistersCB);
    lcd->addWidget(UpdateLCDRegistersCB, 13, 0, 1, 7);


    lcdOuter->addStretch();
    // The picture gets the whole width of the group below the registers.
    LCDImage = new TLCDImageWidget(LCDGroupBox);
    LCDImage->setFont(QFont());
    LCDImage->setAutoFillBackground(true);
    lcdImageBox->addWidget(LCDImage, 1);
    LCDImageThemeNameLabel = new QLabel(LCDGroupBox);
    LCDImageThemeNameLabel->setFont(QFont());
    LCDImageThemeNameLabel->setAlignment(Qt::AlignCenter);
    LCDImageThemeNameLabel->setVisible(false);
    QSizePolicy tsp = LCDImageThemeNameLabel->sizePolicy();
    tsp.setRetainSizeWhenHidden(true);
    LCDImageThemeNameLabel->setSizePolicy(tsp);
    lcdImageBox->addWidget(LCDImageThemeNameLabel);
    outer->addWidget(LCDGroupBox, 1);
}

TValueLabel* TStatePanes::MakeLabel(int Row, TLabelRole Role, const QString& Text, QWidget* Parent, int Chars) {
    auto* l = new TValueLabel(Row, Role, Text, Parent);
    if (Chars > 0) {
        // Fixed sizes: rewriting a value never relayouts the window.
        const QFontMetrics fm(l->font());
        l->setFixedSize(fm.horizontalAdvance(QString(Chars, '0')) + 2, fm.height());
    }
    connect(l, &TValueLabel::DoubleClicked, this, &TStatePanes::RowDoubleClicked);
    connect(l, &TValueLabel::PopupRequested, this, &TStatePanes::RowPopupRequested);
    return l;
}

void TStatePanes::AddRegisterRow(QGridLayout* Grid, int GridRow, int Row, const QString& Caption, int ValueChars,
                                 int BitChars, const QString& Hint) {
    TPaneRowLabels& l = FRows[Row];
    QWidget* parent = Grid->parentWidget();
    l.Name = MakeLabel(Row, TLabelRole::Name, Caption, parent, 0);
    l.Value = MakeLabel(Row, TLabelRole::Value, QString(ValueChars, '0'), parent, ValueChars);
    Grid->addWidget(l.Name, GridRow, 0);
    Grid->addWidget(l.Value, GridRow, 1);
    if (BitChars > 0) {
        l.Bits = MakeLabel(Row, TLabelRole::Bits, QString(BitChars, '0'), parent, BitChars);
        Grid->addWidget(l.Bits, GridRow, 2);
    }
    SetRowHint(Row, Hint);
}

void TStatePanes::SetRow(int Row, const QString& Value, const QString& Bits, bool Changed) {
    TPaneRowLabels& l = FRows.at(Row);
    if (l.Value) l.Value->SetValue(Value, Changed);
    if (l.Bits) l.Bits->SetValue(Bits, Changed);
}

void TStatePanes::SetRowHint(int Row, const QString& Hint) {
    TPaneRowLabels& l = FRows.at(Row);
    for (TValueLabel* lab : {l.Name, l.Value, l.Bits})
        if (lab) lab->setToolTip(Hint);
}

bool TStatePanes::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(Event);
        if (me->button() == Qt::LeftButton) {
            const QVariant idx = Watched->property("OIndex");
            if (idx.isValid()) {
                emit DigitLabelClicked(idx.toInt());
                return true;
            }
        }
    }
    return QWidget::eventFilter(Watched, Event);
}

} // namespace tarvolin
