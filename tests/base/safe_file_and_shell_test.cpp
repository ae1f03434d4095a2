// The one write path (replace as a whole, or never replace) and the shell failure texts.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/safe_file.h"
#include "base/shell_errors.h"
#include "base/text_format.h"

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

// A link is written through (it stays a link); planted files of the names older writers used
// for their temporary files are neither followed nor consumed; a replaced file keeps its mode.
TEST_F(SafeFileTest, LinksAreWrittenThroughAndPlantedNamesAreLeftAlone) {
    const fs::path Real = Dir / "real.lst", Link = Dir / "link.lst", Victim = Dir / "victim";
    std::ofstream(Real) << "old";
    std::ofstream(Victim) << "precious";
    fs::permissions(Real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("real.lst", Link);
    fs::create_symlink(Victim, Dir / "real.lst.tmp~");
    fs::create_symlink(Victim, Dir / "real.lst.tmp");
    WriteFileReplacing(Link, "new");
    EXPECT_TRUE(fs::is_symlink(Link));
    EXPECT_EQ(Read(Real), "new");
    EXPECT_EQ(Read(Victim), "precious");
    EXPECT_TRUE(fs::is_symlink(Dir / "real.lst.tmp~"));
    EXPECT_EQ(fs::status(Real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // A dangling link names the file to create.
    fs::create_symlink("made.lst", Dir / "dangling.lst");
    WriteFileReplacing(Dir / "dangling.lst", "made");
    EXPECT_EQ(Read(Dir / "made.lst"), "made");
}

// Targets that are no regular file are refused before anything is written, with what they are.
TEST_F(SafeFileTest, SpecialTargetsAreRefusedWithTheReason) {
    ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(Dir / "folder");
    fs::create_symlink("loop2", Dir / "loop1");
    fs::create_symlink("loop1", Dir / "loop2");
    const std::pair<std::string, std::string> Cases[] = {
        {"fifo", "it is a named pipe (FIFO), not a file"},
        {"folder", "it is a folder"},
        {"loop1", "too many levels of symbolic links"},
        {"missing/x", "no such file or directory"},
    };
    for (const auto& [Name, Reason] : Cases) {
        SCOPED_TRACE(Name);
        try {
            WriteFileReplacing(Dir / Name, "data");
            ADD_FAILURE() << "written";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + (Dir / Name).string() + "\": " + Reason);
        }
    }
    EXPECT_TRUE(fs::is_fifo(Dir / "fifo"));
    EXPECT_EQ(NotAFileReason("/dev/null"), "it is a device, not a file");
    EXPECT_EQ(FileCount(), 4u) << "no temporary file is left";
}

// Reads never block on a pipe, name folders as folders and refuse more than their bound.
TEST_F(SafeFileTest, BoundedReadsRefuseWhatIsNoFileOrTooLarge) {
    ASSERT_EQ(::mkfifo((Dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(Dir / "folder");
    std::ofstream(Dir / "ten") << "0123456789";
    const std::pair<std::string, std::string> Cases[] = {
        {"fifo", "Cannot open file \"%s\": it is a named pipe (FIFO), not a file"},
        {"folder", "Cannot open file \"%s\": it is a folder"},
        {"missing", "Cannot open file \"%s\": no such file or directory"},
        {"ten", "Cannot read file \"%s\": it holds 10 bytes, more than the 9 bytes such a file can have"},
    };
    for (const auto& [Name, Message] : Cases) {
        SCOPED_TRACE(Name);
        try {
            ReadFileBounded(Dir / Name, 9);
            ADD_FAILURE() << "read";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), Format(Message.c_str(), (Dir / Name).c_str()));
        }
    }
    EXPECT_EQ(ReadFileBounded(Dir / "ten", 10), "0123456789");
    uint64_t Size = 0;
    EXPECT_EQ(ReadFilePrefix(Dir / "ten", 4, Size), "0123");
    EXPECT_EQ(Size, 10u);
}

TEST_F(SafeFileTest, SameFileSeesThroughLinksAndSpellings) {
    std::ofstream(Dir / "a") << "a";
    std::ofstream(Dir / "b") << "a";
    fs::create_symlink("a", Dir / "link");
    fs::create_hard_link(Dir / "a", Dir / "hard");
    EXPECT_TRUE(SameFile(Dir / "a", Dir / "link"));
    EXPECT_TRUE(SameFile(Dir / "a", Dir / "hard"));
    EXPECT_TRUE(SameFile(Dir / "a", Dir / "." / "a"));
    EXPECT_FALSE(SameFile(Dir / "a", Dir / "b"));
    EXPECT_FALSE(SameFile(Dir / "a", Dir / "missing"));
}

TEST(PrintableText, ControlCharactersAreEscapedAndLongTextsCut) {
    const std::pair<std::string, std::string> Cases[] = {
        {"plain", "plain"},
        {"a\nb\r\tc", "a\\nb\\r\\tc"},
        {"\x1B[2J\x7F", "\\x1B[2J\\x7F"},
        {"\xC2\x9B" "31m", "\\x9B31m"},             // the 8-bit command introducer in UTF-8
        {"\xD0\xB6\xD0\xB6", "\xD0\xB6\xD0\xB6"},   // letters of other scripts stay
        {std::string(300, 'x'), std::string(200, 'x') + "... (300 bytes)"},
        {std::string(199, 'x') + "\xD0\xB6", std::string(199, 'x') + "... (201 bytes)"}, // cut between characters
    };
    for (const auto& [In, Out] : Cases) EXPECT_EQ(PrintableText(In), Out);
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
