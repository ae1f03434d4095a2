// The disassembly area as a view of the navigation feature: the hint row (the instruction
// hint, the animated run's update box, the speed of full runs) above the owner-drawn list,
// and the list's pop-up menu.
#pragma once

#include <QWidget>

#include "debugger/debugger_view.h"
#include "debugger/ui/disasm_list_view.h"

class QCheckBox;
class QLabel;
class QMenu;
class QSlider;

namespace tarvolin {

class TCommandRunner;
class TDebugActions;
class TDebugger;
struct TCommandStates;

class TDisAsmPane : public QWidget, public TListView, private TDisAsmListSource {
    Q_OBJECT
public:
    TDisAsmPane(TDebugActions& Actions, TCommandRunner& Runner, QWidget* Parent);
    void SetDebugger(TDebugger* Debugger);

    // ---- TListView ----
    void ListReset() override;
    void ListItemChanged(int Index) override;
    void ListItemsReplaced(int First, int Removed, int Inserted) override;
    void RepaintList() override;
    void ListSelectionChanged(int Index) override;
    void ScrollListTo(int TopIndex) override;
    int ListTopIndex() const override;
    int ListVisibleRows() const override;
    void FocusList() override;
    void SetHintLabel(const std::string& Text) override;

    void ApplyStates(const TCommandStates& States);

    TDisAsmListView* List() const { return FList; }
    QLabel* HintLabel() const { return FHintLabel; }
    QSlider* SpeedTrackBar() const { return FSpeedTrackBar; }
    QMenu* PopupMenu() const { return FPopup; }

private:
    // ---- TDisAsmListSource ----
    int ItemCount() const override;
    std::string ItemText(int Index) const override;
    std::string RowHeader(int Index) const override;
    std::string RowLabel(int Index) const override;
    TListRowLook RowLook(int Index) const override;
    std::string RowToolTip(int Index) const override;
    bool ShowsCoverage() const override;

    void CreatePopup();

    TDebugActions& FActions;
    TCommandRunner& FRunner;
    TDebugger* FDebugger = nullptr;
    QLabel* FHintLabel = nullptr;
    QCheckBox* FUpdateDisAsmCB = nullptr;
    QLabel* FSpeedLabel = nullptr;
    QSlider* FSpeedTrackBar = nullptr;
    TDisAsmListView* FList = nullptr;
    QMenu* FPopup = nullptr;
    bool FApplyingStates = false;
};

} // namespace tarvolin
