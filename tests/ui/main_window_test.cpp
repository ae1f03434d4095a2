// The real main window, offscreen, driven by its keyboard shortcuts: load a ROM of our own,
// step, step over, set a breakpoint, run to it, run and pause, and read what the window shows.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QSlider>
#include <QStatusBar>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <fstream>

#include "persist/settings.h"
#include "base/options.h"
#include "debugger/ui/breakpoints_dialog.h"
#include "debugger/ui/lcd_image_widget.h"
#include "debugger/ui/input_panel.h"
#include "debugger/ui/main_frm.h"
#include "debugger/ui/options_dialog.h"
#include "games/game_catalogue.h"
#include "disasm/assembler.h"
#include "lcd/lcd_artwork.h"
#include "lcd/lcd_driver.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// Answers every question from a script and records the texts.
class ScriptedPrompter : public TPrompter {
public:
    std::vector<std::string> Messages;
    std::deque<TMessageResult> Answers;
    std::deque<std::vector<std::string>> Inputs; // texts typed into the next input dialogs
    std::vector<std::string> InputErrors;

    TMessageResult Message(TMessageKind, const std::string& Text, TMessageButtons Buttons) override {
        Messages.push_back(Text);
        if (!Answers.empty()) {
            TMessageResult r = Answers.front();
            Answers.pop_front();
            return r;
        }
        return Buttons == TMessageButtons::YesNo || Buttons == TMessageButtons::YesNoCancel ? TMessageResult::Yes
                                                                                              : TMessageResult::OK;
    }
    bool Input(TInputDialog& Dialog) override {
        // Each scripted text is "typed" and OK pressed until the dialog's check accepts.
        while (!Inputs.empty()) {
            std::vector<std::string> texts = Inputs.front();
            Inputs.pop_front();
            TInputCheck c = Dialog.Validate ? Dialog.Validate(texts) : TInputCheck::Accept();
            if (c.Accepted) {
                for (size_t i = 0; i < texts.size(); ++i) Dialog.Fields[i].Text = texts[i];
                return true;
            }
            InputErrors.push_back(c.ErrorText);
        }
        return false; // Cancel
    }
    // File dialogs take the next scripted name; none left: Cancel.
    std::deque<std::string> Files;
    std::vector<std::string> FileDialogTitles;
    bool OpenFile(const TFileDialog& Dialog, std::string& Name) override { return NextFile(Dialog, Name); }
    bool SaveFile(const TFileDialog& Dialog, std::string& Name) override { return NextFile(Dialog, Name); }
    bool NextFile(const TFileDialog& Dialog, std::string& Name) {
        FileDialogTitles.push_back(Dialog.Title);
        if (Files.empty()) return false;
        Name = Files.front();
        Files.pop_front();
        return true;
    }
};

// start: load 5, call a subroutine, then swap Acc with RAM[DP] forever.
const char* TestProgram = R"(
        .org 3C0
start:  LAX   Acc,0x5
        TRS   sub
loop:   EXC   Acc,(DP)
        TR    loop
        .org 400
sub:    SKIP
        RTN
)";

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void StartsWithTheStartPanelAndDisabledCommands();
    void LoadsAROMFromTheCommandLineAndShowsItsPCRow();
    void StepsRunsToABreakpointAndPauses();
    void EditsARegisterThroughThePrompter();
    void RefusesAMissingCommandLineFile();
    void ShortcutsFollowTheKeyMappingOption();
    void BreakpointsDialogDeletesAndStoresOnOK();
    void LCDImagesSwitchByDoubleClickAndMenu();
    void UserArtworkFolderAndRefusal();
    void NavigatesWithTheListShortcuts();
    void StopsOnAWriteBreakpointWhileStepping();
    void RawInputButtonsLatchWithCtrlClick();
    void GameKeysPressGameControlsDuringRuns();
    void LoadsACatalogueGameByShortNameAndChecksItsMenuItem();
    void FullRunRedrawsOnlyTickedPanesWhileRunning();
    void ClosesDuringARunAndAsksAboutARecording();
    void AnEmulatorExceptionStopsTheRunWithAnErrorBox();
    void RegisterRowsShareTheirHintsExceptTheBitStrings();
    void PanesKeepTheirPlacesWhenARunShowsTheUpdateBoxes();
    void PatchesAndRevertsAnOpcodeFromTheListMenu();
    void TheDosimeterShowsItsRadiationIntensity();
    void SavesAndOpensASessionWithTheWindowAsItStood();

private:
    void LoadTestROM();
    QString Status() const { return FWindow->StatusLabel()->text(); }
    QString Value(int Row) const { return FWindow->Panes()->Value(Row)->text(); }
    QString SelectedRowText() const;

    QTemporaryDir FDir;
    std::unique_ptr<TMemorySettingsStore> FStore;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TMainFrm> FWindow;
    ScriptedPrompter FPrompter;
};

void MainWindowTest::init() {
    Options() = TOptions{};
    FPrompter = ScriptedPrompter{};
    FStore = std::make_unique<TMemorySettingsStore>();
    FSettings = std::make_unique<TSettings>(*FStore);
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
}

void MainWindowTest::cleanup() { FWindow.reset(); }

QString MainWindowTest::SelectedRowText() const {
    const int i = FWindow->DisAsmList()->ItemIndex();
    if (i < 0) return {};
    return QString::fromStdString(FWindow->Debugger().Navigation().Listing().Entries()[i].Text);
}

