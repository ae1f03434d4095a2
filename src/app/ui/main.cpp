// The desktop program: command-line conversions first, then the settings and the main window.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/converters.h"
#include "app/ui/misc_menu.h"
#include "base/version.h"
#include "persist/settings.h"
#include "app/ui/gui_bench.h"
#include "app/ui/qt_settings_store.h"
#include "app/ui/interface_language_setup.h"
#include "debugger/ui/main_frm.h"

int main(int argc, char** argv) {
    // "/DeLFSR FILE" and "/DeJAVA FILE" convert and end before any window exists.
    int exitCode = 0;
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Tarvolin %s\n", tarvolin::ProgramVersionText().c_str());
        return 0;
    }
    if (tarvolin::RunCommandLineConversion(argc, argv, exitCode)) return exitCode;
    if (argc > 1 && (std::strcmp(argv[1], "--gui-bench") == 0 || std::strcmp(argv[1], "--gui-bench-pace") == 0 ||
                     std::strcmp(argv[1], "--screenshot") == 0))
        return tarvolin::GuiBenchMain(argc, argv);

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tarvolin");
    QCoreApplication::setApplicationName("Tarvolin");
    QCoreApplication::setApplicationVersion(TARVOLIN_VERSION_STRING);

    tarvolin::TQtSettingsStore store;
    tarvolin::TSettings settings(store);
    settings.LoadSettings();
    // The interface language chosen for this executable, for the whole run.
    tarvolin::SetUpInterfaceLanguage(store);

    tarvolin::TMainFrm window(settings);
    tarvolin::InstallMiscMenu(window);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1) window.SetCommandLineArgument(args[1].toStdString());
    window.show();
    return app.exec();
}
