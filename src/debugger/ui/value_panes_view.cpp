#include "debugger/ui/value_panes_view.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QToolTip>
#include <QLinearGradient>
#include <QMenu>
#include <QPushButton>

#include "debugger/debugger.h"
#include "debugger/ui/command_runner.h"
#include "debugger/ui/input_panel.h"

namespace tarvolin {

namespace {

QColor RGBColour(uint32_t rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// The cell DP points at with a memory breakpoint: the DP colour in the upper left half, the
// breakpoint colour in the lower right half.
QBrush DPBreakpointBrush() {
    QLinearGradient g(0, 0, 1, 1);
    g.setCoordinateMode(QGradient::ObjectBoundingMode);
    g.setColorAt(0, RGBColour(DPCellBackgroundRGB));
    g.setColorAt(0.5, RGBColour(DPCellBackgroundRGB));
    g.setColorAt(0.501, RGBColour(BreakpointCellBackgroundRGB));
    g.setColorAt(1, RGBColour(BreakpointCellBackgroundRGB));
    return QBrush(g);
}

} // namespace

TValuePanesView::TValuePanesView(TStatePanes& Panes, TListView& List, TMainLoop& Loop, TCommandRunner& Runner)
    : QObject(&Panes), FPanes(Panes), FList(List), FLoop(Loop), FRunner(Runner) {
    connect(&FPanes, &TStatePanes::RowDoubleClicked, this, [this](int Row) {
        FRunner.RunCommand([&] { FDebugger->Panes().EditValue(RowToValueId(Row)); });
    });
    connect(&FPanes, &TStatePanes::RowPopupRequested, this, &TValuePanesView::ShowValuePopup);
    connect(&FPanes, &TStatePanes::DigitLabelClicked, this, [this](int Index) {
        FRunner.RunCommand([&] { FDebugger->Panes().DigitLabelClicked(static_cast<TOIndex>(Index)); });
    });
    connect(FPanes.SetCurrentTimeButton, &QPushButton::clicked, this,
            [this] { FRunner.RunCommand([&] { FDebugger->GameMenu().SetCurrentTime(); }); });
    auto connectCB = [this](QCheckBox* cb, TPane pane) {
        connect(cb, &QCheckBox::toggled, this, [this, pane](bool on) {
            if (FApplyingStates) return;
            FRunner.RunCommand([&] { FDebugger->Run().SetUpdateCheckBox(pane, on); });
            // A redraw the run asked for before the box was unticked is not shown any more.
            if (!on) FDeferredPanes &= static_cast<TPanes>(~pane);
        });
    };
    connectCB(FPanes.UpdateRegistersCB, pnRegisters);
    connectCB(FPanes.UpdateRAMCB, pnRAM);
    connectCB(FPanes.UpdateLCDRegistersCB, pnLCDRegisters);
    for (int a = 0; a < RAMSize; ++a)
        if (IsValidRAMAddress(static_cast<T7bits>(a))) FPanes.Value(prRAM0 + a)->installEventFilter(this);
}

bool TValuePanesView::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() != QEvent::ToolTip || !FDebugger) return QObject::eventFilter(Watched, Event);
    for (int a = 0; a < RAMSize; ++a) {
        if (!IsValidRAMAddress(static_cast<T7bits>(a)) || FPanes.Value(prRAM0 + a) != Watched) continue;
        const std::string tip = FDebugger->Reverse().LastWriterHint(static_cast<T7bits>(a));
        auto* help = static_cast<QHelpEvent*>(Event);
        if (tip.empty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), QString::fromStdString(tip), static_cast<QWidget*>(Watched));
        return true;
    }
    return QObject::eventFilter(Watched, Event);
}

TValueId TValuePanesView::RowToValueId(int Row) {
    if (Row >= prAcc && Row <= prR) return {static_cast<TValueKind>(Row), 0};
    if (Row >= prRAM0 && Row < prO0) return {TValueKind::RAMCell, Row - prRAM0};
    if (Row >= prO0 && Row < prO_0) return {TValueKind::O, Row - prO0};
    if (Row >= prO_0 && Row < prTD) return {TValueKind::O_, Row - prO_0};
    if (Row == prTD) return {TValueKind::TD, 0};
    return {TValueKind::LD0, 0};
}

