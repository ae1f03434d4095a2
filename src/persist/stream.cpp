#include "persist/stream.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/errors.h"
#include "base/text_format.h"

namespace tarvolin {

const char* const StreamReadErrorText = TR_NOOP("Stream", "Stream read error");
const char* const StreamWriteErrorText = TR_NOOP("Stream", "Stream write error");
const char* const StreamBlockTooLargeText = TR_NOOP("Stream", "Stream error! Contains more data than expected.");
const char* const StreamNegativeCountText = TR_NOOP("Stream", "Stream error! A stored count is negative (%d).");
const char* const StreamCountTooLargeText = TR_NOOP("Stream", "Stream error! A stored count (%d) needs more data than is left.");

void WriteBytes(std::ostream& S, const void* Data, size_t Size) {
    if (Size == 0) return;
    S.write(static_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    if (!S) throw EStreamError(TrStream(StreamWriteErrorText));
}

void ReadBytes(std::istream& S, void* Target, size_t Size) {
    if (Size == 0) return;
    S.read(static_cast<char*>(Target), static_cast<std::streamsize>(Size));
    if (static_cast<size_t>(S.gcount()) != Size) throw EStreamError(TrStream(StreamReadErrorText));
}

namespace {

template <class U> void WriteLE(std::ostream& S, U v) {
    uint8_t b[sizeof(U)];
    for (size_t i = 0; i < sizeof(U); ++i)
        b[i] = static_cast<uint8_t>(v >> (8 * i));
    WriteBytes(S, b, sizeof(U));
}

template <class U> U ReadLE(std::istream& S) {
    uint8_t b[sizeof(U)];
    ReadBytes(S, b, sizeof(U));
    U v = 0;
    for (size_t i = 0; i < sizeof(U); ++i)
        v |= static_cast<U>(static_cast<U>(b[i]) << (8 * i));
    return v;
}

// Refuses a count of Items of ItemSize bytes that the stream cannot hold.
void CheckAvailable(std::istream& S, uint64_t Items, uint64_t ItemSize) {
    const size_t remaining = RemainingBytes(S);
    if (remaining != SIZE_MAX && Items * ItemSize > remaining) throw EStreamError(TrStream(StreamReadErrorText));
}

} // namespace

size_t RemainingBytes(std::istream& S) {
    if (!S) return 0;
    const std::istream::pos_type here = S.tellg();
    if (here == std::istream::pos_type(-1)) {
        S.clear(S.rdstate() & ~std::ios::failbit);
        return SIZE_MAX;
    }
    S.seekg(0, std::ios::end);
    const std::istream::pos_type end = S.tellg();
    S.seekg(here);
    if (end == std::istream::pos_type(-1) || !S) {
        S.clear();
        S.seekg(here);
        return SIZE_MAX;
    }
    return end > here ? static_cast<size_t>(end - here) : 0;
}

int32_t ReadCount(std::istream& S, size_t MinItemSize) {
    const int32_t count = ReadInt32(S);
    if (count < 0) throw EStreamError(Format(TrStream(StreamNegativeCountText).c_str(), static_cast<int>(count)));
    const size_t remaining = RemainingBytes(S);
    if (remaining != SIZE_MAX && static_cast<uint64_t>(count) * MinItemSize > remaining)
        throw EStreamError(Format(TrStream(StreamCountTooLargeText).c_str(), static_cast<int>(count)));
    return count;
}

void WriteInt32(std::ostream& S, int32_t Value) {
    WriteLE<uint32_t>(S, static_cast<uint32_t>(Value));
}
void WriteUInt32(std::ostream& S, uint32_t Value) {
    WriteLE<uint32_t>(S, Value);
}
void WriteWord(std::ostream& S, uint16_t Value) {
    WriteLE<uint16_t>(S, Value);
}
void WriteByte(std::ostream& S, uint8_t Value) {
    WriteBytes(S, &Value, 1);
}
void WriteBool(std::ostream& S, bool Value) {
    WriteByte(S, Value ? 1 : 0);
}

void WriteUTF16String(std::ostream& S, const std::u16string& Value) {
    WriteInt32(S, static_cast<int32_t>(Value.size()));
    std::vector<uint8_t> bytes(Value.size() * 2);
    for (size_t i = 0; i < Value.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(Value[i]);
        bytes[2 * i + 1] = static_cast<uint8_t>(Value[i] >> 8);
    }
    WriteBytes(S, bytes.data(), bytes.size());
}

void WriteString(std::ostream& S, const std::string& Utf8) {
    WriteUTF16String(S, Utf8ToUtf16(Utf8));
}

void WriteIntegerList(std::ostream& S, const std::vector<int32_t>& Values) {
    WriteInt32(S, static_cast<int32_t>(Values.size()));
    for (int32_t v : Values)
        WriteInt32(S, v);
}

void WriteSizedBlock(std::ostream& S, const void* Data, int32_t Size) {
    WriteInt32(S, Size);
    if (Size > 0) WriteBytes(S, Data, static_cast<size_t>(Size));
}

int32_t ReadInt32(std::istream& S) {
    return static_cast<int32_t>(ReadLE<uint32_t>(S));
}
uint32_t ReadUInt32(std::istream& S) {
    return ReadLE<uint32_t>(S);
}
uint16_t ReadWord(std::istream& S) {
    return ReadLE<uint16_t>(S);
}
uint8_t ReadByte(std::istream& S) {
    uint8_t b;
    ReadBytes(S, &b, 1);
    return b;
}
bool ReadBool(std::istream& S) {
    return ReadByte(S) != 0;
}

std::u16string ReadUTF16String(std::istream& S) {
    const int32_t count = ReadInt32(S);
    if (count <= 0) return {};
    CheckAvailable(S, static_cast<uint64_t>(count), 2);
    std::u16string result;
    // On a stream that cannot tell its size, grow in bounded steps so that a corrupt count
    // ends in a read error, not in a huge allocation.
    constexpr size_t chunk = 32768;
    size_t left = static_cast<size_t>(count);
    uint8_t buf[2 * chunk];
    while (left > 0) {
        const size_t n = std::min(left, chunk);
        ReadBytes(S, buf, 2 * n);
        for (size_t i = 0; i < n; ++i)
            result.push_back(static_cast<char16_t>(buf[2 * i] | (buf[2 * i + 1] << 8)));
        left -= n;
    }
    return result;
}

std::string ReadString(std::istream& S) {
    return Utf16ToUtf8(ReadUTF16String(S));
}

void ReadIntegerList(std::istream& S, std::vector<int32_t>& Target) {
    const int32_t count = ReadInt32(S);
    if (count <= 0) return;
    CheckAvailable(S, static_cast<uint64_t>(count), 4);
    std::vector<int32_t> values;
    for (int32_t i = 0; i < count; ++i)
        values.push_back(ReadInt32(S));
    Target.insert(Target.end(), values.begin(), values.end());
}

int32_t ReadSizedBlock(std::istream& S, void* Target, size_t Capacity) {
    const int32_t size = ReadInt32(S);
    if (size <= 0) return 0;
    if (static_cast<size_t>(size) > Capacity) throw EStreamError(TrStream(StreamBlockTooLargeText));
    CheckAvailable(S, static_cast<uint64_t>(size), 1); // a block cut short leaves the target alone
    ReadBytes(S, Target, static_cast<size_t>(size));
    return size;
}

// UTF-8 handling accepts the generalised form (surrogate code points encoded like any other
// three-byte sequence), so a UTF-16 text with an unpaired surrogate converts back unchanged.
std::u16string Utf8ToUtf16(const std::string& Utf8) {
    std::u16string out;
    out.reserve(Utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(Utf8.data());
    const size_t n = Utf8.size();
    size_t i = 0;
    auto cont = [&](size_t k) { return i + k < n && (s[i + k] & 0xC0) == 0x80; };
    while (i < n) {
        const unsigned char c = s[i];
        uint32_t cp;
        if (c < 0x80) {
            cp = c;
            i += 1;
        } else if ((c & 0xE0) == 0xC0 && c >= 0xC2 && cont(1)) {
            cp = ((c & 0x1Fu) << 6) | (s[i + 1] & 0x3Fu);
            i += 2;
        } else if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
            cp = ((c & 0x0Fu) << 12) | ((s[i + 1] & 0x3Fu) << 6) | (s[i + 2] & 0x3Fu);
            if (cp < 0x800) cp = 0xFFFD;
            i += 3;
        } else if ((c & 0xF8) == 0xF0 && cont(1) && cont(2) && cont(3)) {
            cp = ((c & 0x07u) << 18) | ((s[i + 1] & 0x3Fu) << 12) | ((s[i + 2] & 0x3Fu) << 6) |
                 (s[i + 3] & 0x3Fu);
            if (cp < 0x10000 || cp > 0x10FFFF) cp = 0xFFFD;
            i += 4;
        } else {
            cp = 0xFFFD; // a byte that starts no valid sequence
            i += 1;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& Utf16) {
    std::string out;
    out.reserve(Utf16.size());
    for (size_t i = 0; i < Utf16.size(); ++i) {
        uint32_t cp = Utf16[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < Utf16.size() && Utf16[i + 1] >= 0xDC00 &&
            Utf16[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (Utf16[i + 1] - 0xDC00);
            ++i;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace tarvolin
