// The tool windows the features open: the opcode legend, the 7-segment coding table, the
// MCU pins and the interconnection of MCU and LCD. Each exists once, created when first asked
// for; the interconnection window is freed when the game's LCD image changes or the game goes.
#pragma once

#include <QPointer>

#include "debugger/debugger_view.h"
#include "debugger/ui/interconnection_window.h"
#include "debugger/ui/mcu_pins_window.h"

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
    // Nothing without a game; the pin diagram is the one of the game's chip.
    void ShowMCUPins() override;
    // A game was loaded: the visible MCU-pins window shows its chip's diagram.
    void RefreshMCUPins() override;
    // Nothing without a game; the window is made for the game when there is none yet.
    void ShowInterconnection() override;
    void CloseInterconnection() override;

    // nullptr until first used (the interconnection window also after it was closed).
    TMCUpinsForm* MCUpinsForm() const { return FMCUpins; }
    TMCUtoLCDFrm* InterconnectionForm() const { return FInterconnection; }
    bool IsMCUpinsWindowVisible() const { return FMCUpins && FMCUpins->isVisible(); }

private:
    QWidget* FParent;
    TDebugger* FDebugger = nullptr;
    TOpcodeLegendForm* FOpcodeLegend = nullptr;
    TSevenSegmentCodingTableForm* FSevenSegment = nullptr;
    QPointer<TMCUpinsForm> FMCUpins;
    QPointer<TMCUtoLCDFrm> FInterconnection;
};

} // namespace tarvolin
