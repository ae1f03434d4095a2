// The desktop program's command line, parsed by QCommandLineParser before any window exists:
//   tarvolin [GAME | FILE.dbgsession | ROMFILE]
//   tarvolin /DeLFSR FILE | /DeJAVA FILE        (also --delfsr, --dejava; any letter case)
//   tarvolin --gui-bench [GAME] ROMFILE [SECONDS] | --gui-bench-pace [GAME] ROMFILE [SECONDS]
//   tarvolin --screenshot ROMFILE IMAGEFILE [RUN_MILLISECONDS]
//   tarvolin --help | --version
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace tarvolin {

struct TCommandLine {
    enum class TMode { Window, Help, Version, DeLFSR, DeJAVA, GuiBench, GuiBenchPace, Screenshot };
    TMode Mode = TMode::Window;
    std::string Argument;  // the window's GAME, session or ROM; a converter's FILE
    std::string Game;      // --gui-bench: a catalogue game's short name, or empty
    std::string ROMFile;   // --gui-bench, --screenshot
    std::string ImageFile; // --screenshot
    double Seconds = 0;    // --gui-bench (default 5), --gui-bench-pace (default 10)
    int RunMilliseconds = 700;
};

// Parses Args (Args[0] is the program). Returns an empty text, or the message of a bad command
// line (the program then exits with status 2).
QString ParseCommandLine(const QStringList& Args, TCommandLine& Result);

// Whether Args asks for something that needs no window of the main program's own (help, version,
// a conversion, a benchmark or a screenshot): those are parsed before Qt takes its own options.
bool IsToolCommandLine(const QStringList& Args);

// An option of two dashes that the program does not know is refused before Qt starts (no
// display is needed to say so); returns the message, or an empty text.
QString EarlyCommandLineError(const QStringList& Args);

// The text of --help: generated from the parser's definitions, then the catalogue's games.
QString CommandLineHelp();

// --screenshot: the file must be written as an image format the program can write (by its
// suffix) and must not be the ROM itself. Returns an empty text or the reason for refusing.
QString CheckScreenshotTarget(const std::string& ROMFile, const std::string& ImageFile);

} // namespace tarvolin
