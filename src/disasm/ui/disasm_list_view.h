// The owner-drawn disassembly list: one row group per instruction, with page headers and
// label rows above the instruction line, and the PC, breakpoint, selection and patch colours.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <string>
#include <vector>

#include "core/types.h"

namespace tarvolin {

// What the list draws; the main window answers from the listing, the MCU and the run control.
class TDisAsmListSource {
public:
    virtual ~TDisAsmListSource() = default;
    virtual int ItemCount() const = 0;
    virtual T11bits ItemAddr(int Index) const = 0;
    virtual std::string ItemText(int Index) const = 0;
    // Text drawn above the instruction (a page header, possibly several lines); "" for none.
    virtual std::string PageHeader(T11bits Addr) const = 0;
    // The user's label of the address; "" for none.
    virtual std::string AddressLabel(T11bits Addr) const = 0;
    virtual bool IsCodeBreakpoint(T11bits Addr) const = 0;
    virtual bool IsOpcodeChanged(T11bits Addr) const = 0;
    // PC when the list marks the PC line (stopped or animated run), else NoAddress.
    virtual T11bits MarkedPC() const = 0;
    // Text is grey during a full run.
    virtual bool IsFullRun() const = 0;
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

    explicit TDisAsmListView(QWidget* Parent = nullptr);

    void SetSource(const TDisAsmListSource* Source);
    // The items were replaced: measure every row again. Keeps the selection when it is still valid.
    void ItemsReset();
    // One item's text, label or header changed: measure it again.
    void ItemChanged(int Index);

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

signals:
    // The selection changed by the user (click, keys) or by SelectItem of the owner.
    void Clicked();
    void DoubleClicked();
    // Right button pressed: the owner selects the item under the mouse (Index may be -1).
    void RightButtonDown(int Index);
    void ContextMenuRequested(const QPoint& GlobalPos);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Measure();
    int MeasureItem(int Index) const;
    void UpdateScrollBar();
    int MaxTopIndex() const;
    void MoveSelection(int NewIndex);
    void EnsureVisible(int Index);

    const TDisAsmListSource* FSource = nullptr;
    std::vector<int> FHeights;
    int FItemIndex = -1;
    int FTopIndex = 0;
    int FUpdateCount = 0;
    bool FSettingScrollBar = false;
    QFont FBoldFont;
};

// Number of text lines of a header ("\n; --- BANK 0 ..." is two).
int TextLineCount(const std::string& Text);

} // namespace tarvolin