void MainWindowTest::LoadTestROM() {
    const QString path = WriteAssembledROM(FDir.filePath("test.rom"), TestProgram);
    FWindow->SetCommandLineArgument(path.toStdString());
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
}

void MainWindowTest::StartsWithTheStartPanelAndDisabledCommands() {
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    QVERIFY(FWindow->StartInfoPanel()->isVisible());
    QCOMPARE(FWindow->windowTitle(), QString("Tarvolin"));
    for (const char* n : {"DebugTraceInto", "DebugStepOver", "DebugAnimatedRun", "DebugPause", "DebugReset",
                          "DebugBreakpoints"})
        QVERIFY2(!FWindow->Action(n)->isEnabled(), n);
    QVERIFY(FWindow->Action("Debug7SegmentCodingTable")->isEnabled());
    // The panes show their reset texts.
    QCOMPARE(Value(prPage), QString("F"));
    QCOMPARE(FWindow->Panes()->Bits(prDP)->text(), QString("0 00 0000"));
    QCOMPARE(Value(prA), QString("---"));
    // Without a game, stepping keys do nothing.
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QVERIFY(!FWindow->Debugger().IsGameLoaded());
    QVERIFY(FPrompter.Messages.empty());
}

void MainWindowTest::LoadsAROMFromTheCommandLineAndShowsItsPCRow() {
    LoadTestROM();
    QCOMPARE(FWindow->windowTitle(), QString("Tarvolin - A custom game"));
    QVERIFY(!FWindow->StartInfoPanel()->isVisible());
    QVERIFY(FWindow->DisAsmList()->isVisible());
    QCOMPARE(Status(), QString("Ready."));
    QVERIFY(SelectedRowText().startsWith("3C0 25"));
    QCOMPARE(Value(prPC), QString("3C0"));
    QCOMPARE(FWindow->Panes()->Bits(prPC)->text(), QString("0 1111 000000"));
    // The PC row is drawn navy.
    TDisAsmListView* list = FWindow->DisAsmList();
    const QRect r = list->ItemRect(list->ItemIndex());
    QVERIFY(!r.isEmpty());
    const QImage shot = list->viewport()->grab().toImage();
    QCOMPARE(shot.pixelColor(r.right() - 3, r.bottom() - 3), QColor(0, 0, 128));
    // Nothing is red straight after loading.
    QVERIFY(!FWindow->Panes()->Value(prAcc)->Changed());
    QVERIFY(FWindow->Action("DebugTraceInto")->isEnabled());
    QVERIFY(!FWindow->Action("DebugRunUntilReturn")->isEnabled()); // A = 7FF
}

void MainWindowTest::StepsRunsToABreakpointAndPauses() {
    LoadTestROM();
    QWidget* w = FWindow.get();

    // F7: LAX executes, Acc turns red.
    QTest::keyClick(w, Qt::Key_F7);
    QCOMPARE(Status(), QString("Ready."));
    QCOMPARE(Value(prAcc), QString("5"));
    QVERIFY(FWindow->Panes()->Value(prAcc)->Changed());
    QCOMPARE(FWindow->Panes()->Bits(prAcc)->text(), QString("0101"));
    QVERIFY(SelectedRowText().startsWith("3C1"));

    // F8 on the call runs the subroutine and stops after its return.
    QTest::keyClick(w, Qt::Key_F8);
    QTRY_COMPARE(FWindow->Debugger().MCU()->PC, T11bits(0x3C2));
    QTRY_COMPARE(Status(), QString("Ready."));
    QVERIFY(FWindow->Debugger().Run().IsStopped());
    QVERIFY(SelectedRowText().startsWith("3C2"));

    // F2 in the list sets a breakpoint on the PC row; the row keeps the PC colours.
    FWindow->DisAsmList()->setFocus();
    QTest::keyClick(FWindow->DisAsmList(), Qt::Key_F2);
    QVERIFY(FWindow->Debugger().Breakpoints().IsCodeBreakpoint(0x3C2));

    // F9 (animated run) starts from the breakpoint and stops when execution comes back to it.
    QTest::keyClick(w, Qt::Key_F9);
    QVERIFY(FWindow->Action("DebugPause")->isEnabled() || FWindow->Debugger().Run().IsStopped());
    QTRY_COMPARE(Status(), QString("Paused on breakpoint."));
    QCOMPARE(FWindow->StatusBarColour(), QColor(0xFF, 0xB0, 0xB0));
    QCOMPARE(Value(prPC), QString("3C2"));
    // EXC swapped Acc (5) with RAM[00].
    QCOMPARE(Value(prRAM0 + 0x00), QString("5"));
    QCOMPARE(Value(prAcc), QString("0"));

    // Remove the breakpoint, run unattended, pause with Esc.
    QTest::keyClick(FWindow->DisAsmList(), Qt::Key_F2);
    QVERIFY(!FWindow->Debugger().Breakpoints().IsCodeBreakpoint(0x3C2));
    QTest::keyClick(w, Qt::Key_F9, Qt::ControlModifier);
    QCOMPARE(Status(), QString("Running..."));
    QCOMPARE(FWindow->StatusBarColour(), QColor(0xC0, 0xFF, 0xC0));
    {
        // The colour is what the status bar actually shows, not only its palette.
        QStatusBar* bar = FWindow->statusBar();
        const QImage shot = bar->grab().toImage();
        QCOMPARE(shot.pixelColor(bar->width() / 2, bar->height() / 2), QColor(0xC0, 0xFF, 0xC0));
    }
    QVERIFY(FWindow->IsMainLoopActive());
    QVERIFY(FWindow->Panes()->UpdateRegistersCB->isVisible());
    QVERIFY(FWindow->SpeedFactorTrackBar()->isVisible());
    QCOMPARE(FWindow->HintLabel()->text(), QString("100%"));
    FWindow->SpeedFactorTrackBar()->setValue(6);
    QCOMPARE(FWindow->HintLabel()->text(), QString("(full emulation speed)"));
    QCOMPARE(FWindow->Debugger().MCU()->FullRunCyclesPerSecond(), 0u);
    QTest::qWait(50); // the window keeps handling events while the run goes on
    const uint64_t cycles = FWindow->Debugger().MCU()->CycleCount;
    QVERIFY(cycles > 0);
    QTest::keyClick(w, Qt::Key_Escape);
    QCOMPARE(Status(), QString("Paused by user."));
    QVERIFY(FWindow->Debugger().Run().IsStopped());
    QTRY_VERIFY(!FWindow->IsMainLoopActive());
    QVERIFY(!FWindow->Panes()->UpdateRegistersCB->isVisible());
    // Esc while stopped does nothing.
    QTest::keyClick(w, Qt::Key_Escape);
    QCOMPARE(Status(), QString("Paused by user."));
    QVERIFY(FPrompter.Messages.empty());
}

