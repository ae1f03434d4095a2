#include "app/ui/link_label.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tarvolin {

QPointer<TLinkLabel> TLinkLabel::FUnderMenu;

TLinkLabel::TLinkLabel(const QString& Text, QWidget* Parent) : QLabel(Text, Parent) {
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Link));
    setPalette(p);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) && OnClick)
        OnClick(text());
    QLabel::mouseReleaseEvent(Event);
}

void TLinkLabel::contextMenuEvent(QContextMenuEvent* Event) {
    if (!FMenu) return QLabel::contextMenuEvent(Event);
    FUnderMenu = this;
    FMenu->exec(Event->globalPos());
}

void TDoubleClickLabel::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (Event->button() == Qt::LeftButton && OnDoubleClick) OnDoubleClick(Event->modifiers());
    QLabel::mouseDoubleClickEvent(Event);
}

bool ShiftAndCtrlHeld(Qt::KeyboardModifiers Modifiers) {
    return Modifiers.testFlag(Qt::ShiftModifier) && Modifiers.testFlag(Qt::ControlModifier);
}

} // namespace tarvolin
