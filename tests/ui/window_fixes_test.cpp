// The window's smaller aids, offscreen: input dialogs that show their whole title, the opcode
// legend beside the window and off its status bar, the RAM cell DP points at with a memory
// breakpoint, and the Game menu's recent ROMs.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>

#include "base/options.h"
#include "debugger/ui/breakpoints_dialog.h"
#include "debugger/ui/input_dlg.h"
#include "debugger/ui/main_frm.h"
#include "disasm/assembler.h"
#include "disasm/ui/code_aid_windows.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// The tests here ask no questions.
using SilentPrompter = TRecordingPrompter;

std::string WriteROM(const QTemporaryDir& Dir, const char* Name, const char* Source) {
    return WriteAssembledROM(Dir.filePath(Name), Source).toStdString();
}

const char* const ProgramA = "        .org 3C0\nstart:  LAX   Acc,0x5\nloop:   TR    loop\n";
const char* const ProgramB = "        .org 3C0\nstart:  LAX   Acc,0x9\nloop:   TR    loop\n";

} // namespace

class WindowFixesTest : public QObject {
    Q_OBJECT
private slots:
    void init() { Options() = TOptions{}; }
    void InputDialogsAreWideEnoughForTheirTitles();
    void TheOpcodeLegendStaysOffTheStatusBar();
    void TheDPCellShowsItsMemoryBreakpoint();
    void RecentROMsReloadAFileFromTheGameMenu();
    void HelpAndVersionAnswerOnTheCommandLine();
    void BadNumbersAndScreenshotTargetsAreRefusedBeforeWriting();
    void TheBreakpointsDialogShowsInstructionsAndValues();
};

void WindowFixesTest::InputDialogsAreWideEnoughForTheirTitles() {
    QFont bold = QApplication::font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    for (const char* title : {"Enter hexadecimal value (0000-3FFF)", "Enter 0 or 1",
                              "Enter address in Bank:Page:Step notation", "Enter your description of address 1:F:3F"}) {
        TInputDlg dlg(nullptr, title, {"T"}, {"0000"}, {}, {});
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        // The title and room for the title bar's icon and buttons.
        QVERIFY2(dlg.width() >= fm.horizontalAdvance(title) + 3 * fm.height(), title);
    }
}

void WindowFixesTest::TheOpcodeLegendStaysOffTheStatusBar() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    // A small window leaves room beside it; a window filling the screen leaves none.
    for (const QRect& geometry : {QRect(screen.left() + 10, screen.top() + 40, 300, 140), screen}) {
        QMainWindow main;
        main.setCentralWidget(new QLabel("list"));
        main.statusBar()->showMessage("Ready.");
        main.setGeometry(geometry);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto* legend = new TOpcodeLegendForm(&main);
        legend->ShowOpcodeLegend(nullptr, 0x5F, 0x12);
        QVERIFY(QTest::qWaitForWindowExposed(legend));
        const QStatusBar* bar = main.statusBar();
        const QRect barRect(bar->mapToGlobal(QPoint(0, 0)), bar->size());
        // A window manager frames the window after it appears.
        QTRY_VERIFY(!legend->frameGeometry().intersects(barRect));
        QVERIFY(screen.contains(legend->frameGeometry().topLeft()));
        if (geometry != screen) QVERIFY(!legend->frameGeometry().intersects(main.frameGeometry()));
        // A longer explanation keeps it off the status bar too.
        legend->ShowOpcodeLegend(nullptr, 0x70, 0xC5);
        QTRY_VERIFY(!legend->frameGeometry().intersects(barRect));
    }
}

void WindowFixesTest::TheDPCellShowsItsMemoryBreakpoint() {
    QTemporaryDir dir;
    TMemorySettingsStore store;
    TSettings settings(store);
    TMainFrm window(settings);
    SilentPrompter prompter;
    window.SetPrompterOverride(&prompter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.Command([&] { window.Debugger().Loading().LoadGame(&TSHARP_SM5A_MCU::Class, WriteROM(dir, "a.rom", ProgramA)); });
    QVERIFY(window.Debugger().IsGameLoaded());
    const T7bits cell = AdjustDP(window.Debugger().MCU()->DP);
    window.Command([&] { window.Debugger().Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, cell); });
    TValueLabel* label = window.Panes()->Value(prRAM0 + cell);
    const QImage shot = label->grab().toImage();
    const QColor dp(0xB0, 0xB0, 0xF0), breakpoint(0xF0, 0xB0, 0xB0);
    QCOMPARE(shot.pixelColor(1, 1), dp);
    QCOMPARE(shot.pixelColor(shot.width() - 2, shot.height() - 2), breakpoint);
}

