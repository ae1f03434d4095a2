#include "debugger/ui/disasm_pane.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "base/ui/fixed_font.h"
#include "debugger/debugger.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/debug_actions.h"

namespace tarvolin {

TDisAsmPane::TDisAsmPane(TDebugActions& Actions, TCommandRunner& Runner, QWidget* Parent)
    : QWidget(Parent), FActions(Actions), FRunner(Runner) {
    auto* left = new QVBoxLayout(this);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(2);
    auto* hintRow = new QHBoxLayout;
    FHintLabel = new QLabel(this);
    FHintLabel->setFont(FixedPitchFont());
    FHintLabel->setTextFormat(Qt::PlainText);
    FHintLabel->setMinimumWidth(100);
    FHintLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    hintRow->addWidget(FHintLabel, 1);
    FUpdateDisAsmCB = new QCheckBox(tr("Update"), this);
    FUpdateDisAsmCB->setToolTip(tr("Update disassembly on animated run"));
    FUpdateDisAsmCB->setChecked(true);
    FUpdateDisAsmCB->setVisible(false);
    hintRow->addWidget(FUpdateDisAsmCB);
    FSpeedLabel = new QLabel(tr("Speed:"), this);
    FSpeedLabel->setVisible(false);
    hintRow->addWidget(FSpeedLabel);
    FSpeedTrackBar = new QSlider(Qt::Horizontal, this);
    FSpeedTrackBar->setRange(0, 6);
    FSpeedTrackBar->setPageStep(1);
    FSpeedTrackBar->setTickPosition(QSlider::TicksBelow);
    FSpeedTrackBar->setValue(DefaultSpeedFactor);
    FSpeedTrackBar->setFixedWidth(120);
    FSpeedTrackBar->setVisible(false);
    FSpeedTrackBar->setFocusPolicy(Qt::TabFocus);
    FSpeedTrackBar->setAccessibleName(tr("Speed"));
    hintRow->addWidget(FSpeedTrackBar);
    // The row is as high as the run controls it shows, so they appear without moving the list.
    FHintLabel->setMinimumHeight(std::max({FHintLabel->sizeHint().height(), FSpeedTrackBar->sizeHint().height(),
                                           FUpdateDisAsmCB->sizeHint().height(), FSpeedLabel->sizeHint().height()}));
    left->addLayout(hintRow);
    FHintLabel->setAccessibleName(tr("Instruction hint"));
    FList = new TDisAsmListView(this);
    FList->setAccessibleName(tr("Disassembly"));
    left->addWidget(FList, 1);
    FList->SetSource(this);

    connect(FUpdateDisAsmCB, &QCheckBox::toggled, this, [this](bool on) {
        if (!FApplyingStates) FRunner.RunCommand([&] { FDebugger->Run().SetUpdateCheckBox(pnDisAsm, on); });
    });
    connect(FSpeedTrackBar, &QSlider::valueChanged, this, [this](int v) {
        if (!FApplyingStates) FRunner.RunCommand([&] { FDebugger->Run().SetSpeedFactor(v); });
    });
    connect(FList, &TDisAsmListView::SelectRequested, this,
            [this](int Index) { FRunner.RunCommand([&] { FDebugger->Navigation().SelectItem(Index); }); });
    connect(FList, &TDisAsmListView::DoubleClicked, this,
            [this] { FRunner.RunCommand([&] { FDebugger->Navigation().ListDoubleClick(); }); });
    connect(FList, &TDisAsmListView::RightButtonDown, this, [this](int Index) {
        if (Index >= 0) FRunner.RunCommand([&] { FDebugger->Navigation().SelectItem(Index); });
    });
    connect(FList, &TDisAsmListView::ContextMenuRequested, this, [this](const QPoint& pos) { FPopup->exec(pos); });
    CreatePopup();
}

void TDisAsmPane::SetDebugger(TDebugger* Debugger) { FDebugger = Debugger; }

void TDisAsmPane::CreatePopup() {
    FPopup = new QMenu(this);
    auto item = [this](const std::string& name, const QString& caption, void (TNavigationControl::*fn)()) {
        QAction* a = FActions.Add(FPopup, name, caption);
        if (fn)
            connect(a, &QAction::triggered, this,
                    [this, fn] { FRunner.RunCommand([&] { (FDebugger->Navigation().*fn)(); }); });
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        FList->addAction(a);
        return a;
    };
    item("DisAsmLBShow7SegmentCodingTable", tr("Show &7-segment Coding Table..."),
         &TNavigationControl::Show7SegmentCodingTableForSelection);
    item("DisAsmLBShowOpcodeLegend", tr("S&how opcode legend..."), &TNavigationControl::ShowOpcodeLegendForSelection);
    FPopup->addSeparator();
    QAction* toggle =
        item("DisAsmLBToggleBreakpoint", tr("Toggle address &breakpoint"), &TNavigationControl::ToggleBreakpointAtSelection);
    FPopup->setDefaultAction(toggle);
    item("DisAsmLBRunToCursor", tr("&Run to cursor"), &TNavigationControl::RunToCursor);
    FPopup->addSeparator();
    item("DisAsmLBGoToAddress", tr("&Go to address..."), &TNavigationControl::GoToAddress)
        ->setShortcut(QKeySequence("Ctrl+G"));
    item("DisAsmLBGoToCurrentPC", tr("G&o to current PC"), &TNavigationControl::GoToCurrentPC)
        ->setShortcut(QKeySequence("Ctrl+O"));
    item("DisAsmLBFollow", tr("&Follow"), &TNavigationControl::Follow)->setShortcut(QKeySequence("Ctrl+F"));
    item("DisAsmLBGoToCaller", tr("Go to ca&ller"), &TNavigationControl::GoToCaller)->setShortcut(QKeySequence("Ctrl+L"));
    item("DisAsmLBGoToPrevious", tr("Go to &previous"), &TNavigationControl::GoToPrevious)
        ->setShortcut(QKeySequence("Ctrl+P"));
    FPopup->addSeparator();
    item("DisAsmLBSetNewPC", tr("S&et PC to cursor"), &TNavigationControl::SetPCToCursor)
        ->setShortcut(QKeySequence("Ctrl+N"));
    FPopup->addSeparator();
    item("DisAsmLBSetAddressDescription", tr("Set a&ddress description..."), &TNavigationControl::SetAddressDescription)
        ->setShortcut(QKeySequence(Qt::Key_Semicolon));
    FPopup->addSeparator();
    auto patch = [this, &item](const std::string& name, const QString& caption, void (TPatchingControl::*fn)()) {
        QAction* a = item(name, caption, nullptr);
        connect(a, &QAction::triggered, this,
                [this, fn] { FRunner.RunCommand([&] { (FDebugger->Patching().*fn)(); }); });
    };
    patch("DisAsmLBChangeOpcode", tr("&Change opcode..."), &TPatchingControl::ChangeOpcode);
    patch("DisAsmLBRevertOpcode", tr("Rever&t changed opcode"), &TPatchingControl::RevertOpcode);
    patch("DisAsmLBRevertAllOpcodes", tr("Revert &all opcode modifications"), &TPatchingControl::RevertAllOpcodes);
    FPopup->addSeparator();
    item("DisAsmLBSearch", tr("&Search opcode..."), &TNavigationControl::SearchOpcode)->setShortcut(QKeySequence("Ctrl+S"));
    item("DisAsmLBSearchNext", tr("Find ne&xt"), &TNavigationControl::FindNext)->setShortcut(QKeySequence(Qt::Key_F3));
    FPopup->addSeparator();
    item("DisAsmLBSaveDisassembly", tr("Sa&ve disassembly to file..."), &TNavigationControl::SaveDisassembly);

    // Enabled states are computed when the menu opens; the shortcuts stay live (the commands
    // check their own conditions).
    connect(FPopup, &QMenu::aboutToShow, this, [this] {
        const TDisAsmPopupStates s = FDebugger->Navigation().DisAsmPopupStates();
        FActions.Action("DisAsmLBShow7SegmentCodingTable")->setVisible(s.Show7SegmentVisible);
        FActions.Action("DisAsmLBRunToCursor")->setEnabled(s.RunToCursor);
        FActions.Action("DisAsmLBGoToAddress")->setEnabled(s.GoToAddress);
        FActions.Action("DisAsmLBGoToCurrentPC")->setEnabled(s.GoToCurrentPC);
        FActions.Action("DisAsmLBFollow")->setEnabled(s.Follow);
        FActions.Action("DisAsmLBGoToCaller")->setEnabled(s.GoToCaller);
        FActions.Action("DisAsmLBGoToPrevious")->setEnabled(s.GoToPrevious);
        FActions.Action("DisAsmLBSetNewPC")->setEnabled(s.SetNewPC);
        FActions.Action("DisAsmLBSetAddressDescription")->setEnabled(s.SetAddressDescription);
        FActions.Action("DisAsmLBChangeOpcode")->setEnabled(s.ChangeOpcode);
        FActions.Action("DisAsmLBRevertOpcode")->setEnabled(s.RevertOpcode);
        FActions.Action("DisAsmLBRevertAllOpcodes")->setEnabled(s.RevertAllOpcodes);
        FActions.Action("DisAsmLBSearch")->setEnabled(s.Search);
        FActions.Action("DisAsmLBSearchNext")->setEnabled(s.SearchNext);
        FActions.Action("DisAsmLBSaveDisassembly")->setEnabled(s.SaveDisassembly);
    });
    connect(FPopup, &QMenu::aboutToHide, this, [this] {
        // Re-enable after the triggered action (queued) has run.
        QTimer::singleShot(0, this, [this] {
            for (const char* n : {"DisAsmLBRunToCursor", "DisAsmLBGoToAddress", "DisAsmLBGoToCurrentPC",
                                  "DisAsmLBFollow", "DisAsmLBGoToCaller", "DisAsmLBGoToPrevious", "DisAsmLBSetNewPC",
                                  "DisAsmLBSetAddressDescription", "DisAsmLBChangeOpcode", "DisAsmLBRevertOpcode",
                                  "DisAsmLBRevertAllOpcodes", "DisAsmLBSearch", "DisAsmLBSearchNext",
                                  "DisAsmLBSaveDisassembly"})
                FActions.Action(n)->setEnabled(true);
        });
    });
}

void TDisAsmPane::ApplyStates(const TCommandStates& S) {
    FApplyingStates = true;
    FUpdateDisAsmCB->setVisible(S.UpdateDisAsmVisible);
    FUpdateDisAsmCB->setChecked(S.UpdateDisAsmChecked);
    FSpeedLabel->setVisible(S.SpeedControlsVisible);
    FSpeedTrackBar->setVisible(S.SpeedControlsVisible);
    FSpeedTrackBar->setValue(S.SpeedFactor);
    FApplyingStates = false;
}

// ---- TListView ----

void TDisAsmPane::ListReset() { FList->ItemsReset(); }
void TDisAsmPane::ListItemChanged(int Index) { FList->ItemChanged(Index); }
void TDisAsmPane::ListItemsReplaced(int First, int Removed, int Inserted) {
    FList->ItemsReplaced(First, Removed, Inserted);
}
void TDisAsmPane::RepaintList() { FList->viewport()->update(); }
void TDisAsmPane::ListSelectionChanged(int Index) { FList->SetItemIndex(Index); }
void TDisAsmPane::ScrollListTo(int TopIndex) { FList->SetTopIndex(TopIndex); }
int TDisAsmPane::ListTopIndex() const { return FList->TopIndex(); }
int TDisAsmPane::ListVisibleRows() const { return FList->VisibleRowEstimate(); }

void TDisAsmPane::FocusList() {
    if (FList->Count() > 0 && FList->isEnabled()) FList->setFocus();
}

void TDisAsmPane::SetHintLabel(const std::string& Text) { FHintLabel->setText(QString::fromStdString(Text)); }

// ---- TDisAsmListSource ----

int TDisAsmPane::ItemCount() const { return FDebugger ? FDebugger->Navigation().Listing().Count() : 0; }

std::string TDisAsmPane::ItemText(int Index) const {
    const auto& e = FDebugger->Navigation().Listing().Entries();
    return Index >= 0 && Index < static_cast<int>(e.size()) ? e[size_t(Index)].Text : std::string();
}

std::string TDisAsmPane::RowHeader(int Index) const { return FDebugger->Navigation().RowHeader(Index); }
std::string TDisAsmPane::RowLabel(int Index) const { return FDebugger->Navigation().RowLabel(Index); }
TListRowLook TDisAsmPane::RowLook(int Index) const { return FDebugger->Navigation().RowLook(Index); }

std::string TDisAsmPane::RowToolTip(int Index) const {
    const T11bits Addr = FDebugger ? FDebugger->Navigation().ItemIndexToAddr(Index) : NoAddress;
    return Addr == NoAddress ? std::string() : FDebugger->Reverse().CoverageHint(Addr);
}

bool TDisAsmPane::ShowsCoverage() const { return FDebugger && FDebugger->Reverse().TrackCoverage(); }

} // namespace tarvolin
