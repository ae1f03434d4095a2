// Explanations of instructions: the live hint at PC, the opcode legend and the 7-segment table.
#include <cstdio>

#include "core/mcu.h"
#include "base/options.h"
#include "core/step_tables.h"
#include "disasm/disasm.h"
#include "core/mnemonics.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "disasm/text_util.h"

namespace tarvolin {

namespace {

// v -> name
std::string Moves(unsigned v, const std::string& Name) { return NibbleToStr(v) + " -> " + Name; }

// The hint is shown only, so its words are always in the interface language.
std::string Skipping() { return Tr("Hint", "skipping"); }
std::string SkipMark() { return "; " + Skipping(); }
std::string Skip(bool Skip) { return Skip ? SkipMark() : std::string(); }
std::string SkippingIf(bool Skip) { return Skip ? Skipping() : std::string(); }

// Whether inputs the game does not wire read as nothing (the custom game) or raise the
// query error, exactly as execution does.
bool QuietQueries(const TSHARP_SM5A_MCU& MCU) { return MCU.GetClass().IsCustomGame(); }

T4bits ReadK(const TSHARP_SM5A_MCU& MCU) {
    return MCU.IO.GetK(MCU.GetClass().GetR_K_LabelingNumbers(), QuietQueries(MCU));
}

T4bits EncodeDigit(const TSHARP_SM5A_MCU& MCU) {
    if (MCU.TD) return SevenSegmentCodingTable[1][MCU.Acc & 0xF];
    return static_cast<T4bits>(SevenSegmentCodingTable[0][MCU.Acc & 0xF] | (MCU.LD0 ? 1 : 0));
}

} // namespace

std::string GetCurrentOpcodeHint(const TSHARP_SM5A_MCU& MCU) {
    uint8_t op = 0, next = 0;
    MCU.GetCurrentOpcodeExt(op, next);
    const T7bits dp = AdjustDP(MCU.DP);
    const std::string DPText = "(" + HexDigits(dp, 2) + ")";
    // The hint only looks at the cell: no read callback, so a memory breakpoint cannot fire
    // because a hint was drawn.
    const unsigned mem = MCU.RAM[dp] & 0xF;
    const unsigned acc = MCU.Acc & 0xF;
    const unsigned dpl = MCU.DP & 0xF;
    const unsigned dph = (MCU.DP >> 4) & 7;
    const int n = op & 3;

    auto exchange = [&] { return Moves(acc, DPText) + "; " + Moves(mem, "Acc"); };
    auto xorDPH = [&] { return std::string("; ") + Moves(dph ^ n, "DPH"); };

    if (op >= 0x04 && op <= 0x07) return DPText + ": " + Bin4(mem) + " -> " + Bin4(mem & ~(1u << n));
    if (op >= 0x0C && op <= 0x0F) return DPText + ": " + Bin4(mem) + " -> " + Bin4(mem | (1u << n));
    if (op >= 0x10 && op <= 0x1F) {
        const int group = (op >> 2) & 3;
        if (group == 2) {
            std::string s = DPText + ": " + Moves(mem, "Acc");
            if (n) s += xorDPH();
            return s;
        }
        std::string s = exchange();
        if (n) s += xorDPH();
        if (group == 1) s += "; " + Moves(dpl + 1, "L") + Skip(dpl == 7);
        if (group == 3) s += "; " + Moves(dpl - 1, "L") + Skip(dpl == 0);
        return s;
    }
    if (op >= 0x30 && op <= 0x3F) {
        const unsigned sum = acc + (op & 0xF);
        return Format(Tr("Hint", "sum=%s").c_str(), NibbleToStr(sum).c_str()) + "; " + Moves(sum, "Acc") +
               Skip(sum >= 16 && op != 0x3A);
    }
    if (op >= 0x54 && op <= 0x57) {
        const unsigned bit = (mem >> n) & 1;
        return DPText + ": " + Bin4(mem) + "; " + Format(Tr("Hint", "bit %d: %u").c_str(), n, bit) + Skip(bit == 1);
    }
    if (op >= 0x70 && op <= 0x7F) {
        if (next < 0x80) return std::string();
        const T11bits t = static_cast<T11bits>(((MCU.MSB & 1) << 10) | ((op & 0xF) << 6) | CodeToStepIndex[next & 0x3F]);
        if (t > LastROMAddress) return std::string();
        return GetMnemonic(op, true, next) + GetAddressText(MCU, t);
    }
    if (op >= 0x80 && op <= 0xBF) {
        if (MCU.InSubroutine()) return std::string();
        return GetMnemonic(op, true, 0) +
               GetAddressText(MCU, static_cast<T11bits>(((MCU.MSB & 1) << 10) | ((MCU.Page & 0xF) << 6) | CodeToStepIndex[op & 0x3F]));
    }
    if (op >= 0xC0) {
        if (!MCU.InSubroutine())
            return GetMnemonic(op, true, 0) + GetAddressText(MCU, static_cast<T11bits>(0x400 + CodeToStepIndex[op & 0x3F]));
        return GetMnemonic(op, true, 1) + GetAddressText(MCU, TRSBranchTarget(MCU.PC, op));
    }
    switch (op) {
    case 0x08: return DPText + ": " + NibbleToStr(mem) + "; " + Moves(mem + acc, "Acc");
    case 0x09: {
        const unsigned sum = mem + acc + (MCU.Carry ? 1 : 0);
        return DPText + ": " + NibbleToStr(mem) + "; " + Moves(sum, "Acc") + Skip(sum > 15);
    }
    case 0x0B: return Moves(dpl, "Acc") + "; " + Moves(acc, "L");
    case 0x50: return SkippingIf(!MCU.IO.AlphaIsSignaled(QuietQueries(MCU)));
    case 0x51: return SkippingIf(!MCU.IO.BetaIsSignaled(QuietQueries(MCU)));
    case 0x52: return SkippingIf(!MCU.Carry);
    case 0x53:
        if (mem == acc) return NibbleToStr(acc) + "=" + NibbleToStr(mem) + SkipMark();
        return NibbleToStr(acc) + " <> " + NibbleToStr(mem);
    case 0x58: return SkippingIf(!MCU.OneSecond);
    case 0x5A: return SkippingIf(acc == 0);
    case 0x5B: return SkippingIf(dpl == acc);
    case 0x5D:
    case 0x61: return Moves(EncodeDigit(MCU), "O8");
    case 0x5E:
        if (next == 0x00) return MCU.GetClass().GetInputRegisterName() + "=" + NibbleToStr(ReadK(MCU));
        if (next == 0x04) return Moves(MCU.T >> 10, "Acc");
        return std::string();
    case 0x62: return Moves(acc & 7, "O8");
    case 0x63: return Moves(acc | 8, "O8");
    case 0x64: return Moves(dpl + 1, "L") + Skip(dpl == 7);
    case 0x6A: return Moves(ReadK(MCU), "Acc");
    case 0x6C: return Moves(dpl - 1, "L") + Skip(dpl == 0);
    default: return std::string();
    }
}

namespace {

// "#2 (x1xx)": bit n of a nibble with the character c at its place; "???" above bit 3.
std::string BitText(int n, char c) {
    if (n < 0 || n > 3) return "???";
    std::string x = "xxxx";
    x[static_cast<size_t>(3 - n)] = c;
    return "#" + std::to_string(n) + " (" + x + ")";
}

// The legend's texts, shown only: always in the interface language.
std::string L(const char* English) { return Tr("Legend", English); }
std::string L(const char* English, const std::string& Value) { return Format(L(English).c_str(), Value.c_str()); }

const char* const ExchangeText = TR_NOOP("Legend", "Exchange accumulator with RAM field denoted by DP.");
const char* const LoadText = TR_NOOP("Legend", "Load accumulator with RAM field denoted by DP.");
const char* const IncText = TR_NOOP("Legend", "Increment DPL.\nSkip next instruction if DPL was 7.");
const char* const DecText = TR_NOOP("Legend", "Decrement DPL.\nSkip next instruction if DPL was 0.");
const char* const ShiftText = TR_NOOP("Legend", "Shift O register (O8->O7->...->O1->O0).");
const char* const EncodeText = TR_NOOP("Legend",
    "Encode a digit in accumulator using 7-segment Coding Table (taking the value of TD into account) and put the "
    "result to O8.");

} // namespace

std::string GetOpcodeDescription(const TSHARP_SM5A_MCU* MCU, uint8_t Opcode, uint8_t Operand) {
    const uint8_t op = Opcode;
    const int n = op & 3;
    auto xorLine = [&] { return L(TR_NOOP("Legend", "Xor DPH with %s."), n == 1 ? "01" : n == 2 ? "10" : "11"); };
    if (op >= 0x04 && op <= 0x07) return L(TR_NOOP("Legend", "Clear bit %s of RAM field denoted by DP."), BitText(n, '0'));
    if (op >= 0x0C && op <= 0x0F) return L(TR_NOOP("Legend", "Set bit %s of RAM field denoted by DP."), BitText(n, '1'));
    if (op >= 0x10 && op <= 0x1F) {
        const int group = (op >> 2) & 3;
        std::string s = L(group == 2 ? LoadText : ExchangeText);
        if (n) s += "\n" + xorLine();
        if (group == 1) s += "\n" + L(IncText);
        if (group == 3) s += "\n" + L(DecText);
        return s;
    }
    if (op >= 0x20 && op <= 0x2F) {
        std::string s = L(TR_NOOP("Legend", "Set accumulator to %s."), NibbleToStr(op));
        if (Operand >= 0x20 && Operand <= 0x2F) s += "\n" + L(TR_NOOP("Legend", "Skip all following LC instructions."));
        return s;
    }
    if (op == 0x3A) return L(TR_NOOP("Legend", "Add 10 (0xA) to accumulator."));
    if (op >= 0x30 && op <= 0x3F)
        return L(TR_NOOP("Legend", "Add %s to accumulator.\nSkip next instruction if result is greater than 0xF."),
                 NibbleToStr(op));
    if (op >= 0x40 && op <= 0x4F) {
        static const char Low[4] = {'0', '9', 'A', 'B'};
        std::string dp;
        dp += static_cast<char>('0' + n);
        dp += Low[(op >> 2) & 3];
        return L(TR_NOOP("Legend", "Set DP to 0x%s.\nSet RAM Bank Selector to 0."), dp);
    }
    if (op >= 0x54 && op <= 0x57)
        return L(TR_NOOP("Legend", "Skip next instruction if bit %s of RAM field denoted by DP is 1."), BitText(n, '!'));
    if (op >= 0x70 && op <= 0x7F) {
        if (Operand < 0x80) return L(TR_NOOP("Legend", "Set ROM page to %s."), NibbleToStr(op));
        const T11bits c = static_cast<T11bits>(((op & 0x0F) << 6) | CodeToStepIndex[Operand & 0x3F]);
        const bool call = Operand >= 0xC0;
        if ((c | 0x400) > LastROMAddress)
            return L(call ? TR_NOOP("Legend", "Call far subroutine at %s.") : TR_NOOP("Legend", "Jump far to %s."),
                     AddrToStr(c));
        const std::string Both = L(call ? TR_NOOP("Legend", "Call far subroutine at %s (if MSB=0) or %s (if MSB=1).")
                                        : TR_NOOP("Legend", "Jump far to %s (if MSB=0) or %s (if MSB=1)."));
        return Format(Both.c_str(), AddrToStr(c).c_str(), AddrToStr(static_cast<T11bits>(c | 0x400)).c_str());
    }
    if (op >= 0x80 && op <= 0xBF) {
        const unsigned step = Options().UseLFSRAddressing ? (op & 0x3Fu) : CodeToStepIndex[op & 0x3F];
        return L(TR_NOOP("Legend", "Jump.\n- If not in subroutine, the target depends on values in MSB and Page registers.\n"
                                   "- Otherwise jump to step %s within the current bank and page."),
                 HexDigits(step, 2));
    }
    if (op >= 0xC0)
        return L(TR_NOOP("Legend", "If not in subroutine, call a subroutine at %s.\nOtherwise jump to a branch within the "
                                   "current bank."),
                 AddrToStr(static_cast<T11bits>(0x400 | CodeToStepIndex[op & 0x3F])));
    switch (op) {
    case 0x00: return L(TR_NOOP("Legend", "No operation, i.e. empty instruction."));
    case 0x01: return L(TR_NOOP("Legend", "Send accumulator to R register."));
    case 0x02: return L(TR_NOOP("Legend", "Set RAM Bank Selector to 1."));
    case 0x03: return L(TR_NOOP("Legend", "Send accumulator to LCD controller (bit #3 (!xxx) sets the TD flag)."));
    case 0x08: return L(TR_NOOP("Legend", "Add RAM field denoted by DP to accumulator."));
    case 0x09: return L(TR_NOOP("Legend", "Add RAM field and Carry flag to accumulator."));
    case 0x0A: return L(TR_NOOP("Legend", "Ones' complement of accumulator."));
    case 0x0B: return L(TR_NOOP("Legend", "Exchange accumulator with DPL register."));
    case 0x50: return L(TR_NOOP("Legend", "Skip next instruction if Alpha is not triggered."));
    case 0x51: return L(TR_NOOP("Legend", "Skip next instruction if Beta is not triggered."));
    case 0x52: return L(TR_NOOP("Legend", "Skip next instruction if Carry=0."));
    case 0x53: return L(TR_NOOP("Legend", "Skip next instruction if accumulator equals to RAM field denoted by DP."));
    case 0x58: return L(TR_NOOP("Legend", "Skip next instruction if T14=0; otherwise clear the T14 flag."));
    case 0x59: return L(TR_NOOP("Legend", "Copy O8 to O'8.\nCopy O7 to O'7."));
    case 0x5A: return L(TR_NOOP("Legend", "Skip next instruction if Acc=0."));
    case 0x5B: return L(TR_NOOP("Legend", "Skip next instruction if Acc=DPL."));
    case 0x5C: return L(TR_NOOP("Legend", "Copy the whole O register to O' register."));
    case 0x5D: return L(ShiftText) + "\n" + L(EncodeText);
    case 0x5E:
        if (Operand == 0x00)
            return L(TR_NOOP("Legend",
                             "Enter the Halt mode.\nWait until either T14=1, or K<>0.\nThen continue execution at %s."),
                     AddrToStr(0));
        if (Operand == 0x04) return L(TR_NOOP("Legend", "Load accumulator with highest 4 bits of T."));
        return std::string();
    case 0x5F: return L(TR_NOOP("Legend", "Set DP to 0x%s."), HexDigits(Operand, 2));
    case 0x60: return L(TR_NOOP("Legend", "Toggle TD."));
    case 0x61: return L(TR_NOOP("Legend", "Copy O8 to O7.")) + "\n" + L(EncodeText);
    case 0x62:
        return L(ShiftText) + "\n" + L(TR_NOOP("Legend", "Copy accumulator to O8.\nClear bit %s of O8."), BitText(3, '0'));
    case 0x63:
        return L(ShiftText) + "\n" + L(TR_NOOP("Legend", "Copy accumulator to O8.\nSet bit %s of O8."), BitText(3, '1'));
    case 0x64: return L(IncText);
    case 0x65: return L(TR_NOOP("Legend", "Set T to zero.\nSet the T14 flag."));
    case 0x66: return L(TR_NOOP("Legend", "Clear the Carry flag."));
    case 0x67: return L(TR_NOOP("Legend", "Set the Carry flag."));
    case 0x68: return L(TR_NOOP("Legend", "Set accumulator to zero.\nClear the LD0 flag."));
    case 0x69: return L(TR_NOOP("Legend", "Set the LD0 flag."));
    case 0x6A: return L(TR_NOOP("Legend", "Load accumulator with input register K."));
    case 0x6B: return L(TR_NOOP("Legend", "Set RAM Bank Selector to 0."));
    case 0x6C: return L(DecText);
    case 0x6D: return L(TR_NOOP("Legend", "Toggle ROM Bank Selector."));
    case 0x6E: return L(TR_NOOP("Legend", "Return from subroutine."));
    case 0x6F: return L(TR_NOOP("Legend", "Return from subroutine and skip next instruction."));
    default: return std::string();
    }
}

std::string GetOpcodeLegendOpcodeText(uint8_t Opcode, uint8_t Operand) {
    std::string s = HexDigits(Opcode, 2);
    if (TSHARP_SM5A_MCU::GetOpcodeSize(Opcode, Operand) == 2) s += " " + HexDigits(Operand, 2);
    return s;
}

std::string GetOpcodeLegendMnemonicText(uint8_t Opcode, uint8_t Operand) {
    if (Opcode < 0xC0) return GetMnemonic(Opcode, false, Operand);
    return GetMnemonic(Opcode, false, 0) + " / " + GetMnemonic(Opcode, false, 1);
}

std::vector<std::string> SevenSegmentTableLines() {
    static const char* const Glyphs[16] = {"0", "1", "2", "3", "4", "5", "6", "7",
                                           "8", "9", "-", " ", "4", "5", "\xCB\x87", "'"};
    const std::string Border = " ---------------------------------------";
    // The header is shown only; a translation keeps the column widths (the selection counts on them).
    std::vector<std::string> Lines = {Border, Tr("SevenSegmentTable", " | Acc |Digit|    TD=0    |    TD=1    |"),
                                      " |-----|-----|------------|------------|"};
    for (unsigned i = 0; i < 16; ++i) {
        const unsigned td0 = SevenSegmentCodingTable[0][i], td1 = SevenSegmentCodingTable[1][i];
        Lines.push_back(" |  " + HexDigits(i, 1) + "  |  " + Glyphs[i] + "  |  " + HexDigits(td0, 1) + " (" + Bin4(td0) + ")  |  " +
                        HexDigits(td1, 1) + " (" + Bin4(td1) + ")  |");
    }
    Lines.push_back(Border);
    return Lines;
}

std::string SevenSegmentTableText() {
    std::string s;
    const auto Lines = SevenSegmentTableLines();
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i) s += "\r\n";
        s += Lines[i];
    }
    return s;
}

