// The text side of the assembler: source lines split into label, mnemonic and operand, and
// the numbers, addresses and operand patterns the instruction texts use.
#pragma once

#include <string>
#include <vector>

#include "base/types.h"

namespace tarvolin::assembler_text {

std::string Upper(std::string s);
std::string Trim(const std::string& s);
// Upper case without white space.
std::string NoSpaces(const std::string& s);
// 0x1F or $1F hexadecimal, otherwise decimal; at most 8 digits.
bool ParseNumber(const std::string& Text, long& Value);
int HexValue(char c); // -1 for a character that is no hex digit
// An address in either notation: "3C5" (one to three hex digits, optionally after 0x or $) or
// "0:F:05";
// with StepCodes the step part is a step-counter code.
bool ParseAddress(const std::string& Text, bool StepCodes, T11bits& Addr);
// A name: letters (of any script, in UTF-8), digits, '_' and '.', not starting with a digit.
bool IsIdentifier(const std::string& s);

enum TLineKind { lkEmpty, lkInstruction, lkOrg, lkByte, lkBad };

struct TSourceLine {
    int No = 0;
    TLineKind Kind = lkEmpty;
    std::string Label;
    std::string Mnemonic; // as written
    std::string Operand;  // trimmed
    std::string Raw;      // the whole line (for the DPH note)
    std::string Error;    // lkBad
    int ListedAddress = -1; // a line of an exported listing: the address in its first column
};

// The "xor DPH nn" note of a line: 0..3, or -1 when there is none.
int DPHNote(const std::string& Raw);
// One source line. A line as an exported listing writes it ("3C5 5E 00    HALT", address and
// byte columns first) is read as its instruction placed at its address; the byte columns are
// not read, so an edited instruction text counts.
TSourceLine Lex(const std::string& Text, int No, bool StepCodes = false);
// Splits at " / " (the separator of two readings).
std::vector<std::string> SplitReadings(const std::string& s);
// Matches a normalized operand against a pattern in which '%' stands for one number.
bool MatchPattern(const std::string& Operand, const std::string& Pattern, long& Number);

} // namespace tarvolin::assembler_text
