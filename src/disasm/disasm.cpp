// Address notation, instruction texts and branch targets.
#include "disasm/disasm.h"

#include <cstdio>

#include "core/mcu.h"
#include "base/options.h"
#include "core/step_tables.h"
#include "core/mnemonics.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "disasm/text_util.h"

namespace tarvolin {

std::string NibbleToStr(unsigned Value) {
    Value &= 0xF;
    if (Value > 9) return std::string("0x") + HexDigits(Value, 1);
    return HexDigits(Value, 1);
}

std::string AddrToStr(T11bits Addr) {
    unsigned a = Addr & 0x7FF;
    if (Options().UseLFSRAddressing) a = (a & 0x7C0) | StepIndexToCode[a & 0x3F];
    if (Options().UseBankPageStepAddressNotation) {
        std::string s;
        s += static_cast<char>('0' + ((a >> 10) & 1));
        s += ':';
        s += HexDigits((a >> 6) & 0xF, 1);
        s += ':';
        s += HexDigits(a & 0x3F, 2);
        return s;
    }
    return HexDigits(a, 3);
}

std::string GetAddressText(const TSHARP_SM5A_MCU& MCU, T11bits Addr) {
    std::string Label = MCU.GetAddressLabel(Addr);
    if (Label.empty()) return AddrToStr(Addr);
    return Label + " @ " + AddrToStr(Addr);
}

namespace {

const char* const XorDPH[4] = {"", "01", "10", "11"};

std::string BitOperand(uint8_t Opcode) { return std::string(" (DP)b#") + static_cast<char>('0' + (Opcode & 3)); }

// The DP value an LB/LAS opcode loads, as two hex digits.
std::string LBDigits(uint8_t Opcode) {
    static const char Low[4] = {'0', '9', 'A', 'B'};
    std::string s;
    s += static_cast<char>('0' + (Opcode & 3));
    s += Low[(Opcode >> 2) & 3];
    return s;
}

struct TDisAsmParts {
    std::string Operand; // empty: the mnemonic stands alone
    std::string Comment;
    uint8_t Context = 0;
    bool Empty = false; // no instruction text at all (0x5E with an unknown second byte)
};

// The default comments: formulas stay as they are; the words are shown in the interface
// language and written in English.
const char* const SkipIfDPLWas7 = TR_NOOP("Listing", "skip next if DPL was 7");
const char* const SkipIfDPLWas0 = TR_NOOP("Listing", "skip next if DPL was 0");

TDisAsmParts Decode(const TSHARP_SM5A_MCU& MCU, T11bits Addr, uint8_t op, uint8_t next, TTextUse Use) {
    TDisAsmParts p;
    auto T = [Use](const char* English) { return TrFor(Use, "Listing", English); };
    const TMCUClass& cls = MCU.GetClass();
    const int n = op & 3;
    const std::string H = HexDigits(op & 0xF, 1);
    switch (op) {
    case 0x00: break;
    case 0x01: p.Operand = " R,Acc"; break;
    case 0x02: p.Comment = "BS=1"; break;
    case 0x03: p.Operand = " LCD,Acc"; break;
    case 0x08: p.Operand = " Acc,(DP)"; p.Comment = "Acc+=mem"; break;
    case 0x09:
        p.Operand = " Acc,(DP)+Carry";
        p.Comment = "Acc+=mem+Carry; " + T(TR_NOOP("Listing", "skip next if Carry"));
        break;
    case 0x0A: p.Operand = " Acc"; p.Comment = "Acc=!Acc"; break;
    case 0x0B: p.Operand = " Acc,L"; p.Comment = "Acc<->DPL"; break;
    case 0x3A: p.Operand = " Acc,10"; p.Comment = "Acc+=10"; break;
    case 0x50:
    case 0x51:
        p.Comment = Format(T(TR_NOOP("Listing", "skip next if %s not signaled")).c_str(),
                           (op == 0x50 ? cls.GetAlphaName() : cls.GetBetaName()).c_str());
        break;
    case 0x52: p.Comment = T(TR_NOOP("Listing", "skip next if Carry=0")); break;
    case 0x53: p.Comment = T(TR_NOOP("Listing", "skip next if Acc=mem")); break;
    case 0x58: p.Comment = T(TR_NOOP("Listing", "skip next if T14=0")); break;
    case 0x59: p.Comment = "O8->O'8; O7->O'7"; break;
    case 0x5A: p.Comment = T(TR_NOOP("Listing", "skip next if Acc=0")); break;
    case 0x5B: p.Comment = T(TR_NOOP("Listing", "skip next if Acc=DPL")); break;
    case 0x5C: p.Operand = " O',O"; p.Comment = T(TR_NOOP("Listing", "copy O to O'")); break;
    case 0x5D: p.Comment = T(TR_NOOP("Listing", "shift O; O8=DigitToSegments(Acc)")); break;
    case 0x5E:
        p.Context = next;
        if (next == 0x04) p.Operand = " Acc,T";
        else if (next != 0x00) p.Empty = true;
        break;
    case 0x5F:
        p.Operand = " DP,0x" + HexDigits(next, 2);
        p.Comment = "DP=0x" + HexDigits(next, 2);
        break;
    case 0x60: p.Comment = "TD=!TD"; break;
    case 0x61: p.Comment = "O7=O8; O8=DigitToSegments(Acc)"; break;
    case 0x62: p.Operand = " O8,Acc"; p.Comment = T(TR_NOOP("Listing", "shift O; O8=Acc and 0111")); break;
    case 0x63: p.Operand = " O8,Acc"; p.Comment = T(TR_NOOP("Listing", "shift O; O8=Acc or 1000")); break;
    case 0x64: p.Operand = " L"; p.Comment = "DPL++; " + T(SkipIfDPLWas7); break;
    case 0x65: p.Operand = " T"; p.Comment = "T=0; T14=1"; break;
    case 0x66: p.Comment = "Carry=0"; break;
    case 0x67: p.Comment = "Carry=1"; break;
    case 0x68: p.Comment = "Acc=0; LD0=0"; break;
    case 0x69: p.Comment = "LD0=1"; break;
    case 0x6A: p.Operand = " Acc," + cls.GetInputRegisterName(); p.Comment = T(TR_NOOP("Listing", "read input")); break;
    case 0x6B: p.Comment = "BS=0"; break;
    case 0x6C: p.Operand = " L"; p.Comment = "DPL--; " + T(SkipIfDPLWas0); break;
    case 0x6D: p.Comment = "MSB=!MSB"; break;
    case 0x6E: break;
    case 0x6F: p.Comment = T(TR_NOOP("Listing", "upon return skip next")); break;
    default:
        if (op >= 0x04 && op <= 0x07) {
            p.Operand = BitOperand(op);
            p.Comment = Format(T(TR_NOOP("Listing", "clear mem bit %d")).c_str(), n);
        } else if (op >= 0x0C && op <= 0x0F) {
            p.Operand = BitOperand(op);
            p.Comment = Format(T(TR_NOOP("Listing", "set mem bit %d")).c_str(), n);
        } else if (op >= 0x10 && op <= 0x1F) {
            p.Operand = " Acc,(DP)";
            const int group = (op >> 2) & 3; // 0 EXC, 1 EXCI, 2 LDA, 3 EXCD
            std::string c = group == 2 ? "Acc=mem" : "Acc<->mem";
            if (group == 1) c += "; DPL++";
            if (group == 3) c += "; DPL--";
            if (n) c += std::string("; xor DPH ") + XorDPH[n];
            if (group == 1) c += "; " + T(SkipIfDPLWas7);
            if (group == 3) c += "; " + T(SkipIfDPLWas0);
            p.Comment = c;
        } else if (op >= 0x20 && op <= 0x2F) {
            p.Operand = " Acc,0x" + H;
            p.Comment = "Acc=0x" + H;
        } else if (op >= 0x30 && op <= 0x3F) {
            p.Operand = " Acc,0x" + H;
            p.Comment = "Acc+=0x" + H + "; " + T(TR_NOOP("Listing", "skip next if sum was > 0xF"));
        } else if (op >= 0x40 && op <= 0x4F) {
            p.Operand = " DP,0x" + LBDigits(op);
            p.Comment = "DP=0x" + LBDigits(op);
        } else if (op >= 0x54 && op <= 0x57) {
            p.Operand = BitOperand(op);
            p.Comment = Format(T(TR_NOOP("Listing", "skip next if mem bit %d set")).c_str(), n);
        } else if (op >= 0x70 && op <= 0x7F) {
            p.Context = next;
            if (next < 0x80) {
                p.Operand = " 0x" + H;
                p.Comment = "Page=0x" + H;
            } else {
                const T11bits t = static_cast<T11bits>(((op & 0x0F) << 6) | CodeToStepIndex[next & 0x3F]);
                p.Operand = " " + GetAddressText(MCU, t);
                if ((t | 0x400) <= LastROMAddress) p.Operand += " / " + GetAddressText(MCU, t | 0x400);
            }
        } else if (op >= 0x80 && op <= 0xBF) {
            p.Operand = " " + GetAddressText(MCU, static_cast<T11bits>((Addr & 0x7C0) | CodeToStepIndex[op & 0x3F]));
        }
        break;
    }
    return p;
}

} // namespace

// Branch-form target of a one-byte TRS: same bank, the upper two page bits of the
// instruction's page, the lower two from opcode bits 5..4, a step among the first 16 codes.
T11bits TRSBranchTarget(T11bits Addr, uint8_t Opcode) {
    return static_cast<T11bits>(((Opcode & 0x30) << 2) | (Addr & 0x700) | CodeToStepIndex[Opcode & 0x0F]);
}

std::string DisAsm(const TSHARP_SM5A_MCU& MCU, T11bits Addr, std::string& Comment, TTextUse Use) {
    uint8_t op = 0, next = 0;
    MCU.GetOpcodeExt(Addr, op, next);
    Comment.clear();
    if (op >= 0xC0) {
        const std::string cf = GetMnemonic(op, true, 0) + " " + GetAddressText(MCU, static_cast<T11bits>(0x400 + CodeToStepIndex[op & 0x3F]));
        const T11bits b = TRSBranchTarget(Addr, op);
        if (b > LastROMAddress) return cf;
        const std::string bf = GetMnemonic(op, true, 1) + " " + GetAddressText(MCU, b);
        return Addr < 0x400 ? cf + " / " + bf : bf + " / " + cf;
    }
    TDisAsmParts p = Decode(MCU, Addr, op, next, Use);
    Comment = p.Comment;
    if (p.Empty) return std::string();
    return GetMnemonic(op, !p.Operand.empty(), p.Context) + p.Operand;
}

} // namespace tarvolin
