#include "debugger/panes.h"

#include <exception>

#include "base/options.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "debugger/input_dialogs.h"
#include "disasm/disasm.h"
#include "lcd/lcd_driver.h"

namespace tarvolin {

TPaneControl::TPaneControl(TLoadedGame& Game, const TRunState& Run, TPanesView& View, TListView& List,
                           TToolWindows& Tools, TPrompter& Prompter, TSessionControl& Session, TStateSink& States,
                           TListNavigator& Navigator, const TBreakpointControl& Breakpoints, TInputControl& Input)
    : FGame(Game), FRun(Run), FView(View), FList(List), FTools(Tools), FPrompter(Prompter), FSession(Session),
      FStates(States), FNavigator(Navigator), FBreakpoints(Breakpoints), FInput(Input) {}

// ---- refreshing ----

void TPaneControl::UpdatePanes(TPanes Panes, bool OnlyChanged, bool Force, bool FollowPC) {
    bool Follow = FollowPC;
    if (Force || FRun.IsResetting()) {
        Panes = AllPanes;
        Follow = true;
    } else {
        // The list follows PC only when a step or a run asks for it: an edit (a label, a RAM
        // cell, the breakpoints dialog) keeps the list where the user is.
        Follow = FollowPC && (Panes & pnDisAsm) != 0;
        if (FRun.IsStopped() || (FRun.IsAnimatedRun() && FRun.UpdateCheckBox(pnDisAsm))) Panes |= pnDisAsm;
        else if (!FRun.IsFullRun()) Panes &= static_cast<TPanes>(~pnDisAsm);
        auto Pick = [&](TPane Pane) {
            if (FRun.IsStopped() || ((FRun.IsAnimatedRun() || FRun.IsFullRun()) && FRun.UpdateCheckBox(Pane)))
                Panes |= Pane;
            else
                Panes &= static_cast<TPanes>(~Pane);
        };
        Pick(pnRegisters);
        Pick(pnRAM);
        Pick(pnLCDRegisters);
    }

    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) {
        if (Panes & pnDisAsm) {
            if (Follow) FNavigator.GoToAddr(MCU->PC);
            if (!OnlyChanged) FList.RepaintList();
            if (FRun.IsStopped()) UpdateHintLabel();
        }
        constexpr TPanes ValuePanes = pnRegisters | pnRAM | pnLCDRegisters;
        if (OnlyChanged && !Force && !FRun.IsResetting() && FRun.IsFullRun()) {
            // A full run asks for the ticked panes every 256 timer ticks, far more often than
            // a window can show them: the texts are computed when they are read, and the red
            // marks then tell what changed since the values were last shown.
            FLazyPanes |= Panes & ValuePanes;
        } else {
            // Pending texts of the panes drawn now are computed once, against the values last
            // shown: flushing them first would take the new values as shown.
            FlushLazyPaneTexts(Panes);
            ComputePaneTexts(Panes, OnlyChanged);
        }
        if ((Panes & pnRawInput) && !OnlyChanged) FInput.RefreshRawInputButtons();
        FView.DrawPanes(Panes, OnlyChanged);
        StorePreviousValues(Panes & static_cast<TPanes>(~FLazyPanes));
    } else {
        FLazyPanes = 0;
        ComputeNoGamePaneTexts();
        if (Panes & pnRawInput) FInput.RefreshRawInputButtons();
        FView.DrawPanes(Panes, false);
    }
}

void TPaneControl::UpdateHintLabel() {
    std::string Text;
    if (const TSHARP_SM5A_MCU* MCU = FGame.Get()) {
        if (FRun.IsStopped()) {
            try {
                Text = GetCurrentOpcodeHint(*MCU);
            } catch (const std::exception& e) {
                Text = e.what();
            }
        } else if (FRun.IsFullRun()) {
            Text = SpeedFactorText(FRun.SpeedFactor());
        }
    }
    if (Text == FHintLabel && FHintLabelSent) return;
    FHintLabel = Text;
    FHintLabelSent = true;
    FList.SetHintLabel(FHintLabel);
}

const TPaneTexts& TPaneControl::PaneTexts() {
    FlushLazyPaneTexts();
    return FPaneTexts;
}

void TPaneControl::FlushLazyPaneTexts(TPanes Skip) {
    const TPanes Panes = FLazyPanes & static_cast<TPanes>(~Skip);
    FLazyPanes = 0;
    if (!Panes || !FGame.IsLoaded()) return;
    ComputePaneTexts(Panes, false);
    StorePreviousValues(Panes);
}