void WindowFixesTest::RecentROMsReloadAFileFromTheGameMenu() {
    QTemporaryDir dir;
    TMemorySettingsStore store;
    TSettings settings(store);
    TMainFrm window(settings);
    SilentPrompter prompter;
    window.SetPrompterOverride(&prompter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QMenu* recent = window.GameMenu()->findChild<QMenu*>("GameRecentROMs");
    QVERIFY(recent);
    emit window.GameMenu()->aboutToShow();
    QVERIFY(!recent->isEnabled()); // nothing loaded yet

    const std::string a = WriteROM(dir, "a.rom", ProgramA), b = WriteROM(dir, "b.rom", ProgramB);
    window.Command([&] { window.Debugger().Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, a); });
    window.Command([&] { window.Debugger().Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, b); });
    QCOMPARE(window.Debugger().MCU()->ROM[0x3C0], uint8_t(0x29)); // LAX 9
    emit window.GameMenu()->aboutToShow();
    QVERIFY(recent->isEnabled());
    emit recent->aboutToShow();
    QStringList captions;
    for (QAction* act : recent->actions())
        if (!act->isSeparator()) captions << act->text();
    const QString game = QString::fromStdString(TSHARP_SM5A_MCU::Class.GameName());
    QCOMPARE(captions, QStringList({"&1 " + game + " - " + QString::fromStdString(b),
                                    "&2 " + game + " - " + QString::fromStdString(a), "&Clear list"}));
    recent->actions().at(1)->trigger();
    QCOMPARE(window.Debugger().MCU()->ROM[0x3C0], uint8_t(0x25)); // LAX 5 again
    QVERIFY(window.Action("DebugTraceInto")->isEnabled());
    QVERIFY(prompter.Messages.empty());
}

void WindowFixesTest::HelpAndVersionAnswerOnTheCommandLine() {
    struct Case {
        QStringList Args;
        int Exit;
        QString Pattern; // on standard output, or on standard error for a failure
    };
    const Case cases[] = {
        {{"--help"}, 0, "^Usage: tarvolin \\[options\\] \\[GAME \\| FILE\\.dbgsession \\| ROMFILE\\]\n(.|\n)*--screenshot(.|\n)* MH06 "},
        {{"-h"}, 0, "^Usage: tarvolin "},
        {{"--version"}, 0, "^Tarvolin [0-9]+\\.[0-9]+\\.[0-9]+\n$"},
        {{"--bogus"}, 2, "unknown option '--bogus'"},
    };
    for (const Case& c : cases) {
        QProcess p;
        p.start(TARVOLIN_BINARY_DIR "/src/tarvolin", c.Args);
        QVERIFY(p.waitForFinished(20000));
        const QString out = QString::fromUtf8(c.Exit == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
        QCOMPARE(p.exitCode(), c.Exit);
        QVERIFY2(out.contains(QRegularExpression(c.Pattern)), qPrintable(out));
        QVERIFY(!out.contains("Cannot find file"));
    }
    // What went to standard output must have arrived.
    if (QFile::exists("/dev/full")) {
        QProcess p;
        p.setStandardOutputFile("/dev/full");
        p.start(TARVOLIN_BINARY_DIR "/src/tarvolin", {"--help"});
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("cannot write to standard output"));
    }
}

