// The "/DeLFSR" and "/DeJAVA" conversions, through files as the command line runs them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/converters.h"
#include "base/text_format.h"
#include "core/step_tables.h"

namespace tarvolin {
namespace {

namespace fs = std::filesystem;

class ConvertersTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tarvolin_conv_" + std::to_string(::getpid()) + "_" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override { fs::remove_all(Dir); }

    fs::path Write(const std::string& Name, const std::string& Data) {
        const fs::path p = Dir / Name;
        std::ofstream(p, std::ios::binary) << Data;
        return p;
    }
    static std::vector<uint8_t> Read(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    }
    int Run(std::vector<std::string> Args) {
        std::vector<char*> argv;
        std::string prog = "tarvolin";
        argv.push_back(prog.data());
        for (auto& a : Args) argv.push_back(a.data());
        int code = -1;
        Handled = RunCommandLineConversion(static_cast<int>(argv.size()), argv.data(), code);
        return code;
    }

    fs::path Dir;
    bool Handled = false;
};

TEST_F(ConvertersTest, DeLFSRPutsAPageInStepCounterOrder) {
    std::string page;
    for (int i = 0; i < 64; ++i) page += static_cast<char>(i);
    const fs::path in = Write("dump.bin", page);
    EXPECT_EQ(Run({"/dElfSr", in.string()}), 0);
    EXPECT_TRUE(Handled);
    const auto out = Read(Dir / "dump.seq");
    ASSERT_EQ(out.size(), 64u);
    const uint8_t start[] = {0, 32, 48, 56, 60, 62, 31, 47};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i], start[i]);
    EXPECT_EQ(out[61], 2);
    EXPECT_EQ(out[62], 1);
    EXPECT_EQ(out[63], 0x80);
}

// A length that is not a multiple of 64: the last page is reordered for the positions it
// has, positions whose source lies past the end read as zero, and nothing is added.
TEST_F(ConvertersTest, DeLFSRPartialLastPageReadsMissingSourcesAsZero) {
    std::string data(64 + 40, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(0x40 + (i & 0x3F));
    const fs::path in = Write("part.rom", data);
    EXPECT_EQ(Run({"/DeLFSR", in.string()}), 0);
    const auto out = Read(Dir / "part.seq");
    ASSERT_EQ(out.size(), data.size());
    for (int k = 0; k < 40; ++k) {
        const int src = StepIndexToCode[k];
        EXPECT_EQ(out[64 + k], src < 40 ? 0x40 + src : 0) << k;
    }
}

TEST_F(ConvertersTest, DeJAVAInvertsValuesIntoAFullImage) {
    const fs::path in = Write("rom.java", "0x00, 0x01");
    EXPECT_EQ(Run({"/DEJAVA", in.string()}), 0);
    const auto out = Read(Dir / "rom.seq");
    ASSERT_EQ(out.size(), 1856u);
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[62], 0xFE);
    EXPECT_EQ(out[63], 0x80);
    for (int i = 1; i < 62; ++i) EXPECT_EQ(out[i], 0) << i;
    for (size_t i = 64; i < out.size(); ++i) EXPECT_EQ(out[i], (i & 63) == 63 ? 0x80 : 0) << i;
}

TEST_F(ConvertersTest, DeJAVANumberForms) {
    // Decimal, "$" and "0x" hexadecimal, negative values (low 8 bits), empty tokens skipped,
    // a text without separator is one token.
    const auto a = DeJAVA("255, $10, 0x7f, , -1", "t");
    EXPECT_EQ(a[0], 0x00);                  // code 0 -> index 0: 255 ^ FF
    EXPECT_EQ(a[CodeToStepIndex[1]], 0xEF); // second value at step code 1
    EXPECT_EQ(a[CodeToStepIndex[2]], 0x80);
    EXPECT_EQ(a[CodeToStepIndex[3]], 0x00); // -1 -> FF -> 00
    const auto b = DeJAVA("12", "t");
    EXPECT_EQ(b[0], 12 ^ 0xFF);
}

