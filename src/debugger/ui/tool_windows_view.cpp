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

void TToolWindowsView::ShowMCUPins() {
    const TSHARP_SM5A_MCU* MCU = FDebugger ? FDebugger->MCU() : nullptr;
    if (!MCU) return;
    if (!FMCUpins) FMCUpins = new TMCUpinsForm(FParent);
    FMCUpins->SelectPinDiagram(MCU->GetClass().IsSHARP_SM5A_MCU());
    FMCUpins->show();
    FMCUpins->raise();
}

void TToolWindowsView::RefreshMCUPins() {
    if (IsMCUpinsWindowVisible()) ShowMCUPins();
}

void TToolWindowsView::ShowInterconnection() {
    const TSHARP_SM5A_MCU* MCU = FDebugger ? FDebugger->MCU() : nullptr;
    if (!MCU) return;
    if (!FInterconnection) {
        auto* Window = new TMCUtoLCDFrm(FParent);
        try {
            Window->Initialize(*MCU);
        } catch (...) {
            delete Window;
            throw;
        }
        FInterconnection = Window;
    }
    FInterconnection->show();
    FInterconnection->raise();
    FInterconnection->activateWindow();
}

void TToolWindowsView::CloseInterconnection() { delete FInterconnection.data(); }

} // namespace tarvolin
