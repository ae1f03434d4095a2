// Where per-game files live.
#include <gtest/gtest.h>

#include <unistd.h>

#include "base/program_folder.h"

namespace tarvolin {
namespace {

TEST(ProgramFolderTest, ChoiceFollowsWritabilityAndEnvironment) {
    EXPECT_EQ(ChooseProgramFolder("/opt/t", true, "/x", "/home/u"), "/opt/t");
    EXPECT_EQ(ChooseProgramFolder("/opt/t", false, "/x/data", "/home/u"), "/x/data/Tarvolin");
    EXPECT_EQ(ChooseProgramFolder("/opt/t", false, "relative", "/home/u"), "/home/u/.local/share/Tarvolin");
    EXPECT_EQ(ChooseProgramFolder("/opt/t", false, nullptr, "/home/u"), "/home/u/.local/share/Tarvolin");
    EXPECT_EQ(ChooseProgramFolder("", true, "", "/home/u"), "/home/u/.local/share/Tarvolin");
}

TEST(ProgramFolderTest, DecidedOnceAndOverridable) {
    SetProgramFolder({});
    const auto decided = ProgramFolder();
    EXPECT_FALSE(decided.empty());
    EXPECT_TRUE(std::filesystem::is_directory(decided));
    char exe[4096] = {};
    if (readlink("/proc/self/exe", exe, sizeof exe - 1) > 0 && access(decided.c_str(), W_OK) == 0 &&
        access(std::filesystem::path(exe).parent_path().c_str(), W_OK) == 0) {
        EXPECT_EQ(decided, std::filesystem::path(exe).parent_path());
    }
    SetProgramFolder("/tmp/somewhere");
    EXPECT_EQ(ProgramFolder(), "/tmp/somewhere");
    SetProgramFolder({});
    EXPECT_EQ(ProgramFolder(), decided);
}

} // namespace
} // namespace tarvolin
