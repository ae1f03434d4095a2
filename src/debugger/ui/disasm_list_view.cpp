#include "debugger/ui/disasm_list_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "base/ui/fixed_font.h"

namespace tarvolin {

const QColor TDisAsmListView::PCBackground(0, 0, 128);
const QColor TDisAsmListView::PCText(255, 255, 255);
const QColor TDisAsmListView::PCBreakpointText(255, 0, 0);
const QColor TDisAsmListView::BreakpointBackground(255, 0, 0);
const QColor TDisAsmListView::BreakpointText(255, 255, 255);
// A mid green: stands out on white and dark bases, on the selection and on the PC's navy.
const QColor TDisAsmListView::ExecutedMark(0, 170, 60);
const QColor TDisAsmListView::SelectedBackground(166, 202, 240);
const QColor TDisAsmListView::ChangedOpcodeText(128, 128, 0);

int TextLineCount(const std::string& Text) {
    if (Text.empty()) return 0;
    return static_cast<int>(std::count(Text.begin(), Text.end(), '\n')) + 1;
}

TDisAsmListView::TDisAsmListView(QWidget* Parent) : QAbstractScrollArea(Parent) {
    QFont f = FixedPitchFont();
    f.setPixelSize(12);
    setFont(f);
    FBoldFont = f;
    FBoldFont.setBold(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAutoFillBackground(true);
    QPalette p = viewport()->palette();
    p.setColor(QPalette::Window, palette().color(QPalette::Base));
    viewport()->setPalette(p);
    verticalScrollBar()->setSingleStep(1);
}

void TDisAsmListView::SetSource(const TDisAsmListSource* Source) {
    FSource = Source;
    ItemsReset();
}

int TDisAsmListView::Count() const { return static_cast<int>(FHeights.size()); }

int TDisAsmListView::MeasureItem(int Index) const {
    int h = ItemHeight;
    if (!FSource) return h;
    h += ItemHeight * TextLineCount(FSource->RowHeader(Index));
    if (!FSource->RowLabel(Index).empty()) h += ItemHeight;
    return h;
}

void TDisAsmListView::Measure() {
    const int n = FSource ? std::max(0, FSource->ItemCount()) : 0;
    FHeights.assign(n, ItemHeight);
    for (int i = 0; i < n; ++i) FHeights[i] = MeasureItem(i);
}

void TDisAsmListView::ItemsReset() {
    Measure();
    if (FItemIndex >= Count()) FItemIndex = -1;
    FTopIndex = std::clamp(FTopIndex, 0, std::max(0, MaxTopIndex()));
    UpdateScrollBar();
    viewport()->update();
}

void TDisAsmListView::ItemChanged(int Index) {
    if (Index < 0 || Index >= Count()) return;
    FHeights[Index] = MeasureItem(Index);
    UpdateScrollBar();
    viewport()->update();
}

void TDisAsmListView::ItemsReplaced(int First, int Removed, int Inserted) {
    const int n = FSource ? std::max(0, FSource->ItemCount()) : 0;
    if (First < 0 || Removed < 0 || Inserted < 0 || First + Removed > Count() || Count() - Removed + Inserted != n) {
        ItemsReset(); // not a splice of the rows measured so far: measure everything
        return;
    }
    FHeights.erase(FHeights.begin() + First, FHeights.begin() + First + Removed);
    FHeights.insert(FHeights.begin() + First, size_t(Inserted), ItemHeight);
    for (int i = First; i < First + Inserted; ++i) FHeights[size_t(i)] = MeasureItem(i);
    if (FItemIndex >= Count()) FItemIndex = -1;
    FTopIndex = std::clamp(FTopIndex, 0, std::max(0, Count() - 1));
    UpdateScrollBar();
    if (FUpdateCount == 0) viewport()->update();
}

int TDisAsmListView::MaxTopIndex() const {
    // The smallest top index with which the last row is still fully visible.
    const int h = viewport()->height();
    int sum = 0;
    int i = Count() - 1;
    for (; i >= 0; --i) {
        sum += FHeights[i];
        if (sum > h) return std::min(Count() - 1, i + 1);
    }
    return 0;
}

void TDisAsmListView::UpdateScrollBar() {
    FSettingScrollBar = true;
    QScrollBar* sb = verticalScrollBar();
    const int maxTop = std::max(0, MaxTopIndex());
    sb->setRange(0, Count() > 0 ? std::max(maxTop, FTopIndex) : 0);
    sb->setPageStep(std::max(1, VisibleRowEstimate()));
    sb->setValue(FTopIndex);
    FSettingScrollBar = false;
}

void TDisAsmListView::scrollContentsBy(int, int) {
    if (FSettingScrollBar) return;
    FTopIndex = std::clamp(verticalScrollBar()->value(), 0, std::max(0, Count() - 1));
    viewport()->update();
}

void TDisAsmListView::SetItemIndex(int Index) {
    if (Index < -1 || Index >= Count()) Index = -1;
    // A selection the program moves (a step, Go to) ends a range.
    if (!FExtending && FAnchor >= 0) {
        FAnchor = -1;
        if (FUpdateCount == 0) viewport()->update();
    }
    if (Index == FItemIndex) return;
    FItemIndex = Index;
    if (FUpdateCount == 0) viewport()->update();
}

void TDisAsmListView::SetTopIndex(int Index) {
    if (Count() == 0) return;
    FTopIndex = std::clamp(Index, 0, Count() - 1);
    UpdateScrollBar();
    if (FUpdateCount == 0) viewport()->update();
}

int TDisAsmListView::VisibleRowEstimate() const { return viewport()->height() / ItemHeight; }

int TDisAsmListView::ItemHeightOf(int Index) const {
    return Index >= 0 && Index < Count() ? FHeights[Index] : ItemHeight;
}

int TDisAsmListView::ItemAt(const QPoint& Pos) const {
    if (Pos.y() < 0) return -1;
    int y = 0;
    for (int i = FTopIndex; i < Count(); ++i) {
        y += FHeights[i];
        if (Pos.y() < y) return i;
        if (y > viewport()->height()) break;
    }
    return -1;
}

QRect TDisAsmListView::ItemRect(int Index) const {
    if (Index < FTopIndex || Index >= Count()) return {};
    int y = 0;
    for (int i = FTopIndex; i < Index; ++i) {
        y += FHeights[i];
        if (y > viewport()->height()) return {};
    }
    return QRect(0, y, viewport()->width(), FHeights[Index]);
}

void TDisAsmListView::BeginUpdate() {
    if (FUpdateCount++ == 0) viewport()->setUpdatesEnabled(false);
}

void TDisAsmListView::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0) {
        viewport()->setUpdatesEnabled(true);
        viewport()->update();
    }
}