void TPaneControl::FullRunStarted() {
    if (const TSHARP_SM5A_MCU* MCU = FGame.Get()) FRunStart.Take(*MCU, AllPanes);
}

void TPaneControl::FullRunEnded() {
    // The texts computed during the run are replaced by the stop's refresh.
    FLazyPanes = 0;
    if (FGame.IsLoaded()) FPrev = FRunStart;
}

void TPaneControl::StorePreviousValues(TPanes Panes) {
    if (const TSHARP_SM5A_MCU* MCU = FGame.Get()) FPrev.Take(*MCU, Panes);
}

void TPaneControl::TShownValues::Take(const TSHARP_SM5A_MCU& m, TPanes Panes) {
    if (Panes & pnRegisters) {
        Acc = m.Acc;
        DP = m.DP;
        T = m.T;
        MSB = m.MSB;
        Page = m.Page;
        PC = m.PC;
        A = m.A;
        Carry = m.Carry;
        OneSecond = m.OneSecond;
        R = m.IO.R;
        DPCell = m.RAM[AdjustDP(m.DP)];
    }
    if (Panes & pnRAM) RAM = m.RAM;
    if (Panes & pnLCDRegisters) {
        O = m.O;
        O_ = m.O_;
        TD = m.TD;
        LD0 = m.LD0;
    }
}

namespace {

// Texts are only formatted when the label is to be rewritten: during full runs most values
// stay the same between two refreshes.
template <class F> void SetValue(TValueText& v, bool Changed, bool OnlyChanged, F&& MakeTexts) {
    v.Changed = Changed;
    v.Rewrite = !OnlyChanged || Changed;
    if (v.Rewrite) MakeTexts(v);
}

void Nibble(TValueText& v, unsigned Value) {
    v.Value = NibbleText(Value);
    v.Bits = FourBitsText(Value);
}

void Flag(TValueText& v, bool Value) {
    v.Value = Value ? "1" : "0";
    v.Bits.clear();
}

std::string RHintFor(const TMCUClass& Class) {
    const TLabelingNumbers& n = Class.GetR_K_LabelingNumbers();
    return Format(Tr("Panes", "Output register (R%s,R%s,R%s,R%s)").c_str(), n[3], n[2], n[1], n[0]);
}

} // namespace

