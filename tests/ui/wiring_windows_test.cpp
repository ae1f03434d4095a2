// The interconnection and MCU-pins windows in the real main window, offscreen: opened from the
// Game-specific menu and the pop-ups for the custom game and a catalogue game, driven with the
// mouse, kept single, freed when the LCD image changes or another game is loaded. With
// TARVOLIN_SCREENSHOT_DIR set, the test also saves pictures of both windows there.
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "base/interface_language.h"
#include "base/options.h"
#include "base/resources.h"
#include "debugger/ui/lcd_image_widget.h"
#include "debugger/ui/main_frm.h"
#include "disasm/assembler.h"
#include "games/game_classes.h"
#include "lcd/lcd_driver.h"
#include "persist/settings.h"
#include "ui/window_test_support.h"

using namespace tarvolin;
using namespace tarvolin::test;

namespace {

class QuietPrompter : public TPrompter {
public:
    std::vector<std::string> Messages;
    // Questions are answered Yes; other boxes are recorded as messages nobody expected.
    TMessageResult Message(TMessageKind Kind, const std::string& Text, TMessageButtons Buttons) override {
        if (Kind == TMessageKind::Confirmation) return TMessageResult::Yes;
        Messages.push_back(Text);
        return Buttons == TMessageButtons::OK ? TMessageResult::OK : TMessageResult::Yes;
    }
    bool Input(TInputDialog&) override { return false; }
    bool OpenFile(const TFileDialog&, std::string&) override { return false; }
    bool SaveFile(const TFileDialog&, std::string&) override { return false; }
};

// A program that stays put: the windows only read the game's wiring.
const char* Program = R"(
        .org 3C0
loop:   SKIP
        TR    loop
)";

QPoint SlotCentre(int Slot) { return {LCDpadSlotRect(true, Slot).Left + 4, 9}; }

// Moves the mouse over a part of a tool window, through the window itself (offscreen windows
// overlap, so a move by screen position could reach another window).
void Hover(QWidget* Part, QPoint Pos) { QTest::mouseMove(Part->window()->windowHandle(), Part->mapTo(Part->window(), Pos)); }

QPoint PinCentre(TMCUtoLCDFrm& w, TMCUpin Pin) {
    const TRect r = w.Model().MCUpinRects()[Pin];
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

} // namespace

class WiringWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void CustomGameOpensBothWindowsOnceAndHighlightsWithTheMouse();
    void CatalogueGameShowsItsChipAndFreesTheWindowOnAnotherLoad();
    void RussianTextsMakeRoomForATwoLineNote();

private:
    void Load(const QString& GameOrFile);
    TMCUtoLCDFrm* Interconnection() { return FWindow->ToolWindows().InterconnectionForm(); }
    TMCUpinsForm* MCUPins() { return FWindow->ToolWindows().MCUpinsForm(); }
    void Screenshot(QWidget* w, const char* Name);

    QTemporaryDir FDir;
    std::unique_ptr<TMemorySettingsStore> FStore;
    std::unique_ptr<TSettings> FSettings;
    std::unique_ptr<TMainFrm> FWindow;
    QuietPrompter FPrompter;
    QString FROM;
};

void WiringWindowsTest::init() {
    Options() = TOptions{};
    SetRussianUIActive(false);
    FPrompter = QuietPrompter{};
    FStore = std::make_unique<TMemorySettingsStore>();
    FSettings = std::make_unique<TSettings>(*FStore);
    FWindow = std::make_unique<TMainFrm>(*FSettings);
    FWindow->SetPrompterOverride(&FPrompter);
    FROM = WriteAssembledROM(FDir.filePath("wiring.rom"), Program);
}

void WiringWindowsTest::cleanup() {
    FWindow.reset();
    SetRussianUIActive(false);
}

void WiringWindowsTest::Load(const QString& GameOrFile) {
    FWindow->SetCommandLineArgument(GameOrFile.toStdString());
    FWindow->show();
    QTRY_VERIFY(FWindow->Debugger().IsGameLoaded());
}

void WiringWindowsTest::Screenshot(QWidget* w, const char* Name) {
    const QByteArray Dir = qgetenv("TARVOLIN_SCREENSHOT_DIR");
    if (Dir.isEmpty()) return;
    // Written to a temporary file next to the target and renamed over it when complete.
    QSaveFile File(QDir(QString::fromLocal8Bit(Dir)).filePath(Name));
    QVERIFY(File.open(QIODevice::WriteOnly));
    QVERIFY(w->grab().save(&File, "PNG"));
    QVERIFY(File.commit());
}

