// The desktop program: command-line conversions first, then the settings and the main window.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/converters.h"
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

const char* const UsageText =
    "Usage: tarvolin [GAME | FILE.dbgsession | ROMFILE]\n"
    "       tarvolin /DeLFSR FILE | /DeJAVA FILE\n"
    "       tarvolin --gui-bench [GAME] ROMFILE [SECONDS]\n"
    "       tarvolin --gui-bench-pace [GAME] ROMFILE [SECONDS]\n"
    "       tarvolin --screenshot ROMFILE PNGFILE [RUN_MILLISECONDS]\n"
    "       tarvolin --help | --version\n"
    "\n"
    "The emulator and debugger of the SHARP SM-5A and KB1013VK1-2 microcontrollers.\n"
    "\n"
    "  GAME              loads a game of the catalogue by its short name (any letter case);\n"
    "                    its ROM file is asked for the first time\n"
    "  FILE.dbgsession   opens a debug session\n"
    "  ROMFILE           loads any other file as the ROM of a custom game\n"
    "  /DeLFSR FILE      writes FILE.seq: a ROM dump with each 64-byte page in step order\n"
    "  /DeJAVA FILE      writes FILE.seq from a text of byte values (stored inverted)\n"
    "  --gui-bench       measures the window's unattended run at full emulation speed\n"
    "  --gui-bench-pace  measures how closely the window keeps real time\n"
    "  --screenshot      runs ROMFILE briefly and saves a picture of the window\n"
    "  --help            shows this text\n"
    "  --version         shows the program's version\n"
    "\n"
    "Games:";

void PrintUsage() {
    std::string text = UsageText;
    size_t column = 80; // start a new line before the first name
    for (const tarvolin::TMCUClass* game : tarvolin::GameClasses()) {
        if (game->IsCustomGame()) continue;
        const std::string name = game->ShortGameName();
        if (column + 1 + name.size() > 78) {
            text += "\n ";
            column = 1;
        }
        text += " " + name;
        column += 1 + name.size();
    }
    std::printf("%s\n", text.c_str());
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer without a display.
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        PrintUsage();
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Tarvolin %s\n", tarvolin::ProgramVersionText().c_str());
        return 0;
    }
    // "/DeLFSR FILE" and "/DeJAVA FILE" convert and end before any window exists.
    int exitCode = 0;
    if (tarvolin::RunCommandLineConversion(argc, argv, exitCode)) return exitCode;
    if (argc > 1 && (std::strcmp(argv[1], "--gui-bench") == 0 || std::strcmp(argv[1], "--gui-bench-pace") == 0 ||
                     std::strcmp(argv[1], "--screenshot") == 0))
        return tarvolin::GuiBenchMain(argc, argv);

    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tarvolin");
    QCoreApplication::setApplicationName("Tarvolin");
    QCoreApplication::setApplicationVersion(TARVOLIN_VERSION_STRING);
    // Qt has taken its own options out of the arguments; another option is not a file name.
    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1 && args[1].startsWith("--")) {
        std::fprintf(stderr, "tarvolin: unknown option '%s' (tarvolin --help lists the options)\n",
                     qPrintable(args[1]));
        return 2;
    }

    tarvolin::TQtSettingsStore store;
    tarvolin::TSettings settings(store);
    settings.LoadSettings();
    // The interface language chosen for this executable, for the whole run.
    tarvolin::SetUpInterfaceLanguage(store);

    // Pictures of the user's own in the data folder replace the built-in LCD images.
    tarvolin::SetArtworkFolder(tarvolin::ProgramFolder() / "artwork");

    tarvolin::TMainFrm window(settings);
    tarvolin::InstallMiscMenu(window);
    if (args.size() > 1) window.SetCommandLineArgument(args[1].toStdString());
    window.show();
    return app.exec();
}
