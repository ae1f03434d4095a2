// "Breakpoint addresses": a view of the breakpoints dialog model; reviews and deletes the
// code, read, write and change breakpoints.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "debugger/breakpoint_lists.h"

class QListWidget;
class QPushButton;

namespace tarvolin {

class TBreakpointsDlg : public QDialog {
    Q_OBJECT
public:
    // ConfirmDeleteAll asks "Are you sure you want to delete all breakpoints?" (through the
    // window's prompter); GoTo shows a code address in the main window, the dialog stays open.
    TBreakpointsDlg(QWidget* Parent, TBreakpointsDialogModel& Model, std::function<bool()> ConfirmDeleteAll,
                    std::function<void(T11bits Addr)> GoTo);

    QListWidget* List(TBreakpointListKind Kind) const { return FLists[size_t(Kind)]; }
    QPushButton* DeleteButton(TBreakpointListKind Kind) const { return FDeleteButtons[size_t(Kind)]; }
    QPushButton* DeleteAllButton() const { return FDeleteAllButton; }

    // The buttons' actions.
    void DeleteSelected(TBreakpointListKind Kind);
    void DeleteAll();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void Fill(TBreakpointListKind Kind);
    void UpdateButtons();

    TBreakpointsDialogModel& FModel;
    std::array<QListWidget*, 4> FLists{};
    std::array<QPushButton*, 4> FDeleteButtons{};
    QPushButton* FDeleteAllButton = nullptr;
    std::function<bool()> FConfirmDeleteAll;
    std::function<void(T11bits)> FGoTo;
    bool FFilling = false;
};

} // namespace tarvolin