int SevenSegmentTableRow(int TD0Code, int TD1Code, bool TD0First) {
    if (TD0Code < 0 || TD0Code > 15 || TD1Code < 0 || TD1Code > 15) return -1;
    const int td0 = TD0First ? TD0Code : TD1Code;
    const int td1 = TD0First ? TD1Code : TD0Code;
    const std::string First = "|  " + HexDigits(static_cast<unsigned>(td0 & 0x0E), 1) + " (";
    const std::string Second = ")  |  " + HexDigits(static_cast<unsigned>(td1), 1) + " (";
    const auto Lines = SevenSegmentTableLines();
    for (size_t i = 0; i < Lines.size(); ++i) {
        const size_t a = Lines[i].find(First);
        if (a == std::string::npos) continue;
        const size_t b = Lines[i].find(Second);
        if (b != std::string::npos && a < b) return static_cast<int>(i);
    }
    return -1;
}

int SevenSegmentTableRowForAcc(int Acc) {
    if (Acc < 0 || Acc > 15) return -1;
    return SevenSegmentTableRow(SevenSegmentCodingTable[0][Acc], SevenSegmentCodingTable[1][Acc], true);
}

bool SevenSegmentTableSelection(int TD0Code, int TD1Code, bool TD0First, int& SelStart, int& SelLength) {
    const int Row = SevenSegmentTableRow(TD0Code, TD1Code, TD0First);
    if (Row < 0) return false;
    const auto Lines = SevenSegmentTableLines();
    size_t Start = 0;
    for (int i = 0; i < Row; ++i) Start += Utf8Length(Lines[static_cast<size_t>(i)]) + 2;
    SelStart = static_cast<int>(Start);
    SelLength = static_cast<int>(Utf8Length(Lines[static_cast<size_t>(Row)]));
    return true;
}

} // namespace tarvolin
