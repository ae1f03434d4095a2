// MCU construction, reset, opcode access, class facts and branch targets.
#include <ctime>
#include <set>
#include <sstream>

#include "core/step_tables.h"
#include "lcd/lcd_driver.h"
#include "mcu_test_support.h"
#include "persist/stream.h"
#include "persist/user_data.h"

namespace tarvolin::test {
namespace {

class MCUTest : public ::testing::Test {
protected:
    TCoreEnvironment Env;
};

// A stream buffer that hands out a few bytes and then fails.
class TFailingBuf : public std::streambuf {
public:
    explicit TFailingBuf(int good) : FGood(good) {}

protected:
    int_type underflow() override {
        if (FGood-- <= 0) throw std::runtime_error("device gone");
        FByte = 0x21;
        setg(&FByte, &FByte, &FByte + 1);
        return traits_type::to_int_type(FByte);
    }

private:
    int FGood;
    char FByte = 0;
};

TEST_F(MCUTest, ConstructionWithoutStreamGivesAnEmptyImage) {
    auto mcu = NewMCU();
    for (int i = 0; i < ROMSize; ++i)
        ASSERT_EQ(mcu->ROM[i], i % 64 == 63 ? 0x80 : 0) << i;
    EXPECT_EQ(mcu->PC, 0x3C0);
    ASSERT_NE(mcu->LCDDriver, nullptr);
    ASSERT_FALSE(mcu->SupportedLCDDrivers.empty());
    EXPECT_EQ(mcu->SupportedLCDDrivers.front(), &TGenericLCDDriver::Class);
    ASSERT_NE(mcu->UserData, nullptr);
    EXPECT_EQ(mcu->UserData->OriginalROMImage(), mcu->ROM);
    EXPECT_TRUE(Env.Reporter.Errors.empty());
}

TEST_F(MCUTest, ConstructionReordersShortAndLongStreams) {
    // A chip-order stream shorter than a page: the step sequence of the bytes given, zeros after.
    std::string chip;
    for (int i = 0; i < 40; ++i)
        chip.push_back(char(i + 1));
    std::istringstream shortStream(chip);
    auto mcu = TSHARP_SM5A_MCU::Class.Create(&shortStream);
    for (int k = 0; k < 63; ++k) {
        const int code = StepIndexToCode[k];
        EXPECT_EQ(mcu->ROM[k], code < 40 ? code + 1 : 0) << k;
    }
    EXPECT_EQ(mcu->ROM[63], 0x80);

    // A longer stream: only the first 1856 bytes count and nothing is read past them.
    std::string big(ROMSize + 500, '\x55');
    big[ROMSize - 2] = '\x11'; // page 28, step code 62 = step index 5
    std::istringstream longStream(big);
    auto mcu2 = TSHARP_SM5A_MCU::Class.Create(&longStream);
    EXPECT_EQ(mcu2->ROM[28 * 64 + CodeToStepIndex[62]], 0x11);
    EXPECT_EQ(longStream.tellg(), ROMSize);
    EXPECT_TRUE(Env.Reporter.Errors.empty());
}

TEST_F(MCUTest, StreamFailureIsReportedAndConstructionGoesOn) {
    TFailingBuf buf(3);
    std::istream failing(&buf);
    auto mcu = TSHARP_SM5A_MCU::Class.Create(&failing);
    ASSERT_EQ(Env.Reporter.Errors, (std::vector<std::string>{"Stream read error"}));
    EXPECT_EQ(mcu->ROM[0], 0x21);                  // chip step 0
    EXPECT_EQ(mcu->ROM[CodeToStepIndex[2]], 0x21); // chip step 2
    EXPECT_EQ(mcu->ROM[CodeToStepIndex[3]], 0);
    EXPECT_EQ(mcu->PC, 0x3C0) << "the MCU was reset";

    // A short stream is no error even when its owner asked for exceptions.
    Env.Reporter.Errors.clear();
    std::istringstream strict(std::string(10, '\x21'));
    strict.exceptions(std::ios::failbit | std::ios::eofbit | std::ios::badbit);
    auto mcu2 = TSHARP_SM5A_MCU::Class.Create(&strict);
    EXPECT_TRUE(Env.Reporter.Errors.empty());
    EXPECT_EQ(mcu2->ROM[0], 0x21);
    EXPECT_EQ(strict.exceptions(), std::ios::failbit | std::ios::eofbit | std::ios::badbit);

    // A bare object that was never constructed still executes without a driver.
    auto bare = MakeMCU<TSHARP_SM5A_MCU>();
    uint8_t op, operand;
    EXPECT_TRUE(bare->PerformOneCycle(op, operand));
}

TEST_F(MCUTest, ResetRestoresRegistersButKeepsInputsAndROM) {
    auto mcu = NewMCU();
    mcu->ROM[5] = 0x42;
    mcu->Acc = 5, mcu->DP = 0x33, mcu->T = 99, mcu->MSB = 1, mcu->Page = 2, mcu->PC = 0x123;
    mcu->A = 0x44, mcu->Carry = true, mcu->OneSecond = false, mcu->HaltMode = true;
    mcu->FPreviousOpcode = 0x75, mcu->TD = true, mcu->LD0 = true;
    mcu->RAM[0x4C] = 3, mcu->O[2] = 4, mcu->O_[8] = 9;
    mcu->IO.R = 0xF;
    mcu->IO.FInputMatrix = {1, 2, 3, 4};
    mcu->IO.FAlpha = true;
    mcu->SetFullRun(true);
    mcu->StartSoundRecording();
    mcu->Reset();
    EXPECT_EQ(mcu->Acc, 0);
    EXPECT_EQ(mcu->DP, 0);
    EXPECT_EQ(mcu->T, 0);
    EXPECT_EQ(mcu->MSB, 0);
    EXPECT_EQ(mcu->Page, 15);
    EXPECT_EQ(mcu->PC, 0x3C0);
    EXPECT_EQ(mcu->A, NoAddress);
    EXPECT_FALSE(mcu->Carry);
    EXPECT_TRUE(mcu->OneSecond);
    EXPECT_FALSE(mcu->HaltMode);
    EXPECT_EQ(mcu->FPreviousOpcode, 0);
    EXPECT_FALSE(mcu->TD);
    EXPECT_FALSE(mcu->LD0);
    EXPECT_EQ(mcu->RAM, TRAM{});
    EXPECT_EQ(mcu->O, TORegister{});
    EXPECT_EQ(mcu->O_, TORegister{});
    EXPECT_EQ(mcu->IO.R, 0);
    EXPECT_EQ(mcu->IO.FInputMatrix, (TInputMatrix{1, 2, 3, 4}));
    EXPECT_TRUE(mcu->IO.FAlpha);
    EXPECT_EQ(mcu->ROM[5], 0x42);
    EXPECT_TRUE(mcu->FullRun());
    EXPECT_EQ(mcu->AudioBuffer().size(), 0xA00000u);
}

TEST(AdjustDPTest, MapsEveryValueOntoAnExistingCell) {
    const std::pair<int, int> cases[] = {{0x4D, 0x4C}, {0x5F, 0x4C}, {0x70, 0x40}, {0x3C, 0x3C},
                                         {0x0F, 0x0C}, {0x4C, 0x4C}, {0x00, 0x00}, {0x7F, 0x4C}};
    for (auto [in, out] : cases)
        EXPECT_EQ(AdjustDP(T7bits(in)), out) << in;
    int cells = 0;
    for (int dp = 0; dp < 128; ++dp) {
        EXPECT_TRUE(IsValidRAMAddress(AdjustDP(T7bits(dp)))) << dp;
        if (IsValidRAMAddress(T7bits(dp))) {
            ++cells;
            EXPECT_EQ(AdjustDP(T7bits(dp)), dp);
        }
    }
    EXPECT_EQ(cells, 65);
}

TEST_F(MCUTest, OpcodeAccessAtTheEdgesOfTheImage) {
    EXPECT_EQ(TSHARP_SM5A_MCU::GetOpcodeSize(0x75, 0x7F), 1);
    EXPECT_EQ(TSHARP_SM5A_MCU::GetOpcodeSize(0x75, 0x80), 2);
    for (int x = 0; x < 256; ++x) {
        EXPECT_EQ(TSHARP_SM5A_MCU::GetOpcodeSize(0x5E, uint8_t(x)), 2);
        EXPECT_EQ(TSHARP_SM5A_MCU::GetOpcodeSize(0x5F, uint8_t(x)), 2);
        EXPECT_EQ(TSHARP_SM5A_MCU::GetOpcodeSize(0x6F, uint8_t(x)), 1);
    }
    auto mcu = NewMCU();
    mcu->ROM[1854] = 0x5F;
    mcu->ROM[1855] = 0x5E;
    uint8_t op = 1, operand = 1;
    EXPECT_EQ(mcu->GetOpcodeExt(1854, op, operand), 2);
    EXPECT_EQ(op, 0x5F);
    EXPECT_EQ(operand, 0x5E);
    EXPECT_EQ(mcu->GetOpcodeExt(1855, op, operand), 2);
    EXPECT_EQ(operand, 0);
    EXPECT_EQ(mcu->GetOpcodeExt(1856, op, operand), 0);
    EXPECT_EQ(op, 0);
    EXPECT_EQ(mcu->GetOpcode(2047), 0);
    mcu->PC = 1855;
    EXPECT_EQ(mcu->GetCurrentOpcode(), 0x5E);
    EXPECT_FALSE(mcu->InSubroutine());
    mcu->A = 0x100;
    EXPECT_TRUE(mcu->InSubroutine());
}

TEST_F(MCUTest, ChangedOpcodesAreFoundAgainstTheOriginalImage) {
    auto mcu = NewMCU();
    Put(*mcu, 10, {0x5F, 0x12});
    Put(*mcu, 20, {0x21, 0x22});
    mcu->UserData = std::make_unique<TUserData>("custom_game", mcu->ROM);
    EXPECT_FALSE(mcu->IsAnyOpcodeChanged());
    mcu->ROM[11] = 0x13; // operand of a two-byte instruction
    mcu->ROM[21] = 0x23; // the byte after a one-byte instruction is its own instruction
    uint8_t op = 0, operand = 0;
    EXPECT_TRUE(mcu->IsOpcodeChanged(10, op, operand));
    EXPECT_EQ(op, 0x5F);
    EXPECT_EQ(operand, 0x12);
    EXPECT_FALSE(mcu->IsOpcodeChanged(20));
    EXPECT_TRUE(mcu->IsOpcodeChanged(21));
    EXPECT_TRUE(mcu->IsAnyOpcodeChanged());
    EXPECT_FALSE(mcu->IsOpcodeChanged(1856, op, operand));
    EXPECT_EQ(op, 0);
    EXPECT_EQ(operand, 0);
    mcu->ROM[1855] = 0x5E;
    EXPECT_TRUE(mcu->IsOpcodeChanged(1855, op, operand));
    EXPECT_EQ(op, 0x80);
    EXPECT_EQ(operand, 0);
}

TEST_F(MCUTest, PageHeadersNameBankPageAndRole) {
    auto mcu = NewMCU();
    EXPECT_EQ(mcu->DefaultROMAddressComments[0], "\n; --- BANK 0  PAGE #0 --- WAKE FROM HALT");
    EXPECT_EQ(mcu->DefaultROMAddressComments[15 * 64], "\n; --- BANK 0  PAGE #F --- RESET");
    EXPECT_EQ(mcu->DefaultROMAddressComments[16 * 64], "\n; --- BANK 1  PAGE #0 --- SUBROUTINES");
    EXPECT_EQ(mcu->DefaultROMAddressComments[28 * 64], "\n; --- BANK 1  PAGE #C ---");
    EXPECT_EQ(mcu->DefaultROMAddressComments[10 * 64], "\n; --- BANK 0  PAGE #A ---");
    int nonEmpty = 0;
    for (const auto& c : mcu->DefaultROMAddressComments)
        nonEmpty += !c.empty();
    EXPECT_EQ(nonEmpty, 29);
}

TEST_F(MCUTest, ChipFactsOfBothVariants) {
    const TMCUClass& sharp = TSHARP_SM5A_MCU::Class;
    const TMCUClass& kb = TKB1013VK1_2MCU::Class;
    EXPECT_TRUE(sharp.IsSHARP_SM5A_MCU());
    EXPECT_FALSE(kb.IsSHARP_SM5A_MCU());
    EXPECT_EQ(sharp.GetMCUname(), "SHARP SM-5A");
    EXPECT_EQ(kb.GetMCUname(), "\u041A\u04111013\u0412\u041A1-2");
    EXPECT_EQ(sharp.GetInputRegisterName() + sharp.GetAlphaName() + sharp.GetBetaName() + sharp.GetACLName(),
              "KAlphaBetaACL");
    EXPECT_EQ(kb.GetInputRegisterName() + kb.GetAlphaName() + kb.GetBetaName() + kb.GetACLName(),
              "DINT1INT0CLR");
    EXPECT_EQ(sharp.GetCOMtoMCUpin(), (TCOMtoMCUpin{29, 30}));
    EXPECT_EQ(kb.GetCOMtoMCUpin(), (TCOMtoMCUpin{14, 15}));
    const auto Labels = [](const TMCUClass& c) {
        std::string s;
        for (const char* n : c.GetR_K_LabelingNumbers()) s += n;
        return s;
    };
    EXPECT_EQ(Labels(sharp), "1234");
    EXPECT_EQ(Labels(kb), "0123");
    // The package pin of bit 0, 1, 2, 3 of O0..O8.
    const TObitToMCUpin SharpPins = {{{46, 45, 44, 43}, {50, 49, 48, 47}, {54, 53, 52, 51}, {58, 57, 56, 55},
                                      {2, 1, 60, 59}, {6, 5, 4, 3}, {11, 10, 9, 7}, {15, 14, 13, 12}, {19, 18, 17, 16}}};
    const TObitToMCUpin KBPins = {{{30, 29, 28, 27}, {34, 33, 32, 31}, {38, 37, 36, 35}, {42, 41, 40, 39},
                                   {46, 45, 44, 43}, {50, 49, 48, 47}, {55, 54, 53, 51}, {59, 58, 57, 56}, {3, 2, 1, 60}}};
    EXPECT_EQ(sharp.GetObitToMCUpin(), SharpPins);
    EXPECT_EQ(kb.GetObitToMCUpin(), KBPins);

    // Each package drives 36 O bits on distinct pins; the common planes and one pin stay free.
    for (const TMCUClass* cls : {&sharp, &kb}) {
        std::set<int> pins;
        for (const auto& row : cls->GetObitToMCUpin())
            for (TMCUpin p : row) {
                EXPECT_GE(p, 1);
                EXPECT_LE(p, 60);
                pins.insert(p);
            }
        EXPECT_EQ(pins.size(), 36u);
        for (TMCUpin com : cls->GetCOMtoMCUpin())
            EXPECT_EQ(pins.count(com), 0u);
    }
    EXPECT_EQ(TTestGame::Class.GetObitToMCUpin(), sharp.GetObitToMCUpin())
        << "same for every game of one chip";
    EXPECT_EQ(TTestKBGame::Class.GetCOMtoMCUpin(), kb.GetCOMtoMCUpin());

    EXPECT_EQ(sharp.GameName(), "A custom game");
    EXPECT_EQ(sharp.ShortGameName(), "custom_game");
    EXPECT_EQ(sharp.ROM_URL(), "");
    EXPECT_TRUE(sharp.IsCustomGame());
    EXPECT_FALSE(kb.IsCustomGame());
    EXPECT_FALSE(TTestGame::Class.IsCustomGame());
    EXPECT_TRUE(TTestKBGame::Class.InheritsFrom(sharp));
    EXPECT_FALSE(TTestGame::Class.InheritsFrom(kb));
    Options().ROMArchiveServer = "https://roms.example/";
    EXPECT_EQ(TTestGame::Class.ROM_URL(), "https://roms.example/download.php?file=test");
}

TEST_F(MCUTest, MnemonicSetFollowsTheOptionAndTheChip) {
    const struct {
        int Option;
        uint8_t Sharp, KB;
    } cases[] = {{0, 1, 0}, {1, 1, 1}, {2, 0, 0}, {7, 1, 0}};
    for (const auto& c : cases) {
        Options().InstructionMnemonics = c.Option;
        auto sharp = NewMCU();
        EXPECT_EQ(ActiveMnemonicSet, c.Sharp) << c.Option;
        auto kb = NewMCU<TTestKBGame>();
        EXPECT_EQ(ActiveMnemonicSet, c.KB) << c.Option;
        sharp->SetupInstructionMnemonics();
        EXPECT_EQ(ActiveMnemonicSet, c.Sharp) << c.Option;
    }
}

TEST_F(MCUTest, GameConfigurationAndDigitRegisters) {
    auto custom = NewMCU();
    auto game = NewMCU<TTestGame>();
    EXPECT_TRUE(custom->IsOIndexEncodingADigit(8));
    EXPECT_FALSE(game->IsOIndexEncodingADigit(8));
    EXPECT_TRUE(game->IsOIndexEncodingADigit(3));
    EXPECT_FALSE(custom->IsOIndexEncodingADigit(9));
    EXPECT_EQ(custom->Pin1Position(), p1pRightTop);
    EXPECT_EQ(game->Pin1Position(), p1pBottomLeft);
    EXPECT_EQ(custom->IO.SupportedGNDs, AllGNDs);
    EXPECT_TRUE(custom->IO.AlphaBeingQueried && custom->IO.BetaBeingQueried);
    EXPECT_TRUE(custom->GameControlDefs.empty());
    EXPECT_FALSE(custom->TD0IsCOM1);
}

TEST_F(MCUTest, SetCurrentTimeNeedsAGameClock) {
    auto custom = NewMCU();
    EXPECT_THROW(custom->SetCurrentTime(), EAbstractError);
    auto game = NewMCU<TTestGame>();
    const std::time_t before = std::time(nullptr);
    game->SetCurrentTime();
    auto& g = static_cast<TTestGame&>(*game);
    ASSERT_TRUE(g.ClockSet);
    std::tm local{};
    localtime_r(&before, &local);
    EXPECT_LE(g.ClockHour, 23);
    EXPECT_LE(g.ClockMinute, 59);
    EXPECT_LE(g.ClockSecond, 59);
    // Within a second or two of the clock read above (allowing for the minute turning over).
    const int got = g.ClockHour * 3600 + g.ClockMinute * 60 + g.ClockSecond;
    const int want = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    EXPECT_TRUE((got - want + 86400) % 86400 <= 2) << got << " vs " << want;
}

TEST_F(MCUTest, LabelsAndCommentsAreKeptByTheUserData) {
    auto mcu = NewMCU();
    mcu->SetAddressLabel(0x3C0, "start");
    mcu->SetAddressComment(0x3C0, "reset entry");
    EXPECT_EQ(mcu->UserData->GetAddressLabel(0x3C0), "start");
    EXPECT_EQ(mcu->GetAddressComment(0x3C0), "reset entry");
    mcu->SetAddressLabel(0x3C0, "");
    EXPECT_EQ(mcu->GetAddressComment(0x3C0), "reset entry") << "the comment stays";
    mcu->SetAddressComment(0x3C0, "");
    EXPECT_EQ(mcu->UserData->FindAddressCustomData(0x3C0), nullptr);
}

TEST_F(MCUTest, LCDDriverGetsTheChipPinTables) {
    auto kb = NewMCU<TTestKBGame>();
    EXPECT_EQ(kb->LCDDriver->COMtoMCUpin(), KB1013VK1_2_Chip.COMtoMCUpin);
    auto clone = kb->CloneCurrentLCDDriver();
    ASSERT_NE(clone, nullptr);
    EXPECT_NE(clone.get(), kb->LCDDriver.get());
    EXPECT_EQ(&clone->GetClass(), &kb->LCDDriver->GetClass());
    EXPECT_EQ(clone->ObitToMCUpin(), KB1013VK1_2_Chip.ObitToMCUpin);
    const TLCDDriver* before = kb->LCDDriver.get();
    kb->ChangeLCDDriver(TGenericLCDDriver::Class);
    ASSERT_NE(kb->LCDDriver, nullptr);
    EXPECT_NE(kb->LCDDriver.get(), before);
    EXPECT_EQ(&kb->LCDDriver->GetClass(), &TGenericLCDDriver::Class);
    EXPECT_EQ(FindLCDDriverClass("TGenericLCDDriver"), &TGenericLCDDriver::Class);
    EXPECT_EQ(FindLCDDriverClass("TNoSuchDriver"), nullptr);
}

// Branch targets for the Follow command.
TEST_F(MCUTest, AddressToFollow) {
    auto mcu = NewMCU();
    Put(*mcu, 0x100, {0x6D, 0x75, 0x81}); // COMCB then a long jump: the bank flips
    Put(*mcu, 0x500, {0x75, 0x81, 0x75, 0x01});
    Put(*mcu, 0x200, {0x83, 0xC1, 0x6E, 0x00});
    Put(*mcu, 0x705, {0xF1});
    mcu->PC = 0x3C0;
    EXPECT_EQ(mcu->GetAddrToFollow(0x101), 0x400u | (5 << 6) | CodeToStepIndex[1]);
    EXPECT_EQ(mcu->GetAddrToFollow(0x500), 0x400u | (5 << 6) | CodeToStepIndex[1]);
    EXPECT_EQ(mcu->GetAddrToFollow(0x502), NoAddress) << "page preset without jump";
    EXPECT_EQ(mcu->GetAddrToFollow(0x200), 0x200u | CodeToStepIndex[3]);
    EXPECT_EQ(mcu->GetAddrToFollow(0x201), 0x400u | CodeToStepIndex[1]) << "bank 0: a call";
    EXPECT_EQ(mcu->GetAddrToFollow(0x202), NoAddress) << "return outside any subroutine";
    EXPECT_EQ(mcu->GetAddrToFollow(0x203), NoAddress);
    EXPECT_EQ(mcu->GetAddrToFollow(0x705), 0x700u | (3 << 6) | CodeToStepIndex[1])
        << "bank 1 page 12: the branch reading leaves the image";
    EXPECT_EQ(mcu->GetAddrToFollow(1856), NoAddress);

    // At PC the live registers decide.
    mcu->PC = 0x200;
    mcu->MSB = 1;
    mcu->Page = 2;
    EXPECT_EQ(mcu->GetAddrToFollow(0x200), 0x400u | (2 << 6) | CodeToStepIndex[3]);
    mcu->PC = 0x500;
    mcu->MSB = 0;
    EXPECT_EQ(mcu->GetAddrToFollow(0x500), (5u << 6) | CodeToStepIndex[1]);
    mcu->PC = 0x201;
    mcu->A = 0x345;
    EXPECT_EQ(mcu->GetAddrToFollow(0x201), 0x200u | (0 << 6) | CodeToStepIndex[1]) << "in a subroutine";
    EXPECT_EQ(mcu->GetAddrToFollow(0x202), 0x345u);
    mcu->PC = 0x200;
    EXPECT_EQ(mcu->GetAddrToFollow(0x200), 0x200u | CodeToStepIndex[3])
        << "a jump at PC inside a subroutine stays in its own page";
}

// The static reading of far jumps, jumps and calls away from PC.
TEST_F(MCUTest, AddressToFollowAwayFromPC) {
    auto mcu = NewMCU();
    Put(*mcu, 0x450, {0x6D, 0x7C, 0xBF}); // bank 1: COMCB flips the far target into bank 0
    Put(*mcu, 0x460, {0x7C, 0xBF});       // bank 1 without a flip
    Put(*mcu, 0x000, {0x71, 0xC2});       // address 0 has no byte before it
    Put(*mcu, 0x73F, {0x7A});             // the byte after the last one reads as 0
    Put(*mcu, 0x5C3, {0xE7, 0xCF});       // bank 1 page 7: TRS reads as a branch in pages 4..7
    Put(*mcu, 0x1C3, {0xE7});             // bank 0: TRS reads as a call
    mcu->PC = 0x3C0;
    const struct {
        T11bits Addr, Want;
    } cases[] = {
        {0x451, T11bits((12 << 6) | CodeToStepIndex[0x3F])},
        {0x460, T11bits(0x400 | (12 << 6) | CodeToStepIndex[0x3F])},
        {0x000, T11bits((1 << 6) | CodeToStepIndex[0x02])},
        {0x73F, NoAddress},
        {0x5C3, T11bits(0x400 | (6 << 6) | CodeToStepIndex[0x07])},
        {0x5C4, T11bits(0x400 | (4 << 6) | CodeToStepIndex[0x0F])},
        {0x1C3, T11bits(0x400 | CodeToStepIndex[0x27])},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mcu->GetAddrToFollow(c.Addr), c.Want) << std::hex << c.Addr;
}

} // namespace
} // namespace tarvolin::test
