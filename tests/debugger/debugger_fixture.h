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
        ASSERT_TRUE(Debugger.LoadGame(&TSHARP_SM5A_MCU::Class, File));
        ASSERT_NE(Debugger.MCU(), nullptr);
        Debugger.SetSpeedFactor(6);
    }
    TSHARP_SM5A_MCU& MCU() { return *Debugger.MCU(); }

    // Runs the idle loop until the run stops or Limit instructions were handed out.
    void RunToStop(int Limit = 100000) {
        int n = 0;
        while (Debugger.RunSlice([&] { return ++n % 64 == 0; }) && n < Limit) {
        }
    }
    void Select(T11bits Addr) { Debugger.SelectItem(Debugger.AddrToItemIndex(Addr)); }
    T11bits Selected() const {
        T11bits a = NoAddress;
        Debugger.GetSelectedAddr(a);
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

} // namespace tarvolin::test
