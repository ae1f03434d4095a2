#include "debugger/ui/state_panes.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/translate.h"
#include "base/ui/fixed_font.h"
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

QCheckBox* UpdateBox(QWidget* Parent, const QString& Hint) {
    auto* cb = new QCheckBox(QCoreApplication::translate("tarvolin::TStatePanes", "Update"), Parent);
    cb->setFont(QFont());
    cb->setToolTip(Hint);
    cb->setAccessibleName(
        QCoreApplication::translate("tarvolin::TStatePanes", "Update %1").arg(Parent->accessibleName()));
    cb->setChecked(true);
    cb->setVisible(false);
    KeepRoomWhenHidden(cb);
    return cb;
}

// A hint of the registers pane's table, kept there in English and marked for translation.
QString PaneHint(const char* Hint) { return QString::fromStdString(ShownRowHint(Hint)); }

} // namespace

// ---------------------------------------------------------------------------------------------
// TValueLabel

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

void TValueLabel::mousePressEvent(QMouseEvent* Event) {
    // The pane behind the label takes the focus; the cell cursor comes to the label.
    emit Pressed(FRow);
    Event->ignore();
}

void TValueLabel::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton) emit DoubleClicked(FRow);
}

void TValueLabel::contextMenuEvent(QContextMenuEvent* Event) {
    emit Pressed(FRow);
    emit PopupRequested(FRow, FRole, Event->globalPos());
    Event->accept();
}

// ---------------------------------------------------------------------------------------------
// TPaneBox

TPaneBox::TPaneBox(const QString& Title, QWidget* Parent) : QGroupBox(Title, Parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(Title);
}

void TPaneBox::SetCells(std::vector<std::vector<int>> Grid, std::function<TValueLabel*(int)> ValueOf) {
    FGrid = std::move(Grid);
    FValueOf = std::move(ValueOf);
    FRowIndex = FColumn = 0;
}

int TPaneBox::CurrentRow() const {
    if (FRowIndex >= int(FGrid.size()) || FColumn >= int(FGrid[size_t(FRowIndex)].size())) return -1;
    return FGrid[size_t(FRowIndex)][size_t(FColumn)];
}

void TPaneBox::SetCurrentRow(int Row) {
    for (size_t r = 0; r < FGrid.size(); ++r)
        for (size_t c = 0; c < FGrid[r].size(); ++c)
            if (FGrid[r][c] == Row) {
                FRowIndex = int(r);
                FColumn = int(c);
                Described();
                update();
                return;
            }
}

void TPaneBox::Move(int DRow, int DColumn) {
    int r = FRowIndex, c = FColumn;
    for (;;) {
        r += DRow;
        c += DColumn;
        if (r < 0 || r >= int(FGrid.size())) return;
        const auto& cells = FGrid[size_t(r)];
        if (DRow != 0) {
            // A shorter row (TD, LD0 under the O' column) takes the cursor to its last cell.
            const int cc = std::min(c, int(cells.size()) - 1);
            if (cc >= 0 && cells[size_t(cc)] >= 0) {
                c = cc;
                break;
            }
            continue;
        }
        if (c < 0 || c >= int(cells.size())) return;
        if (cells[size_t(c)] >= 0) break;
    }
    FRowIndex = r;
    FColumn = c;
    Described();
    update();
}

void TPaneBox::Described() {
    if (!FValueOf || CurrentRow() < 0) return;
    if (TValueLabel* l = FValueOf(CurrentRow())) setAccessibleDescription(l->accessibleName() + ": " + l->text());
}

void TPaneBox::keyPressEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers mods = Event->modifiers() & ~Qt::KeypadModifier;
    const int row = CurrentRow();
    TValueLabel* label = row >= 0 && FValueOf ? FValueOf(row) : nullptr;
    if (mods == Qt::NoModifier) {
        switch (Event->key()) {
        case Qt::Key_Up: Move(-1, 0); return;
        case Qt::Key_Down: Move(1, 0); return;
        case Qt::Key_Left: Move(0, -1); return;
        case Qt::Key_Right: Move(0, 1); return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (row >= 0) emit EditRequested(row);
            return;
        default: break;
        }
    }
    if (Event->matches(QKeySequence::Copy) && label) {
        QGuiApplication::clipboard()->setText(label->text());
        return;
    }
    const bool menuKey = Event->key() == Qt::Key_Menu || (Event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier);
    if (menuKey && label) {
        emit PopupRequested(row, TLabelRole::Value, label->mapToGlobal(label->rect().center()));
        return;
    }
    QGroupBox::keyPressEvent(Event);
}

