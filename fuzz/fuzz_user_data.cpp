// Feeds arbitrary bytes to the stored-data readers: the user-data block (".dat" files, the
// block inside debug sessions) over a live ROM image, the stream primitives one by one, and
// the UTF-8 / UTF-16 conversions behind the stored strings.
//
// The first byte chooses what is read and whether the stream can tell its size (files can,
// pipes cannot). Only EStreamError may come out of a reader; a block that loads must survive
// a save and a second load unchanged, and conversions must round-trip.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "base/errors.h"
#include "persist/stream.h"
#include "persist/user_data.h"

using namespace tarvolin;

namespace {

// A read-only stream buffer over memory that cannot seek or tell its position.
class TUnseekableBuffer : public std::streambuf {
public:
    TUnseekableBuffer(const uint8_t* Data, size_t Size) {
        char* p = const_cast<char*>(reinterpret_cast<const char*>(Data));
        setg(p, p, p + Size);
    }
};

TROM SampleROM() {
    TROM rom{};
    for (size_t i = 0; i < rom.size(); ++i) rom[i] = uint8_t(i * 7 + 3);
    return rom;
}

void FuzzUserData(std::istream& S) {
    const TROM original = SampleROM();
    TROM live = original;
    TUserData data("fuzz_game", original);
    try {
        data.LoadFromStream(S, live);
    } catch (const EStreamError&) {
        // A damaged block applies nothing: no byte and no entry.
        if (live != original || !data.AddressesCustomData().empty()) std::abort();
        return;
    }
    // What loaded is saved and loads again to the same image and entries.
    std::ostringstream out;
    data.SaveToStream(out, live);
    TROM live2 = original;
    TUserData data2("fuzz_game", original);
    std::istringstream in(out.str());
    data2.LoadFromStream(in, live2);
    if (live2 != live) std::abort();
    const auto& a = data.AddressesCustomData();
    const auto& b = data2.AddressesCustomData();
    if (a.size() != b.size()) std::abort();
    for (auto ia = a.begin(), ib = b.begin(); ia != a.end(); ++ia, ++ib) {
        if (ia->first != ib->first || ia->first > 0x7FF || ia->second.FAddr != ia->first) std::abort();
        if (ia->second.FLabel != ib->second.FLabel || ia->second.FComment != ib->second.FComment) std::abort();
    }
}

void FuzzPrimitives(std::istream& S) {
    try {
        for (;;) {
            const uint8_t op = ReadByte(S);
            switch (op % 9) {
            case 0: ReadInt32(S); break;
            case 1: ReadUInt32(S); break;
            case 2: ReadWord(S); break;
            case 3: ReadBool(S); break;
            case 4: {
                const std::string s = ReadString(S);
                if (Utf8ToUtf16(s) != Utf8ToUtf16(Utf16ToUtf8(Utf8ToUtf16(s)))) std::abort();
                break;
            }
            case 5: ReadUTF16String(S); break;
            case 6: {
                std::vector<int32_t> list{-7};
                ReadIntegerList(S, list);
                if (list.empty() || list[0] != -7) std::abort();
                break;
            }
            case 7: {
                // A target of exactly Capacity bytes: the sanitizer catches any write past it.
                const size_t capacity = ReadByte(S);
                std::unique_ptr<uint8_t[]> target(new uint8_t[capacity]);
                std::memset(target.get(), 0xA5, capacity);
                const int32_t stored = ReadSizedBlock(S, target.get(), capacity);
                if (stored < 0 || size_t(stored) > capacity) std::abort();
                for (size_t i = size_t(stored); i < capacity; ++i)
                    if (target[i] != 0xA5) std::abort();
                break;
            }
            case 8: {
                const size_t size = ReadByte(S);
                std::unique_ptr<uint8_t[]> target(new uint8_t[size]);
                ReadBytes(S, target.get(), size);
                break;
            }
            }
        }
    } catch (const EStreamError&) {
    }
}

void FuzzConversions(const uint8_t* Data, size_t Size) {
    // Any UTF-16 text, unpaired surrogates included, survives UTF-8 and back.
    std::u16string u16;
    for (size_t i = 0; i + 1 < Size; i += 2) u16.push_back(char16_t(Data[i] | (Data[i + 1] << 8)));
    if (Utf8ToUtf16(Utf16ToUtf8(u16)) != u16) std::abort();
    // Any bytes read as UTF-8 convert to a text that is then stable.
    const std::string u8(reinterpret_cast<const char*>(Data), Size);
    const std::u16string once = Utf8ToUtf16(u8);
    if (Utf8ToUtf16(Utf16ToUtf8(once)) != once) std::abort();
    // And the stored form reads back what was written.
    std::stringstream s;
    WriteUTF16String(s, u16);
    if (ReadUTF16String(s) != u16) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    if (Size == 0) return 0;
    const uint8_t mode = Data[0];
    ++Data;
    --Size;
    if ((mode >> 1) % 4 == 3) {
        FuzzConversions(Data, Size);
        return 0;
    }
    std::unique_ptr<std::istream> stream;
    std::unique_ptr<std::streambuf> buffer;
    std::string copy;
    if (mode & 1) {
        buffer = std::make_unique<TUnseekableBuffer>(Data, Size);
        stream = std::make_unique<std::istream>(buffer.get());
    } else {
        copy.assign(reinterpret_cast<const char*>(Data), Size);
        stream = std::make_unique<std::istringstream>(copy);
    }
    if ((mode >> 1) % 4 == 2)
        FuzzPrimitives(*stream);
    else
        FuzzUserData(*stream);
    return 0;
}
