// The main window as a new user meets it: it fits small screens, its panes are docks kept
// between runs, it works from the keyboard alone, the game controls show their signs, and the
// Play layout shows a large LCD with large controls. With TARVOLIN_SCREENSHOT_DIR set (and a
// real display, see tools/screenshots.sh) it also saves pictures of the window filling the
// screen, in both layouts.
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QDir>
#include <QMimeData>
#include <QSaveFile>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <deque>
#include <fstream>
#include <set>

#include "base/options.h"
#include "debugger/ui/input_panel.h"
#include "debugger/ui/lcd_image_widget.h"
#include "debugger/ui/main_frm.h"
#include "disasm/assembler.h"
#include "games/game_catalogue.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// Answers questions with Yes/OK and input dialogs from a script.
class Prompter : public TPrompter {
public:
    std::vector<std::string> Messages;
    std::deque<std::string> Inputs;
    TMessageResult Message(TMessageKind, const std::string& Text, TMessageButtons Buttons) override {
        Messages.push_back(Text);
        return Buttons == TMessageButtons::OK ? TMessageResult::OK : TMessageResult::Yes;
    }
    bool Input(TInputDialog& Dialog) override {
        if (Inputs.empty()) return false;
        Dialog.Fields[0].Text = Inputs.front();
        Inputs.pop_front();
        return true;
    }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

const char* Program = ".org 3C0\nstart: LAX Acc,0x5\nloop: EXC Acc,(DP)\nTR loop\n";

} // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { FWindow.reset(); }
    void TheMinimumSizeFitsA1366x768ScreenAndOneAt150Percent();
    void AtThatSizeTheLCDRegisterRowsNeitherOverlapNorClip();
    void EscAfterAMenuClosedWithEscPausesOnTheFirstPress();
    void GameControlsShowSignsAndNameTheirFunctionAndKeys();
    void TheRawInputPageShowsWithNoGame();
    void TabReachesEveryPaneAndEachHasAName();
    void PanesWorkFromTheKeyboard();
    void TheListCopiesItsLinesAndOpensItsMenuAtTheSelection();
    void DocksAndGeometryAreKeptBetweenRuns();
    void ThePlayLayoutShowsALargePictureAndControlsAndGoesBack();
    void ToolbarStatusBarAndDroppedFiles();
    void Screenshots();

private:
    QString WriteROM(const char* Name);
    void Show(const std::string& Argument);

    QTemporaryDir FDir;
    std::unique_ptr<TMemorySettingsStore> FStore;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TMainFrm> FWindow;
    Prompter FPrompter;
};

void WindowLayoutTest::init() {
    Options() = TOptions{};
    FPrompter = Prompter{};
    FStore = std::make_unique<TMemorySettingsStore>();
    FSettings = std::make_unique<TSettings>(*FStore);
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
}

QString WindowLayoutTest::WriteROM(const char* Name) {
    return WriteAssembledROM(FDir.filePath(Name), Program);
}

// Shows the window with a command-line argument ("" = none) and waits for it to be acted on.
void WindowLayoutTest::Show(const std::string& Argument) {
    FWindow->SetCommandLineArgument(Argument);
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    // Without a window manager (Xvfb for the screenshots) a window may never become active.
    if (QGuiApplication::platformName() == "offscreen")
        QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    else
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    if (!Argument.empty()) QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
}

void WindowLayoutTest::TheMinimumSizeFitsA1366x768ScreenAndOneAt150Percent() {
    // The dosimeter has the widest controls page; at 150 % a 1920 x 1080 screen has the room of a
    // 1280 x 720 one.
    FSettings->SetROMFile("Altair", WriteROM("altair.rom").toStdString());
    Show("Altair");
    const QSize min = FWindow->minimumSizeHint().expandedTo(FWindow->minimumSize());
    qInfo("minimum size %d x %d", min.width(), min.height());
    for (const QSize screen : SmallScreens) {
        QVERIFY2(min.width() + FrameAllowanceWidth <= screen.width(), qPrintable(QString::number(min.width())));
        QVERIFY2(min.height() + FrameAllowanceHeight <= screen.height(), qPrintable(QString::number(min.height())));
    }
}