void TPaneBox::paintEvent(QPaintEvent* Event) {
    QGroupBox::paintEvent(Event);
    if (!hasFocus() || !FValueOf || CurrentRow() < 0) return;
    const TValueLabel* l = FValueOf(CurrentRow());
    if (!l || !l->isVisible()) return;
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    p.drawRect(l->geometry().adjusted(-2, -1, 1, 0));
}

void TPaneBox::focusInEvent(QFocusEvent* Event) {
    QGroupBox::focusInEvent(Event);
    Described();
    update();
}

void TPaneBox::focusOutEvent(QFocusEvent* Event) {
    QGroupBox::focusOutEvent(Event);
    update();
}

// ---------------------------------------------------------------------------------------------
// TStatePanes

TStatePanes::TStatePanes(QWidget* Parent) : QWidget(Parent) {
    FRows.resize(prCount);
    // Every pane carries the fixed-pitch font itself, since it is moved into a dock of its own.
    const QFont fixed = FixedPitchFont();
    setFont(fixed);
    CreateRegisters(fixed);
    CreateRAM(fixed);
    CreateLCDRegisters(fixed);
    CreateLCDPicture();
    for (TPaneBox* box : {RegistersGroupBox, RAMGroupBox, LCDGroupBox}) WirePane(box);
}

void TStatePanes::WirePane(TPaneBox* Box) {
    connect(Box, &TPaneBox::EditRequested, this, &TStatePanes::RowDoubleClicked);
    connect(Box, &TPaneBox::PopupRequested, this, &TStatePanes::RowPopupRequested);
}

void TStatePanes::CreateRegisters(const QFont& Fixed) {
    RegistersGroupBox = new TPaneBox(tr("Registers"), this);
    RegistersGroupBox->setFont(Fixed);
    auto* reg = new QGridLayout(RegistersGroupBox);
    reg->setHorizontalSpacing(6);
    reg->setVerticalSpacing(1);
    // Value and bit widths in characters, by row.
    constexpr int valueChars[11] = {1, 2, 1, 4, 1, 1, 1, 6, 6, 1, 1};
    constexpr int bitChars[11] = {4, 9, 4, 4, 0, 0, 4, 13, 13, 0, 4};
    std::vector<std::vector<int>> cells;
    for (size_t i = 0; i < RegisterRows.size(); ++i) {
        const TRegisterRowInfo& info = RegisterRows[i];
        const int row = static_cast<int>(info.Kind);
        AddRegisterRow(reg, static_cast<int>(i), row, QString::fromUtf8(info.Caption), valueChars[row],
                       info.HasBits ? bitChars[row] : 0, PaneHint(info.Hint));
        if (info.HasBits && info.BitsHint[0] != 0) Bits(row)->setToolTip(PaneHint(info.BitsHint));
        cells.push_back({row});
    }
    RegistersGroupBox->SetCells(std::move(cells), [this](int r) { return Value(r); });
    RAMbyDPWarningLabel = new QLabel("!", RegistersGroupBox);
    RAMbyDPWarningLabel->setToolTip(tr("RAM address is out of range"));
    QFont bold = Fixed;
    bold.setBold(true);
    RAMbyDPWarningLabel->setFont(bold);
    RAMbyDPWarningLabel->setStyleSheet("color: rgb(255,0,0);");
    RAMbyDPWarningLabel->setVisible(false);
    KeepRoomWhenHidden(RAMbyDPWarningLabel);
    reg->addWidget(RAMbyDPWarningLabel, 2, 3);
    SoundRecordingIndicator = new QLabel(QString::fromUtf8("\u25CF"), RegistersGroupBox);
    SoundRecordingIndicator->setStyleSheet("color: rgb(255,0,0);");
    SoundRecordingIndicator->setToolTip(tr("Sound recording is ON"));
    SoundRecordingIndicator->setAccessibleName(SoundRecordingIndicator->toolTip());
    SoundRecordingIndicator->setVisible(false);
    reg->addWidget(SoundRecordingIndicator, 0, 3);
    SetCurrentTimeButton = new QPushButton(tr("Set &current time"), RegistersGroupBox);
    SetCurrentTimeButton->setFont(QFont());
    SetCurrentTimeButton->setEnabled(false);
    reg->addWidget(SetCurrentTimeButton, 11, 0, 1, 4);
    UpdateRegistersCB = UpdateBox(RegistersGroupBox, tr("Update Registers pane on animated or unattended run"));
    reg->addWidget(UpdateRegistersCB, 12, 0, 1, 4);
    reg->setRowStretch(13, 1);
    reg->setColumnStretch(4, 1);
}

