// The small input dialogs for hexadecimal values, addresses and address descriptions, with
// the checks that keep them open until the entry is valid.
#pragma once

#include <cstdint>
#include <string>

#include "base/types.h"
#include "debugger/prompter.h"

namespace tarvolin {

// Spaces trimmed, a leading "0x" (any case) removed, the rest read as a hexadecimal number.
// False for an empty text, anything that is not a hex number, or a value above 0xFFFFFFFF.
bool HexToInt(const std::string& Text, uint32_t& Value);
// The error shown for a text that is not a number.
std::string NumberConversionError(const std::string& Text);

// Number of hex digits shown for values up to Max: 1, plus one for each of 0x10, 0x100, 0x1000
// that Max reaches.
int HexDigitsFor(uint32_t Max);
// "Enter 0 or 1" for Max = 1, otherwise "Enter hexadecimal value (00-FF)" style.
std::string GetIntegerTitle(uint32_t Max, uint32_t Min);
// The OK check of GetInteger: empty -> silent refusal, not a number -> conversion error,
// above Max -> "Out of range.". Value receives the number when accepted.
TInputCheck CheckIntegerInput(const std::string& Text, uint32_t Max, uint32_t& Value);

// Reads S, SS, P:S, P:SS, B:P:S or B:P:SS (hex digits; the first step digit of two is 0..3,
// the bank is 0 or 1). Text must already be trimmed. Addr is NoAddress on failure.
bool ParseBankPageStepAddr(const std::string& Text, T11bits& Addr);
// The OK check of GetBankPageStepAddr: "Value not in Bank:Page:Step address notation." or
// "Out of range.".
TInputCheck CheckBankPageStepInput(const std::string& Text, T11bits Max, T11bits& Addr);

// Hexadecimal input dialog; true on OK with Value set, false on Cancel (Value unchanged).
bool GetInteger(TPrompter& Prompter, const std::string& Caption, uint32_t& Value, uint32_t Max, uint32_t Min);
// Address input in Bank:Page:Step notation, prefilled with AddrToStr(Addr).
bool GetBankPageStepAddr(TPrompter& Prompter, const std::string& Caption, T11bits& Addr, T11bits Max);
// Address input in the notation of the current options (Bank:Page:Step, or hex with the step
// shown as a step code when LFSR addressing is on).
bool GetAddress(TPrompter& Prompter, const std::string& Caption, T11bits& Addr, T11bits Max);
// The label and comment dialog of an address.
bool GetAddressDescription(TPrompter& Prompter, T11bits Addr, std::string& Label, std::string& Comment);

} // namespace tarvolin
