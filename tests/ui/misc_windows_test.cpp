// The Misc windows and what runs behind them: the About box's testing-mode switch, the links
// window's copy menu and link opening, the update check's dialog, and long tasks that keep the
// window responsive and can be cancelled.
#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <thread>

#include "app/ui/about_dlg.h"
#include "app/ui/link_label.h"
#include "app/ui/misc_menu.h"
#include "app/ui/update_check.h"
#include "app/ui/useful_links_dlg.h"
#include "base/options.h"
#include "base/ui/shell_starter.h"
#include "debugger/ui/main_frm.h"
#include "debugger/ui/qt_task_runner.h"
#include "net/local_http_server.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

using RecordingPrompter = TRecordingPrompter;

// Takes the links the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& Url) { Opened.push_back(Url); }
};

void DoubleClick(QWidget* W, Qt::KeyboardModifiers Modifiers) {
    QTest::mouseDClick(W, Qt::LeftButton, Modifiers, W->rect().center());
}

} // namespace

class MiscWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { Options() = TOptions{}; }

    void aboutBoxSwitchesTestingModeWithShiftAndCtrlOnly() {
        RecordingPrompter Prompter;
        TAboutDlg About(Prompter);
        QCOMPARE(About.VersionLabel()->text(), QString("v%1").arg(TARVOLIN_VERSION_STRING));
        const QColor Normal = About.NoteColour();
        for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
                                        Qt::KeyboardModifiers(Qt::ControlModifier)}) {
            DoubleClick(About.TestingNote(), m);
            QVERIFY(!Options().TestingMode);
            QCOMPARE(About.NoteColour(), Normal);
        }
        DoubleClick(About.TestingNote(), Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(Options().TestingMode);
        QCOMPARE(About.NoteColour(), QColor(0, 128, 0));
        TAboutDlg Again(Prompter);
        QCOMPARE(Again.NoteColour(), QColor(0, 128, 0));
        // No contact address configured: the link does nothing.
        QVERIFY(!About.ContactLink()->isEnabled());
    }

    void linksOpenThroughTheDesktopAndCopy() {
        RecordingPrompter Prompter;
        TDirectTaskRunner Tasks;
        Options().UpdateServer = "https://updates.example.invalid";
        TUsefulLinksDlg Links(Prompter, Tasks);
        QCOMPARE(int(Links.Links().size()), 9);
        QCOMPARE(Links.Links().back()->text(), QString("https://updates.example.invalid/Tarvolin/"));

        UrlCatcher Catcher;
        QDesktopServices::setUrlHandler("https", &Catcher, "Open");
        QTest::mouseClick(Links.Links()[5], Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(Catcher.Opened.size(), 1);
        QCOMPARE(Catcher.Opened[0].toString(), Links.Links()[5]->text());

        // The shared pop-up menu copies the link it was opened on.
        for (int i : {2, 7}) {
            TLinkLabel* Link = Links.Links()[size_t(i)];
            QTimer::singleShot(0, &Links, [&] {
                Links.LinkMenu()->actions().at(0)->trigger();
                Links.LinkMenu()->close();
            });
            QContextMenuEvent Event(QContextMenuEvent::Mouse, Link->rect().center(), Link->mapToGlobal(QPoint()));
            QCoreApplication::sendEvent(Link, &Event);
            QCOMPARE(Links.LinkMenu()->actions().at(0)->text(), QString("&Copy link"));
            QCOMPARE(QGuiApplication::clipboard()->text(), Link->text());
        }

        // Shift+Ctrl double-click on the home page's description checks the ROM addresses: with
        // no ROM archive server configured none is reachable, and nothing is requested.
        DoubleClick(Links.HomePageDescription(), Qt::ShiftModifier);
        QVERIFY(Prompter.Messages.empty());
        DoubleClick(Links.HomePageDescription(), Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(Prompter.Messages.size(), size_t(1));
        QVERIFY(QString::fromStdString(Prompter.Messages[0]).startsWith("(none)\nTAC01 - download.php?file=gnw_ball\r\n   "));
        QCOMPARE(Tasks.Titles.size(), size_t(1));
    }

    void updateCheckShowsTheNewVersion() {
        test::TLocalHttpServer Server;
        Server.Route("/Tarvolin/version.txt",
                     test::HttpAnswer(200, "OK", "9.0\nhttps://h.invalid/dl\nCHANGELOG\nfaster\nsafer\n"));
        QWidget Window;
        TUpdateChecker Checker(&Window);
        QSignalSpy Finished(&Checker, &TUpdateChecker::Finished);
        TUpdateCheck Check;
        Check.Server = Server.Base();
        Check.Current = {0, 1, 0, 0};
        Checker.Start(Check);
        Checker.Start(Check); // once only
        QVERIFY(Finished.wait(10000));
        QCOMPARE(Finished.at(0).at(0).toBool(), true);
        TNewVersionDlg* Dialog = Checker.Dialog();
        QVERIFY(Dialog);
        QCOMPARE(Dialog->windowTitle(), QString("New version available"));
        QCOMPARE(Dialog->VersionLink()->text(), QString("9.0"));
        QCOMPARE(Dialog->VersionLink()->toolTip(), QString("https://h.invalid/dl"));
        QCOMPARE(Dialog->ChangeLog()->toPlainText().split('\n').mid(0, 2), QStringList({"faster", "safer"}));
        QVERIFY(Dialog->minimumSize() == QSize(257, 184));
        QTest::keyClick(Dialog, Qt::Key_Return);
        QVERIFY(!Dialog->isVisible());
        QCOMPARE(Server.Requests().size(), size_t(1));
    }

    void longTasksKeepTheWindowResponsiveAndCanBeCancelled() {
        QMainWindow Window;
        auto* Status = new QLabel("Stopped", &Window);
        Window.statusBar()->addWidget(Status);
        TQtTaskRunner Runner(&Window, Status, Window.statusBar());

        int Ticks = 0;
        QTimer Ticker;
        QObject::connect(&Ticker, &QTimer::timeout, [&] { ++Ticks; });
        Ticker.start(10);
        QString StatusWhileRunning;
        QTimer::singleShot(300, [&] {
            StatusWhileRunning = Status->text();
            if (QPushButton* Cancel = Runner.ActiveDialog() ? Runner.ActiveDialog()->findChild<QPushButton*>() : nullptr)
                Cancel->click();
        });
        bool SawCancel = false;
        Runner.RunTask("Working", [&](TTaskProgress& Progress) {
            Progress.Status("Working on it...");
            for (int i = 0; i < 500 && !Progress.Cancelled(); ++i) {
                Progress.Progress(uint64_t(i) * 1024, 500 * 1024);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            SawCancel = Progress.Cancelled();
        });
        QVERIFY(SawCancel);
        QVERIFY(Ticks > 5); // the window's timers ran while the work ran
        QCOMPARE(StatusWhileRunning, QString("Working on it..."));
        QCOMPARE(Status->text(), QString("Stopped"));
        QVERIFY(!Runner.ActiveDialog());

        // A failure of the work reaches the caller.
        bool Thrown = false;
        try {
            Runner.RunTask("Failing", [](TTaskProgress&) { throw std::runtime_error("no"); });
        } catch (const std::runtime_error& e) {
            Thrown = std::string(e.what()) == "no";
        }
        QVERIFY(Thrown);
    }

    void aProgramThatCannotStartIsReportedInTheShellsWords() {
        const QString Missing = QDir::temp().filePath("tarvolin_no_such_program");
        QString Message;
        try {
            ShellExecuteProgram(Missing.toStdString(), "-x", 1);
        } catch (const std::runtime_error& e) {
            Message = e.what();
        }
        QCOMPARE(Message, "ShellExecute('" + Missing + "', '-x', 1) failed.\n2: 'The specified file was not found.'");
    }

    void theMiscMenuIsInstalled() {
        TMemorySettingsStore Store;
        TSettings Settings(Store);
        TMainFrm Window(Settings);
        QVERIFY(!Window.Action("MiscAbout")->isEnabled());
        InstallMiscMenu(Window);
        QVERIFY(Window.Action("MiscAbout")->isEnabled());
        QVERIFY(Window.Action("MiscUsefulLinks")->isEnabled());
    }
};

QTEST_MAIN(MiscWindowsTest)
#include "misc_windows_test.moc"