void TDisAsmListView::ItemColors(int Index, QColor& Background, QColor& Text) const {
    const QPalette& pal = palette();
    Background = pal.color(QPalette::Base);
    Text = pal.color(QPalette::Text);
    if (!FSource || Index < 0 || Index >= Count()) return;
    const TListRowLook look = FSource->RowLook(Index);
    // The grey of a running list: between text and background, dark enough to stay readable
    // on the selection colour too (a style's disabled-text grey can all but vanish on it).
    const QColor text = pal.color(QPalette::Text), base = pal.color(QPalette::Base);
    const QColor grey((text.red() * 55 + base.red() * 45) / 100, (text.green() * 55 + base.green() * 45) / 100,
                      (text.blue() * 55 + base.blue() * 45) / 100);
    switch (look.Style) {
    case TListRowStyle::PC:
        Background = PCBackground;
        Text = PCText;
        break;
    case TListRowStyle::PCBreakpoint:
        Background = PCBackground;
        Text = PCBreakpointText;
        break;
    case TListRowStyle::Breakpoint:
        Background = BreakpointBackground;
        Text = BreakpointText;
        break;
    case TListRowStyle::Selected:
        Background = SelectedBackground;
        Text = look.GreyText ? grey : pal.color(QPalette::WindowText);
        break;
    case TListRowStyle::Normal:
        Text = look.GreyText ? grey : pal.color(QPalette::Text);
        break;
    }
    if (look.Style == TListRowStyle::Normal && FAnchor >= 0) {
        int first, last;
        SelectionRange(first, last);
        if (Index >= first && Index <= last) {
            Background = SelectedBackground;
            Text = look.GreyText ? Text : pal.color(QPalette::WindowText);
        }
    }
    if (look.OpcodeChanged) Text = ChangedOpcodeText;
}

