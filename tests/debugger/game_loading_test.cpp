#include <sys/stat.h>

#include "base/types.h"
#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(GameLoadingTest, ACatalogueGameWithoutARememberedFileAsksForOne) {
    const std::string File = Dir.Write("test.bin", ROM);
    Prompter.Files.push_back(File);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    ASSERT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].Text, SupplyText);
    EXPECT_EQ(Prompter.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(Prompter.Messages[0].Buttons, TMessageButtons::OKCancel);
    ASSERT_EQ(Prompter.FileDialogs.size(), 1u);
    EXPECT_EQ(Prompter.FileDialogs[0].Title, "TG-01 \"Test\" - Select ROM file");
    EXPECT_EQ(Prompter.FileDialogs[0].Filter, "All files (*.*)|*.*");
    EXPECT_EQ(Settings.ROMFile("TG01"), File);
    EXPECT_EQ(Store.Read("ROMs", "TG01"), File);
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);
    EXPECT_EQ(View.Caption, "Tarvolin - TG-01 \"Test\"");
    EXPECT_EQ(View.States.GameSpecificCaption, "TG-01 \"Test\"");
    EXPECT_TRUE(View.States.Cheats);

    // Next time the remembered file is used without a question; loading over a game asks first.
    Prompter.Messages.clear();
    ASSERT_TRUE(Debugger.Loading().LoadGame(&TestGameClass));
    ASSERT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].Text, "Are you sure you want to load the debugger with TG-01 \"Test\"?");
    EXPECT_EQ(Prompter.FileDialogs.size(), 1u);
}

TEST_F(GameLoadingTest, CancellingTheSupplyWarningLoadsNothingAndShowsNoDialog) {
    Prompter.Answers.push_back(TMessageResult::Cancel);
    EXPECT_FALSE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_TRUE(Prompter.FileDialogs.empty());
    EXPECT_EQ(Debugger.MCU(), nullptr);
    // Cancelling the open dialog loads nothing either.
    Prompter.Files.push_back(std::nullopt);
    EXPECT_FALSE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_EQ(Prompter.FileDialogs.size(), 1u);
    EXPECT_EQ(Debugger.MCU(), nullptr);
    EXPECT_TRUE(Settings.ROMs().empty());
}

TEST_F(GameLoadingTest, AStaleRememberedFileIsTreatedAsNoFile) {
    Settings.SetROMFile("TG01", (Dir.Path / "gone.rom").string());
    const std::string File = Dir.Write("new.rom", ROM);
    Prompter.Files.push_back(File);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    EXPECT_EQ(Prompter.Messages.front().Text, SupplyText);
    EXPECT_EQ(Settings.ROMFile("TG01"), File);
}

TEST_F(GameLoadingTest, ChoosingAnotherGameObtainsTheROMBeforeAskingAndACancelKeepsTheGame) {
    const std::string Recording = "Sound recording is active. Do you want to save the recorded sound?";
    const std::string SizeQuestion =
        "Unexpected data size: 1855 bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n\nAre you sure you want "
        "to continue loading the data?";
    const std::string Good = Dir.Write("good.rom", ROM);
    const std::string Short = Dir.Write("short.rom", MakeROM(TestProgram(), 1855));
    struct TCase {
        const char* Name;
        const TMCUClass* Game;
        std::vector<std::optional<std::string>> Files;
        std::vector<TMessageResult> Answers;
        std::vector<std::string> Asked; // the message boxes, in order
        bool Switched;
    };
    const std::vector<TCase> Cases = {
        {"open dialog cancelled", &TSHARP_SM5A_MCU::Class, {std::nullopt}, {}, {}, false},
        {"supply warning cancelled", &TestGameClass, {}, {TMessageResult::Cancel}, {SupplyText}, false},
        {"size question refused", &TSHARP_SM5A_MCU::Class, {Short}, {TMessageResult::No}, {SizeQuestion}, false},
        {"recording question cancelled", &TSHARP_SM5A_MCU::Class, {Good}, {TMessageResult::Cancel}, {Recording}, false},
        {"recording dropped", &TSHARP_SM5A_MCU::Class, {Good}, {TMessageResult::No}, {Recording}, true},
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(c.Name);
        Debugger.Loading().CloseGame();
        Settings.SetROMFile("TG01", Good);
        ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
        Debugger.Sound().ToggleSoundRecording();
        Debugger.Run().TraceInto(); // the recording holds a sample
        Prompter.Messages.clear();
        Prompter.Answers.assign(c.Answers.begin(), c.Answers.end());
        Prompter.Files.assign(c.Files.begin(), c.Files.end());
        Settings.SetROMFile("TG01", "");
        EXPECT_EQ(Debugger.Loading().LoadGameFromMenu(c.Game), c.Switched);
        std::vector<std::string> Asked;
        for (const auto& m : Prompter.Messages) Asked.push_back(m.Text);
        EXPECT_EQ(Asked, c.Asked);
        if (c.Switched) {
            EXPECT_EQ(MCU().PC, 0x3C0); // a fresh machine
            EXPECT_EQ(View.States.CheckedGame, c.Game);
            EXPECT_FALSE(Debugger.Sound().IsSoundRecording());
        } else {
            ASSERT_NE(Debugger.MCU(), nullptr);
            EXPECT_EQ(MCU().PC, 0x3C1); // still after its step
            EXPECT_EQ(View.States.CheckedGame, &TestGameClass);
            EXPECT_EQ(View.Caption, "Tarvolin - TG-01 \"Test\"");
            EXPECT_TRUE(Debugger.Sound().IsSoundRecording());
        }
    }
}

