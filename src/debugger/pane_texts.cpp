#include "debugger/pane_texts.h"

#include "base/options.h"
#include "base/translate.h"
#include "core/step_tables.h"

namespace tarvolin {

const std::array<TRegisterRowInfo, 11> RegisterRows = {{
    {TValueKind::Acc, "Acc  ", TR_NOOP("Panes", "Accumulator"), "", true},
    {TValueKind::DP, "DP   ", TR_NOOP("Panes", "RAM Data Pointer"),
     TR_NOOP("Panes", "BS (RAM Bank Selector) / H (Data Pointer High) / L (Data Pointer Low)"), true},
    {TValueKind::DPCell, "(DP) ", TR_NOOP("Panes", "RAM field addressed by DP"), "", true},
    {TValueKind::T, "T    ", TR_NOOP("Panes", "Timer"), TR_NOOP("Panes", "Highest 4 bits of T"), true},
    {TValueKind::T14, "T14    ", TR_NOOP("Panes", "Virtual 15th bit of Timer, indicating one elapsed second"), "",
     false},
    {TValueKind::MSB, "MSB  ", TR_NOOP("Panes", "ROM Bank Selector"), "", false},
    {TValueKind::Page, "Page ", TR_NOOP("Panes", "ROM Page Selector"), "", true},
    {TValueKind::PC, "PC   ", TR_NOOP("Panes", "Program Counter"),
     TR_NOOP("Panes", "ROM Bank Selector / ROM Page / Page Instruction Pointer"), true},
    {TValueKind::A, "A    ", TR_NOOP("Panes", "Return Address"), "", true},
    {TValueKind::Carry, "Carry  ", "", "", false},
    {TValueKind::R, "R  ", "", "", true},
}};

std::string ShownRowHint(const char* Hint) { return *Hint ? Tr("Panes", Hint) : std::string(); }

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
