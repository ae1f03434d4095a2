#include "debugger/patching.h"

#include "base/text_format.h"
#include "base/translate.h"
#include "debugger/input_dialogs.h"
#include "disasm/disasm.h"

namespace tarvolin {

namespace {

const char* const OpcodeDialogTitle = TR_NOOP("Patching", "Enter opcode (and its operand) in hexadecimal");
const char* const OpcodeLabel = TR_NOOP("Patching", "Opcode:");
const char* const OperandLabel = TR_NOOP("Patching", "[Operand:]");
const char* const OpcodeOutOfRange = TR_NOOP("Patching", "Opcode: Out of range.");
const char* const OperandOutOfRange = TR_NOOP("Patching", "Operand: Out of range.");
const char* const TwoByteOpcodeNotAllowed = TR_NOOP("Patching", "A 2-byte opcode is not allowed on address %s.");
const char* const OpcodeRequiresOperand = TR_NOOP("Patching", "Opcode %s requires an operand.");
const char* const InvalidOpcodeOperand = TR_NOOP("Patching", "Invalid combination of opcode and operand.");
const char* const LPOperandIgnored =
    TR_NOOP("Patching", "For opcode %s, operands less than 0x%s are not required and will be ignored.");
const char* const OperandIgnored =
    TR_NOOP("Patching", "Opcode %s does not have an operand. The operand value will be ignored.");
const char* const CannotRevert = TR_NOOP(
    "Patching",
    "Cannot revert a 2-byte instruction %s at %s.\nIts operand %s at %s would have to be reverted to a 2-byte "
    "instruction %s and the operand of this latter is also modified (as %s at %s).\n\nHint: At first revert the "
    "instruction at %s.");
const char* const EndOfAddressSpace =
    TR_NOOP("Patching", "Internal error. Reverting 2-byte instruction at the end of address space.");
const char* const RevertAllQuestion = TR_NOOP("Patching", "Are you sure you want to revert all opcode modifications?");

std::string Shown(const char* Text) { return Tr("Patching", Text); }

bool IsEmptyText(const std::string& Text) { return Text.find_first_not_of(" \t") == std::string::npos; }
bool IsLPOpcode(unsigned Opcode) { return (Opcode & 0xF0) == 0x70; }

} // namespace

TInputCheck CheckNewOpcodeInput(TPrompter& Prompter, T11bits Addr, const std::string& OpcodeText,
                                const std::string& OperandText, uint8_t& Opcode, uint8_t& Operand) {
    if (IsEmptyText(OpcodeText)) return TInputCheck::Refuse();
    uint32_t Op = 0;
    if (!HexToInt(OpcodeText, Op)) return TInputCheck::Refuse(NumberConversionError(OpcodeText));
    if (Op > 0xFF) return TInputCheck::Refuse(Shown(OpcodeOutOfRange));
    const bool HasOperand = !IsEmptyText(OperandText);
    uint32_t Arg = 0;
    if (HasOperand) {
        if (!HexToInt(OperandText, Arg)) return TInputCheck::Refuse(NumberConversionError(OperandText));
        if (Arg > 0xFF) return TInputCheck::Refuse(Shown(OperandOutOfRange));
    }
    // The second byte of an instruction at step 3F would be the first of the next page.
    const bool LastStep = (Addr & 0x3F) == 0x3F;
    if (Op == 0x5E || Op == 0x5F) {
        if (LastStep)
            return TInputCheck::Refuse(Format(Shown(TwoByteOpcodeNotAllowed).c_str(), AddrToStr(Addr).c_str()));
        if (!HasOperand) return TInputCheck::Refuse(Format(Shown(OpcodeRequiresOperand).c_str(), Hex2(Op).c_str()));
        if ((Op == 0x5E && Arg != 0 && Arg != 4) || (Op == 0x5F && Arg > 0x7F))
            return TInputCheck::Refuse(Shown(InvalidOpcodeOperand));
    } else if (IsLPOpcode(Op) && HasOperand) {
        if (Arg <= 0x7F) {
            if (Prompter.Message(TMessageKind::Warning, Format(Shown(LPOperandIgnored).c_str(), Hex2(Op).c_str(), "80"),
                                 TMessageButtons::OKCancel) != TMessageResult::OK)
                return TInputCheck::Refuse();
        } else if (LastStep) {
            return TInputCheck::Refuse(Format(Shown(TwoByteOpcodeNotAllowed).c_str(), AddrToStr(Addr).c_str()));
        }
    } else if (HasOperand) {
        Prompter.Message(TMessageKind::Warning, Format(Shown(OperandIgnored).c_str(), Hex2(Op).c_str()),
                         TMessageButtons::OK);
    }
    Opcode = static_cast<uint8_t>(Op);
    Operand = static_cast<uint8_t>(Arg);
    return TInputCheck::Accept();
}

TPatchingControl::TPatchingControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter,
                                   TSessionControl& Session, TPaneRefresh& Panes, TListView& List,
                                   TToolWindows& Tools, TListNavigator& Navigator, TListingUpdates& Listing,
                                   THistoryRestart& History)
    : FGame(Game), FRun(Run), FPrompter(Prompter), FSession(Session), FPanes(Panes), FList(List), FTools(Tools),
      FNavigator(Navigator), FListing(Listing), FHistory(History) {}

