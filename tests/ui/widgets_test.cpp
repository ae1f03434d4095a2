// The views that need no running controller: the owner-drawn disassembly list, the LCD
// picture and the checking input dialog.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <map>

#include "debugger/ui/input_dlg.h"
#include "debugger/ui/lcd_image_widget.h"
#include "core/mcu.h"
#include "debugger/ui/main_frm.h"
#include "disasm/ui/code_aid_windows.h"
#include "debugger/ui/disasm_list_view.h"

using namespace tarvolin;

namespace {

struct FakeRow {
    std::string Text, Header, Label;
    TListRowLook Look;
};

class FakeSource : public TDisAsmListSource {
public:
    std::vector<FakeRow> Rows;
    int ItemCount() const override { return static_cast<int>(Rows.size()); }
    std::string ItemText(int i) const override { return Rows[i].Text; }
    std::string RowHeader(int i) const override { return Rows[i].Header; }
    std::string RowLabel(int i) const override { return Rows[i].Label; }
    TListRowLook RowLook(int i) const override { return Rows[i].Look; }
};

FakeSource MakeSource(int n) {
    FakeSource s;
    for (int i = 0; i < n; ++i) s.Rows.push_back({"3C" + std::to_string(i) + " 00       NOP", "", "", {}});
    return s;
}

QColor PixelAt(QWidget& w, QPoint p) { return w.grab().toImage().pixelColor(p); }

} // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void RowHeightsFollowHeadersAndLabels();
    void RowColoursFollowTheRowLook_data();
    void RowColoursFollowTheRowLook();
    void PaintedRowsShowTheirColours();
    void ClicksBelowTheLastRowSelectNothing();
    void KeysAskTheOwnerToSelectAndScroll();
    void TopIndexIsClampedAndScrollable();
    void LCDPictureKeepsItsAspectAndMakesWhiteTransparent();
    void LCDPictureRepaintsOnlyWhenTheRasterChanged();
    void InputDialogStaysOpenUntilTheCheckAccepts();
    void SevenSegmentTableSelectsTheFirstMatchingRow();
    void OpcodeLegendFillsItsLabelsWithoutTakingFocus();
    void FileFiltersMatchFilesWithoutExtension();
};

void WidgetsTest::RowHeightsFollowHeadersAndLabels() {
    FakeSource s = MakeSource(4);
    s.Rows[0].Header = "\n; --- BANK 0  PAGE #0 --- WAKE FROM HALT";
    s.Rows[0].Label = "start";
    s.Rows[1].Label = "loop";
    s.Rows[2].Header = "\n; --- BANK 0  PAGE #1 ---";
    TDisAsmListView v;
    v.resize(400, 300);
    v.SetSource(&s);
    QCOMPARE(v.Count(), 4);
    // Empty row, header, label, instruction.
    QCOMPARE(v.ItemHeightOf(0), 4 * TDisAsmListView::ItemHeight);
    QCOMPARE(v.ItemHeightOf(1), 2 * TDisAsmListView::ItemHeight);
    QCOMPARE(v.ItemHeightOf(2), 3 * TDisAsmListView::ItemHeight);
    QCOMPARE(v.ItemHeightOf(3), TDisAsmListView::ItemHeight);
    // A label removed later shrinks the row once the owner reports the change.
    s.Rows[1].Label.clear();
    v.ItemChanged(1);
    QCOMPARE(v.ItemHeightOf(1), TDisAsmListView::ItemHeight);
    QCOMPARE(TextLineCount(""), 0);
    QCOMPARE(TextLineCount("\nA\nB"), 3);
}

