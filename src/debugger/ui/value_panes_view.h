// The register, RAM and LCD-register panes as a view of the panes feature: draws the pane
// texts into the labels of TStatePanes (deferred during full runs), shows the value pop-up
// menu, and wires the panes' own controls (update boxes, digit labels, Set current time).
#pragma once

#include <QObject>
#include <cstdint>

#include "debugger/debugger_view.h"
#include "debugger/pane_texts.h"
#include "debugger/ui/main_loop.h"
#include "debugger/ui/state_panes.h"

class QMenu;

namespace tarvolin {

class TCommandRunner;
class TDebugger;
class TInputPanel;
struct TCommandStates;

class TValuePanesView : public QObject, public TPanesView, public TDeferredDrawing {
    Q_OBJECT
public:
    TValuePanesView(TStatePanes& Panes, TListView& List, TMainLoop& Loop, TCommandRunner& Runner);
    void SetDebugger(TDebugger* Debugger) { FDebugger = Debugger; }
    void SetInputPanel(TInputPanel* Panel) { FInputPanel = Panel; }
    // The MCU-pins and interconnection windows the pop-up opens.
    void SetToolWindows(TToolWindows* Tools) { FTools = Tools; }

    // ---- TPanesView ----
    void DrawPanes(TPanes Panes, bool OnlyChanged) override;
    // ---- TDeferredDrawing ----
    void FlushDeferred() override;

    void ApplyStates(const TCommandStates& States);
    // The value pop-up menu built for one component (shown by a right click).
    QMenu* BuildValuePopupMenu(int Row, TLabelRole Role);
    QMenu* BuildValuePopupMenu(TValueId Id);
    // Shows the value pop-up menu of a component when any of its items is visible (a raw
    // input button, for instance).
    void ShowValuePopupFor(TValueId Id, const QPoint& GlobalPos);
    static TValueId RowToValueId(int Row);
    uint64_t DrawPanesCount() const { return FDrawPanesCount; }

protected:
    // The RAM cells' tool tips: the instruction that last wrote the cell, asked when shown.
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void DrawPanesNow(TPanes Panes, bool OnlyChanged);
    void DrawValue(int Row, const TValueText& Text, bool OnlyChanged);
    void ShowValuePopup(int Row, TLabelRole Role, const QPoint& GlobalPos);

    TStatePanes& FPanes;
    TListView& FList;
    TMainLoop& FLoop;
    TCommandRunner& FRunner;
    TDebugger* FDebugger = nullptr;
    TInputPanel* FInputPanel = nullptr;
    TToolWindows* FTools = nullptr;
    TPanes FDeferredPanes = 0;
    uint64_t FDrawPanesCount = 0;
    bool FApplyingStates = false;
};

} // namespace tarvolin
