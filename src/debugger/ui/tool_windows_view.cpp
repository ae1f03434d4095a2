#include "debugger/ui/tool_windows_view.h"

#include <QWidget>

#include "debugger/debugger.h"
#include "disasm/ui/code_aid_windows.h"

namespace tarvolin {

void TToolWindowsView::ShowSevenSegmentCodingTable(int O, int O_, bool TD0IsCOM1, int HighlightAcc) {
    if (!FSevenSegment) FSevenSegment = new TSevenSegmentCodingTableForm(FParent);
    if (HighlightAcc >= 0)
        FSevenSegment->ShowSevenSegmentTableForAcc(HighlightAcc);
    else
        // The half held in O counts as the TD=0 half exactly when TD=0 selects COM1.
        FSevenSegment->ShowSevenSegmentTable(O, O_, TD0IsCOM1);
}

void TToolWindowsView::ShowOpcodeLegend(uint8_t Opcode, uint8_t Operand) {
    if (!FOpcodeLegend) FOpcodeLegend = new TOpcodeLegendForm(FParent);
    FOpcodeLegend->ShowOpcodeLegend(FDebugger ? FDebugger->MCU() : nullptr, Opcode, Operand);
    FParent->activateWindow();
}

void TToolWindowsView::RefreshOpcodeLegend() {
    if (!FOpcodeLegend || !FOpcodeLegend->isVisible() || !FDebugger || !FDebugger->MCU()) return;
    T11bits a = NoAddress;
    if (!FDebugger->Navigation().GetSelectedAddr(a)) return;
    uint8_t op = 0, operand = 0;
    FDebugger->MCU()->GetOpcodeExt(a, op, operand);
    FOpcodeLegend->ShowOpcodeLegend(FDebugger->MCU(), op, operand);
}

} // namespace tarvolin
