// The Useful Links window: nine descriptions, each above its link. A click opens the link
// through the desktop; the links' pop-up menu copies one; double-clicking "Home page of this
// debugger" with Shift and Ctrl held checks the ROM download addresses of the catalogue.
#pragma once

#include <QDialog>
#include <vector>

class QMenu;

namespace tarvolin {

class TDoubleClickLabel;
class TLinkLabel;
class TPrompter;
class TTaskRunner;

struct TUsefulLink {
    const char* Description;
    const char* Link; // "" = the program's home page (from the settings)
};
// The nine entries in their order.
const std::vector<TUsefulLink>& UsefulLinks();

class TUsefulLinksDlg : public QDialog {
    Q_OBJECT
public:
    TUsefulLinksDlg(TPrompter& Prompter, TTaskRunner& Tasks, QWidget* Parent = nullptr);

    // Parts, for tests.
    const std::vector<TLinkLabel*>& Links() const { return FLinks; }
    TDoubleClickLabel* HomePageDescription() const { return FHome; }
    QMenu* LinkMenu() const { return FMenu; }

private:
    void CheckROMAddresses();

    TPrompter& FPrompter;
    TTaskRunner& FTasks;
    std::vector<TLinkLabel*> FLinks;
    TDoubleClickLabel* FHome = nullptr;
    QMenu* FMenu = nullptr;
};

} // namespace tarvolin
