#include "disasm/ui/code_aid_windows.h"

#include <algorithm>

#include <QCoreApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

#include "base/ui/fixed_font.h"
#include "core/mcu.h"
#include "disasm/disasm.h"

namespace tarvolin {

namespace {

void MakeToolWindow(QWidget* w, const QString& Caption) {
    w->setWindowTitle(Caption);
    w->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::Base, p.color(QPalette::ToolTipBase));
    p.setColor(QPalette::WindowText, p.color(QPalette::ToolTipText));
    p.setColor(QPalette::Text, p.color(QPalette::ToolTipText));
    w->setPalette(p);
}

} // namespace

TOpcodeLegendForm::TOpcodeLegendForm(QWidget* Parent) : QWidget(Parent) {
    MakeToolWindow(this, tr("Opcode Legend"));
    const QFont fixed = FixedPitchFont();
    auto* l = new QVBoxLayout(this);
    OpcodeLabel = new QLabel(this);
    MnemonicLabel = new QLabel(this);
    DetailsLabel = new QLabel(this);
    OpcodeLabel->setFont(fixed);
    MnemonicLabel->setFont(fixed);
    for (QLabel* lab : {OpcodeLabel, MnemonicLabel, DetailsLabel}) {
        lab->setTextFormat(Qt::PlainText);
        lab->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    DetailsLabel->setWordWrap(true);
    DetailsLabel->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    l->addWidget(OpcodeLabel);
    l->addWidget(MnemonicLabel);
    l->addWidget(DetailsLabel, 1);
    resize(360, 170);
}

void TOpcodeLegendForm::ShowOpcodeLegend(const TSHARP_SM5A_MCU* MCU, uint8_t Opcode, uint8_t Operand) {
    OpcodeLabel->setText(QString::fromStdString(GetOpcodeLegendOpcodeText(Opcode, Operand)));
    MnemonicLabel->setText(QString::fromStdString(GetOpcodeLegendMnemonicText(Opcode, Operand)));
    DetailsLabel->setText(QString::fromStdString(GetOpcodeDescription(MCU, Opcode, Operand)));
    // A longer text may need more room than the window has.
    if (layout()) resize(size().expandedTo(layout()->totalMinimumSize()));
    if (!FPlaced) {
        PlaceBesideMainWindow();
        FPlaced = true;
    }
    if (!isVisible()) show();
    KeepOffStatusBar();
    // The window system frames a window after it appears, which may make it taller.
    QTimer::singleShot(150, this, &TOpcodeLegendForm::KeepOffStatusBar);
}

namespace {

// The frame around a window's client area, as the window system draws it (guessed before the
// first showing).
QMargins FrameMargins(const QWidget* w) {
    const QRect frame = w->frameGeometry(), client = w->geometry();
    if (w->isVisible() && frame != client)
        return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                frame.bottom() - client.bottom()};
    return {4, 28, 4, 4};
}

const QStatusBar* StatusBarOf(const QWidget* Window) {
    const auto* main = qobject_cast<const QMainWindow*>(Window);
    return main ? main->findChild<QStatusBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

} // namespace

void TOpcodeLegendForm::PlaceBesideMainWindow() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    if (!main) return;
    const QScreen* screen = main->screen();
    const QRect avail = screen ? screen->availableGeometry() : QRect();
    const QRect mainFrame = main->frameGeometry();
    const QMargins m = FrameMargins(this);
    const int w = width() + m.left() + m.right(), h = height() + m.top() + m.bottom();
    // Beside the window (right, then left), level with its top, when the screen has room.
    QPoint frameTopLeft;
    if (avail.isValid() && avail.right() - mainFrame.right() >= w)
        frameTopLeft = QPoint(mainFrame.right() + 1, mainFrame.top());
    else if (avail.isValid() && mainFrame.left() - avail.left() >= w)
        frameTopLeft = QPoint(mainFrame.left() - w, mainFrame.top());
    else {
        // Inside, in the lower right corner of the client area, above the status bar.
        int bottom = main->geometry().bottom();
        if (const QStatusBar* bar = StatusBarOf(main); bar && bar->isVisible())
            bottom = bar->mapToGlobal(QPoint(0, 0)).y() - 8;
        frameTopLeft = QPoint(main->geometry().right() - w - 8, bottom - h);
    }
    if (avail.isValid()) {
        frameTopLeft.setY(std::clamp(frameTopLeft.y(), avail.top(), std::max(avail.top(), avail.bottom() - h)));
        frameTopLeft.setX(std::clamp(frameTopLeft.x(), avail.left(), std::max(avail.left(), avail.right() - w)));
    }
    move(frameTopLeft); // move() places the frame of a top-level window
}

void TOpcodeLegendForm::KeepOffStatusBar() {
    const QStatusBar* bar = parentWidget() ? StatusBarOf(parentWidget()->window()) : nullptr;
    if (!bar || !bar->isVisible() || !isVisible()) return;
    const QRect barRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
    const QRect frame = frameGeometry();
    if (!frame.intersects(barRect)) return;
    move(frame.left(), std::max(0, barRect.top() - frame.height() - 4));
}

