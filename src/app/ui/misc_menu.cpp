#include "app/ui/misc_menu.h"

#include <QAction>

#include "app/ui/about_dlg.h"
#include "app/ui/update_check.h"
#include "app/ui/useful_links_dlg.h"
#include "base/interface_language.h"
#include "base/options.h"
#include "base/version.h"
#include "debugger/ui/main_frm.h"

namespace tarvolin {

TUpdateChecker* InstallMiscMenu(TMainFrm& Window) {
    if (QAction* About = Window.Action("MiscAbout")) {
        QObject::connect(About, &QAction::triggered, &Window, [&Window] {
            TAboutDlg Dialog(Window.Prompter(), &Window);
            Dialog.exec();
        });
        About->setEnabled(true);
    }
    if (QAction* Links = Window.Action("MiscUsefulLinks")) {
        QObject::connect(Links, &QAction::triggered, &Window, [&Window] {
            TUsefulLinksDlg Dialog(Window.Prompter(), Window.TaskRunner(), &Window);
            Dialog.exec();
        });
        Links->setEnabled(true);
    }
    auto* Checker = new TUpdateChecker(&Window);
    QObject::connect(&Window, &TMainFrm::FirstShown, Checker, [Checker] {
        TUpdateCheck Check;
        Check.Server = Options().UpdateServer;
        Check.Russian = RussianUIActive();
        Check.Current = ProgramVersion();
        Check.IgnoreCertificateErrors = Options().IgnoreCertificateErrors;
        Checker->Start(Check);
    });
    return Checker;
}

} // namespace tarvolin
