#include "app/ui/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <cmath>
#include <filesystem>

#include "base/safe_file.h"
#include "games/game_catalogue.h"

namespace tarvolin {

namespace {

// The old Windows-style switches keep working: "/DeLFSR" and "/DeJAVA" in any letter case are
// the same as --delfsr and --dejava. A path such as "/home/x.rom" is no switch.
QStringList Normalized(const QStringList& Args) {
    QStringList r = Args;
    for (int i = 1; i < r.size(); ++i) {
        if (r[i].compare("/DeLFSR", Qt::CaseInsensitive) == 0) r[i] = "--delfsr";
        else if (r[i].compare("/DeJAVA", Qt::CaseInsensitive) == 0) r[i] = "--dejava";
    }
    return r;
}

struct TParser {
    QCommandLineParser P;
    QCommandLineOption DeLFSR{"delfsr", "Writes FILE.seq: a ROM dump with each 64-byte page in step order.", "FILE"};
    QCommandLineOption DeJAVA{"dejava", "Writes FILE.seq from a text of byte values (stored inverted).", "FILE"};
    QCommandLineOption GuiBench{"gui-bench",
                                "Measures the window's unattended run at full emulation speed: --gui-bench "
                                "[GAME] ROMFILE [SECONDS] (default 5, at most 3600)."};
    QCommandLineOption GuiBenchPace{"gui-bench-pace",
                                    "Measures how closely the window keeps real time: --gui-bench-pace [GAME] "
                                    "ROMFILE [SECONDS] (default 10, at most 3600)."};
    QCommandLineOption Screenshot{"screenshot",
                                  "Runs ROMFILE briefly and saves a picture of the window: --screenshot ROMFILE "
                                  "IMAGEFILE [RUN_MILLISECONDS] (default 700, at most 60000); the picture's "
                                  "format follows IMAGEFILE's suffix (.png, .bmp, .jpg, ...)."};
    QCommandLineOption Help{QStringList{"h", "help"}, "Shows this text."};
    QCommandLineOption Version{"version", "Shows the program's version."};