void MainWindowTest::EditsARegisterThroughThePrompter() {
    LoadTestROM();
    // Double-clicking Page asks for a value: 3F is refused, then A is accepted.
    FPrompter.Inputs = {{"3F"}, {"0xA"}};
    QTest::mouseDClick(FWindow->Panes()->Value(prPage), Qt::LeftButton);
    QCOMPARE(FPrompter.InputErrors, std::vector<std::string>{"Out of range."});
    QCOMPARE(int(FWindow->Debugger().MCU()->Page), 0xA);
    QCOMPARE(Value(prPage), QString("A"));
    QCOMPARE(FWindow->Panes()->Bits(prPage)->text(), QString("1010"));
    // Cancel leaves the value alone.
    QTest::mouseDClick(FWindow->Panes()->Value(prAcc), Qt::LeftButton);
    QCOMPARE(int(FWindow->Debugger().MCU()->Acc), 0);
    // The value pop-up of a RAM cell offers the memory breakpoints and sets one after the question.
    QMenu* menu = FWindow->BuildValuePopupMenu(prRAM0 + 0x12, TLabelRole::Value);
    QAction* setRead = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == "Set &read memory breakpoint") setRead = a;
    QVERIFY(setRead && setRead->isVisible() && setRead->isEnabled());
    setRead->trigger();
    QVERIFY(FWindow->Debugger().Breakpoints().IsMemoryBreakpoint(TMemoryBreakpointKind::Read, 0x12));
    QCOMPARE(FPrompter.Messages.back(), std::string("Set read memory breakpoint on RAM address 0x12?"));
    delete menu;
}

void MainWindowTest::RefusesAMissingCommandLineFile() {
    const QString path = FDir.filePath("missing.rom");
    FWindow->SetCommandLineArgument(path.toStdString());
    FWindow->show();
    QTRY_COMPARE(FPrompter.Messages.size(), size_t(1));
    QCOMPARE(QString::fromStdString(FPrompter.Messages[0]), QString("Cannot find file \"%1\".").arg(path));
    QVERIFY(!FWindow->Debugger().IsGameLoaded());
}

void MainWindowTest::ShortcutsFollowTheKeyMappingOption() {
    // Both shortcut sets, every key: action, default key, MAME-style key.
    const char* const Sets[][3] = {
        {"DebugTraceInto", "F7", "F11"},          {"DebugStepOver", "F8", "F10"},
        {"DebugRunUntilReturn", "Ctrl+F8", "Shift+F11"}, {"DebugAnimatedRun", "F9", "Ctrl+F5"},
        {"DebugUnattendedRun", "Ctrl+F9", "F5"},  {"DebugPause", "Esc", "Esc"},
        {"DebugRefresh", "F5", "F2"},             {"DebugReset", "Ctrl+F2", "Shift+F3"},
        {"DisAsmLBToggleBreakpoint", "F2", "F9"}, {"DisAsmLBRunToCursor", "F4", "F4"},
    };
    const auto expectSet = [this, &Sets](int Column) {
        for (const auto& row : Sets)
            QVERIFY2(FWindow->Action(row[0])->shortcut() == QKeySequence(row[Column]), row[0]);
    };
    expectSet(1);
    // The shortcut set chosen in the options dialog is in force as soon as OK closes it.
    const auto chooseInOptions = [this](bool MAME) {
        QTimer::singleShot(0, this, [MAME] {
            auto* dlg = qobject_cast<TOptionsDlg*>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            (MAME ? dlg->MAMEShortcutsRB : dlg->DefaultShortcutsRB)->setChecked(true);
            dlg->accept();
        });
        FWindow->Action("Options")->trigger();
    };
    chooseInOptions(true);
    QVERIFY(Options().UseMAMEKeyMapping);
    expectSet(2);
    chooseInOptions(false);
    QVERIFY(!Options().UseMAMEKeyMapping);
    expectSet(1);
}

