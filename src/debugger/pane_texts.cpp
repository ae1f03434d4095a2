#include "debugger/pane_texts.h"

#include "base/options.h"
#include "core/step_tables.h"

namespace tarvolin {

const std::array<TRegisterRowInfo, 11> RegisterRows = {{
    {TValueKind::Acc, "Acc  ", "Accumulator", "", true},
    {TValueKind::DP, "DP   ", "RAM Data Pointer",
     "BS (RAM Bank Selector) / H (Data Pointer High) / L (Data Pointer Low)", true},
    {TValueKind::DPCell, "(DP) ", "RAM field addressed by DP", "", true},
    {TValueKind::T, "T    ", "Timer", "Highest 4 bits of T", true},
    {TValueKind::T14, "T14    ", "Virtual 15th bit of Timer, indicating one elapsed second", "", false},
    {TValueKind::MSB, "MSB  ", "ROM Bank Selector", "", false},
    {TValueKind::Page, "Page ", "ROM Page Selector", "", true},
    {TValueKind::PC, "PC   ", "Program Counter", "ROM Bank Selector / ROM Page / Page Instruction Pointer", true},
    {TValueKind::A, "A    ", "Return Address", "", true},
    {TValueKind::Carry, "Carry  ", "", "", false},
    {TValueKind::R, "R  ", "", "", true},
}};

std::string NibbleText(unsigned Value) {
    static const char Digits[] = "0123456789ABCDEF";
    return std::string(1, Digits[Value & 0xF]);
}

std::string FourBitsText(unsigned Value) {
    std::string s(4, '0');
    for (int b = 0; b < 4; ++b)
        if (Value & (1u << b)) s[size_t(3 - b)] = '1';
    return s;
}

std::string DPBitsText(unsigned DP) {
    std::string s;
    s += (DP & 0x40) ? '1' : '0';
    s += ' ';
    s += (DP & 0x20) ? '1' : '0';
    s += (DP & 0x10) ? '1' : '0';
    s += ' ';
    s += FourBitsText(DP & 0xF);
    return s;
}

std::string AddressBitsText(T11bits Addr) {
    unsigned Step = Addr & 0x3F;
    if (Options().UseLFSRAddressing) Step = StepIndexToCode[Step];
    std::string s;
    s += (Addr & 0x400) ? '1' : '0';
    s += ' ';
    s += FourBitsText((Addr >> 6) & 0xF);
    s += ' ';
    for (int b = 5; b >= 0; --b) s += (Step & (1u << b)) ? '1' : '0';
    return s;
}

} // namespace tarvolin