void WindowFixesTest::BadNumbersAndScreenshotTargetsAreRefusedBeforeWriting() {
    QTemporaryDir dir;
    const QString rom = QString::fromStdString(WriteROM(dir, "a.rom", ProgramA));
    // A ROM whose name has an image suffix: naming it as the picture must not destroy it.
    const QString romPng = QString::fromStdString(WriteROM(dir, "rom.png", ProgramA));
    const QString text = dir.filePath("notes.txt");
    const QString png = dir.filePath("shot.png");
    struct Case {
        QStringList Args;
        QString Message;
    };
    const Case cases[] = {
        {{"--screenshot", rom, text}, "its suffix names no image format"},
        {{"--screenshot", rom, dir.filePath("noext")}, "its suffix names no image format"},
        {{"--screenshot", romPng, romPng}, "it is the ROM file itself"},
        {{"--screenshot", rom, png, "-5"}, "'-5' is negative"},
        {{"--screenshot", rom, png, "2.5"}, "RUN_MILLISECONDS must be a whole number from 0 to 60000, not '2.5'"},
        {{"--screenshot", rom, png, "99999999999"}, "not '99999999999'"},
        {{"--screenshot", rom, png, "12abc"}, "not '12abc'"},
        {{"--screenshot", rom}, "usage: tarvolin --screenshot"},
        {{"--gui-bench", rom, "-1"}, "'-1' is negative"},
        {{"--gui-bench", rom, "3601"}, "SECONDS must be a number above 0 and at most 3600, not '3601'"},
        {{"--gui-bench-pace", "MH06", rom, "1e400"}, "not '1e400'"},
        {{"--gui-bench", rom, "nan"}, "not 'nan'"},
        {{"--gui-bench", rom, "0"}, "not '0'"},
        {{"/DeLFSR"}, "Missing value after '--delfsr'"},
        {{"--dejava", text, "--delfsr", text}, "give one of"},
        {{"a.rom", "b.rom"}, "unexpected argument 'b.rom'"},
    };
    QFile::copy(rom, text);
    const QByteArray romBytes = [&] {
        QFile f(romPng);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    for (const Case& c : cases) {
        QProcess p;
        p.start(TARVOLIN_BINARY_DIR "/src/tarvolin", c.Args);
        QVERIFY(p.waitForFinished(20000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        QCOMPARE(p.exitCode(), 2);
        QVERIFY2(err.contains(c.Message), qPrintable(c.Args.join(' ') + ": " + err));
    }
    QVERIFY2(!QFile::exists(png), "no picture for a refused command line");
    QVERIFY(!QFile::exists(dir.filePath("noext")));
    QFile f(romPng);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), romBytes);
    QCOMPARE(QFileInfo(text).size(), qint64(1856)); // the text file is as it was

    // A good one writes the picture (through the safe writer) and says so.
    QProcess p;
    p.setProcessEnvironment([] {
        auto e = QProcessEnvironment::systemEnvironment();
        e.insert("QT_QPA_PLATFORM", "offscreen");
        return e;
    }());
    p.start(TARVOLIN_BINARY_DIR "/src/tarvolin", {"--screenshot", rom, png, "50"});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), "wrote " + png + "\n");
    QFile shot(png);
    QVERIFY(shot.open(QIODevice::ReadOnly));
    QCOMPARE(shot.read(8), QByteArray("\x89PNG\r\n\x1a\n"));
}

void WindowFixesTest::TheBreakpointsDialogShowsInstructionsAndValues() {
    QTemporaryDir dir;
    TMemorySettingsStore store;
    TSettings settings(store);
    TMainFrm window(settings);
    SilentPrompter prompter;
    window.SetPrompterOverride(&prompter);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TDebugger& d = window.Debugger();
    window.Command([&] { d.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, WriteROM(dir, "a.rom", ProgramA)); });
    d.Breakpoints().ToggleCodeBreakpoint(0x3C1);
    d.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Read, 0x07);
    d.MCU()->RAM[0x07] = 0xC;
    QStringList shown;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<TBreakpointsDlg*>(QApplication::activeModalWidget());
        if (!dlg) return;
        for (auto kind : {TBreakpointListKind::Code, TBreakpointListKind::Read}) {
            QListWidget* list = dlg->List(kind);
            // What the line shows: the delegate's text, drawn into an image of the line.
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.font = list->font();
            const QModelIndex index = list->model()->index(0, 0);
            const QSize hint = list->itemDelegate()->sizeHint(option, index);
            const int addressOnly = QFontMetrics(list->font()).horizontalAdvance(list->item(0)->text());
            shown << list->item(0)->text() + "|" + list->item(0)->toolTip() + "|" + (hint.width() > addressOnly + 40 ? "wide" : "narrow");
        }
        dlg->reject();
    });
    window.Action("DebugBreakpoints")->trigger();
    QCOMPARE(shown, QStringList({"3C1|TR 3C1|wide", "07|= C|wide"}));
}

QTEST_MAIN(WindowFixesTest)
#include "window_fixes_test.moc"