void WidgetsTest::RowColoursFollowTheRowLook_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("grey");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QColor>("background");
    QTest::addColumn<QColor>("text");
    const QColor navy(0, 0, 128), white(255, 255, 255), red(255, 0, 0), sel(166, 202, 240), olive(128, 128, 0);
    QTest::newRow("PC") << int(TListRowStyle::PC) << false << false << navy << white;
    QTest::newRow("PC on breakpoint") << int(TListRowStyle::PCBreakpoint) << false << false << navy << red;
    QTest::newRow("breakpoint") << int(TListRowStyle::Breakpoint) << false << false << red << white;
    QTest::newRow("changed opcode on PC") << int(TListRowStyle::PC) << false << true << navy << olive;
    QTest::newRow("selected") << int(TListRowStyle::Selected) << false << false << sel << QColor();
    QTest::newRow("selected, full run") << int(TListRowStyle::Selected) << true << false << sel << QColor();
    QTest::newRow("full run") << int(TListRowStyle::Normal) << true << false << QColor() << QColor();
    QTest::newRow("changed opcode, full run") << int(TListRowStyle::Normal) << true << true << QColor() << olive;
}

void WidgetsTest::RowColoursFollowTheRowLook() {
    QFETCH(int, style);
    QFETCH(bool, grey);
    QFETCH(bool, changed);
    QFETCH(QColor, background);
    QFETCH(QColor, text);
    FakeSource s = MakeSource(2);
    s.Rows[1].Look = {static_cast<TListRowStyle>(style), grey, changed};
    TDisAsmListView v;
    v.SetSource(&s);
    QColor bg, fg;
    v.ItemColors(1, bg, fg);
    if (background.isValid()) QCOMPARE(bg, background);
    if (text.isValid()) QCOMPARE(fg, text);
    // Grey text in a full run differs from the normal text colour.
    QColor nbg, nfg;
    v.ItemColors(0, nbg, nfg);
    if (grey && !changed) QVERIFY(fg != nfg);
    // ... and stays readable on its background, the selection colour included.
    if (grey) QVERIFY2(std::abs(fg.lightness() - bg.lightness()) >= 60,
                       qPrintable(QString("text %1 on %2").arg(fg.name(), bg.name())));
}

void WidgetsTest::PaintedRowsShowTheirColours() {
    FakeSource s = MakeSource(3);
    s.Rows[0].Header = "\n; --- BANK 0  PAGE #F --- RESET";
    s.Rows[1].Look.Style = TListRowStyle::PC;
    s.Rows[2].Look.Style = TListRowStyle::Breakpoint;
    TDisAsmListView v;
    v.resize(400, 200);
    v.SetSource(&s);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    // Row 0 takes three base rows, so the PC row starts at 45 and the breakpoint row at 60;
    // sample near the right edge, where no text is drawn.
    const QRect pcRect = v.ItemRect(1);
    QCOMPARE(pcRect.top(), 45);
    const QPoint inPC = v.viewport()->mapTo(&v, QPoint(pcRect.width() - 3, pcRect.top() + 7));
    const QPoint inBP = v.viewport()->mapTo(&v, QPoint(pcRect.width() - 3, v.ItemRect(2).top() + 7));
    QCOMPARE(PixelAt(v, inPC), QColor(0, 0, 128));
    QCOMPARE(PixelAt(v, inBP), QColor(255, 0, 0));
}

void WidgetsTest::ClicksBelowTheLastRowSelectNothing() {
    FakeSource s = MakeSource(3);
    TDisAsmListView v;
    v.resize(300, 300);
    v.SetSource(&s);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QSignalSpy select(&v, &TDisAsmListView::SelectRequested);
    QSignalSpy right(&v, &TDisAsmListView::RightButtonDown);
    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, QPoint(20, 200));
    QCOMPARE(select.count(), 0);
    QTest::mousePress(v.viewport(), Qt::RightButton, {}, QPoint(20, 200));
    QCOMPARE(right.count(), 1);
    QCOMPARE(right.at(0).at(0).toInt(), -1);
    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(select.count(), 1);
    QCOMPARE(select.at(0).at(0).toInt(), 1);
    QSignalSpy dbl(&v, &TDisAsmListView::DoubleClicked);
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, QPoint(20, 5));
    QCOMPARE(dbl.count(), 1);
}