void TPaneControl::ComputePaneTexts(TPanes Panes, bool OnlyChanged) {
    const TSHARP_SM5A_MCU& m = *FGame.MCU;
    TPaneTexts& p = FPaneTexts;
    if (Panes & pnRegisters) {
        SetValue(p.Acc, m.Acc != FPrev.Acc, OnlyChanged, [&](TValueText& v) { Nibble(v, m.Acc); });
        SetValue(p.DP, m.DP != FPrev.DP, OnlyChanged, [&](TValueText& v) {
            v.Value = Hex2(m.DP);
            v.Bits = DPBitsText(m.DP);
        });
        const T7bits Cell = AdjustDP(m.DP);
        SetValue(p.DPCell, m.RAM[Cell] != FPrev.DPCell, OnlyChanged, [&](TValueText& v) { Nibble(v, m.RAM[Cell]); });
        const bool Warning = !IsValidRAMAddress(m.DP & 0x7F);
        if (!OnlyChanged || Warning != p.DPWarningVisible || m.DP != FPrev.DP) {
            p.DPWarningVisible = Warning;
            p.DPWarningHint = Warning ? Format(Tr("Panes", "RAM address 0x%s is out of range. When referencing a "
                                                          "memory cell, it is mapped to 0x%s.")
                                                   .c_str(),
                                               Hex2(m.DP).c_str(), Hex2(Cell).c_str())
                                      : Tr("Panes", "RAM address is out of range");
        }
        // The timer and the program counter change with nearly every step: never drawn red.
        SetValue(p.T, false, OnlyChanged && m.T == FPrev.T, [&](TValueText& v) {
            v.Value = Format("%.4X", m.T & 0x3FFF);
            v.Bits = FourBitsText((m.T >> 10) & 0xF);
        });
        SetValue(p.T14, m.OneSecond != FPrev.OneSecond, OnlyChanged, [&](TValueText& v) { Flag(v, m.OneSecond); });
        SetValue(p.MSB, m.MSB != FPrev.MSB, OnlyChanged, [&](TValueText& v) { Flag(v, m.MSB != 0); });
        SetValue(p.Page, m.Page != FPrev.Page, OnlyChanged, [&](TValueText& v) { Nibble(v, m.Page); });
        SetValue(p.PC, false, OnlyChanged && m.PC == FPrev.PC, [&](TValueText& v) {
            v.Value = AddrToStr(m.PC);
            v.Bits = AddressBitsText(m.PC);
        });
        SetValue(p.A, m.A != FPrev.A, OnlyChanged, [&](TValueText& v) {
            if (m.A == NoAddress) {
                v.Value = Options().UseBankPageStepAddressNotation ? "-:-:--" : "---";
                v.Bits.clear();
            } else {
                v.Value = AddrToStr(m.A);
                v.Bits = AddressBitsText(m.A);
            }
        });
        SetValue(p.Carry, m.Carry != FPrev.Carry, OnlyChanged, [&](TValueText& v) { Flag(v, m.Carry); });
        SetValue(p.R, m.IO.R != FPrev.R, OnlyChanged, [&](TValueText& v) { Nibble(v, m.IO.R); });
        if (!OnlyChanged || p.RHint.empty()) p.RHint = RHintFor(*FGame.Class);
    }
    if (Panes & pnRAM) {
        const T7bits DPCell = AdjustDP(m.DP);
        for (int a = 0; a < RAMSize; ++a) {
            if (!IsValidRAMAddress(static_cast<T7bits>(a))) continue;
            const T4bits Value = m.RAM[size_t(a)];
            SetValue(p.RAM[size_t(a)], Value != FPrev.RAM[size_t(a)], OnlyChanged, [&](TValueText& v) {
                v.Value = NibbleText(Value);
                v.Bits.clear();
            });
            const bool Breakpoint = FBreakpoints.HasMemoryBreakpoint(static_cast<T7bits>(a));
            p.RAMBackground[size_t(a)] = a == DPCell ? (Breakpoint ? TRAMCellBackground::DPBreakpoint : TRAMCellBackground::DP)
                                         : Breakpoint ? TRAMCellBackground::Breakpoint
                                                      : TRAMCellBackground::Normal;
        }
    }
    if (Panes & pnLCDRegisters) {
        for (size_t i = 0; i < 9; ++i) {
            SetValue(p.O[i], m.O[i] != FPrev.O[i], OnlyChanged, [&](TValueText& v) { Nibble(v, m.O[i]); });
            SetValue(p.O_[i], m.O_[i] != FPrev.O_[i], OnlyChanged, [&](TValueText& v) { Nibble(v, m.O_[i]); });
        }
        SetValue(p.TD, m.TD != FPrev.TD, OnlyChanged, [&](TValueText& v) { Flag(v, m.TD); });
        SetValue(p.LD0, m.LD0 != FPrev.LD0, OnlyChanged, [&](TValueText& v) { Flag(v, m.LD0); });
    }
}

void TPaneControl::ComputeNoGamePaneTexts() {
    TPaneTexts& p = FPaneTexts;
    auto Fixed = [](TValueText& v, std::string Value, std::string Bits) {
        v.Value = std::move(Value);
        v.Bits = std::move(Bits);
        v.Changed = false;
        v.Rewrite = true;
    };
    Fixed(p.Acc, "0", "0000");
    Fixed(p.DP, "00", "0 00 0000");
    Fixed(p.DPCell, "0", "0000");
    p.DPWarningVisible = false;
    p.DPWarningHint = Tr("Panes", "RAM address is out of range");
    Fixed(p.T, "0000", "0000");
    Fixed(p.T14, "1", "");
    Fixed(p.MSB, "0", "");
    Fixed(p.Page, "F", "1111");
    Fixed(p.PC, AddrToStr(0x3C0), AddressBitsText(0x3C0));
    Fixed(p.A, Options().UseBankPageStepAddressNotation ? "-:-:--" : "---", "");
    Fixed(p.Carry, "0", "");
    Fixed(p.R, "0", "0000");
    p.RHint = RHintFor(TSHARP_SM5A_MCU::Class);
    for (int a = 0; a < RAMSize; ++a) {
        Fixed(p.RAM[size_t(a)], "0", "");
        p.RAMBackground[size_t(a)] = a == 0 ? TRAMCellBackground::DP : TRAMCellBackground::Normal;
    }
    for (size_t i = 0; i < 9; ++i) {
        Fixed(p.O[i], "0", "0000");
        Fixed(p.O_[i], "0", "0000");
    }
    Fixed(p.TD, "0", "");
    Fixed(p.LD0, "0", "");
}

