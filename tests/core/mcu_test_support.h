// Helpers shared by the core tests: a recording message reporter, a temporary program
// folder, small game classes and a way to run code placed at the reset address.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "base/errors.h"
#include "core/mcu.h"
#include "base/options.h"
#include "base/reporter.h"
#include "core/mnemonics.h"

namespace tarvolin::test {

class TRecordingReporter : public TMessageReporter {
public:
    std::vector<std::string> Errors;
    void ShowError(const std::string& Text) override { Errors.push_back(Text); }
};

// Installs a recording reporter and a fresh, empty program folder for one test.
class TCoreEnvironment {
public:
    TCoreEnvironment() {
        FPrevious = SetMessageReporter(&Reporter);
        std::string pattern = (std::filesystem::temp_directory_path() / "tarvolin_test_XXXXXX").string();
        Folder = mkdtemp(pattern.data());
        SetProgramFolder(Folder);
        FSavedOptions = Options();
        FSavedSet = ActiveMnemonicSet;
    }
    ~TCoreEnvironment() {
        SetMessageReporter(FPrevious);
        SetProgramFolder({});
        std::error_code ec;
        std::filesystem::remove_all(Folder, ec);
        Options() = FSavedOptions;
        ActiveMnemonicSet = FSavedSet;
    }
    TRecordingReporter Reporter;
    std::filesystem::path Folder;

private:
    TMessageReporter* FPrevious = nullptr;
    TOptions FSavedOptions;
    uint8_t FSavedSet = 0;
};

// A game on the SM-5A: keys on R4 and R3 only, Alpha not wired, digits in O0..O3, a clock.
class TTestGame : public TSHARP_SM5A_MCU {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }
    void SetClock(uint16_t Hour, uint16_t Minute, uint16_t Second) override {
        ClockSet = true;
        ClockHour = Hour;
        ClockMinute = Minute;
        ClockSecond = Second;
    }
    bool ClockSet = false;
    uint16_t ClockHour = 0, ClockMinute = 0, ClockSecond = 0;

protected:
    void SetupGame() override {
        TSHARP_SM5A_MCU::SetupGame();
        IO.SupportedGNDs = GNDSet(gndR4) | GNDSet(gndR3);
        IO.AlphaBeingQueried = false;
        FDigitEncodingORegisters = {0, 1, 2, 3};
        FPin1Position = p1pBottomLeft;
    }
};
inline const TMCUClass TTestGame::Class{"TTestGame",      &TSHARP_SM5A_MCU::Class,
                                        &SHARP_SM5A_Chip, "Test game",
                                        "test_game",      "",
                                        "test.bin",       "test.bin",
                                        nullptr,          &MakeMCU<TTestGame>};

// A game on the KB1013VK1-2 whose keys use direct ground, R4 and R3 (R bit 1 is unwired).
class TTestKBGame : public TKB1013VK1_2MCU {
public:
    static const TMCUClass Class;
    const TMCUClass& GetClass() const override { return Class; }

protected:
    void SetupGame() override {
        TKB1013VK1_2MCU::SetupGame();
        IO.SupportedGNDs = GNDSet(gndDirect) | GNDSet(gndR4) | GNDSet(gndR3);
    }
};
inline const TMCUClass TTestKBGame::Class{
    "TTestKBGame", &TKB1013VK1_2MCU::Class, &KB1013VK1_2_Chip, "Test KB game", "test_kb_game", "", "", "",
    nullptr,       &MakeMCU<TTestKBGame>};

template <class T = TSHARP_SM5A_MCU> std::unique_ptr<TSHARP_SM5A_MCU> NewMCU() {
    return T::Class.Create(nullptr);
}

// Writes bytes into the execution-order image starting at Addr.
inline void Put(TSHARP_SM5A_MCU& MCU, unsigned Addr, std::initializer_list<uint8_t> Bytes) {
    for (uint8_t b : Bytes)
        MCU.ROM.at(Addr++) = b;
}

// Runs one PerformOneCycle and returns the number of machine cycles it took.
inline uint64_t Step(TSHARP_SM5A_MCU& MCU, uint8_t* Opcode = nullptr, bool* Executed = nullptr) {
    const uint64_t before = MCU.CycleCount;
    uint8_t op = 0xEE, operand = 0xEE;
    const bool executed = MCU.PerformOneCycle(op, operand);
    if (Opcode) *Opcode = op;
    if (Executed) *Executed = executed;
    return MCU.CycleCount - before;
}

// The message of the EEmulatorError that one step raises ("" when none).
inline std::string StepError(TSHARP_SM5A_MCU& MCU) {
    try {
        Step(MCU);
    } catch (const EEmulatorError& e) {
        return e.what();
    }
    return "";
}

} // namespace tarvolin::test
