// "Breakpoint addresses": reviews and deletes the code, read, write and change breakpoints.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace tarvolin {

class TBreakpointsDlg : public QDialog {
    Q_OBJECT
public:
    enum TKind { bkCode = 0, bkRead = 1, bkWrite = 2, bkChange = 3 };
    struct TItem {
        std::string Text; // as shown: the address text, or two hex digits for RAM
        int Addr = 0;
    };
    using TLists = std::array<std::vector<TItem>, 4>;

    // Confirm: asks a Yes/No question (through the window's prompter); GoTo: a double click on a
    // code breakpoint line asks the main window to show that address; the dialog stays open.
    TBreakpointsDlg(QWidget* Parent, const TLists& Lists, std::function<bool(const std::string&)> Confirm,
                    std::function<void(int Addr)> GoTo);

    // The addresses of each list in the order shown (sorted by text).
    std::array<std::vector<int>, 4> Addresses() const;
    QListWidget* List(TKind Kind) const { return FLists[Kind]; }
    QPushButton* DeleteButton(TKind Kind) const { return FDeleteButtons[Kind]; }
    QPushButton* DeleteAllButton() const { return FDeleteAllButton; }

    void DeleteSelected(TKind Kind);
    void DeleteAll();

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void UpdateButtons();

    std::array<QListWidget*, 4> FLists{};
    std::array<QPushButton*, 4> FDeleteButtons{};
    QPushButton* FDeleteAllButton = nullptr;
    std::function<bool(const std::string&)> FConfirm;
    std::function<void(int)> FGoTo;
};

} // namespace tarvolin
