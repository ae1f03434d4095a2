// Shared set-up of the disassembler tests: a custom-game MCU whose program folder is a
// private temporary folder, and options restored after every test.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "base/program_folder.h"
#include "core/mcu.h"
#include "base/options.h"
#include "core/mnemonics.h"

namespace tarvolin::test {

inline std::filesystem::path TestFolder() {
    auto p = std::filesystem::temp_directory_path() / ("tarvolin_disasm_tests_" + std::to_string(::getpid()));
    std::filesystem::create_directories(p);
    return p;
}

class DisasmTest : public ::testing::Test {
protected:
    void SetUp() override {
        FSaved = Options();
        FSavedSet = ActiveMnemonicSet;
        SetProgramFolder(TestFolder());
        MCU = TSHARP_SM5A_MCU::Class.Create(nullptr);
    }
    void TearDown() override {
        MCU.reset();
        Options() = FSaved;
        ActiveMnemonicSet = FSavedSet;
    }
    // 1 = SHARP names, 2 = KB1013VK1-2 names.
    void UseMnemonics(int Set) {
        Options().InstructionMnemonics = Set;
        MCU->SetupInstructionMnemonics();
    }
    // Writes execution-order bytes at Addr.
    void Put(unsigned Addr, std::initializer_list<uint8_t> Bytes) {
        for (uint8_t b : Bytes) MCU->ROM[Addr++] = b;
    }

    std::unique_ptr<TSHARP_SM5A_MCU> MCU;

private:
    TOptions FSaved;
    uint8_t FSavedSet = 0;
};

} // namespace tarvolin::test