void WindowLayoutTest::AtThatSizeTheLCDRegisterRowsNeitherOverlapNorClip() {
    Show(WriteROM("t.rom").toStdString());
    // As a window manager would: the window made as small as the 150 % screen allows.
    FWindow->setMinimumSize(1, 1);
    FWindow->resize(1280 - FrameAllowanceWidth, 720 - FrameAllowanceHeight);
    QTRY_COMPARE(FWindow->height(), 720 - FrameAllowanceHeight);
    QApplication::processEvents();
    std::vector<QWidget*> labels;
    for (QLabel* l : FWindow->Panes()->LCDGroupBox->findChildren<QLabel*>())
        if (l->isVisibleTo(FWindow->Panes()->LCDGroupBox) || l->text() == "- digit -") labels.push_back(l);
    QVERIFY(labels.size() > 50);
    for (QWidget* a : labels) {
        QVERIFY2(a->height() >= a->fontMetrics().height(), qPrintable(static_cast<QLabel*>(a)->text()));
        for (QWidget* b : labels)
            if (a != b)
                QVERIFY2(!a->geometry().intersects(b->geometry()),
                         qPrintable(static_cast<QLabel*>(a)->text() + " / " + static_cast<QLabel*>(b)->text()));
    }
    // The status bar and the input panel stay inside the window.
    for (QWidget* w : {static_cast<QWidget*>(FWindow->statusBar()), static_cast<QWidget*>(FWindow->InputPanel())}) {
        QVERIFY(w->isVisible());
        QVERIFY(FWindow->rect().contains(QRect(w->mapTo(FWindow.get(), QPoint(0, 0)), w->size())));
    }
}

void WindowLayoutTest::EscAfterAMenuClosedWithEscPausesOnTheFirstPress() {
    Show(WriteROM("t.rom").toStdString());
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    // Open the Debug menu from the keyboard and close it with Esc.
    QMenuBar* bar = FWindow->menuBar();
    QAction* debug = nullptr;
    for (QAction* a : bar->actions())
        if (a->text() == "&Debug") debug = a;
    QVERIFY(debug);
    bar->setFocus();
    bar->setActiveAction(debug);
    QTRY_VERIFY(debug->menu()->isVisible());
    QTest::keyClick(debug->menu(), Qt::Key_Escape);
    QTRY_VERIFY(!debug->menu()->isVisible());
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : FWindow.get();
    QTest::keyClick(focus, Qt::Key_Escape);
    QVERIFY(FWindow->Debugger().Run().IsStopped());
}

void WindowLayoutTest::GameControlsShowSignsAndNameTheirFunctionAndKeys() {
    // MH06 uses the standard table with four diagonal arrows, a bell and the reset sign.
    FSettings->SetROMFile("MH06", WriteROM("mh06.rom").toStdString());
    Show("MH06");
    TInputPanel* panel = FWindow->InputPanel();
    const auto& defs = FWindow->Debugger().MCU()->GameControlDefs;
    QCOMPARE(panel->GameControls().size(), defs.size());
    int signs = 0;
    for (size_t i = 0; i < defs.size(); ++i) {
        TInputButton* b = panel->GameControls()[i];
        const bool symbolFont = defs[i].FFontName.rfind("Wingdings", 0) == 0;
        // No raw letter of a symbol font; a sign of our own, drawn in the button's middle.
        if (symbolFont) {
            QVERIFY2(b->text().isEmpty(), qPrintable(b->text()));
            const QImage shot = b->grab().toImage();
            const int face = shot.pixelColor(3, 3).lightness();
            int inked = 0;
            for (int y = 3; y < shot.height() - 3; ++y)
                for (int x = 3; x < shot.width() - 3; ++x) inked += std::abs(shot.pixelColor(x, y).lightness() - face) > 60;
            QVERIFY(inked > 10);
            ++signs;
        }
        // The hint names the function and the keys first.
        QVERIFY2(b->toolTip().contains(" - key"), qPrintable(b->toolTip()));
        QVERIFY(!b->accessibleName().isEmpty());
    }
    QVERIFY(signs >= 5);
    QVERIFY(panel->GameKeysLabel()->isVisible());
    QVERIFY(panel->GameKeysLabel()->text().contains("Upper left: W"));
    QVERIFY(FWindow->Action("GameKeys")->isVisible());
}

void WindowLayoutTest::TheRawInputPageShowsWithNoGame() {
    Show("");
    QVERIFY(FWindow->StartInfoPanel()->isVisible());
    QVERIFY(FWindow->InputPanel()->RawInputPage()->isVisible());
    QVERIFY(FWindow->InputPanel()->RawButton(rbDiK4)->isVisible());
}

void WindowLayoutTest::TabReachesEveryPaneAndEachHasAName() {
    Show(WriteROM("t.rom").toStdString());
    FWindow->DisAsmList()->setFocus();
    std::set<QWidget*> reached;
    for (int i = 0; i < 80 && reached.size() < 100; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    TStatePanes* p = FWindow->Panes();
    for (QWidget* pane : std::initializer_list<QWidget*>{p->RegistersGroupBox, p->RAMGroupBox, p->LCDGroupBox,
                                                         p->LCDImage, FWindow->InputPanel()->RawButton(rbDiK4)})
        QVERIFY2(reached.count(pane), qPrintable(pane->accessibleName()));
    // Every widget that takes the focus tells what it is.
    for (QWidget* w : FWindow->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || qobject_cast<QTabBar*>(w)) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), w->metaObject()->className());
    }
}