void WidgetsTest::KeysAskTheOwnerToSelectAndScroll() {
    FakeSource s = MakeSource(100);
    TDisAsmListView v;
    v.resize(300, 10 * TDisAsmListView::ItemHeight + 2 * v.frameWidth());
    v.SetSource(&s);
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    // The owner answers a request by selecting the row, as the controller does.
    QObject::connect(&v, &TDisAsmListView::SelectRequested, &v, [&](int i) { v.SetItemIndex(i); });
    v.SetItemIndex(9);
    QTest::keyClick(&v, Qt::Key_Down);
    QCOMPARE(v.ItemIndex(), 10);
    QVERIFY(v.TopIndex() >= 1); // row 10 is brought into view
    QTest::keyClick(&v, Qt::Key_End);
    QCOMPARE(v.ItemIndex(), 99);
    QCOMPARE(v.TopIndex(), 90);
    QTest::keyClick(&v, Qt::Key_Home);
    QCOMPARE(v.ItemIndex(), 0);
    QCOMPARE(v.TopIndex(), 0);
}

void WidgetsTest::TopIndexIsClampedAndScrollable() {
    FakeSource s = MakeSource(50);
    TDisAsmListView v;
    v.resize(300, 200);
    v.SetSource(&s);
    v.SetTopIndex(1000);
    QCOMPARE(v.TopIndex(), 49);
    v.SetTopIndex(-5);
    QCOMPARE(v.TopIndex(), 0);
    v.SetTopIndex(20);
    QCOMPARE(v.ItemAt(QPoint(5, 1)), 20);
    QCOMPARE(v.VisibleRowEstimate(), v.viewport()->height() / TDisAsmListView::ItemHeight);
    // Emptying the list keeps the view usable.
    s.Rows.clear();
    v.ItemsReset();
    QCOMPARE(v.Count(), 0);
    QCOMPARE(v.ItemAt(QPoint(5, 1)), -1);
}

void WidgetsTest::LCDPictureKeepsItsAspectAndMakesWhiteTransparent() {
    TRaster r(100, 50, clWhite);
    r.FillRect(0, 0, 50, 50, 0x0000FF); // left half red (0x00BBGGRR)
    TLCDImageWidget w;
    QPalette p = w.palette();
    p.setColor(w.backgroundRole(), QColor(10, 200, 30));
    w.setPalette(p);
    w.setAutoFillBackground(true);
    w.resize(400, 400);
    w.SetRaster(&r);
    QCOMPARE(w.ImageRect(), QRect(0, 100, 400, 200));
    const QImage shot = w.grab().toImage();
    QCOMPARE(shot.pixelColor(100, 200), QColor(255, 0, 0));
    QCOMPARE(shot.pixelColor(300, 200), QColor(10, 200, 30)); // white shows the panel
    // A tall widget centres the picture horizontally.
    w.resize(200, 400);
    QCOMPARE(w.ImageRect(), QRect(0, 150, 200, 100));
}

void WidgetsTest::LCDPictureRepaintsOnlyWhenTheRasterChanged() {
    TRaster r(20, 10, clWhite);
    TLCDImageWidget w;
    w.resize(200, 100);
    w.SetRaster(&r);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
    QVERIFY(!w.CheckForChanges());
    const uint64_t before = w.RepaintCount();
    r.SetPixel(3, 3, clBlack);
    r.MarkChanged();
    QVERIFY(w.CheckForChanges());
    QTRY_VERIFY(w.RepaintCount() > before);
    // Scaled up nothing is averaged: the black pixel stays black.
    QCOMPARE(w.ConvertedImage().size(), QSize(20, 10));
    QCOMPARE(w.ConvertedImage().pixelColor(3, 3), QColor(0, 0, 0));
    QVERIFY(!w.CheckForChanges());
    // A raster emptied by closing the game draws nothing and does not crash.
    r.Clear();
    r.MarkChanged();
    w.CheckForChanges();
    QCoreApplication::processEvents();
    QVERIFY(w.ImageRect().isEmpty());
}

