// Stream primitives: encodings, short reads and counts that the stream cannot hold.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "base/errors.h"
#include "persist/stream.h"

namespace tarvolin {
namespace {

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int v : b)
        s.push_back(static_cast<char>(v));
    return s;
}

// A stream that cannot tell its size (no seeking), like a pipe.
class TPipeBuf : public std::streambuf {
public:
    explicit TPipeBuf(std::string data) : FData(std::move(data)) {
        setg(FData.data(), FData.data(), FData.data() + FData.size());
    }

private:
    std::string FData;
};

std::string Message(const std::function<void()>& f) {
    try {
        f();
    } catch (const EStreamError& e) {
        return e.what();
    }
    return "";
}

TEST(StreamTest, ValuesAreLittleEndian) {
    std::ostringstream out;
    WriteInt32(out, -2);
    WriteUInt32(out, 0x01020304);
    WriteWord(out, 0xBEEF);
    WriteByte(out, 0x7A);
    WriteBool(out, true);
    WriteBool(out, false);
    WriteString(out, "AB");
    WriteString(out, "");
    WriteIntegerList(out, {});
    WriteIntegerList(out, {1, -1});
    EXPECT_EQ(out.str(), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 4, 3,    2, 1, 0xEF, 0xBE, 0x7A, 1,    0,   2,
                                0,    0,    0,    0x41, 0, 0x42, 0, 0, 0,    0,    0,    0,    0,   0,
                                0,    2,    0,    0,    0, 1,    0, 0, 0,    0xFF, 0xFF, 0xFF, 0xFF}));

    std::istringstream in(out.str());
    EXPECT_EQ(ReadInt32(in), -2);
    EXPECT_EQ(ReadUInt32(in), 0x01020304u);
    EXPECT_EQ(ReadWord(in), 0xBEEF);
    EXPECT_EQ(ReadByte(in), 0x7A);
    EXPECT_TRUE(ReadBool(in));
    EXPECT_FALSE(ReadBool(in));
    EXPECT_EQ(ReadString(in), "AB");
    EXPECT_EQ(ReadString(in), "");
    std::vector<int32_t> list{9};
    ReadIntegerList(in, list);
    EXPECT_EQ(list, (std::vector<int32_t>{9})) << "an empty list keeps what the target held";
    ReadIntegerList(in, list);
    EXPECT_EQ(list, (std::vector<int32_t>{9, 1, -1}));
    EXPECT_EQ(Message([&] { ReadByte(in); }), "Stream read error");
}

TEST(StreamTest, AnyNonZeroByteIsTrue) {
    std::istringstream in(Bytes({0x02, 0xFF}));
    EXPECT_TRUE(ReadBool(in));
    EXPECT_TRUE(ReadBool(in));
}

TEST(StreamTest, StringsCarryAnyTextThroughUTF16) {
    const std::string texts[] = {"\xD0\xA1\xD1\x87\xD1\x91\xD1\x82", "\xF0\x9F\x8E\xB5 note",
                                 "a\xED\xA0\x80z"};
    for (const auto& t : texts) {
        std::ostringstream out;
        WriteString(out, t);
        std::istringstream in(out.str());
        EXPECT_EQ(ReadString(in), t);
    }
    // A lone surrogate stored by another writer survives a round trip unchanged.
    const std::u16string lone{u'x', char16_t(0xDC01)};
    std::ostringstream out;
    WriteUTF16String(out, lone);
    std::istringstream in(out.str());
    const std::string utf8 = ReadString(in);
    std::ostringstream again;
    WriteString(again, utf8);
    EXPECT_EQ(again.str(), out.str());
    EXPECT_EQ(Utf8ToUtf16("\xC3\xA9"), u"\u00E9");
    EXPECT_EQ(Utf8ToUtf16("\xFF"), u"\uFFFD") << "a stray byte becomes a replacement character";
}

// Every negative count is refused, the smallest as well as -1; zero is an empty list.
TEST(StreamTest, NegativeCountsAreErrors) {
    const std::pair<std::string, const char*> Cases[] = {
        {Bytes({0xFF, 0xFF, 0xFF, 0xFF}), "Stream error! A stored count is negative (-1)."},
        {Bytes({0x00, 0x00, 0x00, 0x80}), "Stream error! A stored count is negative (-2147483648)."},
        {Bytes({0x00, 0x00, 0x00, 0x00}), ""},
    };
    for (const auto& [Stored, Expected] : Cases) {
        std::istringstream in(Stored);
        EXPECT_EQ(Message([&] { ReadCount(in, 0); }), Expected);
    }
}

TEST(StreamTest, CountsLargerThanTheStreamAreErrorsNotAllocations) {
    // count 0x7FFFFFFF followed by two bytes: refused before any allocation.
    const std::string hugeString = Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x41, 0x00});
    std::istringstream s1(hugeString);
    EXPECT_EQ(Message([&] { ReadString(s1); }), "Stream read error");
    std::istringstream s2(hugeString);
    std::vector<int32_t> list{5};
    EXPECT_EQ(Message([&] { ReadIntegerList(s2, list); }), "Stream read error");
    EXPECT_EQ(list, (std::vector<int32_t>{5})) << "nothing is appended from a broken list";

    // The same from a stream that cannot tell its size.
    TPipeBuf pipe(hugeString);
    std::istream p(&pipe);
    EXPECT_EQ(RemainingBytes(p), SIZE_MAX);
    EXPECT_EQ(Message([&] { ReadString(p); }), "Stream read error");

    // A count that fits exactly is fine; one unit more is not.
    std::istringstream exact(Bytes({1, 0, 0, 0, 0x41, 0}));
    EXPECT_EQ(ReadString(exact), "A");
    std::istringstream over(Bytes({2, 0, 0, 0, 0x41, 0}));
    EXPECT_EQ(Message([&] { ReadString(over); }), "Stream read error");
    std::istringstream negative(Bytes({0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(ReadString(negative), "");
}

TEST(StreamTest, SizedBlocksRespectTheirTarget) {
    std::ostringstream out;
    const uint8_t ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    WriteSizedBlock(out, ten, 10);
    WriteSizedBlock(out, ten, 3);
    WriteInt32(out, -1);
    std::istringstream in(out.str());
    uint8_t target[9] = {};
    EXPECT_EQ(Message([&] { ReadSizedBlock(in, target, sizeof target); }),
              "Stream error! Contains more data than expected.");
    EXPECT_EQ(target[0], 0) << "nothing written into a too-small target";

    std::istringstream in2(out.str().substr(14));
    uint8_t target2[9];
    std::fill(std::begin(target2), std::end(target2), 0xEE);
    EXPECT_EQ(ReadSizedBlock(in2, target2, sizeof target2), 3);
    EXPECT_EQ(target2[2], 3);
    EXPECT_EQ(target2[3], 0xEE) << "the rest of the target is left as it was";
    EXPECT_EQ(ReadSizedBlock(in2, target2, sizeof target2), 0) << "size -1 reads as empty";

    std::istringstream shortBlock(Bytes({4, 0, 0, 0, 0x77, 0x77}));
    const std::vector<uint8_t> before(std::begin(target2), std::end(target2));
    EXPECT_EQ(Message([&] { ReadSizedBlock(shortBlock, target2, sizeof target2); }), "Stream read error");
    EXPECT_EQ(std::vector<uint8_t>(std::begin(target2), std::end(target2)), before)
        << "a block cut short leaves its target as it was";
}

TEST(StreamTest, WriteFailuresAreReported) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(Message([&] { WriteInt32(out, 1); }), "Stream write error");
}

} // namespace
} // namespace tarvolin