TSevenSegmentPicture::TSevenSegmentPicture(QWidget* Parent) : QWidget(Parent) { setFixedSize(260, 190); }

void TSevenSegmentPicture::paintEvent(QPaintEvent*) {
    // Which O bit drives which segment follows from the coding table: in the TD=1 half bit 0 is
    // b, bit 1 a, bit 2 g and bit 3 c; in the TD=0 half bit 0 is the dot, bit 1 f, bit 2 e and
    // bit 3 d.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor td1(40, 90, 200), td0(200, 90, 40);
    const int x0 = 24, y0 = 14, w = 60, h = 62, t = 15;
    struct Seg {
        QRect r;
        bool td1;
        int bit;
        const char* name;
    };
    const Seg segs[] = {
        {QRect(x0 + t, y0, w, t), true, 1, "a"},
        {QRect(x0 + w + t, y0 + t, t, h), true, 0, "b"},
        {QRect(x0 + w + t, y0 + 2 * t + h, t, h), true, 3, "c"},
        {QRect(x0 + t, y0 + 2 * h + 2 * t, w, t), false, 3, "d"},
        {QRect(x0, y0 + 2 * t + h, t, h), false, 2, "e"},
        {QRect(x0, y0 + t, t, h), false, 1, "f"},
        {QRect(x0 + t, y0 + h + t, w, t), true, 2, "g"},
    };
    QFont f = font();
    f.setPointSizeF(std::max(6.0, f.pointSizeF() - 1));
    p.setFont(f);
    f.setBold(true);
    p.setFont(f);
    for (const Seg& s : segs) {
        p.fillRect(s.r, s.td1 ? td1 : td0);
        // The O bit number inside its segment.
        p.setPen(Qt::white);
        p.drawText(s.r, Qt::AlignCenter, QString::number(s.bit));
    }
    p.setBrush(td0);
    p.setPen(Qt::NoPen);
    const QPoint dot(x0 + w + 2 * t + 10, y0 + 2 * h + 2 * t + 7);
    p.drawEllipse(dot, 8, 8);
    p.setPen(Qt::white);
    p.drawText(QRect(dot.x() - 8, dot.y() - 8, 16, 16), Qt::AlignCenter, "0");
    // Legend.
    const int lx = 140;
    p.setPen(td1);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(lx, 20, 118, 70), Qt::AlignLeft | Qt::AlignTop,
               QCoreApplication::translate("SevenSegmentTable", "TD=1 half:\nO[0] b   O[1] a\nO[2] g   O[3] c"));
    p.setPen(td0);
    p.drawText(QRect(lx, 95, 118, 80), Qt::AlignLeft | Qt::AlignTop,
               QCoreApplication::translate("SevenSegmentTable", "TD=0 half:\nO[0] dot O[1] f\nO[2] e   O[3] d"));
}

TSevenSegmentCodingTableForm::TSevenSegmentCodingTableForm(QWidget* Parent) : QWidget(Parent) {
    MakeToolWindow(this, tr("7-segment Coding Table"));
    auto* l = new QVBoxLayout(this);
    l->addWidget(new TSevenSegmentPicture(this), 0, Qt::AlignHCenter);
    TableMemo = new QPlainTextEdit(this);
    TableMemo->setReadOnly(true);
    TableMemo->setFont(FixedPitchFont());
    TableMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    TableMemo->setPalette(palette());
    QString text = QString::fromStdString(SevenSegmentTableText());
    text.replace("\r\n", "\n");
    TableMemo->setPlainText(text);
    TableMemo->moveCursor(QTextCursor::Start);
    const QFontMetrics fm(TableMemo->font());
    TableMemo->setMinimumSize(fm.horizontalAdvance(QString(42, 'x')) + 24, fm.lineSpacing() * 21 + 12);
    l->addWidget(TableMemo, 1);
}

void TSevenSegmentCodingTableForm::ShowSevenSegmentTable(int TD0Code, int TD1Code, bool TD0First) {
    int start = 0, length = 0;
    QTextCursor c(TableMemo->document());
    if (SevenSegmentTableSelection(TD0Code, TD1Code, TD0First, start, length)) {
        // The position counts two characters per line break; the text box counts one.
        const QString original = QString::fromStdString(SevenSegmentTableText());
        const int row = original.left(start).count("\r\n");
        const QTextBlock block = TableMemo->document()->findBlockByNumber(row);
        c.setPosition(block.position());
        c.setPosition(block.position() + length, QTextCursor::KeepAnchor);
    }
    TableMemo->setTextCursor(c);
    if (!isVisible()) show();
    raise();
}

void TSevenSegmentCodingTableForm::ShowSevenSegmentTableForAcc(int Acc) {
    if (Acc >= 0 && Acc <= 15)
        ShowSevenSegmentTable(SevenSegmentCodingTable[0][Acc], SevenSegmentCodingTable[1][Acc], true);
    else
        ShowSevenSegmentTable(-1, -1, true);
}

QString TSevenSegmentCodingTableForm::SelectedText() const { return TableMemo->textCursor().selectedText(); }

} // namespace tarvolin
