// The demo program (examples/demo.asm): assembled with our assembler and run on the MCU,
// it counts seconds on the LCD registers, K1 sets it back and keys sound on R1.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/step_tables.h"
#include "disasm/assembler.h"
#include "disasm_fixture.h"

namespace tarvolin::test {
namespace {

class DemoTest : public DisasmTest {
protected:
    void SetUp() override {
        DisasmTest::SetUp();
        const std::string path = std::string(TARVOLIN_SOURCE_DIR) + "/examples/demo.asm";
        std::ifstream f(path, std::ios::binary);
        ASSERT_TRUE(f) << path;
        const std::string source((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        const TAssemblyResult r = Assemble(source, path);
        std::istringstream rom(std::string(r.ChipOrder.begin(), r.ChipOrder.end()));
        MCU = TSHARP_SM5A_MCU::Class.Create(&rom);
        // Unpaced full run: a halt lasts until the timer completes its second.
        MCU->SetFullRunCyclesPerSecond(0);
        MCU->SetFullRun(true);
    }
    void RunCycles(uint64_t Cycles) {
        const uint64_t end = MCU->CycleCount + Cycles;
        uint8_t op, operand;
        while (MCU->CycleCount < end) MCU->PerformOneCycle(op, operand);
    }
    // The digits O[5..8] (TD=1 halves) and O'[5..8] (TD=0 halves) show, minutes first; '?'
    // where no digit matches.
    std::string Shown() const {
        std::string s;
        for (int i = 5; i <= 8; ++i) {
            char c = '?';
            for (int d = 0; d < 10; ++d)
                if (MCU->O[i] == SevenSegmentCodingTable[1][d] && MCU->O_[i] == SevenSegmentCodingTable[0][d]) {
                    c = static_cast<char>('0' + d);
                    break;
                }
            s += c;
        }
        return s;
    }
};

TEST_F(DemoTest, CountsSecondsOnTheLCDRegisters) {
    RunCycles(2000);
    EXPECT_EQ(Shown(), "0000");
    RunCycles(5 * 16384);
    EXPECT_EQ(Shown(), "0005");
    RunCycles(6 * 16384);
    EXPECT_EQ(Shown(), "0011");
    // From 00:58 the digits carry from seconds into minutes.
    for (int i = 0; i < 4; ++i) MCU->RAM[i] = 0;
    MCU->RAM[0] = 8;
    MCU->RAM[1] = 5;
    RunCycles(2 * 16384);
    EXPECT_EQ(Shown(), "0100");
    EXPECT_EQ(MCU->RAM[2], 1);
}

TEST_F(DemoTest, K1SetsTheCounterBackAndKeysSoundOnR1) {
    RunCycles(3 * 16384 + 2000);
    ASSERT_EQ(Shown(), "0003");
    MCU->StartSoundRecording();
    MCU->IO.FInputMatrix[gndDirect] = 1; // K1 held
    RunCycles(4000);
    MCU->IO.FInputMatrix[gndDirect] = 0;
    RunCycles(3000);
    EXPECT_EQ(Shown(), "0000");
    // R1 went high and low while the key was held: the recording holds both levels.
    const auto& buf = MCU->AudioBuffer();
    bool high = false, low = false;
    for (int32_t i = 0; i < MCU->AudioBufferPos(); ++i) {
        high |= buf[i] == 0;
        low |= buf[i] == 0x6000;
    }
    EXPECT_TRUE(high);
    EXPECT_TRUE(low);
    // Any other key beeps but keeps counting.
    RunCycles(2 * 16384);
    const std::string before = Shown();
    MCU->IO.FInputMatrix[gndDirect] = 4; // K3
    RunCycles(3000);
    MCU->IO.FInputMatrix[gndDirect] = 0;
    RunCycles(3000);
    EXPECT_EQ(Shown(), before);
    EXPECT_NE(before, "0000");
}

} // namespace
} // namespace tarvolin::test
