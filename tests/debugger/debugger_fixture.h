// The common fixture of the controller tests: a debugger with a recording view and a
// scripted prompter, loaded with the hand-assembled test program as a custom game.
#pragma once

#include <gtest/gtest.h>

#include "debugger_test_support.h"

namespace tarvolin::test {

class DebuggerTest : public ::testing::Test {
protected:
    void SetUp() override {
        SavedOptions = Options();
        Options() = TOptions{};
        Debugger.Initialize();
    }
    void TearDown() override { Options() = SavedOptions; }

    // Loads a program as the custom game (no questions expected) and selects full speed.
    void Load(const std::map<T11bits, std::vector<uint8_t>>& Code = TestProgram()) {
        const std::string File = Dir.Write("program.rom", MakeROM(Code));
        ASSERT_TRUE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File));
        ASSERT_NE(Debugger.MCU(), nullptr);
        Debugger.Run().SetSpeedFactor(6);
    }
    // Loads an assembled program text as the custom game.
    void LoadSource(const std::string& Source) {
        const std::string File = Dir.Write("program.rom", AssembleROM(Source));
        ASSERT_TRUE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File));
        Debugger.Run().SetSpeedFactor(6);
    }
    TSHARP_SM5A_MCU& MCU() { return *Debugger.MCU(); }

    // Runs the idle loop until the run stops or Limit instructions were handed out.
    void RunToStop(int Limit = 100000) {
        int n = 0;
        while (n < Limit && Debugger.Run().RunSlice(64)) n += 64;
    }
    void Select(T11bits Addr) { Debugger.Navigation().SelectItem(Debugger.Navigation().AddrToItemIndex(Addr)); }
    T11bits Selected() const {
        T11bits a = NoAddress;
        Debugger.Navigation().GetSelectedAddr(a);
        return a;
    }

    TOptions SavedOptions;
    TTempDir Dir;
    TMemorySettingsStore Store;
    TSettings Settings{Store};
    TRecordingView View;
    TScriptedPrompter Prompter;
    TDebugger Debugger{View, Prompter, Settings};
};

// A catalogue entry made for the tests: an SM-5A game with a ROM file name and no clock.
inline const TMCUClass TestGameClass = {
    "TTestGame", &TSHARP_SM5A_MCU::Class, &SHARP_SM5A_Chip, "TG-01 \"Test\"", "TG01", "Press K1 to cheat.",
    "gnw_testg.zip", "tg-01", nullptr, &MakeMCU<TSHARP_SM5A_MCU>,
};

class GameLoadingTest : public DebuggerTest {
protected:
    void SetUp() override {
        DebuggerTest::SetUp();
        Debugger.Loading().SetGameCatalogue({&TestGameClass});
    }
    const std::string ROM = MakeROM(TestProgram());
    const std::string SupplyText =
        "You need to supply the ROM file...\n\nHint:\nSearch Google for \"gnw_testg\" and unpack \"tg-01\" from the "
        "archive.";
};

} // namespace tarvolin::test
