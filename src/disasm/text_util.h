// Small text helpers shared by the disassembler, the listing and the assembler.
#pragma once

#include <string>

namespace tarvolin {

// The low Width hex digits of Value, upper case, zero-padded.
inline std::string HexDigits(unsigned Value, int Width) {
    static const char Digits[] = "0123456789ABCDEF";
    std::string s(static_cast<size_t>(Width), '0');
    for (int i = Width - 1; i >= 0; --i) {
        s[static_cast<size_t>(i)] = Digits[Value & 0xF];
        Value >>= 4;
    }
    return s;
}

// The low 4 bits as four binary digits, most significant first.
inline std::string Bin4(unsigned Value) {
    std::string s(4, '0');
    for (int i = 0; i < 4; ++i)
        if (Value & (8u >> i)) s[static_cast<size_t>(i)] = '1';
    return s;
}

// Number of code points of a UTF-8 string (what a text box counts as characters).
inline size_t Utf8Length(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace tarvolin
