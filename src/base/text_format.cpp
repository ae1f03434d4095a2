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

} // namespace tarvolin