void MainWindowTest::BreakpointsDialogDeletesAndStoresOnOK() {
    LoadTestROM();
    TDebugger& d = FWindow->Debugger();
    // Nothing set: an information box instead of the dialog.
    FWindow->Action("DebugBreakpoints")->trigger();
    QCOMPARE(FPrompter.Messages.back(), std::string("No breakpoint set."));
    d.Breakpoints().ToggleCodeBreakpoint(0x3C3);
    d.Breakpoints().ToggleCodeBreakpoint(0x3C1);
    d.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x21);
    d.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Change, 0x05);
    bool inspected = false;
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<TBreakpointsDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QCOMPARE(dlg->windowTitle(), QString("Breakpoint addresses"));
        QListWidget* code = dlg->List(TBreakpointListKind::Code);
        // Sorted by text, whatever the order of setting.
        QCOMPARE(code->count(), 2);
        QCOMPARE(code->item(0)->text(), QString("3C1"));
        QCOMPARE(code->item(1)->text(), QString("3C3"));
        QVERIFY(!dlg->List(TBreakpointListKind::Read)->isEnabled()); // empty lists are disabled
        QVERIFY(!dlg->DeleteButton(TBreakpointListKind::Code)->isEnabled());
        code->setCurrentRow(0);
        QVERIFY(dlg->DeleteButton(TBreakpointListKind::Code)->isEnabled());
        QTest::keyClick(code, Qt::Key_Delete);
        QCOMPARE(code->count(), 1);
        QCOMPARE(code->currentRow(), 0); // the line now at the same position is selected
        dlg->DeleteSelected(TBreakpointListKind::Write);
        QCOMPARE(dlg->List(TBreakpointListKind::Write)->count(), 1); // nothing selected there
        inspected = true;
        dlg->accept();
    });
    FWindow->Action("DebugBreakpoints")->trigger();
    QVERIFY(inspected);
    QCOMPARE(d.Breakpoints().CodeBreakpoints().Items(), std::vector<uint16_t>{0x3C3});
    QVERIFY(d.Breakpoints().IsMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x21));
    // The RAM pane marks cells with a breakpoint.
    QCOMPARE(FWindow->Panes()->Value(prRAM0 + 0x21)->palette().color(QPalette::Window), QColor(0xF0, 0xB0, 0xB0));

    // "Delete all" asks first; No keeps everything, Cancel of the dialog stores nothing.
    QTimer::singleShot(0, this, [&] {
        auto* dlg = qobject_cast<TBreakpointsDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        FPrompter.Answers = {TMessageResult::No};
        dlg->DeleteAllButton()->click();
        QCOMPARE(dlg->List(TBreakpointListKind::Code)->count(), 1);
        FPrompter.Answers = {TMessageResult::Yes};
        dlg->DeleteAllButton()->click();
        QCOMPARE(dlg->List(TBreakpointListKind::Code)->count(), 0);
        QVERIFY(!dlg->DeleteAllButton()->isEnabled());
        dlg->reject();
    });
    FWindow->Action("DebugBreakpoints")->trigger();
    QCOMPARE(FPrompter.Messages.back(), std::string("Are you sure you want to delete all breakpoints?"));
    QCOMPARE(d.Breakpoints().CodeBreakpoints().Items(), std::vector<uint16_t>{0x3C3});
}

void MainWindowTest::LCDImagesSwitchByDoubleClickAndMenu() {
    LoadTestROM();
    TLCDImageWidget* image = FWindow->Panes()->LCDImage;
    const TLCDImageMenu& m = FWindow->Debugger().LCD().LCDImageMenu();
    QVERIFY(m.Visible); // a custom ROM may use every image
    QCOMPARE(m.Checked, 0);
    QMenu* menu = FWindow->BuildLCDImagePopupMenu();
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    QVERIFY(texts.contains("---  ALL AVAILABLE LCD IMAGES  ---"));
    QVERIFY(texts.contains("Show &interconnection of MCU and LCD..."));
    delete menu;
    QVERIFY(!image->toolTip().isEmpty());

    const uint64_t before = FWindow->Debugger().LCD().LCDBitmap().ChangeCount();
    QTest::mouseDClick(image, Qt::LeftButton, {}, image->rect().center());
    QCOMPARE(FWindow->Debugger().LCD().LCDImageMenu().Checked, 1);
    QLabel* theme = FWindow->Panes()->LCDImageThemeNameLabel;
    QVERIFY(theme->isVisible());
    QCOMPARE(theme->text().toStdString(), FWindow->Debugger().MCU()->LCDDriver->LCDThemeName());
    QVERIFY(FWindow->Debugger().LCD().LCDBitmap().ChangeCount() != before);
    // Shift goes back and wraps around from the first to the last image.
    QTest::mouseDClick(image, Qt::LeftButton, Qt::ShiftModifier, image->rect().center());
    QTest::mouseDClick(image, Qt::LeftButton, Qt::ShiftModifier, image->rect().center());
    QCOMPARE(FWindow->Debugger().LCD().LCDImageMenu().Checked, int(m.Captions.size()) - 1);
    // The theme name disappears after a moment.
    QTRY_VERIFY_WITH_TIMEOUT(!theme->isVisible(), 3000);
}

