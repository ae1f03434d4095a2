// The live sound in the real window, offscreen: the Sound command by its shortcut, the options
// dialog's sound group worked with the keyboard alone, the minimised window, and a run that
// either plays or says in the status bar why it cannot.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "base/options.h"
#include "debugger/ui/main_frm.h"
#include "debugger/ui/options_dialog.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

class LiveSoundWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void CtrlMSwitchesTheSoundInBothShortcutSetsAndRemembersIt();
    void TheOptionsDialogSetsVolumeAndMuteRulesFromTheKeyboard();
    void AMinimisedWindowMutesAndARunPlaysOrSaysWhyNot();

private:
    void Show();

    QTemporaryDir FDir;
    std::unique_ptr<TMemorySettingsStore> FStore;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TMainFrm> FWindow;
    TRecordingPrompter FPrompter;
};

void LiveSoundWindowTest::init() {
    Options() = TOptions{};
    FStore = std::make_unique<TMemorySettingsStore>();
    FSettings = std::make_unique<TSettings>(*FStore);
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
}

void LiveSoundWindowTest::cleanup() {
    FWindow.reset();
    Options() = TOptions{};
}

void LiveSoundWindowTest::Show() {
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    QVERIFY(QTest::qWaitForWindowActive(FWindow.get()));
}

void LiveSoundWindowTest::CtrlMSwitchesTheSoundInBothShortcutSetsAndRemembersIt() {
    Show();
    QAction* sound = FWindow->Action("DebugSound");
    QVERIFY(sound && sound->isCheckable() && sound->isChecked());
    for (bool mame : {false, true}) {
        Options().UseMAMEKeyMapping = mame;
        FWindow->ApplyDebugShortcuts();
        QCOMPARE(sound->shortcut(), QKeySequence("Ctrl+M"));
        QTest::keyClick(FWindow.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!Options().LiveSound);
        QVERIFY(!sound->isChecked());
        QCOMPARE(FStore->Read("", "LiveSound"), std::optional<std::string>("0"));
        QTest::keyClick(FWindow.get(), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(Options().LiveSound);
        QVERIFY(sound->isChecked());
        QCOMPARE(FStore->Read("", "LiveSound"), std::optional<std::string>("1"));
    }
    QVERIFY(FPrompter.Messages.empty());
}

void LiveSoundWindowTest::TheOptionsDialogSetsVolumeAndMuteRulesFromTheKeyboard() {
    Show();
    const auto work = [](TOptionsDlg* dlg) {
        // A picture of the dialog for a person to look at (tools/screenshots.sh sets the folder).
        if (const QString dir = qEnvironmentVariable("TARVOLIN_SCREENSHOT_DIR"); !dir.isEmpty())
            dlg->grab().save(dir + "/options_dialog_sound.png");
        QApplication::setActiveWindow(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        QVERIFY(dlg->LiveSoundCB->isChecked());
        QCOMPARE(dlg->VolumeSlider->value(), 50);
        QCOMPARE(dlg->VolumeValue->text(), QString("50 %"));
        // Alt+V reaches the slider through its label; Page Up is a step of 10, Right one of 5.
        QTest::keyClick(dlg, Qt::Key_V, Qt::AltModifier);
        QVERIFY(dlg->VolumeSlider->hasFocus());
        QTest::keyClick(dlg->VolumeSlider, Qt::Key_PageUp);
        QTest::keyClick(dlg->VolumeSlider, Qt::Key_Right);
        QCOMPARE(dlg->VolumeValue->text(), QString("65 %"));
        QTest::keyClick(dlg, Qt::Key_F, Qt::AltModifier); // Mute at full emulation speed: off
        QTest::keyClick(dlg, Qt::Key_W, Qt::AltModifier); // Mute while minimised: off
        // A mnemonic clicks its box a moment later, as a click that shows.
        QTRY_VERIFY(!dlg->MuteAtFullSpeedCB->isChecked() && !dlg->MuteWhenMinimisedCB->isChecked());
        // A picture of the dialog for a person to look at (tools/screenshots.sh sets the folder).
        if (const QString dir = qEnvironmentVariable("TARVOLIN_SCREENSHOT_DIR"); !dir.isEmpty())
            dlg->grab().save(dir + "/options_dialog_sound.png");
        QTest::keyClick(dlg, Qt::Key_Return);
    };
    QTimer::singleShot(0, this, [work] {
        auto* dlg = qobject_cast<TOptionsDlg*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        work(dlg);
        if (dlg->isVisible()) dlg->reject(); // a failed check must not leave the dialog open
    });
    FWindow->Action("Options")->trigger();
    QCOMPARE(Options().LiveSoundVolume, 65);
    QVERIFY(!Options().MuteLiveSoundAtFullSpeed);
    QVERIFY(!Options().MuteLiveSoundWhenMinimised);
    QCOMPARE(FStore->Read("", "LiveSoundVolume"), std::optional<std::string>("65"));
    QCOMPARE(FStore->Read("", "MuteLiveSoundAtFullSpeed"), std::optional<std::string>("0"));
    QCOMPARE(FStore->Read("", "MuteLiveSoundWhenMinimised"), std::optional<std::string>("0"));
}

void LiveSoundWindowTest::AMinimisedWindowMutesAndARunPlaysOrSaysWhyNot() {
    const QString path = WriteAssembledROM(FDir.filePath("tone.rom"), ".org 3C0\n"
                                                                      "loop:   LAX Acc,0x1\n"
                                                                      "        ATR R,Acc\n"
                                                                      "        LAX Acc,0x0\n"
                                                                      "        ATR R,Acc\n"
                                                                      "        TR loop\n");
    FWindow->SetCommandLineArgument(path.toStdString());
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
    TLiveSoundControl& sound = FWindow->Debugger().LiveSound();
    FWindow->setWindowState(Qt::WindowMinimized);
    QVERIFY(sound.Conditions().Minimised);
    FWindow->setWindowState(Qt::WindowNoState);
    QVERIFY(!sound.Conditions().Minimised);

    FWindow->Action("DebugUnattendedRun")->trigger(); // a run at 100 %
    QTRY_VERIFY(FWindow->Debugger().MCU()->CycleCount > 8192);
    if (const QString dir = qEnvironmentVariable("TARVOLIN_SCREENSHOT_DIR"); !dir.isEmpty())
        FWindow->grab().save(dir + "/window_live_sound.png");
    auto* note = FWindow->statusBar()->findChild<QLabel*>("LiveSoundNote");
    QVERIFY(note);
    // This machine may have an audio device or not: the run either plays, or goes on silently
    // with the reason beside the status text, never in a message box.
    if (sound.IsPlaying()) {
        QVERIFY(note->isHidden());
        QVERIFY(sound.Ring().Filled() > 0 || sound.Ring().MissingSamples() > 0);
    } else {
        QVERIFY(note->isVisible());
        QVERIFY(note->text().startsWith("No sound: "));
    }
    QVERIFY(FPrompter.Messages.empty());
    FWindow->Action("DebugPause")->trigger();
    QVERIFY(!sound.IsPlaying());
    QVERIFY(!FWindow->Debugger().MCU()->HasBuzzerTap());
}

QTEST_MAIN(LiveSoundWindowTest)
#include "live_sound_window_test.moc"
