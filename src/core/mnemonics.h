// Instruction names in the SHARP SM-5A and the KB1013VK1-2 mnemonic sets.
#pragma once

#include <cstdint>
#include <string>

namespace tarvolin {

// 1 selects the SHARP SM-5A names, 0 the KB1013VK1-2 names.
extern uint8_t ActiveMnemonicSet;

// Context: the following byte for 0x5E and 0x70..0x7F; for 0xC0..0xFF 0 (call form) or
// 1 (branch form); ignored otherwise.
const char* MnemonicOf(uint8_t Opcode, uint8_t Context, bool SharpSet);

// The mnemonic in the active set; with Pad, left-justified in 5 (SHARP) or 4 (KB) characters.
std::string GetMnemonic(uint8_t Opcode, bool Pad, uint8_t Context);

} // namespace tarvolin