void WindowLayoutTest::PanesWorkFromTheKeyboard() {
    Show(WriteROM("t.rom").toStdString());
    TPaneBox* ram = FWindow->Panes()->RAMGroupBox;
    ram->setFocus();
    QCOMPARE(ram->CurrentRow(), int(prRAM0));
    QTest::keyClick(ram, Qt::Key_Right);
    QTest::keyClick(ram, Qt::Key_Down);
    QCOMPARE(ram->CurrentRow(), int(prRAM0 + 0x11));
    // Enter edits the cell; Ctrl+C copies its value.
    FPrompter.Inputs = {"7"};
    QTest::keyClick(ram, Qt::Key_Return);
    QCOMPARE(int(FWindow->Debugger().MCU()->RAM[0x11]), 7);
    QTest::keyClick(ram, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("7"));
    // Shift+F10 opens the cell's menu at the cell; its accelerator sets a memory breakpoint.
    QSignalSpy asked(FWindow->Panes(), &TStatePanes::RowPopupRequested);
    QTimer::singleShot(0, this, [&] {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_W);
    });
    QTest::keyClick(ram, Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(asked.size(), 1);
    const TValueLabel* cell = FWindow->Panes()->Value(prRAM0 + 0x11);
    QCOMPARE(asked[0][2].toPoint(), cell->mapToGlobal(cell->rect().center()));
    QVERIFY(FWindow->Debugger().Breakpoints().IsMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x11));
    // The LCD register pane moves from O8 across to O'8 and down to the flags under it.
    TPaneBox* lcd = FWindow->Panes()->LCDGroupBox;
    lcd->setFocus();
    QTest::keyClick(lcd, Qt::Key_Right);
    QCOMPARE(lcd->CurrentRow(), int(prO_0 + 8));
    for (int i = 0; i < 10; ++i) QTest::keyClick(lcd, Qt::Key_Down);
    QCOMPARE(lcd->CurrentRow(), int(prLD0));
}

void WindowLayoutTest::TheListCopiesItsLinesAndOpensItsMenuAtTheSelection() {
    Show(WriteROM("t.rom").toStdString());
    TDisAsmListView* list = FWindow->DisAsmList();
    list->setFocus();
    const int first = list->ItemIndex();
    QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
    // As the export writes them: the page header above the first line, then both lines.
    const auto& entries = FWindow->Debugger().Navigation().Listing().Entries();
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString::fromStdString("\n; --- BANK 0  PAGE #F --- RESET\n" + entries[size_t(first)].Text + "\n" +
                                    entries[size_t(first) + 1].Text + "\n"));
    // A step ends the range.
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    int a, b;
    list->SelectionRange(a, b);
    QCOMPARE(a, b);
    QPoint at;
    QTimer::singleShot(0, this, [&] {
        at = FWindow->DisAsmPopupMenu()->pos();
        FWindow->DisAsmPopupMenu()->close();
    });
    QTest::keyClick(list, Qt::Key_Menu);
    const QRect row = list->ItemRect(list->ItemIndex());
    QVERIFY(std::abs(at.y() - list->viewport()->mapToGlobal(row.bottomLeft()).y()) <= 2);
}

void WindowLayoutTest::DocksAndGeometryAreKeptBetweenRuns() {
    Show("");
    FWindow->setGeometry(30, 40, 1100, 700);
    FWindow->Dock("RAMDock")->hide();
    FWindow->Dock("LCDPictureDock")->setFloating(true);
    QVERIFY(FWindow->close());
    const QRect geometry = FWindow->geometry();
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    QVERIFY(!FWindow->Dock("RAMDock")->isVisible());
    QVERIFY(FWindow->Dock("LCDPictureDock")->isFloating());
    QVERIFY(FWindow->Dock("RegistersDock")->isVisible());
    QCOMPARE(FWindow->geometry().size(), geometry.size());
    // Reset layout brings every pane back in its place.
    FWindow->Action("ViewResetLayout")->trigger();
    QVERIFY(FWindow->Dock("RAMDock")->isVisible());
    QVERIFY(!FWindow->Dock("LCDPictureDock")->isFloating());
}

