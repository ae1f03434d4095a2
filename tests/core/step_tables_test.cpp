// The step counter tables and the reordering of chip-order images.
#include <gtest/gtest.h>

#include "core/step_tables.h"

namespace tarvolin {
namespace {

TEST(StepTablesTest, CounterVisitsTheDocumentedSequence) {
    const uint8_t expected[63] = {0,  32, 48, 56, 60, 62, 31, 47, 55, 59, 61, 30, 15, 39, 51, 57,
                                  28, 46, 23, 43, 53, 26, 13, 6,  3,  33, 16, 40, 52, 58, 29, 14,
                                  7,  35, 49, 24, 44, 54, 27, 45, 22, 11, 37, 18, 9,  4,  34, 17,
                                  8,  36, 50, 25, 12, 38, 19, 41, 20, 42, 21, 10, 5,  2,  1};
    for (int k = 0; k < 63; ++k)
        EXPECT_EQ(StepIndexToCode[k], expected[k]) << k;
    EXPECT_EQ(NextStep(1), 0) << "the 63rd step returns to 0";
    EXPECT_EQ(NextStep(63), 63) << "63 is its own successor";
    EXPECT_EQ(StepIndexToCode[63], 63);
    for (int s = 0; s < 64; ++s)
        EXPECT_EQ(StepIndexToCode[CodeToStepIndex[s]], s);
}

TEST(StepTablesTest, ReorderTurnsChipOrderIntoExecutionOrder) {
    std::array<uint8_t, ROMSize> chip{};
    for (int i = 0; i < ROMSize; ++i)
        chip[i] = static_cast<uint8_t>(i % 64 + (i / 64) * 3);
    const TROM image = ReorderROMImage(chip);
    for (int p = 0; p < 29; ++p) {
        for (int k = 0; k < 63; ++k)
            ASSERT_EQ(image[p * 64 + k], uint8_t(StepIndexToCode[k] + p * 3)) << p << "/" << k;
        EXPECT_EQ(image[p * 64 + 63], 0x80) << "the dropped step 63 becomes a jump to step 0";
    }
}

TEST(StepTablesTest, ReorderPagesHandlesAnyLength) {
    std::vector<uint8_t> page(64);
    for (int i = 0; i < 64; ++i)
        page[i] = uint8_t(i);
    const auto out = ReorderPages(page.data(), page.size());
    ASSERT_EQ(out.size(), 64u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), (std::vector<uint8_t>{0, 32, 48, 56}));
    EXPECT_EQ(out[62], 1);
    EXPECT_EQ(out[63], 0x80);

    // A partial second page: positions whose source lies past the end read as zero.
    std::vector<uint8_t> data(64 + 40, 0xAA);
    const auto part = ReorderPages(data.data(), data.size());
    ASSERT_EQ(part.size(), data.size());
    for (int k = 0; k < 40; ++k)
        EXPECT_EQ(part[64 + k], StepIndexToCode[k] < 40 ? 0xAA : 0) << k;
    EXPECT_TRUE(ReorderPages(nullptr, 0).empty());
}

} // namespace
} // namespace tarvolin