TEST_F(GameLoadingTest, WrongSizeAsksBeforeLoading) {
    for (size_t Size : {size_t(1855), size_t(2048)}) {
        const std::string File = Dir.Write("odd.rom", MakeROM(TestProgram(), Size));
        Prompter.Messages.clear();
        Prompter.Answers.push_back(TMessageResult::No);
        EXPECT_FALSE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File));
        ASSERT_EQ(Prompter.Messages.size(), 1u);
        EXPECT_EQ(Prompter.Messages[0].Text,
                  "Unexpected data size: " + std::to_string(Size) +
                      " bytes\nThis is probably not a valid SHARP SM-5A ROM data.\n\nAre you sure you want to continue "
                      "loading the data?");
        EXPECT_EQ(Prompter.Messages[0].Buttons, TMessageButtons::YesNo);
        EXPECT_EQ(Debugger.MCU(), nullptr);
        ASSERT_TRUE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File)); // answered Yes
        EXPECT_EQ(MCU().ROM[0x3C0], 0x25);
        ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    }
}

TEST_F(GameLoadingTest, TheCustomGameAsksForItsFileAndNeverRemembersIt) {
    const std::string File = Dir.Write("custom.rom", ROM);
    Prompter.Files.push_back(File);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class));
    ASSERT_EQ(Prompter.FileDialogs.size(), 1u);
    EXPECT_EQ(Prompter.FileDialogs[0].Title, TSHARP_SM5A_MCU::Class.GameName() + " - Select ROM file");
    EXPECT_TRUE(Prompter.FileDialogs[0].MustExist);
    EXPECT_TRUE(Settings.ROMs().empty());
    EXPECT_TRUE(Store.Names("ROMs").empty());
    EXPECT_EQ(View.States.CheckedGame, &TSHARP_SM5A_MCU::Class);
}

TEST_F(GameLoadingTest, AnEmptyFileIsReportedNotIgnored) {
    const std::string File = Dir.Write("empty.rom", "");
    EXPECT_FALSE(Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, File));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"The file \"" + File + "\" is empty."});
}

