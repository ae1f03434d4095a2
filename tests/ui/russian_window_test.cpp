// The main window started with the Russian interface chosen for this executable: the Russian
// texts built into the program reach the menus, the pop-up menus, the panes, a dialog and an
// error of the emulator, and the longer texts still fit a small screen. With
// TARVOLIN_SCREENSHOT_DIR set (and a real display, see tools/screenshots.sh) it also saves a
// picture of the Russian window filling the screen.
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDockWidget>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSaveFile>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <fstream>
#include <functional>

#include "app/ui/interface_language_setup.h"
#include "base/interface_language.h"
#include "base/options.h"
#include "base/program_folder.h"
#include "debugger/ui/main_frm.h"
#include "disasm/assembler.h"
#include "persist/language_choice.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

// Keeps every message; answers questions with Yes/OK and cancels input and file dialogs.
class Prompter : public TPrompter {
public:
    std::vector<std::string> Errors;
    TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) override {
        if (Kind == TMessageKind::Error) Errors.push_back(Text);
        return Buttons == TMessageButtons::OK ? TMessageResult::OK : TMessageResult::Yes;
    }
    bool Input(TInputDialog&) override { return false; }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

// A return with no call before it: the emulator stops with an error on the first step.
const char* const FaultyProgram = ".org 3C0\nstart: RTN\n";
const char* const LoopProgram = ".org 3C0\nstart: LAX Acc,0x5\nloop: EXC Acc,(DP)\nTR loop\n";


bool HasCyrillic(const QString& Text) { return Text.contains(QRegularExpression("[\\x{0400}-\\x{04FF}]")); }

// A caption in English left behind: it has Latin words but no Russian letter. Captions made of
// names and numbers only ("PC", "K1", "0x3C0") are no such text.
bool LooksEnglish(const QString& Caption) {
    QString Text = Caption;
    Text.remove('&');
    return !HasCyrillic(Text) && Text.contains(QRegularExpression("[a-z]{3,}"));
}

} // namespace

class RussianWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup() { FWindow.reset(); }
    void MenusPopupsAndPanesSpeakRussian();
    void ADialogAndAnEmulatorErrorSpeakRussian();
    void TheMinimumSizeStillFitsA1366x768ScreenAndOneAt150Percent();
    void Screenshot();

private:
    QString WriteROM(const char* Name, const char* Program);
    void Show(const std::string& Argument);

    QTemporaryDir FDir;
    std::unique_ptr<TMemorySettingsStore> FStore;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TMainFrm> FWindow;
    Prompter FPrompter;
};

void RussianWindowTest::initTestCase() {
    // As at a start of the program after Russian was chosen in the Options dialog.
    TMemorySettingsStore Choice;
    QVERIFY(SetInterfaceLanguage(Choice, ExecutablePath().string(), true));
    QVERIFY(SetUpInterfaceLanguage(Choice));
    QVERIFY(RussianUIActive());
}

void RussianWindowTest::init() {
    Options() = TOptions{};
    FPrompter = Prompter{};
    FStore = std::make_unique<TMemorySettingsStore>();
    FSettings = std::make_unique<TSettings>(*FStore);
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
}

QString RussianWindowTest::WriteROM(const char* Name, const char* Program) {
    return WriteAssembledROM(FDir.filePath(Name), Program);
}

void RussianWindowTest::Show(const std::string& Argument) {
    FWindow->SetCommandLineArgument(Argument);
    FWindow->show();
    QApplication::setActiveWindow(FWindow.get());
    QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    QTRY_VERIFY(Argument.empty() || FWindow->Debugger().IsGameLoaded());
}

void RussianWindowTest::MenusPopupsAndPanesSpeakRussian() {
    Show(WriteROM("loop.rom", LoopProgram).toStdString());
    QStringList Titles;
    for (QAction* a : FWindow->menuBar()->actions()) Titles << a->text();
    for (const char* Title : {"&Игра", "&Сеанс", "&Отладка", "&Вид", "&Параметры...", "&Разное"})
        QVERIFY2(Titles.contains(QString::fromUtf8(Title)), qPrintable(Titles.join(" | ")));
    QCOMPARE(FWindow->Action("DebugTraceInto")->text(), QString::fromUtf8("&Шаг с заходом"));
    QCOMPARE(FWindow->Action("GameSoundRecording")->text(), QString::fromUtf8("Запись звука"));
    // The shortcut stays a key name in the tooltip.
    QCOMPARE(FWindow->Action("DebugTraceInto")->toolTip(), QString::fromUtf8("Шаг с заходом (F7)"));

    // No English caption is left in the menus (the Game menu's game titles are names), the
    // list's pop-up menu, the value pop-up menu, the dock titles, tabs, boxes and buttons.
    QStringList English;
    std::function<void(QMenu*)> Sweep = [&](QMenu* Menu) {
        for (QAction* a : Menu->actions()) {
            if (a->menu()) Sweep(a->menu());
            if (!a->isSeparator() && LooksEnglish(a->text())) English << a->text();
        }
    };
    for (QAction* a : FWindow->menuBar()->actions())
        if (a->menu() && a->menu() != FWindow->GameMenu()) Sweep(a->menu());
    Sweep(FWindow->DisAsmPopupMenu());
    std::unique_ptr<QMenu> ValueMenu(FWindow->BuildValuePopupMenu(TValueId{TValueKind::RAMCell, 0x10}));
    Sweep(ValueMenu.get());
    for (QDockWidget* d : FWindow->findChildren<QDockWidget*>())
        if (LooksEnglish(d->windowTitle())) English << d->windowTitle();
    for (QTabWidget* t : FWindow->findChildren<QTabWidget*>())
        for (int i = 0; i < t->count(); ++i)
            if (LooksEnglish(t->tabText(i))) English << t->tabText(i);
    for (QAbstractButton* b : FWindow->findChildren<QAbstractButton*>())
        if (!qobject_cast<QToolButton*>(b) && LooksEnglish(b->text())) English << b->text();
    for (QGroupBox* g : FWindow->findChildren<QGroupBox*>())
        if (LooksEnglish(g->title())) English << g->title();
    QVERIFY2(English.isEmpty(), qPrintable(English.join(" | ")));
}

