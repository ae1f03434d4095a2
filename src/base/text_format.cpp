#include "base/text_format.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>

namespace tarvolin {

std::string Format(const char* Fmt, ...) {
    va_list ap;
    va_start(ap, Fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, Fmt, ap);
    va_end(ap);
    std::string s(n > 0 ? size_t(n) : 0, '\0');
    if (n > 0) std::vsnprintf(s.data(), size_t(n) + 1, Fmt, ap2);
    va_end(ap2);
    return s;
}

std::string Hex2(unsigned Value) { return Format("%.2X", Value & 0xFF); }
std::string Hex1(unsigned Value) { return Format("%X", Value & 0xF); }

std::string ToLowerASCII(std::string Text) {
    for (char& c : Text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return Text;
}

std::string PrintableText(const std::string& Text, size_t MaxBytes) {
    static const char HexDigit[] = "0123456789ABCDEF";
    size_t End = Text.size();
    if (End > MaxBytes) {
        End = MaxBytes;
        while (End > 0 && (static_cast<unsigned char>(Text[End]) & 0xC0) == 0x80) --End;
    }
    std::string r;
    r.reserve(End + 16);
    for (size_t i = 0; i < End; ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        const bool C1 = c == 0xC2 && i + 1 < Text.size() && static_cast<unsigned char>(Text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(Text[i + 1]) <= 0x9F;
        if (c == '\n') r += "\\n";
        else if (c == '\r') r += "\\r";
        else if (c == '\t') r += "\\t";
        else if (c < 0x20 || c == 0x7F || C1) {
            const unsigned v = C1 ? static_cast<unsigned char>(Text[++i]) : c;
            r += "\\x";
            r += HexDigit[v >> 4];
            r += HexDigit[v & 0xF];
        } else r += static_cast<char>(c);
    }
    if (End < Text.size()) r += Format("... (%llu bytes)", static_cast<unsigned long long>(Text.size()));
    return r;
}

} // namespace tarvolin
