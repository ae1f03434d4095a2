// The tool windows the features open: the opcode legend and the 7-segment coding table.
// Each exists once, created when first asked for.
#pragma once

#include "debugger/debugger_view.h"

class QWidget;

namespace tarvolin {

class TDebugger;
class TOpcodeLegendForm;
class TSevenSegmentCodingTableForm;

class TToolWindowsView : public TToolWindows {
public:
    explicit TToolWindowsView(QWidget* Parent) : FParent(Parent) {}
    void SetDebugger(TDebugger* Debugger) { FDebugger = Debugger; }

    void ShowSevenSegmentCodingTable(int O, int O_, bool TD0IsCOM1, int HighlightAcc) override;
    void ShowOpcodeLegend(uint8_t Opcode, uint8_t Operand) override;
    void RefreshOpcodeLegend() override;

    // nullptr until first used.
    TOpcodeLegendForm* OpcodeLegendForm() const { return FOpcodeLegend; }
    TSevenSegmentCodingTableForm* SevenSegmentForm() const { return FSevenSegment; }

private:
    QWidget* FParent;
    TDebugger* FDebugger = nullptr;
    TOpcodeLegendForm* FOpcodeLegend = nullptr;
    TSevenSegmentCodingTableForm* FSevenSegment = nullptr;
};

} // namespace tarvolin
