// The one write path (replace as a whole, or never replace) and the shell failure texts.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/safe_file.h"
#include "base/shell_errors.h"

namespace tarvolin {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Dir = fs::temp_directory_path() / ("tarvolin_safe_" + std::to_string(::getpid()));
        fs::remove_all(Dir);
        fs::create_directories(Dir);
    }
    void TearDown() override {
        fs::permissions(Dir, fs::perms::owner_all);
        fs::remove_all(Dir);
    }
    size_t FileCount() const { return static_cast<size_t>(std::distance(fs::directory_iterator(Dir), {})); }
    fs::path Dir;
};

TEST_F(SafeFileTest, ReplacingWritesWholeFilesAndLeavesNoTemporaryFiles) {
    const fs::path Target = Dir / "out.bin";
    WriteFileReplacing(Target, std::string("first\0bytes", 11));
    EXPECT_EQ(Read(Target), std::string("first\0bytes", 11));
    WriteFileReplacing(Target, "second");
    EXPECT_EQ(Read(Target), "second");
    EXPECT_EQ(FileCount(), 1u);
    struct stat St{};
    ASSERT_EQ(::stat(Target.c_str(), &St), 0);
    EXPECT_NE(St.st_mode & S_IRGRP, 0u) << "a written file gets the rights of a new file, not mkstemp's 0600";
    // Replacing a file keeps the rights its owner gave it.
    ASSERT_EQ(::chmod(Target.c_str(), 0640), 0);
    WriteFileReplacing(Target, "kept");
    ASSERT_EQ(::stat(Target.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0640u);

    if (::geteuid() != 0) { // root may write anywhere
        fs::permissions(Dir, fs::perms::owner_read | fs::perms::owner_exec);
        try {
            WriteFileReplacing(Target, "third");
            ADD_FAILURE() << "no error in a read-only folder";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Cannot write file \"" + Target.string() + "\": ", 0), 0u);
        }
        fs::permissions(Dir, fs::perms::owner_all);
        EXPECT_EQ(Read(Target), "second");
    }
}

TEST_F(SafeFileTest, NewFilesNeverReplaceOthers) {
    const fs::path Target = Dir / "MH06.rom";
    std::ofstream(Target) << "the user's";
    std::ofstream(Dir / "MH06 (2).rom") << "another";
    const fs::path Written = WriteNewFile(Target, "downloaded");
    EXPECT_EQ(Written, Dir / "MH06 (3).rom");
    EXPECT_EQ(Read(Written), "downloaded");
    EXPECT_EQ(Read(Target), "the user's");
    EXPECT_EQ(Read(Dir / "MH06 (2).rom"), "another");
    // The same bytes again: the file that holds them is taken, nothing new is written.
    EXPECT_EQ(WriteNewFile(Target, "downloaded"), Dir / "MH06 (3).rom");
    EXPECT_EQ(WriteNewFile(Dir / "fresh.rom", "x"), Dir / "fresh.rom");
    EXPECT_EQ(FileCount(), 4u);
}

TEST(ShellErrors, FailureTextsAndTheCodesThatFit) {
    EXPECT_EQ(ShellOpenFailure("x", 2), "ShellExecute('open', 'x') failed.\n2: 'The specified file was not found.'");
    EXPECT_EQ(ShellExecuteFailure("/usr/bin/tarvolin", "", 1, 5),
              "ShellExecute('/usr/bin/tarvolin', '', 1) failed.\n5: 'The operating system denied access to the "
              "specified file.'");
    EXPECT_EQ(ShellErrorText(33), "Unknown shell error code 0x00000021.");
    EXPECT_EQ(ShellErrorText(0), "The operating system is out of memory or resources.");

    const fs::path Dir = fs::temp_directory_path();
    const std::pair<std::string, unsigned> Opens[] = {
        {"https://example.invalid/", ShellNoAssociation},
        {"mailto:someone@example.invalid", ShellNoAssociation},
        {(Dir / "tarvolin_no_such_file.pdf").string(), ShellFileNotFound},
        {(Dir / "tarvolin_no_such_folder" / "a.pdf").string(), ShellPathNotFound},
        {"/bin/sh", ShellNoAssociation},
    };
    for (const auto& [Target, Code] : Opens) EXPECT_EQ(ShellResultOfFailedOpen(Target), Code) << Target;
    EXPECT_EQ(ShellResultOfFailedStart((Dir / "tarvolin_no_such_program").string()), ShellFileNotFound);
    EXPECT_EQ(ShellResultOfFailedStart("/etc/hostname"), ::geteuid() == 0 ? ShellBadExecutable : ShellAccessDenied);
}

} // namespace
} // namespace tarvolin