void TStatePanes::CreateRAM(const QFont& Fixed) {
    RAMGroupBox = new TPaneBox(tr("RAM"), this);
    RAMGroupBox->setFont(Fixed);
    auto* ram = new QGridLayout(RAMGroupBox);
    ram->setHorizontalSpacing(3);
    ram->setVerticalSpacing(1);
    const QString hex = "0123456789ABC";
    for (int c = 0; c < 13; ++c) {
        auto* h = new QLabel(hex.mid(c, 1), RAMGroupBox);
        h->setAlignment(Qt::AlignCenter);
        ram->addWidget(h, 0, c + 1);
    }
    std::vector<std::vector<int>> cells(5);
    for (int r = 0; r < 5; ++r) {
        ram->addWidget(new QLabel(QString("%1_").arg(r), RAMGroupBox), r + 1, 0);
        for (int c = 0; c < 13; ++c) {
            const int row = prRAM0 + r * 16 + c;
            TValueLabel* cell = MakeLabel(row, TLabelRole::Value, "0", RAMGroupBox, 1);
            cell->setAlignment(Qt::AlignCenter);
            cell->setFixedWidth(cell->fontMetrics().horizontalAdvance('0') + 4);
            cell->setAccessibleName(tr("RAM %1").arg(r * 16 + c, 2, 16, QChar('0')).toUpper());
            FRows[row].Value = cell;
            ram->addWidget(cell, r + 1, c + 1);
            cells[size_t(r)].push_back(row);
        }
    }
    RAMGroupBox->SetCells(std::move(cells), [this](int r) { return Value(r); });
    UpdateRAMCB = UpdateBox(RAMGroupBox, tr("Update RAM pane on unattended run"));
    ram->addWidget(UpdateRAMCB, 6, 0, 1, 14);
    ram->setRowStretch(7, 1);
    ram->setColumnStretch(14, 1);
}

void TStatePanes::CreateLCDRegisters(const QFont& Fixed) {
    LCDGroupBox = new TPaneBox(tr("LCD"), this);
    LCDGroupBox->setFont(Fixed);
    auto* lcd = new QGridLayout(LCDGroupBox);
    lcd->setHorizontalSpacing(6);
    lcd->setVerticalSpacing(0);
    // Every label of a row has one fixed height, enough for the descenders of "- digit -", so
    // the rows can neither overlap nor clip whatever room the window gives the pane.
    const QFontMetrics fm(Fixed);
    const int rowHeight = fm.height() + 2;
    auto* com1 = new QLabel("COM1", LCDGroupBox);
    auto* com0 = new QLabel("COM0", LCDGroupBox);
    com1->setToolTip(tr("Common plane"));
    com0->setToolTip(tr("Common plane"));
    lcd->addWidget(com1, 0, 0, 1, 3);
    lcd->addWidget(com0, 0, 4, 1, 3);
    std::vector<std::vector<int>> cells;
    auto fixRow = [rowHeight](QLabel* l) { l->setFixedHeight(rowHeight); };
    for (int i = 8; i >= 0; --i) {
        const int gridRow = 1 + (8 - i);
        auto addNibble = [&](int row, const QString& caption, int col) {
            TPaneRowLabels& l = FRows[row];
            l.Name = MakeLabel(row, TLabelRole::Name, caption, LCDGroupBox, caption.size());
            l.Value = MakeLabel(row, TLabelRole::Value, "0", LCDGroupBox, 1);
            l.Bits = MakeLabel(row, TLabelRole::Bits, "0000", LCDGroupBox, 4);
            const QString name = caption.trimmed();
            l.Value->setAccessibleName(name);
            l.Bits->setAccessibleName(tr("%1 bits").arg(name));
            for (QLabel* lab : {static_cast<QLabel*>(l.Name), static_cast<QLabel*>(l.Value),
                                static_cast<QLabel*>(l.Bits)})
                fixRow(lab);
            lcd->addWidget(l.Name, gridRow, col);
            lcd->addWidget(l.Value, gridRow, col + 1);
            lcd->addWidget(l.Bits, gridRow, col + 2);
        };
        addNibble(prO0 + i, QString("O%1  ").arg(i), 0);
        auto* digit = new QLabel(tr("- digit -"), LCDGroupBox);
        digit->setToolTip(tr("This O register pair encodes a digit"));
        digit->setCursor(Qt::PointingHandCursor);
        digit->setVisible(false);
        digit->setProperty("OIndex", i);
        digit->installEventFilter(this);
        digit->setContentsMargins(4, 0, 4, 0);
        fixRow(digit);
        KeepRoomWhenHidden(digit);
        DigitLabels[i] = digit;
        lcd->addWidget(digit, gridRow, 3);
        addNibble(prO_0 + i, QString("O'%1  ").arg(i), 4);
        cells.push_back({prO0 + i, prO_0 + i});
    }
    auto addFlag = [&](int row, const QString& caption, int gridRow, const QString& hint) {
        TPaneRowLabels& l = FRows[row];
        l.Name = MakeLabel(row, TLabelRole::Name, caption, LCDGroupBox, caption.size());
        l.Value = MakeLabel(row, TLabelRole::Value, "0", LCDGroupBox, 1);
        l.Value->setAccessibleName(caption.trimmed());
        fixRow(l.Name);
        fixRow(l.Value);
        lcd->addWidget(l.Name, gridRow, 0);
        lcd->addWidget(l.Value, gridRow, 1);
        SetRowHint(row, hint);
        cells.push_back({row});
    };
    addFlag(prTD, "TD   ", 11, tr("Bank of 7-segment Coding Table"));
    addFlag(prLD0, "LD0  ", 12, tr("Turn on \"dot\" segment (8th segment of a digit) if TD=0"));
    LCDGroupBox->SetCells(std::move(cells), [this](int r) { return Value(r); });
    UpdateLCDRegistersCB = UpdateBox(LCDGroupBox, tr("Update LCD registers on animated or unattended run"));
    lcd->addWidget(UpdateLCDRegistersCB, 13, 0, 1, 7);
    lcd->setRowStretch(14, 1);
    lcd->setColumnStretch(7, 1);
}