void TValuePanesView::ApplyStates(const TCommandStates& S) {
    FApplyingStates = true;
    FPanes.SoundRecordingIndicator->setVisible(S.SoundRecordingIndicatorVisible);
    FPanes.SetCurrentTimeButton->setEnabled(S.SetCurrentTime);
    FPanes.UpdateRegistersCB->setVisible(S.UpdateRegistersVisible);
    FPanes.UpdateRAMCB->setVisible(S.UpdateRAMVisible);
    FPanes.UpdateLCDRegistersCB->setVisible(S.UpdateLCDRegistersVisible);
    FPanes.UpdateRegistersCB->setChecked(S.UpdateRegistersChecked);
    FPanes.UpdateRAMCB->setChecked(S.UpdateRAMChecked);
    FPanes.UpdateLCDRegistersCB->setChecked(S.UpdateLCDRegistersChecked);
    for (int i = 0; i < 9; ++i) FPanes.DigitLabels[i]->setVisible(S.DigitLabelVisible[i]);
    FApplyingStates = false;
}

// ---- drawing ----

void TValuePanesView::DrawPanes(TPanes Panes, bool OnlyChanged) {
    ++FDrawPanesCount;
    if (FLoop.IsDeferring()) {
        // Drawn (with every text) when the loop lets the views catch up.
        FDeferredPanes |= Panes;
        return;
    }
    DrawPanesNow(Panes, OnlyChanged);
}

void TValuePanesView::FlushDeferred() {
    if (!FDeferredPanes) return;
    const TPanes p = FDeferredPanes;
    FDeferredPanes = 0;
    DrawPanesNow(p, false);
}

void TValuePanesView::DrawValue(int Row, const TValueText& Text, bool OnlyChanged) {
    const TPaneRowLabels& l = FPanes.Row(Row);
    if (OnlyChanged && !Text.Rewrite) {
        if (l.Value) l.Value->SetValue(l.Value->text(), Text.Changed);
        if (l.Bits) l.Bits->SetValue(l.Bits->text(), Text.Changed);
        return;
    }
    if (l.Value) l.Value->SetValue(QString::fromStdString(Text.Value), Text.Changed);
    if (l.Bits) l.Bits->SetValue(QString::fromStdString(Text.Bits), Text.Changed);
}

void TValuePanesView::DrawPanesNow(TPanes Panes, bool OnlyChanged) {
    if (!FDebugger) return;
    const TPaneTexts& t = FDebugger->Panes().PaneTexts();
    if (Panes & pnDisAsm) FList.RepaintList();
    if (Panes & pnRegisters) {
        const TValueText* rows[11] = {&t.Acc, &t.DP, &t.DPCell, &t.T, &t.T14, &t.MSB,
                                      &t.Page, &t.PC, &t.A, &t.Carry, &t.R};
        for (int r = prAcc; r <= prR; ++r) DrawValue(r, *rows[r], OnlyChanged);
        FPanes.RAMbyDPWarningLabel->setVisible(t.DPWarningVisible);
        FPanes.RAMbyDPWarningLabel->setToolTip(QString::fromStdString(t.DPWarningHint));
        if (!t.RHint.empty()) FPanes.SetRowHint(prR, QString::fromStdString(t.RHint));
    }
    if (Panes & pnRAM) {
        for (int a = 0; a < RAMSize; ++a) {
            if (!IsValidRAMAddress(static_cast<T7bits>(a))) continue;
            DrawValue(prRAM0 + a, t.RAM[a], OnlyChanged);
            QBrush bg(Qt::NoBrush);
            switch (t.RAMBackground[a]) {
            case TRAMCellBackground::Normal: break;
            case TRAMCellBackground::DP: bg = RGBColour(DPCellBackgroundRGB); break;
            case TRAMCellBackground::Breakpoint: bg = RGBColour(BreakpointCellBackgroundRGB); break;
            case TRAMCellBackground::DPBreakpoint: bg = DPBreakpointBrush(); break;
            }
            FPanes.Value(prRAM0 + a)->SetBackground(bg);
        }
    }
    if ((Panes & pnRawInput) && FInputPanel) FInputPanel->RefreshStates();
    if (Panes & pnLCDRegisters) {
        for (int i = 8; i >= 0; --i) DrawValue(prO0 + i, t.O[i], OnlyChanged);
        for (int i = 8; i >= 0; --i) DrawValue(prO_0 + i, t.O_[i], OnlyChanged);
        DrawValue(prTD, t.TD, OnlyChanged);
        DrawValue(prLD0, t.LD0, OnlyChanged);
    }
}