void TDisAsmListView::SelectionRange(int& First, int& Last) const {
    First = Last = FItemIndex;
    if (FItemIndex < 0 || FAnchor < 0 || FAnchor >= Count()) return;
    First = std::min(FAnchor, FItemIndex);
    Last = std::max(FAnchor, FItemIndex);
}

QString TDisAsmListView::SelectionText() const {
    int first, last;
    SelectionRange(first, last);
    QString text;
    if (!FSource || first < 0) return text;
    for (int i = first; i <= last; ++i) {
        const std::string header = FSource->RowHeader(i);
        if (!header.empty()) text += QString::fromStdString(header) + "\n";
        const std::string label = FSource->RowLabel(i);
        if (!label.empty()) text += QString::fromStdString("; " + label) + "\n";
        text += QString::fromStdString(FSource->ItemText(i)) + "\n";
    }
    return text;
}

void TDisAsmListView::CopySelection() const {
    const QString text = SelectionText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void TDisAsmListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const int w = viewport()->width();
    const int h = viewport()->height();
    p.fillRect(QRect(0, 0, w, h), palette().color(QPalette::Base));
    if (!FSource) return;
    p.setFont(font());
    const bool coverage = FSource->ShowsCoverage();
    const int x0 = coverage ? 2 + CoverageMarkWidth + 2 : 2;
    int y = 0;
    for (int i = FTopIndex; i < Count() && y < h; ++i) {
        const int ih = FHeights[i];
        QColor bg, fg;
        ItemColors(i, bg, fg);
        QRect r(0, y, w, ih);
        p.fillRect(r, bg);
        p.setPen(fg);
        int top = y;
        const std::string header = FSource->RowHeader(i);
        if (!header.empty()) {
            // One base row per header line, each centred like an instruction line.
            for (const QString& line : QString::fromStdString(header).split('\n')) {
                p.drawText(QRect(x0, top, w - x0, ItemHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                           line);
                top += ItemHeight;
            }
        }
        const std::string label = FSource->RowLabel(i);
        if (!label.empty()) {
            p.setFont(FBoldFont);
            p.drawText(QRect(x0, top, w - x0, ItemHeight), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       QString::fromStdString("; " + label));
            p.setFont(font());
            top += ItemHeight;
        }
        if (coverage && FSource->RowLook(i).Executed)
            p.fillRect(QRect(2, top + 2, CoverageMarkWidth, y + ih - top - 4), ExecutedMark);
        p.drawText(QRect(x0, top, w - x0, y + ih - top), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   QString::fromStdString(FSource->ItemText(i)));
        if (i == FItemIndex && hasFocus()) {
            p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
        y += ih;
    }
}

bool TDisAsmListView::viewportEvent(QEvent* Event) {
    if (Event->type() == QEvent::ToolTip && FSource) {
        auto* help = static_cast<QHelpEvent*>(Event);
        const int index = ItemAt(help->pos());
        const std::string tip = index >= 0 ? FSource->RowToolTip(index) : std::string();
        if (tip.empty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), QString::fromStdString(tip), viewport());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(Event);
}

void TDisAsmListView::resizeEvent(QResizeEvent* Event) {
    QAbstractScrollArea::resizeEvent(Event);
    UpdateScrollBar();
}

void TDisAsmListView::EnsureVisible(int Index) {
    if (Index < 0) return;
    if (Index < FTopIndex) {
        SetTopIndex(Index);
        return;
    }
    // Scroll down until the whole item fits.
    for (;;) {
        int y = 0;
        for (int i = FTopIndex; i <= Index; ++i) y += FHeights[i];
        if (y <= viewport()->height() || FTopIndex >= Index) break;
        ++FTopIndex;
    }
    UpdateScrollBar();
    viewport()->update();
}

void TDisAsmListView::MoveSelection(int NewIndex, bool Extend) {
    if (Count() == 0) return;
    NewIndex = std::clamp(NewIndex, 0, Count() - 1);
    const int anchor = !Extend ? -1 : FAnchor >= 0 ? FAnchor : FItemIndex;
    FExtending = true;
    emit SelectRequested(NewIndex);
    FExtending = false;
    FAnchor = anchor == NewIndex ? -1 : anchor;
    EnsureVisible(NewIndex);
    viewport()->update();
}

void TDisAsmListView::mousePressEvent(QMouseEvent* Event) {
    setFocus(Qt::MouseFocusReason);
    const int i = ItemAt(Event->position().toPoint());
    if (Event->button() == Qt::LeftButton) {
        if (i >= 0) MoveSelection(i, Event->modifiers() & Qt::ShiftModifier);
    } else if (Event->button() == Qt::RightButton) {
        emit RightButtonDown(i);
    }
}

void TDisAsmListView::mouseReleaseEvent(QMouseEvent* Event) { Event->accept(); }

void TDisAsmListView::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() != Qt::LeftButton) return;
    const int i = ItemAt(Event->position().toPoint());
    if (i >= 0) {
        MoveSelection(i);
        emit DoubleClicked();
    }
}

