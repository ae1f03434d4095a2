#include "core/mnemonics.h"

#include <cstdio>

namespace tarvolin {

uint8_t ActiveMnemonicSet = 0;

namespace {

struct TNamePair {
    const char* KB;
    const char* Sharp;
};

// Names of the opcodes whose mnemonic does not depend on the following byte.
constexpr TNamePair PlainName(uint8_t op) {
    if (op >= 0x04 && op <= 0x07) return {"BM0", "RM"};
    if (op >= 0x0C && op <= 0x0F) return {"BM1", "SM"};
    if (op == 0x10) return {"XM", "EXC"};
    if (op >= 0x11 && op <= 0x13) return {"XE", "EXC"};
    if (op == 0x14) return {"XI", "EXCI"};
    if (op >= 0x15 && op <= 0x17) return {"XEI", "EXCI"};
    if (op == 0x18) return {"LM", "LDA"};
    if (op >= 0x19 && op <= 0x1B) return {"LE", "LDA"};
    if (op == 0x1C) return {"XD", "EXCD"};
    if (op >= 0x1D && op <= 0x1F) return {"XED", "EXCD"};
    if (op >= 0x20 && op <= 0x2F) return {"LC", "LAX"};
    if (op == 0x3A) return {"A10", "ADX"};
    if (op >= 0x30 && op <= 0x3F) return {"AS", "ADX"};
    if (op >= 0x40 && op <= 0x4F) return {"LAS", "LB"};
    if (op >= 0x54 && op <= 0x57) return {"SM1", "TM2"};
    if (op >= 0x80 && op <= 0xBF) return {"BR", "TR"};
    switch (op) {
    case 0x00:
        return {"NOP", "SKIP"};
    case 0x01:
        return {"OAR", "ATR"};
    case 0x02:
        return {"BS1", "SBM"};
    case 0x03:
        return {"EN", "ATBP"};
    case 0x08:
        return {"AM", "ADD"};
    case 0x09:
        return {"AC", "ADDC"};
    case 0x0A:
        return {"COM", "COMA"};
    case 0x0B:
        return {"XL", "EXBLA"};
    case 0x50:
        return {"SI1", "TA"};
    case 0x51:
        return {"SI0", "TB"};
    case 0x52:
        return {"SC0", "TC"};
    case 0x53:
        return {"SAM", "TAM"};
    case 0x58:
        return {"TIM", "TG"};
    case 0x59:
        return {"ABS", "PTW"};
    case 0x5A:
        return {"SA0", "TA0"};
    case 0x5B:
        return {"SAL", "TABL"};
    case 0x5C:
        return {"ABF", "TW"};
    case 0x5D:
        return {"DAF", "DTW"};
    case 0x5F:
        return {"LAF", "LBL"};
    case 0x60:
        return {"CTB", "COMCN"};
    case 0x61:
        return {"DAS", "PDTW"};
    case 0x62:
        return {"OA0", "WR"};
    case 0x63:
        return {"OA1", "WS"};
    case 0x64:
        return {"INC", "INCB"};
    case 0x65:
        return {"SYN", "IDIV"};
    case 0x66:
        return {"CLC", "RC"};
    case 0x67:
        return {"STC", "SC"};
    case 0x68:
        return {"CLL", "RMF"};
    case 0x69:
        return {"LD0", "SMF"};
    case 0x6A:
        return {"ICD", "KTA"};
    case 0x6B:
        return {"BS0", "RBM"};
    case 0x6C:
        return {"DEC", "DECB"};
    case 0x6D:
        return {"CMS", "COMCB"};
    case 0x6E:
        return {"RT", "RTN"};
    case 0x6F:
        return {"RTS", "RTNS"};
    default:
        return {nullptr, nullptr}; // 0x5E, 0x70..0x7F, 0xC0..0xFF depend on the context
    }
}

} // namespace

const char* MnemonicOf(uint8_t Opcode, uint8_t Context, bool SharpSet) {
    TNamePair n{};
    if (Opcode == 0x5E) {
        if (Context == 0x00)
            n = {"HLT", "CEND"};
        else if (Context == 0x04)
            n = {"LDF", "DTA"};
        else
            n = {"???", "???"};
    } else if (Opcode >= 0x70 && Opcode <= 0x7F) {
        if (Context < 0x80)
            n = {"LP", "SSR"};
        else if (Context < 0xC0)
            n = {"JMP", "TR"};
        else
            n = {"CAL", "TRS"};
    } else if (Opcode >= 0xC0) {
        n = Context == 0 ? TNamePair{"CZP", "TRS"} : TNamePair{"CBR", "TRSA"};
    } else {
        n = PlainName(Opcode);
    }
    return SharpSet ? n.Sharp : n.KB;
}

std::string GetMnemonic(uint8_t Opcode, bool Pad, uint8_t Context) {
    const bool sharp = ActiveMnemonicSet != 0;
    std::string name = MnemonicOf(Opcode, Context, sharp);
    if (Pad) {
        const size_t width = sharp ? 5 : 4;
        if (name.size() < width) name.append(width - name.size(), ' ');
    }
    return name;
}

} // namespace tarvolin
