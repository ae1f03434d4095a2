// Labels that act as links: link colour, underlined, hand cursor; a click runs the label's
// action. TDoubleClickLabel reports double clicks with the modifier keys held.
#pragma once

#include <QLabel>
#include <QPointer>
#include <functional>

class QMenu;

namespace tarvolin {

class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    TLinkLabel(const QString& Text, QWidget* Parent = nullptr);
    // Run on a left click (the link's text is handed over).
    std::function<void(const QString&)> OnClick;
    // A pop-up menu shown on a right click; the menu's actions read LinkUnderMenu().
    void SetPopupMenu(QMenu* Menu) { FMenu = Menu; }
    // The label the shared pop-up menu was last opened on.
    static TLinkLabel* LinkUnderMenu() { return FUnderMenu.data(); }

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;

private:
    QMenu* FMenu = nullptr;
    static QPointer<TLinkLabel> FUnderMenu;
};

class TDoubleClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
    std::function<void(Qt::KeyboardModifiers)> OnDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
};

// Shift and Ctrl held (other modifiers do not matter): the hidden switches of the Misc windows.
bool ShiftAndCtrlHeld(Qt::KeyboardModifiers Modifiers);

} // namespace tarvolin