void WiringWindowsTest::CustomGameOpensBothWindowsOnceAndHighlightsWithTheMouse() {
    QVERIFY(!FWindow->Action("GameInterconnection")->isEnabled());
    Load(FROM);
    QVERIFY(FWindow->Action("GameInterconnection")->isEnabled());
    QVERIFY(FWindow->Action("GameMCUPins")->isEnabled());

    FWindow->Action("GameInterconnection")->trigger();
    TMCUtoLCDFrm* w = Interconnection();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->windowTitle(), QString("Interconnection of MCU and LCD"));
    QCOMPARE(w->size(), QSize(641, 706));
    QCOMPARE(w->Model().Pin1Position(), p1pRightTop); // the custom game's

    // Hovering the lower strip's first pad (the generic COM0 pad 1) names it and its pin;
    // Ctrl+click locks it against hovering the package.
    Hover(w->LowerStrip, SlotCentre(1));
    QTRY_COMPARE(w->PadPanels[0].Value->text(), QString("1"));
    QVERIFY(w->PinNameValue->text().startsWith("H2 (COM0)"));
    QVERIFY(!w->ORegistersValue->isVisible());
    QTest::mouseClick(w->LowerStrip, Qt::LeftButton, Qt::ControlModifier, SlotCentre(1));
    Hover(w->Package, PinCentre(*w, 46));
    QCOMPARE(w->PinNumberValue->text(), QString("29"));
    // A plain click on a pin releases the lock and takes the pin: O0 bit 0 on the SM-5A.
    QTest::mouseClick(w->Package, Qt::LeftButton, {}, PinCentre(*w, 46));
    QCOMPARE(w->Model().ActivationLockedBy(), alsNone);
    QCOMPARE(w->PinNameValue->text(), QString("O<sub><b>S1</b></sub>"));
    QCOMPARE(w->BitValue->text(), QString("#0 (xxx1)"));
    QVERIFY(w->ORegistersValue->isVisible());
    // Rotating turns the drawing, not the game.
    QTest::mouseClick(w->Package->RotateRightButton, Qt::LeftButton);
    QCOMPARE(w->Model().Pin1Position(), p1pBottomRight);
    QCOMPARE(FWindow->Debugger().MCU()->Pin1Position(), p1pRightTop);
    QTest::mouseClick(w->Package, Qt::LeftButton, Qt::ControlModifier, PinCentre(*w, 46));
    QCOMPARE(w->Model().ActivationLockedBy(), alsMCUpin);

    // The menu opens the same window again; the LCD pop-up offers it too.
    FWindow->Action("GameInterconnection")->trigger();
    QCOMPARE(Interconnection(), w);
    QMenu* menu = FWindow->BuildLCDImagePopupMenu();
    QAction* item = nullptr;
    for (QAction* a : menu->actions())
        if (a->text() == "Show &interconnection of MCU and LCD...") item = a;
    QVERIFY(item && item->isEnabled());
    // Switching the LCD image frees the window; the pop-up makes a new one for the new image.
    QTest::mouseDClick(FWindow->Panes()->LCDImage, Qt::LeftButton, {}, FWindow->Panes()->LCDImage->rect().center());
    QVERIFY(!Interconnection());
    item->trigger();
    delete menu;
    QVERIFY(Interconnection());
    QCOMPARE(&Interconnection()->Model().LCDDriver().GetClass(), &FWindow->Debugger().MCU()->LCDDriver->GetClass());

    // The MCU-pins window shows the SM-5A's diagram at its own size; "1:1" restores that size.
    FWindow->Action("GameMCUPins")->trigger();
    TMCUpinsForm* pins = MCUPins();
    QVERIFY(pins && pins->isVisible());
    QCOMPARE(pins->windowTitle(), QString("MCU pins"));
    QVERIFY(pins->IsSHARP_SM5A_MCU());
    QCOMPARE(pins->PictureSize(), QSize(579, 600));
    QVERIFY(pins->Picture().width() >= 2 * 579); // drawn for screens with more pixels per point
    QVERIFY(!pins->OneToOneButton->isVisible());
    pins->resize(400, 500);
    QTRY_VERIFY(pins->OneToOneButton->isVisible());
    QCOMPARE(pins->OneToOneButton->toolTip(), QString("Resize window to original size"));
    QCOMPARE(pins->PictureRect().width(), 400); // proportional: the narrower side decides
    QTest::mouseClick(pins->OneToOneButton, Qt::LeftButton);
    QTRY_COMPARE(pins->size(), QSize(579, 600));
    QVERIFY(!pins->OneToOneButton->isVisible());
    QVERIFY(FPrompter.Messages.empty());

    // A missing diagram is reported by name and leaves an empty window, not a stale picture.
    const TResourceData KB = *FindResource(KB1013VK1_2_PinDiagram);
    UnregisterResource(KB1013VK1_2_PinDiagram);
    pins->SelectPinDiagram(false);
    RegisterResource(KB1013VK1_2_PinDiagram, KB);
    QCOMPARE(FPrompter.Messages, std::vector<std::string>{"Resource not found (MCUpinsKB)"});
    QVERIFY(pins->Picture().isNull());
    QVERIFY(!pins->OneToOneButton->isVisible());
    pins->SelectPinDiagram(false);
    QCOMPARE(pins->PictureSize(), QSize(579, 600));
}