// The 32-bit limits of a value, both ends, and how a refused token is shown.
TEST_F(ConvertersTest, DeJAVAValueLimitsAndShownTokens) {
    for (const char* Good : {"-2147483648", "2147483647", "$FFFFFFFF", "0xffffffff"}) {
        EXPECT_NO_THROW(DeJAVA(Good, "t")) << Good;
    }
    const std::pair<const char*, const char*> Bad[] = {
        {"2147483648", "'2147483648'"}, {"-2147483649", "'-2147483649'"}, {"$100000000", "'$100000000'"},
        {"1\x1F", "'1\\x1F'"}, {"\x01\t2", "'\\x01\\t2'"}, {"3\n", "'3\\n'"},
    };
    for (const auto& [Token, Shown] : Bad) {
        try {
            DeJAVA(Token, "f.txt");
            ADD_FAILURE() << Token;
        } catch (const EConversionError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("f.txt: value 1: ") + Shown + " is not a valid integer value");
        }
    }
}

TEST_F(ConvertersTest, DeJAVARefusesBadTokensAndWritesNothing) {
    const fs::path in = Write("bad.txt", "1, 2, 3\n");
    EXPECT_EQ(Run({"/DeJAVA", in.string()}), 1);
    EXPECT_FALSE(fs::exists(Dir / "bad.seq"));
    try {
        DeJAVA("1, x2", "f.txt");
        FAIL();
    } catch (const EConversionError& e) {
        EXPECT_STREQ(e.what(), "f.txt: value 2: 'x2' is not a valid integer value");
    }
}

// More values than a ROM holds: the file is refused rather than silently cut.
TEST_F(ConvertersTest, DeJAVARefusesMoreThan1856Values) {
    std::string text;
    for (int i = 0; i < 1856; ++i) text += (i ? ", " : "") + std::to_string(i & 0xFF);
    EXPECT_NO_THROW(DeJAVA(text, "t"));
    const fs::path in = Write("long.txt", text + ", 7");
    EXPECT_EQ(Run({"/DeJAVA", in.string()}), 1);
    EXPECT_FALSE(fs::exists(Dir / "long.seq"));
}

TEST_F(ConvertersTest, ExistingOutputIsReplacedButTheInputIsNeverOverwritten) {
    const fs::path in = Write("x.bin", std::string(64, '\x11'));
    Write("x.seq", "old");
    EXPECT_EQ(Run({"/DeLFSR", in.string()}), 0);
    EXPECT_EQ(Read(Dir / "x.seq").size(), 64u);
    const fs::path seq = Write("y.seq", std::string(64, '\x22'));
    EXPECT_EQ(Run({"/DeLFSR", seq.string()}), 1);
    EXPECT_EQ(Read(seq), std::vector<uint8_t>(64, 0x22));
}

// Inputs are read with a bound and looked at first: a pipe never blocks, a huge file is
// refused with its size, and a bad token is echoed cut short and escaped.
TEST_F(ConvertersTest, InputsAreBoundedAndSpecialFilesRefused) {
    ASSERT_EQ(::mkfifo((Dir / "pipe").c_str(), 0600), 0);
    Write("huge.bin", std::string(ConverterInputLimit + 1, '\0'));
    const std::pair<std::string, std::string> Cases[] = {
        {"pipe", "Cannot open file \"%s\": it is a named pipe (FIFO), not a file"},
        {"huge.bin", "Cannot read file \"%s\": it holds 1048577 bytes, more than the 1048576 bytes such a file can have"},
    };
    for (const auto& [Name, Message] : Cases) {
        try {
            ConvertDeLFSRFile(Dir / Name);
            ADD_FAILURE() << Name;
        } catch (const EConversionError& e) {
            EXPECT_EQ(std::string(e.what()), Format(Message.c_str(), (Dir / Name).c_str()));
        }
    }
    try {
        DeJAVA(std::string(100000, 'z') + "\x1B", "t");
        FAIL();
    } catch (const EConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "t: value 1: '" + std::string(64, 'z') + "... (100001 bytes)' is not a valid integer value");
    }
}

TEST_F(ConvertersTest, CommandLineRecognition) {
    EXPECT_EQ(Run({"/DeLFSR", (Dir / "missing.bin").string()}), 1);
    EXPECT_TRUE(Handled);
    EXPECT_EQ(Run({"/DeLFSR", Dir.string()}), 1);
    EXPECT_EQ(Run({"/DeLFSR"}), 2);
    EXPECT_TRUE(Handled);
    Run({"game.rom"});
    EXPECT_FALSE(Handled);
    Run({});
    EXPECT_FALSE(Handled);
    Run({"/DeLFSRx", "a"});
    EXPECT_FALSE(Handled);
}

} // namespace
} // namespace tarvolin