void TDisAsmListView::contextMenuEvent(QContextMenuEvent* Event) {
    if (Event->reason() == QContextMenuEvent::Keyboard) {
        OpenMenuAtSelection();
        return;
    }
    emit ContextMenuRequested(Event->globalPos());
}

void TDisAsmListView::OpenMenuAtSelection() {
    // From the keyboard the menu opens at the selected line, not where the mouse pointer is.
    EnsureVisible(FItemIndex);
    QRect r = ItemRect(FItemIndex);
    if (r.isEmpty()) r = QRect(0, 0, viewport()->width(), ItemHeight);
    emit ContextMenuRequested(viewport()->mapToGlobal(QPoint(r.left() + 40, r.bottom())));
}

void TDisAsmListView::keyPressEvent(QKeyEvent* Event) {
    const Qt::KeyboardModifiers mods = Event->modifiers() & ~Qt::KeypadModifier;
    if (Event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (Event->key() == Qt::Key_Menu || (Event->key() == Qt::Key_F10 && mods == Qt::ShiftModifier)) {
        OpenMenuAtSelection();
        return;
    }
    if (Count() == 0 || (mods & (Qt::ControlModifier | Qt::AltModifier))) {
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    }
    const bool extend = mods & Qt::ShiftModifier;
    const int cur = FItemIndex < 0 ? FTopIndex : FItemIndex;
    const int page = std::max(1, VisibleRowEstimate() - 1);
    switch (Event->key()) {
    case Qt::Key_Up: MoveSelection(FItemIndex < 0 ? cur : cur - 1, extend); break;
    case Qt::Key_Down: MoveSelection(FItemIndex < 0 ? cur : cur + 1, extend); break;
    case Qt::Key_PageUp: MoveSelection(cur - page, extend); break;
    case Qt::Key_PageDown: MoveSelection(cur + page, extend); break;
    case Qt::Key_Home: MoveSelection(0, extend); break;
    case Qt::Key_End: MoveSelection(Count() - 1, extend); break;
    default: QAbstractScrollArea::keyPressEvent(Event); return;
    }
    Event->accept();
}

void TDisAsmListView::wheelEvent(QWheelEvent* Event) {
    const int steps = Event->angleDelta().y() / 40;
    if (steps != 0) SetTopIndex(FTopIndex - steps);
    Event->accept();
}

} // namespace tarvolin