TEST_F(GameLoadingTest, CommandLineArguments) {
    // A short name, without regard to case.
    Settings.SetROMFile("TG01", Dir.Write("tg.rom", ROM));
    Debugger.Loading().HandleCommandLine("tg01");
    ASSERT_NE(Debugger.MCU(), nullptr);
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);
    EXPECT_TRUE(Prompter.Messages.empty());

    // The custom game's short name is not a command.
    Prompter.Messages.clear();
    Debugger.Loading().HandleCommandLine(TSHARP_SM5A_MCU::Class.ShortGameName());
    ASSERT_EQ(Prompter.Messages.size(), 1u);
    EXPECT_EQ(Prompter.Messages[0].Text.rfind("Cannot find file \"", 0), 0u);

    // A missing file.
    Prompter.Messages.clear();
    const std::string Missing = (Dir.Path / "nothing.rom").string();
    Debugger.Loading().HandleCommandLine(Missing);
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Cannot find file \"" + Missing + "\"."});
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass); // nothing was closed

    // Something that is there but no file says what it is; a named pipe is never opened, so
    // nothing waits for a writer.
    const std::string Pipe = (Dir.Path / "pipe.rom").string();
    ASSERT_EQ(::mkfifo(Pipe.c_str(), 0600), 0);
    for (const std::string& Name : {Dir.Path.string(), Pipe}) {
        Prompter.Messages.clear();
        Debugger.Loading().HandleCommandLine(Name);
        EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
                  std::vector<std::string>{"Cannot open \"" + Name + "\": " +
                                           (Name == Pipe ? "it is a named pipe (FIFO), not a file." : "it is a folder.")});
    }
    Prompter.Messages.clear();
    Debugger.Loading().LoadGame(&TSHARP_SM5A_MCU::Class, Pipe);
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
              std::vector<std::string>{"Cannot open file \"" + Pipe + "\": it is a named pipe (FIFO), not a file"});
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);
    Prompter.Messages.clear();

    // A session file (any letter case of the extension) is opened as a session: this one is
    // cut short, so it is refused and nothing is closed.
    Prompter.Messages.clear();
    Debugger.Loading().HandleCommandLine(Dir.Write("work.DbgSession", "Vornmix"));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Stream read error"});
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);

    // Any other file is a custom ROM.
    Prompter.Messages.clear();
    Debugger.Loading().HandleCommandLine(Dir.Write("other.bin", ROM));
    EXPECT_EQ(View.States.CheckedGame, &TSHARP_SM5A_MCU::Class);
    EXPECT_EQ(View.Caption, "Tarvolin - " + TSHARP_SM5A_MCU::Class.GameName());
}

} // namespace
} // namespace tarvolin::test

namespace tarvolin::test {
namespace {

TEST_F(GameLoadingTest, RecentROMsListTheFilesLoadedNewestFirstAndReloadThem) {
    const std::string Custom = Dir.Write("a&b.rom", ROM);
    const std::string Game = Dir.Write("tg.rom", ROM);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, Custom));
    Settings.SetROMFile("TG01", Game);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TestGameClass));
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, Custom)); // moves up, once
    auto Recent = Debugger.Loading().RecentROMs();
    ASSERT_EQ(Recent.size(), 2u);
    EXPECT_EQ(Recent[0].Caption, "&1 " + TSHARP_SM5A_MCU::Class.GameName() + " - " + (Dir.Path / "a&&b.rom").string());
    EXPECT_EQ(Recent[1].Class, &TestGameClass);
    EXPECT_EQ(Recent[1].Caption, "&2 TG-01 \"Test\" - " + Game);

    // The list is kept with the settings; entries whose file is gone are dropped there.
    TSettings Reread(Store);
    Reread.LoadSettings();
    EXPECT_EQ(Reread.RecentROMs(), Settings.RecentROMs());

    // An entry loads its game from its file, as the Game menu does.
    ASSERT_TRUE(Debugger.Loading().LoadRecentROM(1));
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);
    EXPECT_EQ(Debugger.Loading().RecentROMs()[0].File, Game);

    // A file that went away is reported and leaves the list; the game stays loaded.
    std::filesystem::remove(Custom);
    Prompter.Messages.clear();
    EXPECT_FALSE(Debugger.Loading().LoadRecentROM(1));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Cannot find file \"" + Custom + "\"."});
    EXPECT_EQ(Debugger.Loading().RecentROMs().size(), 1u);
    EXPECT_EQ(View.States.CheckedGame, &TestGameClass);

    // A long path keeps its start and its file name.
    const std::string Deep = Dir.Write(std::string(70, 'x') + "_name.rom", ROM);
    ASSERT_TRUE(Debugger.Loading().LoadGameFromMenu(&TSHARP_SM5A_MCU::Class, Deep));
    const std::string Caption = Debugger.Loading().RecentROMs()[0].Caption;
    EXPECT_NE(Caption.find("..."), std::string::npos);
    EXPECT_TRUE(Caption.ends_with("x_name.rom"));
    EXPECT_LT(Caption.size(), Deep.size());

    Debugger.Loading().ClearRecentROMs();
    EXPECT_TRUE(Debugger.Loading().RecentROMs().empty());
    EXPECT_TRUE(Store.Names(RecentROMsGroup).empty());
}

} // namespace
} // namespace tarvolin::test