bool TPatchingControl::GetNewOpcode(T11bits Addr, uint8_t& Opcode, uint8_t& Operand) {
    TInputDialog Dialog;
    Dialog.Title = Shown(OpcodeDialogTitle);
    const bool TwoBytes = TSHARP_SM5A_MCU::GetOpcodeSize(Opcode, Operand) == 2;
    Dialog.Fields.push_back({Shown(OpcodeLabel), Hex2(Opcode)});
    Dialog.Fields.push_back({Shown(OperandLabel), TwoBytes ? Hex2(Operand) : std::string()});
    uint8_t NewOpcode = Opcode, NewOperand = Operand;
    bool Checked = false;
    auto Check = [&](const std::vector<std::string>& Texts) {
        const std::string OpcodeText = Texts.size() > 0 ? Texts[0] : std::string();
        const std::string OperandText = Texts.size() > 1 ? Texts[1] : std::string();
        const TInputCheck Result = CheckNewOpcodeInput(FPrompter, Addr, OpcodeText, OperandText, NewOpcode, NewOperand);
        Checked = Result.Accepted;
        return Result;
    };
    Dialog.Validate = Check;
    if (!FPrompter.Input(Dialog)) return false;
    // A prompter that closed the dialog without asking the check gets it now.
    if (!Checked && !Check({Dialog.Fields[0].Text, Dialog.Fields[1].Text}).Accepted) return false;
    Opcode = NewOpcode;
    Operand = NewOperand;
    // An LP without an operand of its own keeps the byte after it: a TR or TRS there makes the
    // pair a far jump or call again.
    if (IsLPOpcode(Opcode) && Operand < 0x80 && FGame.IsLoaded() && Addr < LastROMAddress)
        Operand = FGame.MCU->ROM[Addr + 1u];
    return true;
}

