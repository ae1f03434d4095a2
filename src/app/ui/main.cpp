// The desktop program: command-line conversions and tools first, then the settings and the
// main window.
#include <QApplication>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/converters.h"
#include "app/ui/command_line.h"
#include "app/ui/misc_menu.h"
#include "base/program_folder.h"
#include "base/version.h"
#include "persist/settings.h"
#include "app/ui/gui_bench.h"
#include "app/ui/qt_settings_store.h"
#include "app/ui/interface_language_setup.h"
#include "debugger/ui/main_frm.h"
#include "games/game_catalogue.h"
#include "lcd/lcd_artwork.h"

namespace {

QStringList Arguments(int argc, char** argv) {
    QStringList Args;
    for (int i = 0; i < argc; ++i) Args << QString::fromLocal8Bit(argv[i]);
    return Args;
}

int BadCommandLine(const QString& Error) {
    std::fprintf(stderr, "tarvolin: %s (tarvolin --help lists the options)\n", qPrintable(Error));
    return 2;
}

// Whatever went to standard output must have arrived (a full disk is a failure).
int CheckedExit(int Code) {
    std::cout.flush();
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout) && std::cout) return Code;
    std::fprintf(stderr, "tarvolin: cannot write to standard output%s%s\n", errno ? ": " : "", errno ? std::strerror(errno) : "");
    return 1;
}

int Convert(const tarvolin::TCommandLine& Line) {
    try {
        const bool lfsr = Line.Mode == tarvolin::TCommandLine::TMode::DeLFSR;
        const auto out = lfsr ? tarvolin::ConvertDeLFSRFile(Line.Argument) : tarvolin::ConvertDeJAVAFile(Line.Argument);
        std::cout << "Wrote " << out.string() << "\n";
        return CheckedExit(0);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    using TMode = tarvolin::TCommandLine::TMode;
    tarvolin::TCommandLine Line;
    const QStringList Raw = Arguments(argc, argv);
    // Help, version, conversions and the tools answer without a display: their command line is
    // parsed before Qt takes its own options (-platform, -style, ...) out of it.
    if (const QString Error = tarvolin::EarlyCommandLineError(Raw); !Error.isEmpty()) return BadCommandLine(Error);
    if (tarvolin::IsToolCommandLine(Raw)) {
        if (const QString Error = tarvolin::ParseCommandLine(Raw, Line); !Error.isEmpty()) return BadCommandLine(Error);
        switch (Line.Mode) {
        case TMode::Help:
            std::fputs(qPrintable(tarvolin::CommandLineHelp()), stdout);
            return CheckedExit(0);
        case TMode::Version:
            std::printf("Tarvolin %s\n", tarvolin::ProgramVersionText().c_str());
            return CheckedExit(0);
        case TMode::DeLFSR:
        case TMode::DeJAVA:
            return Convert(Line);
        case TMode::GuiBench:
        case TMode::GuiBenchPace:
        case TMode::Screenshot:
            return CheckedExit(tarvolin::GuiBenchMain(Line, argc, argv));
        case TMode::Window:
            break;
        }
    }

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tarvolin");
    QCoreApplication::setApplicationName("Tarvolin");
    QCoreApplication::setApplicationVersion(TARVOLIN_VERSION_STRING);
    // Qt has taken its own options out of the arguments; what remains is the program's.
    if (const QString Error = tarvolin::ParseCommandLine(QCoreApplication::arguments(), Line); !Error.isEmpty())
        return BadCommandLine(Error);

    tarvolin::TQtSettingsStore store;
    tarvolin::TSettings settings(store);
    settings.LoadSettings();
    // The interface language chosen for this executable, for the whole run.
    tarvolin::SetUpInterfaceLanguage(store);

    // Pictures of the user's own in the data folder replace the built-in LCD images.
    tarvolin::SetArtworkFolder(tarvolin::UserArtworkFolder());

    tarvolin::TMainFrm window(settings);
    tarvolin::InstallMiscMenu(window);
    if (!Line.Argument.empty()) window.SetCommandLineArgument(Line.Argument);
    window.show();
    return app.exec();
}
