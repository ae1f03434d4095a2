#include "disasm/assembler_text.h"

#include <algorithm>
#include <cctype>

#include "core/step_tables.h"

namespace tarvolin::assembler_text {

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

std::string NoSpaces(const std::string& s) {
    std::string r;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) r += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

// 0x1F or $1F hexadecimal, otherwise decimal.
bool ParseNumber(const std::string& Text, long& Value) {
    std::string s = Trim(Text);
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        s = s.substr(2);
        base = 16;
    } else if (s.size() > 1 && s[0] == '$') {
        s = s.substr(1);
        base = 16;
    }
    if (s.empty() || s.size() > 8) return false;
    long v = 0;
    for (char c : s) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * base + d;
    }
    Value = v;
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// An address in either notation: "3C5" (one to three hex digits, optionally 0x) or "0:F:05".
bool ParseAddress(const std::string& Text, bool StepCodes, T11bits& Addr) {
    const std::string s = Trim(Text);
    unsigned a = 0;
    if (s.size() == 6 && s[1] == ':' && s[3] == ':') {
        if (s[0] != '0' && s[0] != '1') return false;
        const int page = HexValue(s[2]), hi = HexValue(s[4]), lo = HexValue(s[5]);
        if (page < 0 || hi < 0 || lo < 0) return false;
        const int step = hi * 16 + lo;
        if (step > 63) return false;
        a = static_cast<unsigned>(((s[0] - '0') << 10) | (page << 6) | step);
    } else {
        std::string h = s;
        if (h.size() > 2 && h[0] == '0' && (h[1] == 'x' || h[1] == 'X')) h = h.substr(2);
        else if (h.size() > 1 && h[0] == '$') h = h.substr(1);
        if (h.empty() || h.size() > 3) return false;
        for (char c : h) {
            const int d = HexValue(c);
            if (d < 0) return false;
            a = a * 16 + static_cast<unsigned>(d);
        }
        if (a > 0x7FF) return false;
    }
    if (StepCodes) a = (a & 0x7C0) | CodeToStepIndex[a & 0x3F];
    Addr = static_cast<T11bits>(a);
    return true;
}

namespace {

// Bytes of UTF-8 sequences count as letters, so names in any script are names.
bool IsNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

// The address and byte columns of an exported listing line: "3C5 5E 00    " or
// "0:F:05 5E      "; returns the length of the columns, 0 when the line has none.
size_t ListingColumns(const std::string& s, bool StepCodes, T11bits& Addr) {
    const size_t AddrLen = s.size() > 1 && s[1] == ':' ? 6 : 3;
    const size_t Len = AddrLen + 1 + 2 + 1 + 2 + 4;
    if (s.size() <= Len || !ParseAddress(s.substr(0, AddrLen), StepCodes, Addr)) return 0;
    const auto Hex2 = [&](size_t i) { return HexValue(s[i]) >= 0 && HexValue(s[i + 1]) >= 0; };
    size_t i = AddrLen;
    if (s[i] != ' ' || !Hex2(i + 1) || s[i + 3] != ' ') return 0;
    if (!(Hex2(i + 4) || (s[i + 4] == ' ' && s[i + 5] == ' '))) return 0;
    if (s.compare(i + 6, 4, "    ") != 0 || std::isspace(static_cast<unsigned char>(s[Len]))) return 0;
    return Len;
}

} // namespace

bool IsIdentifier(const std::string& s) {
    if (s.empty()) return false;
    if (std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    return std::all_of(s.begin(), s.end(), IsNameChar);
}

// The "xor DPH nn" note of a line: 0..3, or -1 when there is none.
int DPHNote(const std::string& Raw) {
    const std::string u = Upper(Raw);
    const size_t p = u.find("XOR DPH ");
    if (p == std::string::npos || p + 10 > u.size()) return -1;
    const char a = u[p + 8], b = u[p + 9];
    if ((a != '0' && a != '1') || (b != '0' && b != '1')) return -1;
    return (a - '0') * 2 + (b - '0');
}

TSourceLine Lex(const std::string& Text, int No, bool StepCodes) {
    TSourceLine L;
    L.No = No;
    L.Raw = Text;
    std::string s = Text;
    if (!s.empty() && s.back() == '\r') s.pop_back();
    T11bits Listed = 0;
    if (const size_t Columns = ListingColumns(s, StepCodes, Listed)) {
        L.ListedAddress = Listed;
        s = s.substr(Columns);
    }
    const size_t semi = s.find(';');
    if (semi != std::string::npos) s = s.substr(0, semi);
    s = Trim(s);
    // A label: an identifier directly followed by ':' and then white space or the end.
    {
        size_t i = 0;
        while (i < s.size() && IsNameChar(s[i])) ++i;
        if (i > 0 && i < s.size() && s[i] == ':' && (i + 1 == s.size() || std::isspace(static_cast<unsigned char>(s[i + 1])))) {
            const std::string name = s.substr(0, i);
            if (IsIdentifier(name) && !std::isdigit(static_cast<unsigned char>(name[0]))) {
                L.Label = name;
                s = Trim(s.substr(i + 1));
            }
        }
    }
    if (s.empty()) return L;
    size_t sp = 0;
    while (sp < s.size() && !std::isspace(static_cast<unsigned char>(s[sp]))) ++sp;
    L.Mnemonic = s.substr(0, sp);
    L.Operand = Trim(s.substr(sp));
    const std::string m = Upper(L.Mnemonic);
    if (m == ".ORG") L.Kind = lkOrg;
    else if (m == ".BYTE" || m == ".DB") L.Kind = lkByte;
    else if (!m.empty() && m[0] == '.') {
        L.Kind = lkBad;
        L.Error = "unknown directive " + L.Mnemonic;
    } else L.Kind = lkInstruction;
    return L;
}

// Splits at " / " (the separator of two readings).
std::vector<std::string> SplitReadings(const std::string& s) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t p = s.find(" / ", start);
        if (p == std::string::npos) {
            parts.push_back(Trim(s.substr(start)));
            return parts;
        }
        parts.push_back(Trim(s.substr(start, p - start)));
        start = p + 3;
    }
}

// Matches a normalized operand against a pattern in which '%' stands for one number.
bool MatchPattern(const std::string& Operand, const std::string& Pattern, long& Number) {
    const size_t p = Pattern.find('%');
    if (p == std::string::npos) return Operand == Pattern;
    if (Operand.compare(0, p, Pattern, 0, p) != 0) return false;
    const std::string suffix = Pattern.substr(p + 1);
    if (Operand.size() < p + suffix.size()) return false;
    if (Operand.compare(Operand.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
    return ParseNumber(Operand.substr(p, Operand.size() - p - suffix.size()), Number);
}

} // namespace tarvolin::assembler_text
