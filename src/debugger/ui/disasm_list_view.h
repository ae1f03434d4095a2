// The owner-drawn disassembly list: one row group per instruction, with page headers and
// label rows above the instruction line, and the PC, breakpoint, selection and patch colours.
// Shift with a click or a movement key extends a range of lines from where the selection was;
// Ctrl+C copies the range (or the selected line) as the listing export writes it. The Menu key
// and Shift+F10 open the pop-up menu at the selected line.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <string>
#include <vector>

#include "base/types.h"
#include "debugger/navigation.h"

namespace tarvolin {

// What the list draws; the main window answers from the run control's listing and row looks.
class TDisAsmListSource {
public:
    virtual ~TDisAsmListSource() = default;
    virtual int ItemCount() const = 0;
    virtual std::string ItemText(int Index) const = 0;
    // Text drawn above the instruction (a page header, possibly several lines); "" for none.
    virtual std::string RowHeader(int Index) const = 0;
    // The user's label of the row's address; "" for none.
    virtual std::string RowLabel(int Index) const = 0;
    virtual TListRowLook RowLook(int Index) const = 0;
    // The row's tool tip ("" = none): how often its instruction ran.
    virtual std::string RowToolTip(int) const { return {}; }
    // Whether the rows keep room for the coverage mark at their left edge.
    virtual bool ShowsCoverage() const { return false; }
};

class TDisAsmListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int ItemHeight = 15;

    static const QColor PCBackground;          // navy
    static const QColor PCText;                // white
    static const QColor PCBreakpointText;      // red on navy
    static const QColor BreakpointBackground;  // red
    static const QColor BreakpointText;        // white
    static const QColor SelectedBackground;    // (166,202,240)
    static const QColor ChangedOpcodeText;     // olive
    static const QColor ExecutedMark;          // green, beside instructions that ran
    static constexpr int CoverageMarkWidth = 4;

    explicit TDisAsmListView(QWidget* Parent = nullptr);

    void SetSource(const TDisAsmListSource* Source);
    // The items were replaced: measure every row again. Keeps the selection when it is still valid.
    void ItemsReset();
    // One item's text, label or header changed: measure it again.
    void ItemChanged(int Index);
    // Items [First, First + Removed) were replaced by Inserted new ones: only those are measured.
    // The owner sends the selection and the top row again afterwards.
    void ItemsReplaced(int First, int Removed, int Inserted);

    int Count() const;
    int ItemIndex() const { return FItemIndex; }
    // Makes Index the selected item (-1: none) without emitting Clicked.
    void SetItemIndex(int Index);
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Index);
    // Rows of the base height that fit into the viewport.
    int VisibleRowEstimate() const;
    // Item under a viewport point, or -1 below the last row.
    int ItemAt(const QPoint& ViewportPos) const;
    // Rectangle of an item in viewport coordinates (empty when not visible).
    QRect ItemRect(int Index) const;
    int ItemHeightOf(int Index) const;
    // Hides the drawing during bulk changes.
    void BeginUpdate();
    void EndUpdate();

    // The colours an item is drawn with (background, text), for tests and the delegate alike.
    void ItemColors(int Index, QColor& Background, QColor& Text) const;

    // The lines from the range's first to its last item (only the selected item without a
    // range); First = Last = -1 with nothing selected.
    void SelectionRange(int& First, int& Last) const;
    // The export lines of the range (page headers, "; " + label lines, instruction lines),
    // one per line, each ended by a line feed.
    QString SelectionText() const;
    void CopySelection() const;

signals:
    // The user clicked a row or moved with the keys: the owner selects it (the controller holds
    // the selection and answers with SetItemIndex).
    void SelectRequested(int Index);
    void DoubleClicked();
    // Right button pressed: the owner selects the item under the mouse (Index may be -1).
    void RightButtonDown(int Index);
    void ContextMenuRequested(const QPoint& GlobalPos);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* Event) override;

private:
    void Measure();
    int MeasureItem(int Index) const;
    void UpdateScrollBar();
    int MaxTopIndex() const;
    void MoveSelection(int NewIndex, bool Extend = false);
    void OpenMenuAtSelection();
public:
    // Scrolls just enough to show the whole item.
    void EnsureVisible(int Index);
private:

    const TDisAsmListSource* FSource = nullptr;
    std::vector<int> FHeights;
    int FItemIndex = -1;
    int FAnchor = -1; // the other end of a range of lines, -1 = none
    bool FExtending = false;
    int FTopIndex = 0;
    int FUpdateCount = 0;
    bool FSettingScrollBar = false;
    QFont FBoldFont;
};

// Number of text lines of a header ("\n; --- BANK 0 ..." is two).
int TextLineCount(const std::string& Text);

} // namespace tarvolin