    TParser() {
        P.setApplicationDescription("The emulator and debugger of the SHARP SM-5A and KB1013VK1-2 microcontrollers.");
        P.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        P.addOptions({DeLFSR, DeJAVA, GuiBench, GuiBenchPace, Screenshot, Help, Version});
        P.addPositionalArgument("FILE",
                                "A game of the catalogue by its short name (any letter case; its ROM file "
                                "is asked for the first time), a debug session (FILE.dbgsession), or any "
                                "other file, loaded as the ROM of a custom game.",
                                "[GAME | FILE.dbgsession | ROMFILE]");
    }
};

// A number with nothing else around it, from Min to Max.
bool ParseNumber(const QString& Text, double Min, double Max, double& Value) {
    bool ok = false;
    Value = Text.toDouble(&ok);
    return ok && std::isfinite(Value) && Value >= Min && Value <= Max;
}

QString UnknownOption(const QStringList& Args, const QString& Name) {
    for (int i = 1; i < Args.size(); ++i) {
        const QString a = Args[i].section('=', 0, 0);
        if (a.startsWith('-') && a.mid(a.startsWith("--") ? 2 : 1) == Name) return a;
    }
    return "--" + Name;
}

} // namespace

QString EarlyCommandLineError(const QStringList& RawArgs) {
    const QStringList Args = Normalized(RawArgs);
    TParser Parser;
    if (Parser.P.parse(Args) || Parser.P.unknownOptionNames().isEmpty()) return {};
    // Qt's own options (-platform, -style, -reverse, ...) take one dash; those are left to Qt.
    const QString Option = UnknownOption(Args, Parser.P.unknownOptionNames().first());
    return Option.startsWith("--") ? "unknown option '" + Option + "'" : QString();
}

bool IsToolCommandLine(const QStringList& Args) {
    static const QStringList Switches = {"-h", "--help", "--version", "--delfsr", "--dejava",
                                         "--gui-bench", "--gui-bench-pace", "--screenshot"};
    const QStringList N = Normalized(Args);
    for (int i = 1; i < N.size(); ++i)
        if (Switches.contains(N[i].section('=', 0, 0))) return true;
    return false;
}

QString CommandLineHelp() {
    TParser Parser;
    QString Text = Parser.P.helpText();
    Text.replace(QRegularExpression("^Usage: [^ ]*"), "Usage: tarvolin");
    Text += "\nThe switches /DeLFSR and /DeJAVA (any letter case) are --delfsr and --dejava.\n\nGames:";
    int Column = 80; // a new line before the first name
    for (const TMCUClass* Game : GameClasses()) {
        if (Game->IsCustomGame()) continue;
        const QString Name = QString::fromStdString(Game->ShortGameName());
        if (Column + 1 + Name.size() > 78) {
            Text += "\n ";
            Column = 1;
        }
        Text += " " + Name;
        Column += 1 + Name.size();
    }
    return Text + "\n";
}

QString ParseCommandLine(const QStringList& RawArgs, TCommandLine& R) {
    using M = TCommandLine::TMode;
    const QStringList Args = Normalized(RawArgs);
    TParser Parser;
    QCommandLineParser& P = Parser.P;
    if (!P.parse(Args)) {
        if (!P.unknownOptionNames().isEmpty()) {
            const QString Option = UnknownOption(Args, P.unknownOptionNames().first());
            bool Number = false;
            Option.toDouble(&Number);
            if (Number) return "'" + Option + "' is negative: times and counts are at least 0";
            return "unknown option '" + Option + "'";
        }
        return P.errorText();
    }
    int Modes = 0;
    for (const QCommandLineOption* O : {&Parser.DeLFSR, &Parser.DeJAVA, &Parser.GuiBench, &Parser.GuiBenchPace,
                                        &Parser.Screenshot})
        Modes += P.isSet(*O) ? 1 : 0;
    if (P.isSet(Parser.Help)) {
        R.Mode = M::Help;
        return {};
    }
    if (P.isSet(Parser.Version)) {
        R.Mode = M::Version;
        return {};
    }
    if (Modes > 1) return "give one of --delfsr, --dejava, --gui-bench, --gui-bench-pace and --screenshot";
    const QStringList Pos = P.positionalArguments();
    if (P.isSet(Parser.DeLFSR) || P.isSet(Parser.DeJAVA)) {
        R.Mode = P.isSet(Parser.DeLFSR) ? M::DeLFSR : M::DeJAVA;
        R.Argument = P.value(R.Mode == M::DeLFSR ? Parser.DeLFSR : Parser.DeJAVA).toStdString();
        if (R.Argument.empty()) return "the conversion needs a FILE";
        if (!Pos.isEmpty()) return "unexpected argument '" + Pos.first() + "'";
        return {};
    }
    if (P.isSet(Parser.Screenshot)) {
        R.Mode = M::Screenshot;
        if (Pos.size() < 2 || Pos.size() > 3) return "usage: tarvolin --screenshot ROMFILE IMAGEFILE [RUN_MILLISECONDS]";
        R.ROMFile = Pos[0].toStdString();
        R.ImageFile = Pos[1].toStdString();
        if (Pos.size() == 3) {
            double v = 0;
            if (!ParseNumber(Pos[2], 0, 60000, v) || v != std::floor(v))
                return "RUN_MILLISECONDS must be a whole number from 0 to 60000, not '" + Pos[2] + "'";
            R.RunMilliseconds = static_cast<int>(v);
        }
        return {};
    }
    if (P.isSet(Parser.GuiBench) || P.isSet(Parser.GuiBenchPace)) {
        const bool Full = P.isSet(Parser.GuiBench);
        R.Mode = Full ? M::GuiBench : M::GuiBenchPace;
        R.Seconds = Full ? 5.0 : 10.0;
        int Next = 0;
        // [GAME] ROMFILE [SECONDS]: a first argument that names a catalogue game, followed by a ROM.
        if (Pos.size() > 1)
            if (const TMCUClass* Class = FindGameClass(Pos[0].toStdString()); Class && !Class->IsCustomGame()) {
                R.Game = Class->ShortGameName();
                Next = 1;
            }
        if (Pos.size() <= Next || Pos.size() > Next + 2)
            return QString("usage: tarvolin %1 [GAME] ROMFILE [SECONDS]").arg(Full ? "--gui-bench" : "--gui-bench-pace");
        R.ROMFile = Pos[Next].toStdString();
        if (Pos.size() == Next + 2 && (!ParseNumber(Pos[Next + 1], 0, 3600, R.Seconds) || R.Seconds <= 0))
            return "SECONDS must be a number above 0 and at most 3600, not '" + Pos[Next + 1] + "'";
        return {};
    }
    R.Mode = M::Window;
    if (Pos.size() > 1) return "unexpected argument '" + Pos[1] + "' (give one game, session or ROM file)";
    if (!Pos.isEmpty()) R.Argument = Pos[0].toStdString();
    return {};
}

QString CheckScreenshotTarget(const std::string& ROMFile, const std::string& ImageFile) {
    const QString Name = QString::fromStdString(ImageFile);
    const QByteArray Suffix = QFileInfo(Name).suffix().toLower().toLatin1();
    if (Suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(Suffix)) {
        QStringList Known;
        for (const QByteArray& f : QImageWriter::supportedImageFormats()) Known << QString::fromLatin1(f);
        return QString("cannot write \"%1\": its suffix names no image format this program writes (%2)")
            .arg(Name, Known.join(", "));
    }
    if (SameFile(ROMFile, ImageFile))
        return QString("cannot write \"%1\": it is the ROM file itself; name another file").arg(Name);
    return {};
}

} // namespace tarvolin
