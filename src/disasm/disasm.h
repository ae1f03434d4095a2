// ROM bytes as text: address notation, instruction texts, branch targets, hints and legends.
#pragma once

#include <string>

#include "core/types.h"

namespace tarvolin {

class TSHARP_SM5A_MCU;

// Low 4 bits as one hex digit, "0x" in front when above 9 ("7", "0xA").
std::string NibbleToStr(unsigned Value);
// An address in the current notation (options: Bank:Page:Step, step codes).
std::string AddrToStr(T11bits Addr);
// AddrToStr, preceded by "label @ " when the user data holds a label for Addr.
std::string GetAddressText(const TSHARP_SM5A_MCU& MCU, T11bits Addr);
// Instruction text of the instruction at Addr; Comment receives its default comment.
std::string DisAsm(const TSHARP_SM5A_MCU& MCU, T11bits Addr, std::string& Comment);
// One-line explanation of the instruction at PC with the live values (may throw the
// MCU's input-querying EEmulatorError for unwired Alpha/Beta).
std::string GetCurrentOpcodeHint(const TSHARP_SM5A_MCU& MCU);
// The opcode legend's description of an opcode and its following byte.
std::string GetOpcodeDescription(const TSHARP_SM5A_MCU* MCU, uint8_t Opcode, uint8_t Operand);
// The legend's opcode text ("5F 12") and mnemonic text ("TRS / TRSA").
std::string GetOpcodeLegendOpcodeText(uint8_t Opcode, uint8_t Operand);
std::string GetOpcodeLegendMnemonicText(uint8_t Opcode, uint8_t Operand);

// The 7-segment coding table text (lines joined with "\n"... see implementation) and the
// row selection for a pair of codes: returns false when nothing is to be selected.
std::string SevenSegmentTableText();
bool SevenSegmentTableSelection(int TD0Code, int TD1Code, bool TD0First, int& SelStart, int& SelLength);

} // namespace tarvolin
