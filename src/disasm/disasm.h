// ROM bytes as text: address notation, instruction texts, branch targets, hints and legends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/translate.h"
#include "base/types.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

// Low 4 bits as one hex digit, "0x" in front when above 9 ("7", "0xA").
std::string NibbleToStr(unsigned Value);
// An address in the current notation (options: Bank:Page:Step, step codes).
std::string AddrToStr(T11bits Addr);
// AddrToStr, preceded by "label @ " when the user data holds a label for Addr.
std::string GetAddressText(const TSHARP_SM5A_MCU& MCU, T11bits Addr);
// Instruction text of the instruction at Addr; Comment receives its default comment, in English
// for files (Written) or in the interface language for the window (Shown).
std::string DisAsm(const TSHARP_SM5A_MCU& MCU, T11bits Addr, std::string& Comment, TTextUse Use = TTextUse::Written);
// Branch-form target of a one-byte TRS (0xC0..0xFF) at Addr: same bank, upper two page
// bits of Addr's page, lower two from opcode bits 5..4, a step among the first 16 codes.
T11bits TRSBranchTarget(T11bits Addr, uint8_t Opcode);
// One-line explanation of the instruction at PC with the live values (may throw the
// MCU's input-querying EEmulatorError for unwired Alpha/Beta).
std::string GetCurrentOpcodeHint(const TSHARP_SM5A_MCU& MCU);
// The opcode legend's description of an opcode and its following byte.
std::string GetOpcodeDescription(const TSHARP_SM5A_MCU* MCU, uint8_t Opcode, uint8_t Operand);
// The legend's opcode text ("5F 12") and mnemonic text ("TRS / TRSA").
std::string GetOpcodeLegendOpcodeText(uint8_t Opcode, uint8_t Operand);
std::string GetOpcodeLegendMnemonicText(uint8_t Opcode, uint8_t Operand);

// The 7-segment coding table: its 20 lines, and the same joined with CR LF (the text box
// content the selection offsets refer to).
std::vector<std::string> SevenSegmentTableLines();
std::string SevenSegmentTableText();
// The line (index into SevenSegmentTableLines) to highlight for a pair of codes, or -1:
// with TD0First the TD=0 code is TD0Code, otherwise the two are swapped; the dot bit of the
// TD=0 code is ignored; the first matching row wins; codes outside 0..15 select nothing.
int SevenSegmentTableRow(int TD0Code, int TD1Code, bool TD0First);
// The row for an accumulator value (its two coding-table halves, TD=0 first); -1 for a
// value outside 0..15, which highlights nothing.
int SevenSegmentTableRowForAcc(int Acc);
// The same as a selection in SevenSegmentTableText (characters, 2 per line break);
// returns false when nothing is to be selected.
bool SevenSegmentTableSelection(int TD0Code, int TD1Code, bool TD0First, int& SelStart, int& SelLength);

} // namespace tarvolin