// ---- values ----

int TPaneControl::ValueRAMAddress(TValueId Id) const {
    switch (Id.Kind) {
    case TValueKind::RAMCell: return Id.Index & 0x7F;
    case TValueKind::DP:
    case TValueKind::DPCell: return FGame.IsLoaded() ? FGame.MCU->DP : 0;
    default: return -1;
    }
}

bool TPaneControl::HasEditAction(TValueId Id) const {
    switch (Id.Kind) {
    case TValueKind::T14:
    case TValueKind::RawInput: return false;
    case TValueKind::RAMCell: return IsValidRAMAddress(static_cast<T7bits>(Id.Index & 0x7F)) && Id.Index < RAMSize;
    case TValueKind::O:
    case TValueKind::O_: return Id.Index >= 0 && Id.Index < 9;
    default: return true;
    }
}

bool TPaneControl::EditValue(TValueId Id) {
    if (!FGame.IsLoaded() || !HasEditAction(Id)) return false;
    TSHARP_SM5A_MCU& m = *FGame.MCU;
    auto Ask = [&](const std::string& Caption, uint32_t Current, uint32_t Max, uint32_t& Out) {
        Out = Current;
        return GetInteger(FPrompter, Caption, Out, Max, 0);
    };
    uint32_t v = 0;
    TPanes Panes = pnRegisters;
    bool FollowPC = false;
    switch (Id.Kind) {
    case TValueKind::Acc:
        if (!Ask("Acc", m.Acc, 0xF, v)) return false;
        m.Acc = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::DP:
        if (!Ask("DP", m.DP, 0x7F, v)) return false;
        m.DP = static_cast<T7bits>(v & 0x7F);
        Panes |= pnRAM; // the DP cell's background moves
        break;
    case TValueKind::DPCell: {
        const T7bits Cell = AdjustDP(m.DP);
        if (!Ask("(DP)", m.RAM[Cell], 0xF, v)) return false;
        m.RAM[Cell] = static_cast<T4bits>(v & 0xF);
        Panes |= pnRAM;
        break;
    }
    case TValueKind::T:
        if (!Ask("T", m.T, 0x3FFF, v)) return false;
        m.T = static_cast<T14bits>(v & 0x3FFF);
        break;
    case TValueKind::MSB:
        if (!Ask("MSB", m.MSB, 1, v)) return false;
        m.MSB = static_cast<T1bit>(v & 1);
        break;
    case TValueKind::Page:
        if (!Ask("Page", m.Page, 0xF, v)) return false;
        m.Page = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::PC: {
        T11bits a = m.PC;
        if (!GetAddress(FPrompter, "PC", a, LastROMAddress)) return false;
        m.PC = static_cast<T11bits>(a & 0x7FF);
        Panes |= pnDisAsm;
        FollowPC = true;
        break;
    }
    case TValueKind::A: {
        T11bits a = m.A;
        if (!GetAddress(FPrompter, "A", a, NoAddress)) return false;
        a &= 0x7FF;
        m.A = a >= 0x740 ? NoAddress : a;
        break;
    }
    case TValueKind::Carry:
        if (!Ask("Carry", m.Carry ? 1 : 0, 1, v)) return false;
        m.Carry = (v & 1) != 0;
        break;
    case TValueKind::R:
        if (!Ask("R", m.IO.R, 0xF, v)) return false;
        m.IO.R = static_cast<T4bits>(v & 0xF);
        break;
    case TValueKind::RAMCell: {
        const size_t a = size_t(Id.Index);
        if (!Ask("RAM[" + Hex2(static_cast<unsigned>(a)) + "]", m.RAM[a], 0xF, v)) return false;
        m.RAM[a] = static_cast<T4bits>(v & 0xF);
        Panes = pnDisAsm | pnRAM | pnRegisters; // (DP) may show this cell
        break;
    }
    case TValueKind::O:
    case TValueKind::O_: {
        const size_t i = size_t(Id.Index);
        TORegister& Reg = Id.Kind == TValueKind::O ? m.O : m.O_;
        const std::string Caption = std::string(Id.Kind == TValueKind::O ? "O" : "O'") + std::to_string(i);
        if (!Ask(Caption, Reg[i], 0xF, v)) return false;
        Reg[i] = static_cast<T4bits>(v & 0xF);
        if (m.LCDDriver) {
            try {
                m.LCDDriver->OnInstruction(m.O, m.O_, true, false);
            } catch (const std::exception& e) {
                FPrompter.Error(e.what());
            }
        }
        Panes = pnLCDRegisters;
        break;
    }
    case TValueKind::TD:
        if (!Ask("TD", m.TD ? 1 : 0, 1, v)) return false;
        m.TD = (v & 1) != 0;
        Panes = pnLCDRegisters;
        break;
    case TValueKind::LD0:
        if (!Ask("LD0", m.LD0 ? 1 : 0, 1, v)) return false;
        m.LD0 = (v & 1) != 0;
        Panes = pnLCDRegisters;
        break;
    default:
        return false;
    }
    FSession.MarkSessionModified();
    UpdatePanes(Panes, false, false, FollowPC);
    if (Id.Kind == TValueKind::RAMCell) UpdateHintLabel();
    FStates.StatesChanged();
    return true;
}