void WidgetsTest::InputDialogStaysOpenUntilTheCheckAccepts() {
    std::vector<std::string> errors;
    int checks = 0;
    TInputDlg dlg(
        nullptr, "Enter hexadecimal value (0-F)", {"Acc"}, {"5"},
        [&](const std::vector<std::string>& t) {
            ++checks;
            if (t[0].empty()) return TInputCheck::Refuse();
            if (t[0] == "3F") return TInputCheck::Refuse("Out of range.");
            return TInputCheck::Accept();
        },
        [&](const std::string& e) { errors.push_back(e); });
    dlg.show();
    QCOMPARE(dlg.Edit(0)->text(), QString("5"));
    dlg.Edit(0)->setText("");
    dlg.TryAccept();
    QVERIFY(dlg.isVisible());
    QVERIFY(errors.empty()); // empty text: silently kept open
    dlg.Edit(0)->setText("3F");
    QTest::keyClick(dlg.Edit(0), Qt::Key_Return); // OK is the default button
    QVERIFY(dlg.isVisible());
    QCOMPARE(errors, std::vector<std::string>{"Out of range."});
    dlg.Edit(0)->setText("A");
    dlg.TryAccept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.Texts(), std::vector<std::string>{"A"});
    QCOMPARE(checks, 3);
}

void WidgetsTest::SevenSegmentTableSelectsTheFirstMatchingRow() {
    TSevenSegmentCodingTableForm form(nullptr);
    // Accumulator C shares its codes with 4 and D with 5: the first matching row wins.
    struct Case {
        int Acc;
        const char* Row;
    } cases[] = {{0, " |  0  |"}, {9, " |  9  |"}, {0xC, " |  4  |"}, {0xD, " |  5  |"}, {0xF, " |  F  |"}};
    for (const Case& c : cases) {
        form.ShowSevenSegmentTableForAcc(c.Acc);
        QVERIFY2(form.SelectedText().startsWith(c.Row), qPrintable(form.SelectedText()));
        QVERIFY(form.SelectedText().endsWith("|"));
    }
    form.ShowSevenSegmentTableForAcc(-1);
    QVERIFY(form.SelectedText().isEmpty());
    QVERIFY(form.isVisible());
    // O and O' codes of a digit with the halves swapped (TD=0 is not COM1).
    form.ShowSevenSegmentTable(SevenSegmentCodingTable[1][7], SevenSegmentCodingTable[0][7], false);
    QVERIFY(form.SelectedText().startsWith(" |  7  |"));
}

void WidgetsTest::OpcodeLegendFillsItsLabelsWithoutTakingFocus() {
    QWidget owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    TOpcodeLegendForm legend(&owner);
    legend.ShowOpcodeLegend(nullptr, 0x5F, 0x12);
    QVERIFY(legend.isVisible());
    QCOMPARE(legend.windowTitle(), QString("Opcode Legend"));
    QCOMPARE(legend.OpcodeLabel->text(), QString("5F 12"));
    QVERIFY(legend.DetailsLabel->text().contains("0x12"));
    QVERIFY(legend.testAttribute(Qt::WA_ShowWithoutActivating));
}

void WidgetsTest::FileFiltersMatchFilesWithoutExtension() {
    QCOMPARE(QtFileFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*"), QString("Text files (*.txt);;All files (*)"));
    QCOMPARE(QtFileFilter("All files (*.*)|*.*"), QString("All files (*)"));
    QCOMPARE(QtFileFilter("Debug sessions (*.dbgsession)|*.dbgsession|All files (*.*)|*.*"),
             QString("Debug sessions (*.dbgsession);;All files (*)"));
    // Several patterns of one entry are separated by blanks in Qt's form.
    QCOMPARE(QtFileFilter("ROMs|*.rom;*.bin"), QString("ROMs (*.rom *.bin)"));
    QCOMPARE(QtFileFilter(""), QString());
}

QTEST_MAIN(WidgetsTest)
#include "widgets_test.moc"