// ---- the value pop-up ----

QMenu* TValuePanesView::BuildValuePopupMenu(int Row, TLabelRole) { return BuildValuePopupMenu(RowToValueId(Row)); }

QMenu* TValuePanesView::BuildValuePopupMenu(TValueId id) {
    TPaneControl& panes = FDebugger->Panes();
    TBreakpointControl& bps = FDebugger->Breakpoints();
    const TValuePopupStates s = panes.ValuePopupStates(id);
    auto* menu = new QMenu(&FPanes);
    auto add = [&](const QString& caption, bool visible, bool enabled, std::function<void()> fn) {
        QAction* a = menu->addAction(caption);
        a->setVisible(visible);
        a->setEnabled(enabled);
        connect(a, &QAction::triggered, this, [this, fn] { FRunner.RunCommand(fn); });
        return a;
    };
    QAction* change =
        add(tr("&Change value..."), s.ChangeValueVisible, s.ChangeValueEnabled, [&panes, id] { panes.EditValue(id); });
    menu->setDefaultAction(change);
    add(tr("&Follow"), s.FollowVisible, s.FollowEnabled, [&panes, id] { panes.FollowValue(id); });
    const int ram = panes.ValueRAMAddress(id);
    const QString setCaptions[3] = {tr("Set &read memory breakpoint"), tr("Set &write memory breakpoint"),
                                    tr("Set c&hange memory breakpoint")};
    const QString removeCaptions[3] = {tr("Remove &read memory breakpoint"), tr("Remove &write memory breakpoint"),
                                       tr("Remove c&hange memory breakpoint")};
    if (menu->actions().size() && (s.ChangeValueVisible || s.FollowVisible)) menu->addSeparator();
    for (int k = 0; k < 3; ++k) {
        const auto kind = static_cast<TMemoryBreakpointKind>(k);
        const T7bits addr = static_cast<T7bits>(ram < 0 ? 0x7F : ram);
        add(setCaptions[k], s.SetVisible[k], s.SetEnabled[k],
            [&bps, kind, addr] { bps.SetMemoryBreakpointCommand(kind, addr); });
        add(removeCaptions[k], s.RemoveVisible[k], true,
            [&bps, kind, addr] { bps.RemoveMemoryBreakpointCommand(kind, addr); });
    }
    add(tr("Show &7-segment Coding Table..."), s.Show7SegmentVisible, true,
        [&panes, id] { panes.ShowSevenSegmentCodingTableForValue(id); });
    add(tr("Show &MCU pins..."), s.ShowMCUPinsVisible, true, [&panes] { panes.ShowMCUPins(); });
    TToolWindows* tools = FTools;
    add(tr("Show &interconnection of MCU and LCD..."), s.ShowInterconnectionVisible && tools, true,
        [tools] { tools->ShowInterconnection(); });
    return menu;
}

void TValuePanesView::ShowValuePopup(int Row, TLabelRole, const QPoint& GlobalPos) {
    ShowValuePopupFor(RowToValueId(Row), GlobalPos);
}

void TValuePanesView::ShowValuePopupFor(TValueId Id, const QPoint& GlobalPos) {
    if (!FDebugger) return;
    QMenu* menu = BuildValuePopupMenu(Id);
    bool anyVisible = false;
    for (QAction* a : menu->actions()) anyVisible = anyVisible || (a->isVisible() && !a->isSeparator());
    if (anyVisible) menu->exec(GlobalPos);
    menu->deleteLater();
}

} // namespace tarvolin