void TStatePanes::CreateLCDPicture() {
    LCDPictureBox = new QWidget(this);
    LCDPictureBox->setFont(QFont());
    auto* box = new QVBoxLayout(LCDPictureBox);
    box->setContentsMargins(2, 2, 2, 2);
    box->setSpacing(0);
    LCDImage = new TLCDImageWidget(LCDPictureBox);
    LCDImage->setAutoFillBackground(true);
    box->addWidget(LCDImage, 1);
    LCDImageThemeNameLabel = new QLabel(LCDPictureBox);
    LCDImageThemeNameLabel->setAlignment(Qt::AlignCenter);
    LCDImageThemeNameLabel->setVisible(false);
    KeepRoomWhenHidden(LCDImageThemeNameLabel);
    box->addWidget(LCDImageThemeNameLabel);
}

TValueLabel* TStatePanes::MakeLabel(int Row, TLabelRole Role, const QString& Text, QWidget* Parent, int Chars) {
    auto* l = new TValueLabel(Row, Role, Text, Parent);
    if (Chars > 0) {
        // Fixed sizes: rewriting a value never relayouts the window.
        const QFontMetrics fm(Parent->font());
        l->setFixedSize(fm.horizontalAdvance(QString(Chars, '0')) + 2, fm.height());
    }
    connect(l, &TValueLabel::DoubleClicked, this, &TStatePanes::RowDoubleClicked);
    connect(l, &TValueLabel::PopupRequested, this, &TStatePanes::RowPopupRequested);
    connect(l, &TValueLabel::Pressed, this, [Parent](int Row) {
        if (auto* box = qobject_cast<TPaneBox*>(Parent)) box->SetCurrentRow(Row);
    });
    return l;
}

void TStatePanes::AddRegisterRow(QGridLayout* Grid, int GridRow, int Row, const QString& Caption, int ValueChars,
                                 int BitChars, const QString& Hint) {
    TPaneRowLabels& l = FRows[Row];
    QWidget* parent = Grid->parentWidget();
    const QString name = Caption.trimmed();
    l.Name = MakeLabel(Row, TLabelRole::Name, Caption, parent, 0);
    l.Value = MakeLabel(Row, TLabelRole::Value, QString(ValueChars, '0'), parent, ValueChars);
    l.Value->setAccessibleName(name);
    Grid->addWidget(l.Name, GridRow, 0);
    Grid->addWidget(l.Value, GridRow, 1);
    if (BitChars > 0) {
        l.Bits = MakeLabel(Row, TLabelRole::Bits, QString(BitChars, '0'), parent, BitChars);
        l.Bits->setAccessibleName(tr("%1 bits").arg(name));
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
