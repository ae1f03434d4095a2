// Where the program keeps its files.
#include <gtest/gtest.h>

#include <set>
#include <unistd.h>

#include "base/program_folder.h"

namespace tarvolin {
namespace {

TEST(ProgramFolderTest, ChoiceFollowsWritabilityEnvironmentAndEarlierFolders) {
    struct Case {
        const char* Name;
        const char* ExeFolder;
        bool Writable;
        const char* XdgData;
        const char* XdgConfig;
        std::set<std::string> Existing; // folders that exist
        const char* Data;
        const char* Settings;
    };
    const Case cases[] = {
        {"portable copy", "/home/u/t", true, "/x", "/c", {}, "/home/u/t", "/c/tarvolin/tarvolin.conf"},
        {"in /opt, writable", "/opt/t", true, "/x", "/c", {}, "/x/tarvolin", "/c/tarvolin/tarvolin.conf"},
        {"installed, XDG set", "/usr/bin", false, "/x/data", "/x/conf", {}, "/x/data/tarvolin",
         "/x/conf/tarvolin/tarvolin.conf"},
        {"installed, run by root", "/usr/local/bin", true, "", "", {}, "/home/u/.local/share/tarvolin",
         "/home/u/.config/tarvolin/tarvolin.conf"},
        {"portable copy named like a system folder", "/home/u/usr/bin", true, "", "", {}, "/home/u/usr/bin",
         "/home/u/.config/tarvolin/tarvolin.conf"},
        {"installed, XDG unset", "/usr/bin", false, "", "", {}, "/home/u/.local/share/tarvolin",
         "/home/u/.config/tarvolin/tarvolin.conf"},
        {"relative XDG ignored", "/usr/bin", false, "data", "conf", {}, "/home/u/.local/share/tarvolin",
         "/home/u/.config/tarvolin/tarvolin.conf"},
        {"executable unknown", "", true, "", "", {}, "/home/u/.local/share/tarvolin",
         "/home/u/.config/tarvolin/tarvolin.conf"},
        {"earlier folders kept", "/usr/bin", false, "", "",
         {"/home/u/.local/share/Tarvolin", "/home/u/.config/Tarvolin"}, "/home/u/.local/share/Tarvolin",
         "/home/u/.config/Tarvolin/Tarvolin.conf"},
        {"new folders win", "/usr/bin", false, "", "",
         {"/home/u/.local/share/Tarvolin", "/home/u/.local/share/tarvolin", "/home/u/.config/Tarvolin",
          "/home/u/.config/tarvolin"},
         "/home/u/.local/share/tarvolin", "/home/u/.config/tarvolin/tarvolin.conf"},
    };
    for (const Case& c : cases) {
        TFolderEnvironment e{c.ExeFolder, c.Writable, c.XdgData, c.XdgConfig, "/home/u",
                             [&](const std::filesystem::path& p) { return c.Existing.count(p.string()) > 0; }};
        const TUserFolders f = ChooseUserFolders(e);
        EXPECT_EQ(f.Data, c.Data) << c.Name;
        EXPECT_EQ(f.SettingsFile, c.Settings) << c.Name;
        EXPECT_EQ(f.Config, f.SettingsFile.parent_path()) << c.Name;
    }
    // Without HOME nothing lands in the current folder.
    const TUserFolders f = ChooseUserFolders({"/usr/bin", false, "", "", "", {}});
    EXPECT_TRUE(f.Data.is_absolute() && f.SettingsFile.is_absolute());
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
    EXPECT_EQ(UserArtworkFolder(), "/tmp/somewhere/artwork");
    SetProgramFolder({});
    EXPECT_EQ(ProgramFolder(), decided);
}

} // namespace
} // namespace tarvolin