bool TPatchingControl::SetOpcode(T11bits a, uint8_t NewOpcode, uint8_t NewOperand) {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || a > LastROMAddress) return false;
    TROM& ROM = MCU->ROM;
    uint8_t Opcode = 0, Next = 0;
    const int OldSize = MCU->GetOpcodeExt(a, Opcode, Next);
    const int NewSize = TSHARP_SM5A_MCU::GetOpcodeSize(NewOpcode, NewOperand);
    const bool HasNextByte = a < LastROMAddress;

    if (OldSize == 2 && NewSize == 1 && a + 2 < LastROMAddress && (NewOperand == 0x5E || NewOperand == 0x5F)) {
        // The freed byte would start a 2-byte instruction again: its operand must be the
        // original one, or that change would hide inside the restored instruction.
        uint8_t o1 = 0, p1 = 0;
        if (MCU->IsOpcodeChanged(static_cast<T11bits>(a + 1), o1, p1) && ROM[a + 2u] != p1) {
            const std::string a0 = AddrToStr(a), a1 = AddrToStr(static_cast<T11bits>(a + 1)),
                              a2 = AddrToStr(static_cast<T11bits>(a + 2));
            FPrompter.Message(TMessageKind::Warning,
                              Format(Shown(CannotRevert).c_str(), Hex2(ROM[a]).c_str(), a0.c_str(),
                                     Hex2(ROM[a + 1u]).c_str(), a1.c_str(), Hex2(o1).c_str(), Hex2(ROM[a + 2u]).c_str(),
                                     a2.c_str(), a2.c_str()),
                              TMessageButtons::OK);
            return false;
        }
    }
    if (OldSize == 1 && NewSize == 2 && !HasNextByte) {
        // No byte after the last address could take the operand (the original image always
        // holds the 1-byte jump of step 3F there, so no revert needs it).
        FPrompter.Error(Shown(EndOfAddressSpace));
        return false;
    }

    ROM[a] = NewOpcode;
    // With two bytes on either side the second one is rewritten: the new operand, or the byte
    // the old operand leaves behind (00 from the dialog, the original byte from a revert).
    const bool Second = (OldSize == 2 || NewSize == 2) && HasNextByte;
    if (Second) ROM[a + 1u] = NewOperand;
    FListing.ROMBytesWritten(a, static_cast<T11bits>(Second ? a + 1 : a));
    // The steps held so far ran the old bytes: the history starts again from here.
    FHistory.RestartHistory();
    FSession.MarkSessionModified();
    return true;
}

// ---- the list's commands ----

void TPatchingControl::ChangeOpcode() {
    T11bits Addr = NoAddress;
    if (FRun.IsAnimatedRun() || !FGame.IsLoaded() || !FNavigator.GetSelectedAddr(Addr)) return;
    uint8_t Opcode = 0, Operand = 0;
    FGame.MCU->GetOpcodeExt(Addr, Opcode, Operand);
    if (!GetNewOpcode(Addr, Opcode, Operand)) return;
    if (TSHARP_SM5A_MCU::GetOpcodeSize(Opcode, Operand) == 1) Operand = 0;
    SetOpcode(Addr, Opcode, Operand);
    ShowChanges();
}

void TPatchingControl::RevertOpcode() {
    T11bits Addr = NoAddress;
    if (!FGame.IsLoaded() || !FNavigator.GetSelectedAddr(Addr)) return;
    uint8_t Opcode = 0, Operand = 0;
    if (!FGame.MCU->IsOpcodeChanged(Addr, Opcode, Operand)) return;
    SetOpcode(Addr, Opcode, Operand);
    ShowChanges();
}

void TPatchingControl::RevertAllOpcodes() {
    if (FPrompter.Message(TMessageKind::Warning, Shown(RevertAllQuestion), TMessageButtons::YesNo) !=
        TMessageResult::Yes)
        return;
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (MCU && MCU->IsAnyOpcodeChanged()) {
        T11bits Refused = NoAddress;
        FListing.BeginListingChanges();
        for (int a = 0; a <= LastROMAddress; ++a) {
            uint8_t Opcode = 0, Operand = 0;
            if (MCU->IsOpcodeChanged(static_cast<T11bits>(a), Opcode, Operand) &&
                !SetOpcode(static_cast<T11bits>(a), Opcode, Operand)) {
                Refused = static_cast<T11bits>(a);
                break;
            }
        }
        FListing.EndListingChanges();
        // The later changes stay; the list shows where the user has to revert first.
        if (Refused != NoAddress) FNavigator.GoToAddr(Refused);
    }
    ShowChanges();
}

void TPatchingControl::ShowChanges() {
    // The list is redrawn where it stands: a patch far from PC keeps its place and the
    // selection instead of jumping back to the PC row.
    FList.RepaintList();
    FPanes.UpdateHintLabel();
    FTools.RefreshOpcodeLegend();
}

} // namespace tarvolin
