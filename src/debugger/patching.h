// The opcode patching feature: changing the byte or bytes of an instruction of the loaded ROM
// from the disassembly list, reverting one changed instruction or all of them, and keeping
// the listing in step with the live ROM. The reference for "changed" is the ROM as it was
// loaded (the user data's original image); changed instructions are drawn in their own colour
// by the list (TNavigationControl::RowLook).
#pragma once

#include <cstdint>
#include <string>

#include "debugger/feature_links.h"
#include "debugger/prompter.h"
#include "debugger/session.h"

namespace tarvolin {

// The OK check of the opcode dialog for the instruction at Addr, in this order: an empty
// opcode (silent), the opcode's number and range, the operand's number and range, the rules of
// the always-2-byte opcodes 5E and 5F, an operand below 0x80 for the LP opcodes 70..7F (a
// warning with OK and Cancel, Cancel keeps the dialog open) or from 0x80 at step 3F, and an
// operand for an opcode that has none (a warning with OK, accepted). Opcode and Operand
// receive the values when the entries are accepted (Operand 0 for an empty operand text).
TInputCheck CheckNewOpcodeInput(TPrompter& Prompter, T11bits Addr, const std::string& OpcodeText,
                                const std::string& OperandText, uint8_t& Opcode, uint8_t& Operand);

class TPatchingControl {
public:
    TPatchingControl(TLoadedGame& Game, const TRunState& Run, TPrompter& Prompter, TSessionControl& Session,
                     TPaneRefresh& Panes, TListView& List, TToolWindows& Tools, TListNavigator& Navigator,
                     TListingUpdates& Listing, THistoryRestart& History);

    // The opcode dialog, prefilled with Opcode (and Operand when they form a 2-byte
    // instruction); true on OK with the entered values. An LP opcode entered without an
    // operand of its own keeps the byte that follows it at Addr as its operand.
    bool GetNewOpcode(T11bits Addr, uint8_t& Opcode, uint8_t& Operand);
    // Writes one instruction at Addr in each of the four size cases (old 1 or 2 bytes, new 1
    // or 2 bytes) and updates the listing around it; false (nothing written) when the change
    // was refused: a revert that would restore a 2-byte instruction whose operand is still
    // changed, or a new 2-byte instruction at the last ROM address, whose operand would lie
    // beyond the ROM.
    bool SetOpcode(T11bits Addr, uint8_t NewOpcode, uint8_t NewOperand);

    // ---- the list's commands ----
    void ChangeOpcode();
    void RevertOpcode();
    void RevertAllOpcodes();

private:
    // The list, the hint above it and the opcode legend show the changed ROM.
    void ShowChanges();

    TLoadedGame& FGame;
    const TRunState& FRun;
    TPrompter& FPrompter;
    TSessionControl& FSession;
    TPaneRefresh& FPanes;
    TListView& FList;
    TToolWindows& FTools;
    TListNavigator& FNavigator;
    TListingUpdates& FListing;
    THistoryRestart& FHistory;
};

} // namespace tarvolin