TValuePopupStates TPaneControl::ValuePopupStates(TValueId Id) const {
    TValuePopupStates s;
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const bool Game = MCU != nullptr;
    s.ChangeValueVisible = HasEditAction(Id);
    s.ChangeValueEnabled = s.ChangeValueVisible && Game;
    if (Id.Kind == TValueKind::PC || Id.Kind == TValueKind::A) {
        s.FollowVisible = true;
        const T11bits Value = Game ? (Id.Kind == TValueKind::PC ? MCU->PC : MCU->A) : NoAddress;
        s.FollowEnabled = !FRun.IsAnimatedRun() && Value != NoAddress;
    }
    const int Addr = ValueRAMAddress(Id);
    if (Addr >= 0) {
        for (size_t k = 0; k < 3; ++k) {
            const bool Has =
                FBreakpoints.IsMemoryBreakpoint(static_cast<TMemoryBreakpointKind>(k), static_cast<T7bits>(Addr));
            s.SetVisible[k] = !Has;
            s.SetEnabled[k] = Game && Addr != 0x7F;
            s.RemoveVisible[k] = Has;
        }
    }
    if (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_)
        s.Show7SegmentVisible = !Game || MCU->IsOIndexEncodingADigit(static_cast<TOIndex>(Id.Index));
    if (Id.Kind == TValueKind::TD || Id.Kind == TValueKind::LD0) s.Show7SegmentVisible = true;
    if (Game && (Id.Kind == TValueKind::R || (Id.Kind == TValueKind::RawInput && Id.Index != rbACL)))
        s.ShowMCUPinsVisible = true;
    s.ShowInterconnectionVisible = Game && (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_);
    return s;
}

void TPaneControl::FollowValue(TValueId Id) {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || FRun.IsAnimatedRun()) return;
    T11bits Value = NoAddress;
    if (Id.Kind == TValueKind::PC) Value = MCU->PC;
    else if (Id.Kind == TValueKind::A) Value = MCU->A;
    if (Value == NoAddress || Value > LastROMAddress) return;
    T11bits Sel = NoAddress;
    FNavigator.GetSelectedAddr(Sel);
    if (Value != Sel) FNavigator.GoToRemembering(Value);
    FList.FocusList();
}

void TPaneControl::ShowSevenSegmentCodingTableForValue(TValueId Id) {
    const TSHARP_SM5A_MCU* MCU = FGame.Get();
    const bool TD0IsCOM1 = MCU ? MCU->TD0IsCOM1 : true;
    if (MCU && (Id.Kind == TValueKind::O || Id.Kind == TValueKind::O_) && Id.Index >= 0 && Id.Index < 9)
        FTools.ShowSevenSegmentCodingTable(MCU->O[size_t(Id.Index)], MCU->O_[size_t(Id.Index)], TD0IsCOM1, -1);
    else
        FTools.ShowSevenSegmentCodingTable(-1, -1, TD0IsCOM1, -1);
}

void TPaneControl::ShowMCUPins() {
    if (FGame.IsLoaded()) FTools.ShowMCUPins();
}

void TPaneControl::DigitLabelClicked(TOIndex Index) {
    if (Index > 8) return;
    UpdatePanes(pnLCDRegisters, false, false, false);
    if (const TSHARP_SM5A_MCU* MCU = FGame.Get())
        FTools.ShowSevenSegmentCodingTable(MCU->O[Index], MCU->O_[Index], MCU->TD0IsCOM1, -1);
    else
        FTools.ShowSevenSegmentCodingTable(0, 0, true, -1);
}

} // namespace tarvolin