void WiringWindowsTest::CatalogueGameShowsItsChipAndFreesTheWindowOnAnotherLoad() {
    Options().HighContrast = true;
    FSettings->SetROMFile("MC25", FROM.toStdString());
    Load("MC25");

    // The value pop-up opens the windows from the R and O labels.
    QMenu* rMenu = FWindow->BuildValuePopupMenu(prR, TLabelRole::Value);
    QMenu* oMenu = FWindow->BuildValuePopupMenu(prO0 + 3, TLabelRole::Value);
    auto find = [](QMenu* m, const char* text) -> QAction* {
        for (QAction* a : m->actions())
            if (a->text() == text && a->isVisible() && a->isEnabled()) return a;
        return nullptr;
    };
    QVERIFY(find(rMenu, "Show &MCU pins..."));
    QVERIFY(!find(rMenu, "Show &interconnection of MCU and LCD..."));
    QAction* show = find(oMenu, "Show &interconnection of MCU and LCD...");
    QVERIFY(show);
    show->trigger();
    delete rMenu;
    delete oMenu;
    TMCUtoLCDFrm* w = Interconnection();
    QVERIFY(w && QTest::qWaitForWindowExposed(w));
    QCOMPARE(w->Model().Pin1Position(), p1pTopLeft);
    // The option dims unlit segments more strongly.
    const QColor Panel = w->LCDImage->parentWidget()->palette().color(QPalette::Window);
    QCOMPARE(int(w->Model().LCDDriver().InactiveSegmentColor() & 0xFF), std::max(0, Panel.red() - 16));
    // MC-25's COM0 pads 1 and 17 are twins of a confirmed layout: the note names both.
    Hover(w->LowerStrip, SlotCentre(1));
    QTRY_COMPARE(w->PadPanels[0].Value->text(), QString("1"));
    QCOMPARE(w->NoteLabel->text(), QString("Note: LCD COM pads 1 and 17 drive the same group of segments; i.e. if one "
                                           "of them is broken the LCD will still work correctly."));
    QVERIFY(w->NoteLabel->fontMetrics().horizontalAdvance(w->NoteLabel->text()) <= w->NoteLabel->width());
    QTest::mouseClick(w->LowerStrip, Qt::LeftButton, Qt::ControlModifier, SlotCentre(1));
    QCOMPARE(w->Model().ActivatedMCUpin(), 29);
    w->LCDImage->CheckForChanges();
    Screenshot(w, "screenshot_interconnection.png");
    // (Opened only now: the window stays on top and could cover the strips under a real pointer.)
    FWindow->Action("GameMCUPins")->trigger();
    QVERIFY(MCUPins()->IsSHARP_SM5A_MCU());
    Screenshot(MCUPins(), "screenshot_mcu_pins.png");

    // Loading another game frees the interconnection window; the visible pin diagram follows
    // the new game's chip.
    bool Loaded = false;
    FSettings->SetROMFile("IM02", FROM.toStdString());
    FWindow->Command([&] { Loaded = FWindow->Debugger().Loading().LoadGame(&TIM02::Class); });
    QVERIFY(Loaded);
    QVERIFY(!Interconnection());
    QVERIFY(!MCUPins()->IsSHARP_SM5A_MCU());
    QCOMPARE(MCUPins()->PictureSize(), QSize(579, 600));
    FWindow->Action("GameInterconnection")->trigger();
    w = Interconnection();
    QVERIFY(w && !w->Model().IsSHARP_SM5A_MCU());
    QVERIFY(FPrompter.Messages.empty());
}

void WiringWindowsTest::RussianTextsMakeRoomForATwoLineNote() {
    SetRussianUIActive(true);
    Load(FROM);
    FWindow->Action("GameInterconnection")->trigger();
    TMCUtoLCDFrm* w = Interconnection();
    QVERIFY(w);
    QCOMPARE(w->size(), QSize(641, 706 + 8));
    QVERIFY(w->NoteLabel->wordWrap());
    QVERIFY(w->NoteLabel->height() >= 2 * QFontMetrics(w->NoteLabel->font()).height());
    QVERIFY(w->LCDGroup->y() >= w->NoteLabel->geometry().bottom());
    QVERIFY(w->HintLabel->geometry().bottom() < w->height());
}

QTEST_MAIN(WiringWindowsTest)
#include "wiring_windows_test.moc"