void MainWindowTest::UserArtworkFolderAndRefusal() {
    LoadTestROM();
    // The pop-up's artwork item: "" when missing, else "on" or "off".
    auto ArtworkAction = [&]() -> std::string {
        QMenu* menu = FWindow->BuildLCDImagePopupMenu();
        std::string State;
        for (QAction* a : menu->actions())
            if (a->objectName() == "LCDOpenArtworkFolder" && a->text() == "Open &artwork folder")
                State = a->isEnabled() ? "on" : "off";
        delete menu;
        return State;
    };
    QCOMPARE(ArtworkAction(), std::string("off")); // no artwork folder: nothing to open
    const std::filesystem::path Folder = FDir.filePath("data/artwork").toStdString();
    SetArtworkFolder(Folder);
    QCOMPARE(ArtworkAction(), std::string("on"));
    // The item creates a missing folder before the file manager opens it.
    QCOMPARE(FWindow->Debugger().LCD().PrepareArtworkFolder(), Folder);
    QVERIFY(std::filesystem::is_directory(Folder));

    // A broken picture of the AC-01 image: the built-in one is shown, the status bar says why.
    std::ofstream(Folder / "AC01_LCD.png", std::ios::binary) << "not a picture";
    std::ofstream(Folder / "AC01_LCD.points", std::ios::binary) << "2 COM0 400,300\n";
    FWindow->Debugger().LCD().SelectLCDImage(1);
    QCOMPARE(FWindow->Debugger().MCU()->LCDDriver->GetClass().ClassName, "TAC01LCDDriver");
    const QString Note = FWindow->statusBar()->currentMessage();
    QVERIFY2(Note.contains("AC01_LCD.png") && Note.contains("it is not a PNG file") &&
                 Note.contains("The built-in image is shown."),
             qPrintable(Note));
    QCOMPARE(FWindow->Debugger().LCD().LCDBitmap().Width(), 1355);
    SetArtworkFolder({});
}