void WindowLayoutTest::ThePlayLayoutShowsALargePictureAndControlsAndGoesBack() {
    FSettings->SetROMFile("MH06", WriteROM("mh06.rom").toStdString());
    Show("MH06");
    TLCDImageWidget* image = FWindow->Panes()->LCDImage;
    TInputButton* control = FWindow->InputPanel()->GameControls().front();
    const QSize controlSize = control->size(), imageSize = image->size();
    QTest::keyClick(FWindow.get(), Qt::Key_F11);
    QVERIFY(FWindow->IsPlayLayout());
    QVERIFY(FWindow->PlayPage()->isAncestorOf(image));
    QVERIFY(FWindow->PlayPage()->isAncestorOf(FWindow->InputPanel()));
    QVERIFY(FWindow->windowState() & Qt::WindowFullScreen);
    QVERIFY(!FWindow->menuBar()->isVisible());
    QApplication::processEvents();
    QVERIFY(control->width() >= 2 * controlSize.width());
    QVERIFY(image->width() > imageSize.width() && image->height() > imageSize.height());
    // The game's keys still work, and the run commands with them.
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QVERIFY(FWindow->Debugger().Run().IsStopped());
    QTest::keyClick(FWindow.get(), Qt::Key_F11);
    QVERIFY(!FWindow->IsPlayLayout());
    QVERIFY(!(FWindow->windowState() & Qt::WindowFullScreen));
    QCOMPARE(FWindow->Dock("LCDPictureDock")->widget(), FWindow->Panes()->LCDPictureBox);
    QVERIFY(image->isVisible() && FWindow->menuBar()->isVisible());
    QCOMPARE(control->size(), controlSize);
}

void WindowLayoutTest::ToolbarStatusBarAndDroppedFiles() {
    // A ROM dropped on the window is opened as from the command line.
    Show("");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(WriteROM("dropped.rom"))});
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWindow.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(FWindow.get(), &drop);
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());

    // The toolbar shares the Debug menu's actions, each with its own icon and its key.
    QToolBar* bar = FWindow->findChild<QToolBar*>("RunToolBar");
    QVERIFY(bar && bar->isVisible());
    QVERIFY(bar->actions().contains(FWindow->Action("DebugTraceInto")));
    for (QAction* a : bar->actions()) QVERIFY(a->isSeparator() || !a->icon().isNull());
    QCOMPARE(FWindow->Action("DebugTraceInto")->toolTip(), QString("Trace into (F7)"));
    Options().UseMAMEKeyMapping = true;
    FWindow->ApplyDebugShortcuts();
    QCOMPARE(FWindow->Action("DebugTraceInto")->toolTip(), QString("Trace into (F11)"));
    QCOMPARE(FWindow->Action("ViewPlayLayout")->toolTip(), QString("Play layout (Ctrl+F11)"));

    // During a run the status bar shows the speed reached and the cycles; the recording shows
    // at a glance.
    FWindow->Action("GameSoundRecording")->trigger();
    QVERIFY(FWindow->RecordingLabel()->isVisible());
    FWindow->Action("DebugAnimatedRun")->trigger();
    QTRY_VERIFY(FWindow->SpeedLabel()->isVisible());
    QVERIFY(FWindow->SpeedLabel()->text().endsWith(" %"));
    QVERIFY(FWindow->CyclesLabel()->text().startsWith("Cycles: "));
    FWindow->Action("DebugPause")->trigger();
    QVERIFY(!FWindow->SpeedLabel()->isVisible());
    FWindow->Action("GameSoundRecording")->trigger();
}

void WindowLayoutTest::Screenshots() {
    const QString dir = QString::fromLocal8Bit(qgetenv("TARVOLIN_SCREENSHOT_DIR"));
    if (dir.isEmpty()) QSKIP("TARVOLIN_SCREENSHOT_DIR is not set");
    // Named after the screen in device pixels and its scaling: screenshot_1366x768.png,
    // screenshot_1920x1080_150.png, and the same with _play for the Play layout.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    QString name = QString("%1x%2").arg(qRound(screen->geometry().width() * ratio)).arg(qRound(screen->geometry().height() * ratio));
    if (ratio != 1.0) name += QString("_%1").arg(qRound(ratio * 100));
    auto save = [&](const QString& file) {
        QApplication::processEvents();
        QTest::qWait(300);
        QSaveFile out(QDir(dir).filePath(file));
        QVERIFY(out.open(QIODevice::WriteOnly));
        QVERIFY(FWindow->grab().save(&out, "PNG"));
        QVERIFY(out.commit());
    };
    // The demo program as a custom game, run a little, stopped and stepped twice; then as a
    // catalogue game (its controls) in the Play layout.
    const std::string demo = TARVOLIN_BINARY_DIR "/examples/demo.rom";
    FWindow->setGeometry(screen->availableGeometry());
    Show(demo);
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QTest::qWait(1200);
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    save("screenshot_" + name + ".png");
    FSettings->SetROMFile("MH06", demo);
    QVERIFY(FWindow->Debugger().Loading().LoadGameFromMenu(FindGameClass("MH06")));
    QTest::keyClick(FWindow.get(), Qt::Key_F11);
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QTest::qWait(1500);
    save("screenshot_" + name + "_play.png");
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