void RussianWindowTest::ADialogAndAnEmulatorErrorSpeakRussian() {
    Show(WriteROM("faulty.rom", FaultyProgram).toStdString());
    // The core's message, translated without Qt, reaches the window's prompter.
    FWindow->Action("DebugUnattendedRun")->trigger();
    QTRY_COMPARE(FPrompter.Errors.size(), size_t(1));
    const QString Error = QString::fromStdString(FPrompter.Errors[0]);
    QVERIFY2(Error.contains(QString::fromUtf8("RTN/RTNS вне подпрограммы?")), qPrintable(Error));

    FWindow->Action("DisAsmLBToggleBreakpoint")->trigger();
    QString Title, DeleteAll;
    QTimer::singleShot(0, this, [&] {
        auto* Dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(Dialog);
        Title = Dialog->windowTitle();
        for (QAbstractButton* b : Dialog->findChildren<QAbstractButton*>())
            if (b->text().contains(QString::fromUtf8("все"))) DeleteAll = b->text();
        Dialog->reject();
    });
    FWindow->Action("DebugBreakpoints")->trigger();
    QCOMPARE(Title, QString::fromUtf8("Адреса точек останова"));
    QCOMPARE(DeleteAll, QString::fromUtf8("Удалить &все"));
}

void RussianWindowTest::TheMinimumSizeStillFitsA1366x768ScreenAndOneAt150Percent() {
    // The dosimeter has the widest controls page, with the radiation simulator beside them.
    FSettings->SetROMFile("Altair", WriteROM("altair.rom", LoopProgram).toStdString());
    Show("Altair");
    const QSize Min = FWindow->minimumSizeHint().expandedTo(FWindow->minimumSize());
    qInfo("minimum size with the Russian texts %d x %d", Min.width(), Min.height());
    for (const QSize Screen : SmallScreens) {
        QVERIFY2(Min.width() + FrameAllowanceWidth <= Screen.width(), qPrintable(QString::number(Min.width())));
        QVERIFY2(Min.height() + FrameAllowanceHeight <= Screen.height(), qPrintable(QString::number(Min.height())));
    }
}

void RussianWindowTest::Screenshot() {
    const QString Dir = QString::fromLocal8Bit(qgetenv("TARVOLIN_SCREENSHOT_DIR"));
    if (Dir.isEmpty()) QSKIP("TARVOLIN_SCREENSHOT_DIR is not set");
    // screenshot_1366x768_ru.png: the screen in device pixels, its scaling when not 100 %.
    const QScreen* Screen = QGuiApplication::primaryScreen();
    const qreal Ratio = Screen->devicePixelRatio();
    QString Name = QString("screenshot_%1x%2")
                       .arg(qRound(Screen->geometry().width() * Ratio))
                       .arg(qRound(Screen->geometry().height() * Ratio));
    if (Ratio != 1.0) Name += QString("_%1").arg(qRound(Ratio * 100));
    // The demo program as a custom game, run a little, stopped and stepped twice.
    FWindow->setGeometry(Screen->availableGeometry());
    Show(TARVOLIN_BINARY_DIR "/examples/demo.rom");
    QTest::keyClick(FWindow.get(), Qt::Key_F9, Qt::ControlModifier);
    QTest::qWait(1200);
    QTest::keyClick(FWindow.get(), Qt::Key_Escape);
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QTest::keyClick(FWindow.get(), Qt::Key_F7);
    QTest::qWait(300);
    QSaveFile Out(QDir(Dir).filePath(Name + "_ru.png"));
    QVERIFY(Out.open(QIODevice::WriteOnly));
    QVERIFY(FWindow->grab().save(&Out, "PNG"));
    QVERIFY(Out.commit());
}

QTEST_MAIN(RussianWindowTest)
#include "russian_window_test.moc"