void MainWindowTest::NavigatesWithTheListShortcuts() {
    LoadTestROM();
    TDisAsmListView* list = FWindow->DisAsmList();
    list->setFocus();
    // Go to address: a refused entry keeps the dialog open, then 3C3 is accepted.
    FPrompter.Inputs = {{"7FF"}, {"3C3"}};
    QTest::keyClick(list, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(FPrompter.InputErrors, std::vector<std::string>{"Out of range."});
    QVERIFY(SelectedRowText().startsWith("3C3"));
    // Go to previous returns to the PC line, twice swaps back.
    QTest::keyClick(list, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(SelectedRowText().startsWith("3C0"));
    QTest::keyClick(list, Qt::Key_P, Qt::ControlModifier);
    QVERIFY(SelectedRowText().startsWith("3C3"));
    // Follow on the jump goes to its target.
    QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
    QVERIFY(SelectedRowText().startsWith("3C2"));
    // Set PC to cursor, then Go to current PC.
    QTest::keyClick(list, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(Value(prPC), QString("3C2"));
    QTest::keyClick(list, Qt::Key_Up);
    QVERIFY(SelectedRowText().startsWith("3C1"));
    QTest::keyClick(list, Qt::Key_O, Qt::ControlModifier);
    QVERIFY(SelectedRowText().startsWith("3C2"));
    // A label adds a row to its instruction.
    const int index = list->ItemIndex();
    FPrompter.Inputs = {{"again", "the loop"}};
    QTest::keyClick(list, Qt::Key_Semicolon);
    QCOMPARE(list->ItemHeightOf(index), 2 * TDisAsmListView::ItemHeight);
    QVERIFY(SelectedRowText().contains(";; the loop"));
    // The pop-up's enabled states follow the run state.
    FWindow->DisAsmPopupMenu()->popup(QPoint(10, 10));
    QVERIFY(FWindow->Action("DisAsmLBGoToCurrentPC")->isEnabled());
    QVERIFY(!FWindow->Action("DisAsmLBGoToCaller")->isEnabled()); // A = 7FF
    QVERIFY(FWindow->Action("DisAsmLBChangeOpcode")->isEnabled());
    QVERIFY(!FWindow->Action("DisAsmLBRevertOpcode")->isEnabled()); // nothing changed yet
    FWindow->DisAsmPopupMenu()->close();
}

void MainWindowTest::StopsOnAWriteBreakpointWhileStepping() {
    LoadTestROM();
    TDebugger& d = FWindow->Debugger();
    d.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x00);
    QWidget* w = FWindow.get();
    QTest::keyClick(w, Qt::Key_F7); // LAX
    QTest::keyClick(w, Qt::Key_F8); // the call, run over
    QTRY_VERIFY(d.Run().IsStopped());
    QTest::keyClick(w, Qt::Key_F7); // EXC writes RAM[00]
    QCOMPARE(Status(), QString("Paused on write memory breakpoint, RAM[0x00]=5."));
    QCOMPARE(FWindow->StatusBarColour(), QColor(0xFF, 0xB0, 0xB0));
    QVERIFY(FWindow->Panes()->Value(prRAM0)->Changed());
    // The next step is an ordinary one again.
    QTest::keyClick(w, Qt::Key_F7);
    QCOMPARE(Status(), QString("Ready."));
    QVERIFY(FWindow->StatusBarColour() != QColor(0xFF, 0xB0, 0xB0));
}

void MainWindowTest::RawInputButtonsLatchWithCtrlClick() {
    LoadTestROM();
    TInputPanel* panel = FWindow->InputPanel();
    QVERIFY(panel->RawInputPage()->isVisible()); // a custom ROM has no game controls
    TInputButton* k2 = panel->RawButton(rbR3K2);
    QCOMPARE(k2->text(), QString("K2"));
    QCOMPARE(k2->toolTip(), QString("pin K2 (bit #1) for R3=x0xx"));
    TInputOutput& io = FWindow->Debugger().MCU()->IO;
    QTest::mouseClick(k2, Qt::LeftButton, Qt::ControlModifier);
    QVERIFY(k2->isChecked());
    QCOMPARE(int(io.FInputMatrix[gndR3]), 0x2);
    QTest::mouseClick(k2, Qt::LeftButton);
    QVERIFY(!k2->isChecked());
    QCOMPARE(int(io.FInputMatrix[gndR3]), 0x0);
    // While stopped, pressing the mouse changes the matrix at once.
    QTest::mousePress(panel->RawButton(rbDiK4), Qt::LeftButton);
    QCOMPARE(int(io.FInputMatrix[gndDirect]), 0x8);
    QTest::mouseRelease(panel->RawButton(rbDiK4), Qt::LeftButton);
    QCOMPARE(int(io.FInputMatrix[gndDirect]), 0x0);
}

void MainWindowTest::GameKeysPressGameControlsDuringRuns() {
    // Our program stands in for a catalogue game's ROM: the game's controls are what counts.
    const TMCUClass* game = FindGameClass("MH06");
    QVERIFY(game);
    const QString path = WriteAssembledROM(FDir.filePath("mh06.rom"), TestProgram);
    FSettings->SetROMFile("MH06", path.toStdString());
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
    QVERIFY(FWindow->Debugger().Loading().LoadGameFromMenu(game));
    TInputPanel* panel = FWindow->InputPanel();
    QVERIFY(!panel->GameControls().empty());
    QCOMPARE(panel->currentWidget(), panel->GameControlsPage());
    // Find a control with a key.
    const auto& defs = FWindow->Debugger().MCU()->GameControlDefs;
    int keyIndex = -1;
    for (size_t i = 0; i < defs.size() && keyIndex < 0; ++i)
        if (!defs[i].FVirtualKeyCodes.empty() && defs[i].FVirtualKeyCodes[0] >= 'A' &&
            defs[i].FVirtualKeyCodes[0] <= 'Z')
            keyIndex = int(i);
    QVERIFY(keyIndex >= 0);
    const Qt::Key key = static_cast<Qt::Key>(Qt::Key_A + (defs[keyIndex].FVirtualKeyCodes[0] - 'A'));
    const TRawButton tied = panel->GameControls()[size_t(keyIndex)]->Tied();
    // Stopped: the key goes to the window as usual.
    QTest::keyPress(FWindow->DisAsmList(), key);
    QVERIFY(!FWindow->Debugger().Input().RawButtons()[tied].Pressed);
    QTest::keyRelease(FWindow->DisAsmList(), key);
    // Running: the key holds the tied raw button; stopping and then releasing the key releases it.
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    QTest::keyPress(FWindow->DisAsmList(), key);
    QVERIFY(FWindow->Debugger().Input().RawButtons()[tied].Pressed);
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QVERIFY(FWindow->Debugger().Run().IsStopped());
    QTest::keyRelease(FWindow->DisAsmList(), key);
    QVERIFY(!FWindow->Debugger().Input().RawButtons()[tied].Pressed);
}

void MainWindowTest::LoadsACatalogueGameByShortNameAndChecksItsMenuItem() {
    const QString path = WriteAssembledROM(FDir.filePath("fp24.rom"), TestProgram);
    FSettings->SetROMFile("FP24", path.toStdString());
    FWindow->SetCommandLineArgument("fp24"); // short names are matched without regard to case
    FWindow->show();
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
    QCOMPARE(FWindow->windowTitle(), QString("Tarvolin - FP-24 \"Chef\""));
    // The Game menu lists the catalogue with separators; the loaded game's item is checked.
    QAction* chef = nullptr;
    int separators = 0;
    for (QAction* a : FWindow->GameMenu()->actions()) {
        if (a->isSeparator()) ++separators;
        if (a->text() == "Nintendo G&&W FP-24 \"C&hef\"") chef = a;
    }
    QVERIFY(chef);
    QCOMPARE(separators, 4); // three in the catalogue, one before "Recent ROMs"
    QVERIFY(chef->isChecked());
    QCOMPARE(chef->shortcut(), QKeySequence("Ctrl+Shift+4"));
    QVERIFY(FWindow->Action("GameCheats")->isEnabled());
    QVERIFY(FWindow->Panes()->SetCurrentTimeButton->isEnabled());
    // Only the O indexes that encode a digit show the label.
    QVERIFY(FWindow->Panes()->DigitLabels[4]->isVisible());
    QVERIFY(!FWindow->Panes()->DigitLabels[0]->isVisible());
    FWindow->Action("GameCheats")->trigger();
    QVERIFY(QString::fromStdString(FPrompter.Messages.back()).startsWith("FULL LCD TEST"));
}

void MainWindowTest::FullRunRedrawsOnlyTickedPanesWhileRunning() {
    LoadTestROM();
    FWindow->Debugger().Run().SetSpeedFactor(6);
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QVERIFY(FWindow->IsMainLoopActive());
    // T counts on, and the registers pane follows while the run goes on.
    const QString t0 = Value(prT);
    QTRY_VERIFY(Value(prT) != t0);
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    // Unticked, the pane keeps its last texts.
    QCheckBox* cb = FWindow->Panes()->UpdateRegistersCB;
    QVERIFY(cb->isVisible());
    cb->click();
    QVERIFY(!FWindow->Debugger().Run().UpdateCheckBox(pnRegisters));
    const QString t1 = Value(prT);
    const uint64_t cycles = FWindow->Debugger().MCU()->CycleCount;
    // T has moved on (by a count that is not a whole turn of the timer) without being shown.
    QTRY_VERIFY(FWindow->Debugger().MCU()->CycleCount > cycles + 100000 &&
                QString::asprintf("%.4X", FWindow->Debugger().MCU()->T & 0x3FFF) != t1);
    QCOMPARE(Value(prT), t1);
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    // Pausing a full run redraws every pane.
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QCOMPARE(Value(prT), QString::fromStdString(FWindow->Debugger().Panes().PaneTexts().T.Value));
    QVERIFY(Value(prT) != t1);
}

void MainWindowTest::ClosesDuringARunAndAsksAboutARecording() {
    LoadTestROM();
    QAction* sound = FWindow->Action("GameSoundRecording");
    QVERIFY(sound->isEnabled());
    sound->trigger();
    QVERIFY(sound->isChecked());
    QVERIFY(FWindow->Panes()->SoundRecordingIndicator->isVisible());
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QTest::qWait(20);
    // Cancel keeps the window open and the run going.
    FPrompter.Answers = {TMessageResult::Cancel};
    QVERIFY(!FWindow->close());
    QCOMPARE(FPrompter.Messages.back(), std::string("Sound recording is active. Do you want to save the recorded sound?"));
    QVERIFY(FWindow->isVisible());
    QVERIFY(!FWindow->Debugger().Run().IsStopped());
    // No: the window closes and the loop ends with it.
    FPrompter.Answers = {TMessageResult::No};
    QVERIFY(FWindow->close());
    QVERIFY(!FWindow->IsMainLoopActive());
}

void MainWindowTest::AnEmulatorExceptionStopsTheRunWithAnErrorBox() {
    // A few instructions, then a return outside any subroutine.
    const QString path = WriteAssembledROM(FDir.filePath("bad.rom"), ".org 3C0\nLAX Acc,0x1\nSKIP\nSKIP\nRTN\n");
    FWindow->SetCommandLineArgument(path.toStdString());
    FWindow->show();
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QTRY_VERIFY(FWindow->Debugger().Run().IsStopped());
    QTRY_VERIFY(!FWindow->IsMainLoopActive());
    QVERIFY(Status().startsWith("Paused on emulator exception: "));
    QCOMPARE(FWindow->StatusBarColour(), QColor(0xFF, 0xB0, 0xB0));
    // The colour is what the bar really shows, not only what its palette says.
    QCOMPARE(FWindow->statusBar()->grab().toImage().pixelColor(FWindow->statusBar()->width() / 2, 3),
             QColor(0xFF, 0xB0, 0xB0));
    QCOMPARE(FPrompter.Messages.size(), size_t(1));
    QVERIFY(Status().endsWith(QString::fromStdString(FPrompter.Messages[0])));
    // The MCU keeps the state it reached and the window stays usable.
    QCOMPARE(Value(prAcc), QString("1"));
    QTest::keyClick(FWindow.get(), Qt::Key_F2, Qt::ControlModifier); // MCU Reset
    QCOMPARE(Status(), QString("Ready."));
    QCOMPARE(Value(prPC), QString("3C0"));
}

void MainWindowTest::RegisterRowsShareTheirHintsExceptTheBitStrings() {
    // Name, value and bit label of a row share its hint; only DP, T and PC explain their bits.
    struct {
        int Row;
        const char* Hint;
        const char* BitsHint; // nullptr: the row's hint
    } rows[] = {
        {prAcc, "Accumulator", nullptr},
        {prDP, "RAM Data Pointer", "BS (RAM Bank Selector) / H (Data Pointer High) / L (Data Pointer Low)"},
        {prDPCell, "RAM field addressed by DP", nullptr},
        {prT, "Timer", "Highest 4 bits of T"},
        {prT14, "Virtual 15th bit of Timer, indicating one elapsed second", nullptr},
        {prMSB, "ROM Bank Selector", nullptr},
        {prPage, "ROM Page Selector", nullptr},
        {prPC, "Program Counter", "ROM Bank Selector / ROM Page / Page Instruction Pointer"},
        {prA, "Return Address", nullptr},
        {prCarry, "", nullptr},
        {prR, "Output register (R4,R3,R2,R1)", nullptr},
    };
    for (const auto& r : rows) {
        const TPaneRowLabels& l = FWindow->Panes()->Row(r.Row);
        QCOMPARE(l.Name->toolTip(), QString(r.Hint));
        QCOMPARE(l.Value->toolTip(), QString(r.Hint));
        if (l.Bits) QCOMPARE(l.Bits->toolTip(), QString(r.BitsHint ? r.BitsHint : r.Hint));
    }
}

void MainWindowTest::PanesKeepTheirPlacesWhenARunShowsTheUpdateBoxes() {
    LoadTestROM();
    TStatePanes* panes = FWindow->Panes();
    QApplication::processEvents();
    const QRect lcd = panes->LCDGroupBox->geometry(), image = panes->LCDImage->geometry();
    const QRect list = FWindow->DisAsmList()->geometry();
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier); // unattended run
    QTRY_VERIFY(panes->UpdateRegistersCB->isVisible());
    QApplication::processEvents();
    QCOMPARE(panes->LCDGroupBox->geometry(), lcd);
    QCOMPARE(panes->LCDImage->geometry(), image);
    // The speed controls appear beside the hint without pushing the list down.
    QCOMPARE(FWindow->DisAsmList()->geometry(), list);
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QTRY_VERIFY(FWindow->Debugger().Run().IsStopped());
}

void MainWindowTest::PatchesAndRevertsAnOpcodeFromTheListMenu() {
    LoadTestROM();
    TDisAsmListView* list = FWindow->DisAsmList();
    QTest::keyClick(list, Qt::Key_Down); // 3C1, the call
    QVERIFY(SelectedRowText().startsWith("3C1"));
    const int top = list->TopIndex();
    // The call becomes LBL 0x12 (5F 12): the row reads the new bytes in the changed colour, and
    // the selection and the top row stay.
    FPrompter.Inputs = {{"5F", "12"}};
    FWindow->Action("DisAsmLBChangeOpcode")->trigger();
    QVERIFY(SelectedRowText().startsWith("3C1 5F 12"));
    QCOMPARE(list->TopIndex(), top);
    QColor background, text;
    list->ItemColors(list->ItemIndex(), background, text);
    QCOMPARE(text, QColor(128, 128, 0));
    FWindow->DisAsmPopupMenu()->popup(QPoint(10, 10));
    QVERIFY(FWindow->Action("DisAsmLBRevertOpcode")->isEnabled());
    FWindow->DisAsmPopupMenu()->close();
    FWindow->Action("DisAsmLBRevertOpcode")->trigger();
    QVERIFY(!FWindow->Debugger().MCU()->IsAnyOpcodeChanged());
    QVERIFY(SelectedRowText().startsWith("3C1"));
    list->ItemColors(list->ItemIndex(), background, text);
    QVERIFY(text != QColor(128, 128, 0));
}

void MainWindowTest::TheDosimeterShowsItsRadiationIntensity() {
    const TMCUClass* game = FindGameClass("Altair");
    QVERIFY(game);
    const QString path = WriteAssembledROM(FDir.filePath("altair.rom"), TestProgram);
    FSettings->SetROMFile(game->ShortGameName(), path.toStdString());
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    TInputPanel* panel = FWindow->InputPanel();
    QVERIFY(!panel->RadiationIntensityTrackBar()->isVisible());
    QVERIFY(FWindow->Debugger().Loading().LoadGameFromMenu(game));
    QSlider* bar = panel->RadiationIntensityTrackBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(panel->RadiationIntensityLabel()->text(), QString("&Radiation intensity:"));
    QCOMPARE(panel->RadiationIntensityLabel()->toolTip(), bar->toolTip());
    QVERIFY(bar->toolTip().endsWith("3 - Chernobyl disaster"));
    QCOMPARE(bar->value(), 1);
    bar->setValue(3);
    QCOMPARE(FWindow->Debugger().Input().RadiationIntensity(), 3);
    // The raw buttons' value pop-up offers the MCU pins.
    QMenu* menu = FWindow->BuildValuePopupMenu({TValueKind::RawInput, rbR2K1});
    QStringList shown;
    for (QAction* a : menu->actions())
        if (a->isVisible() && !a->isSeparator()) shown << a->text();
    QCOMPARE(shown, QStringList{"Show &MCU pins..."});
    delete menu;
    // Without the dosimeter there is no radiation simulator.
    QVERIFY(FWindow->Debugger().Loading().CanCloseGame());
    QVERIFY(!bar->isVisible());
}

// The Session menu: Save as writes the state and the window's placement and panel width;
// Open asks about the changed session, then brings all of it back.
void MainWindowTest::SavesAndOpensASessionWithTheWindowAsItStood() {
    QVERIFY(FWindow->Action("SessionOpen")->isEnabled());
    QVERIFY(!FWindow->Action("SessionSave")->isEnabled());
    QVERIFY(!FWindow->Action("SessionSaveAs")->isEnabled());
    LoadTestROM();
    QVERIFY(FWindow->Action("SessionSave")->isEnabled());
    QVERIFY(FWindow->Action("SessionSaveAs")->isEnabled());

    FWindow->setGeometry(40, 50, 1000, 700);
    FWindow->SetRightPanelWidth(430);
    const int Width = FWindow->RightPanelWidth();
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    const QString PC = Value(prPC);
    const QString Path = FDir.filePath("work.dbgsession");
    FPrompter.Files.push_back(Path.toStdString());
    FWindow->Action("SessionSaveAs")->trigger();
    QVERIFY(QFile::exists(Path));
    QCOMPARE(FPrompter.FileDialogTitles.back(), std::string("Specify file name for this debug session"));

    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QVERIFY(Value(prPC) != PC);
    FWindow->setGeometry(200, 150, 900, 600);
    FWindow->SetRightPanelWidth(Width + 90);
    FPrompter.Files.push_back(Path.toStdString());
    FPrompter.Files.push_back(FDir.filePath("test.rom").toStdString());
    FPrompter.Answers.push_back(TMessageResult::No); // do not save the changed session
    FPrompter.Messages.clear();
    FWindow->Action("SessionOpen")->trigger();
    QCOMPARE(FPrompter.Messages, std::vector<std::string>{"This debug session was modified.\nDo you want to SAVE it?"});
    QCOMPARE(Value(prPC), PC);
    QCOMPARE(FWindow->geometry(), QRect(40, 50, 1000, 700));
    QCOMPARE(FWindow->RightPanelWidth(), Width);
    QCOMPARE(FWindow->windowTitle(), QString("Tarvolin - A custom game"));
    QVERIFY(FWindow->Action("SessionSave")->isEnabled());

    // Given on the command line, as a file manager starts the program for a session file, the
    // session opens once the window shows (asking for the custom game's ROM).
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
    FPrompter.Files = {FDir.filePath("test.rom").toStdString()};
    FPrompter.Messages.clear();
    FWindow->SetCommandLineArgument(Path.toStdString());
    FWindow->show();
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
    QCOMPARE(Value(prPC), PC);
    QCOMPARE(FWindow->geometry(), QRect(40, 50, 1000, 700));
    QVERIFY(FPrompter.Messages.empty());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
