// A view that draws nothing: the run control alone, for measurements and headless use.
#pragma once

#include "debugger/debugger_view.h"

namespace tarvolin {

class TNullDebuggerView : public TDebuggerView {
public:
    void SetStatus(const std::string&, TStatusColour) override {}
    void SetCaption(const std::string&) override {}
    void CommandStatesChanged(const TCommandStates&) override {}
    void DrawPanes(TPanes, bool) override {}
    void ListReset() override {}
    void ListItemChanged(int) override {}
    void RepaintList() override {}
    void ListSelectionChanged(int) override {}
    void ScrollListTo(int) override {}
    int ListTopIndex() const override { return 0; }
    int ListVisibleRows() const override { return 40; }
    void FocusList() override {}
    void SetHintLabel(const std::string&) override {}
    void LCDImageChanged(const TRaster&) override {}
    void ShowLCDThemeName(const std::string&) override {}
    void LCDImageMenuChanged() override {}
    void RebuildInputPanel() override {}
};

} // namespace tarvolin
