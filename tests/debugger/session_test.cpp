// Debug sessions through the window's features: the file's bytes field by field, what a saved
// session brings back, the order a file is read in, the refusals, and the user's data around
// failed saves and ".dat" imports.
#include <fstream>
#include <iterator>

#include "base/program_folder.h"
#include "debugger_fixture.h"
#include "persist/stream.h"
#include "persist/user_data.h"

namespace tarvolin::test {
namespace {

// Little-endian bytes written by hand, to hold the writer to the layout.
struct TBytes {
    std::string s;
    TBytes& I32(int32_t v) {
        for (int i = 0; i < 4; ++i) s += char(uint32_t(v) >> (8 * i));
        return *this;
    }
    TBytes& W(uint16_t v) { return B(uint8_t(v)).B(uint8_t(v >> 8)); }
    TBytes& B(uint8_t v) {
        s += char(v);
        return *this;
    }
    TBytes& Str(const std::string& Ascii) {
        I32(int32_t(Ascii.size()));
        for (char c : Ascii) W(uint8_t(c));
        return *this;
    }
    TBytes& Block(const uint8_t* p, size_t n) {
        I32(int32_t(n));
        s.append(reinterpret_cast<const char*>(p), n);
        return *this;
    }
};

std::string ReadFile(const std::filesystem::path& Path) {
    std::ifstream f(Path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class SessionTest : public DebuggerTest {
protected:
    void SetUp() override {
        DebuggerTest::SetUp();
        SetProgramFolder(Dir.Path); // ".dat" files of these tests live here
        Debugger.Loading().SetGameCatalogue({&TestGameClass});
    }
    void TearDown() override {
        SetProgramFolder({});
        DebuggerTest::TearDown();
    }
    TSessionCommands& Sessions() { return Debugger.SessionCommands(); }
    std::string SaveAs(const std::string& Name) {
        const std::string Path = (Dir.Path / Name).string();
        Prompter.Files.push_back(Path);
        EXPECT_TRUE(Sessions().SaveAsCommand()) << Prompter.LastText();
        return Path;
    }
    // Opens a session of the custom game, answering its ROM question with the test program.
    bool Open(const std::string& Path) {
        Prompter.Files.push_back(Dir.Write("program.rom", MakeROM(TestProgram())));
        return Sessions().OpenDebugSession(Path);
    }
    // Some of everything a session keeps.
    void MakeWork() {
        Debugger.Breakpoints().ToggleCodeBreakpoint(0x3C3);
        Debugger.Breakpoints().AddMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x00);
        MCU().SetAddressLabel(0x3C0, "start");
        MCU().SetAddressComment(0x3C1, "DP");
        MCU().ROM[0x3C5] = 0x00; // patched: was a jump
        Debugger.Run().TraceInto();
        Debugger.Run().TraceInto();
        Select(0x3C2);
    }
};

TEST_F(SessionTest, TheFileHoldsEveryFieldInItsPlace) {
    Load();
    MakeWork();
    View.Placement = TWindowPlacement{44, 2, 3, -1, -1, -8, -8, 10, 20, 1010, 720};
    View.PanelWidth = 333;
    const std::string Path = SaveAs("golden.dbgsession");
    const TSHARP_SM5A_MCU& m = MCU();

    TBytes e;
    e.s = "Vornmix";
    e.I32(1).I32(2); // container version, main block version
    e.I32(44);
    for (int32_t v : {44, 2, 3, -1, -1, -8, -8, 10, 20, 1010, 720}) e.I32(v);
    e.I32(333).Str("custom_game");
    // The MCU block.
    e.I32(2).B(m.FPreviousOpcode).I32(0 /* speed 6: unpaced */).B(m.Acc).B(m.DP).W(m.T).B(m.MSB).B(m.Page);
    e.W(m.PC).W(m.A).B(m.Carry).B(m.OneSecond).B(m.HaltMode);
    e.Block(m.O.data(), 9).Block(m.O_.data(), 9).B(m.TD).B(m.LD0).Block(m.RAM.data(), 128);
    e.I32(1).Block(m.IO.FInputMatrix.data(), 4).B(m.IO.FAlpha).B(m.IO.FBeta).B(m.IO.R); // input/output
    e.Str("TGenericLCDDriver").B(0);                                                     // driver, not recording
    e.I32(1).I32(1).W(0x3C5).W(1).B(0x00);                                               // user data: one range
    e.I32(2).W(0x3C0).Str("start").Str("").W(0x3C1).Str("").Str("DP");                   // two entries
    // Breakpoints: code, temporary, last value, previous value, then read, write and change
    // lists each after its triggered address.
    e.I32(1).I32(0x3C3).I32(0).B(0).B(0).B(0x7F).I32(0).B(0x7F).I32(1).I32(0).B(0x7F).I32(0);
    e.B(0).I32(6).I32(1); // sound recording, speed, radiation intensity
    e.I32(Debugger.Navigation().AddrToItemIndex(0x3C2)).I32(View.Top);
    const std::string Got = ReadFile(Path);
    ASSERT_EQ(Got.size(), e.s.size());
    for (size_t i = 0; i < Got.size(); ++i) ASSERT_EQ(uint8_t(Got[i]), uint8_t(e.s[i])) << "byte " << i;
    EXPECT_FALSE(Debugger.Session().IsSessionModified());
}

TEST_F(SessionTest, TheFirstAndTheLastLineStaySelected) {
    Load();
    for (const T11bits Addr : {T11bits(0x000), LastROMAddress}) {
        Select(Addr);
        const std::string Path = SaveAs(Addr == 0 ? "first.dbgsession" : "last.dbgsession");
        ASSERT_TRUE(Debugger.Loading().CanCloseGame());
        ASSERT_TRUE(Open(Path)) << Prompter.LastText();
        EXPECT_EQ(Selected(), Addr);
    }
}

TEST_F(SessionTest, SaveLoadAndSaveAgainGivesTheSameBytes) {
    // The custom game asks for its ROM on opening; a catalogue game takes the one remembered.
    for (const TMCUClass* Class : {&TSHARP_SM5A_MCU::Class, &TestGameClass}) {
        SCOPED_TRACE(Class->ClassName);
        const std::string ROMFile = Dir.Write("game.rom", MakeROM(TestProgram()));
        Settings.SetROMFile("TG01", ROMFile);
        ASSERT_TRUE(Debugger.Loading().LoadGame(Class, ROMFile));
        Debugger.Run().SetSpeedFactor(2);
        Debugger.Input().SetRadiationIntensity(3);
        MakeWork();
        const T11bits PC = MCU().PC;
        const TRAM RAM = MCU().RAM;
        const std::string First = SaveAs("first.dbgsession");
        ASSERT_TRUE(Debugger.Loading().CanCloseGame());

        if (Class->IsCustomGame()) Prompter.Files.push_back(ROMFile);
        ASSERT_TRUE(Sessions().OpenDebugSession(First)) << Prompter.LastText();
        EXPECT_EQ(MCU().PC, PC);
        EXPECT_EQ(MCU().RAM, RAM);
        EXPECT_EQ(MCU().ROM[0x3C5], 0x00);
        EXPECT_EQ(MCU().GetAddressLabel(0x3C0), "start");
        EXPECT_TRUE(Debugger.Breakpoints().IsCodeBreakpoint(0x3C3));
        EXPECT_TRUE(Debugger.Breakpoints().IsMemoryBreakpoint(TMemoryBreakpointKind::Write, 0x00));
        EXPECT_EQ(Debugger.Run().SpeedFactor(), 2);
        EXPECT_EQ(Debugger.Input().RadiationIntensity(), 3);
        EXPECT_EQ(Selected(), 0x3C2);
        EXPECT_EQ(Debugger.Session().DebugSession()->FileName(), First);
        EXPECT_FALSE(Debugger.Session().IsSessionModified()) << "reading a session changes nothing of it";
        EXPECT_EQ(View.States.CheckedGame, Class);

        Prompter.Files.push_back((Dir.Path / "second.dbgsession").string());
        ASSERT_TRUE(Sessions().SaveAsCommand());
        EXPECT_EQ(ReadFile(First), ReadFile(Dir.Path / "second.dbgsession"));
        ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    }
}

TEST_F(SessionTest, ARecordingSessionReopensStillRecording) {
    Load();
    Debugger.Sound().ToggleSoundRecording();
    for (int i = 0; i < 5; ++i) Debugger.Run().TraceInto();
    const int32_t Pos = MCU().AudioBufferPos();
    ASSERT_GT(Pos, 0);
    const std::string Path = SaveAs("sound.dbgsession");
    EXPECT_EQ(std::filesystem::file_size(Path), ReadFile(Path).size());
    EXPECT_GT(std::filesystem::file_size(Path), size_t(20971520)) << "the whole buffer is kept";
    Prompter.Answers.push_back(TMessageResult::No); // do not save the sound as WAV
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());

    ASSERT_TRUE(Open(Path));
    EXPECT_TRUE(Debugger.Sound().IsSoundRecording());
    EXPECT_TRUE(View.States.SoundRecordingChecked);
    EXPECT_EQ(MCU().AudioBufferPos(), Pos);
    Debugger.Run().TraceInto();
    EXPECT_GT(MCU().AudioBufferPos(), Pos) << "the recording goes on in the restored buffer";
}

TEST_F(SessionTest, AnUnknownGameStopsReadingAfterPlacementAndPanelWidth) {
    for (const std::string Game : {"XY99", ""}) {
        TBytes b;
        b.s = "Vornmix";
        b.I32(1).I32(2).I32(44);
        for (int32_t v : {44, 0, 1, -1, -1, -1, -1, 5, 6, 805, 606}) b.I32(v);
        b.I32(250).Str(Game).s += "whatever follows is never read";
        View.ViewLog.clear();
        Prompter.Messages.clear();
        EXPECT_FALSE(Sessions().OpenDebugSession(Dir.Write("unknown.dbgsession", b.s)));
        EXPECT_EQ(View.ViewLog, (std::vector<std::string>{"placement 5,6", "width 250"}));
        EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{"Unrecognized game: '" + Game + "'."});
        EXPECT_EQ(Debugger.MCU(), nullptr);
        EXPECT_FALSE(Debugger.Session().HasDebugSession());
    }

    // A game whose ROM the user does not give loads nothing beyond placement and width.
    Load();
    const std::string Path = SaveAs("noROM.dbgsession");
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    View.ViewLog.clear();
    Prompter.Files.push_back(std::nullopt);
    EXPECT_FALSE(Sessions().OpenDebugSession(Path));
    EXPECT_EQ(View.ViewLog, (std::vector<std::string>{"placement 5,6", "width 250"})) << "as the window stood";
    EXPECT_EQ(Debugger.MCU(), nullptr);
    EXPECT_FALSE(Debugger.Session().HasDebugSession());
}

TEST_F(SessionTest, OlderBlocks) {
    // Main block version 1 has no radiation intensity; an input/output sub-block of version 0
    // is its version alone and leaves the inputs as they are.
    TBytes b;
    b.s = "Vornmix";
    b.I32(1).I32(1).I32(0).I32(0).Str("custom_game");
    TRAM RAM{};
    RAM[3] = 9;
    TORegister O{};
    b.I32(1).B(0).I32(16384).B(7).B(0x21).W(0x1234).B(1).B(3).W(0x3C2).W(NoAddress).B(1).B(0).B(0);
    b.Block(O.data(), 9).Block(O.data(), 9).B(0).B(0).Block(RAM.data(), 128);
    b.I32(0);     // input/output version 0
    b.B(0);       // MCU version 1: no driver name; not recording
    b.I32(0);     // user data version 0
    b.I32(0).I32(0).B(0).B(0).B(0x7F).I32(0).B(0x7F).I32(0).B(0x7F).I32(0);
    b.B(0).I32(5); // sound, speed
    b.I32(2).I32(0); // selected line right after the speed, top line
    ASSERT_TRUE(Open(Dir.Write("old.dbgsession", b.s))) << Prompter.LastText();
    EXPECT_EQ(MCU().Acc, 7);
    EXPECT_EQ(MCU().DP, 0x21);
    EXPECT_EQ(MCU().T, 0x1234);
    EXPECT_EQ(MCU().PC, 0x3C2);
    EXPECT_EQ(MCU().RAM[3], 9);
    EXPECT_EQ(MCU().IO.FInputMatrix, TInputMatrix{});
    EXPECT_EQ(Debugger.Run().SpeedFactor(), 5);
    EXPECT_EQ(Debugger.Input().RadiationIntensity(), 1);
    EXPECT_EQ(Debugger.Navigation().SelectedIndex(), 2);
}

TEST_F(SessionTest, RefusedFilesChangeNothing) {
    Load();
    const std::string Good = SaveAs("good.dbgsession");
    const std::string Bytes = ReadFile(Good);
    // Offsets in the good file: the placement size follows the signature and two versions;
    // the recording flag follows the driver's name; then the user data (version and two
    // empty counts) and the code breakpoint list.
    const size_t PlacementSize = 15;
    std::string Driver;
    for (char c : std::string("TGenericLCDDriver")) Driver += std::string(1, c) + '\0';
    const size_t Recording = Bytes.find(Driver) + Driver.size();
    const size_t UserData = Recording + 1, CodeList = UserData + 12;
    auto Splice = [&](size_t At, size_t Remove, const TBytes& Insert) {
        return Bytes.substr(0, At) + Insert.s + Bytes.substr(At + Remove);
    };
    TBytes Neg, Big, Audio, Range, Breakpoint;
    Neg.I32(-2);
    Big.I32(45);
    Audio.B(1).I32(4).I32(0).I32(3).I32(0); // two samples stored, position 3
    Range.I32(1).I32(1).W(0x73F).W(2).B(0).B(0).I32(0);
    Breakpoint.I32(1).I32(2048);
    const struct {
        std::string Data;
        std::string Error;
    } Cases[] = {
        {"Vornmax" + Bytes.substr(7), "Error loading debug session - invalid signature."},
        {Bytes.substr(0, Bytes.size() - 3), "Stream read error"},
        {Splice(PlacementSize, 4, Big), "Stream error! Contains more data than expected."},
        {Splice(Recording, 1, Audio),
         "Error loading debug session - the audio position 3 lies outside the recorded sound (2 samples)."},
        {Splice(UserData, 12, Range), "Stream error! Contains more data than expected."},
        {Splice(CodeList, 4, Breakpoint), "Error loading debug session - the breakpoint address 2048 lies outside the ROM."},
        {Splice(CodeList, 4, Neg), "Stream error! A stored count is negative (-2)."},
    };
    for (const auto& c : Cases) {
        SCOPED_TRACE(c.Error);
        Prompter.Messages.clear();
        Debugger.Session().MarkSessionModified();
        EXPECT_FALSE(Sessions().OpenDebugSession(Dir.Write("bad.dbgsession", c.Data)));
        EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{c.Error});
        EXPECT_EQ(Prompter.Messages.size(), 1u) << "no close question: the loaded game stays";
        ASSERT_NE(Debugger.MCU(), nullptr);
        EXPECT_EQ(Debugger.Session().DebugSession()->FileName(), Good);
    }
}

TEST_F(SessionTest, AFailedSaveKeepsTheFileAndTheModifiedMark) {
    Load();
    const std::string Path = SaveAs("kept.dbgsession");
    const std::string Before = ReadFile(Path);
    Debugger.Run().TraceInto();
    EXPECT_TRUE(Debugger.Session().IsSessionModified());
    Prompter.Files.push_back((Dir.Path / "no such folder" / "x.dbgsession").string());
    EXPECT_FALSE(Sessions().SaveAsCommand());
    EXPECT_EQ(Prompter.LastText().rfind("Cannot write file \"", 0), 0u) << Prompter.LastText();
    EXPECT_TRUE(Debugger.Session().IsSessionModified());
    EXPECT_EQ(Debugger.Session().DebugSession()->FileName(), Path) << "the name changes only with a written file";
    EXPECT_EQ(ReadFile(Path), Before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path), {}), 2) << "no temporary file left";

    // Save pauses a run with "Ready." and writes the session's own file.
    Debugger.Run().UnattendedRun();
    ASSERT_FALSE(Debugger.Run().IsStopped());
    EXPECT_TRUE(Sessions().SaveCommand());
    EXPECT_TRUE(Debugger.Run().IsStopped());
    EXPECT_EQ(View.Status, "Ready.");
    EXPECT_NE(ReadFile(Path), Before);
}

TEST_F(SessionTest, ADatFileIsRetiredOnlyByASessionThatWasWritten) {
    TUserData Writer("custom_game", {});
    Writer.SetAddressLabelAndComment(0x3C0, "from dat", "");
    std::ostringstream Block;
    TROM Empty{};
    Writer.SaveToStream(Block, Empty);
    const std::filesystem::path Dat = Dir.Path / "custom_game.dat";
    Dir.Write("custom_game.dat", Block.str());

    Load();
    ASSERT_TRUE(Debugger.Session().HasDebugSession()) << "the imported data waits in a session";
    EXPECT_TRUE(Debugger.Session().IsSessionModified());
    EXPECT_TRUE(Debugger.Session().DebugSession()->FileName().empty());

    Prompter.Files.push_back((Dir.Path / "missing" / "s.dbgsession").string());
    EXPECT_FALSE(Sessions().SaveAsCommand());
    EXPECT_TRUE(std::filesystem::exists(Dat)) << "not written: the file stays";
    const std::string Path = SaveAs("dat.dbgsession");
    EXPECT_FALSE(std::filesystem::exists(Dat));
    EXPECT_TRUE(std::filesystem::exists(Dat.string() + ".inactive"));

    // The same label in a ".dat" file and in the session: the game is not left half-loaded.
    ASSERT_TRUE(Debugger.Loading().CanCloseGame());
    Dir.Write("custom_game.dat", Block.str());
    Prompter.Messages.clear();
    EXPECT_FALSE(Open(Path));
    EXPECT_EQ(Prompter.Texts(TMessageKind::Error), std::vector<std::string>{DuplicateEntryErrorText});
    EXPECT_EQ(Debugger.MCU(), nullptr);
    EXPECT_FALSE(Debugger.Session().HasDebugSession());
}

TEST(WindowPlacementTest, RecordsAndScreens) {
    const TWindowPlacement P{44, 2, 3, -1, -2, -8, -9, 10, 20, 1010, 720};
    const auto Bytes = P.Encode();
    TWindowPlacement Back;
    ASSERT_TRUE(TWindowPlacement::Decode({Bytes.begin(), Bytes.end()}, Back));
    EXPECT_EQ(Back, P);
    EXPECT_EQ(Bytes[0], 44);
    EXPECT_EQ(Bytes[12], 0xFF) << "ptMinPosition.x = -1 at offset 12";
    EXPECT_FALSE(TWindowPlacement::Decode({Bytes.begin(), Bytes.end() - 1}, Back)) << "a cut record";
    auto Wrong = std::vector<uint8_t>(Bytes.begin(), Bytes.end());
    Wrong[0] = 40;
    EXPECT_FALSE(TWindowPlacement::Decode(Wrong, Back)) << "a record whose length is not 44";

    const std::vector<TScreenRect> Screens = {{0, 0, 1366, 740}, {1366, 0, 3286, 1080}};
    const struct {
        TScreenRect Window, Expected;
    } Cases[] = {
        {{100, 100, 900, 700}, {100, 100, 900, 700}},       // on the primary screen
        {{2000, 50, 2800, 650}, {2000, 50, 2800, 650}},     // on the second screen
        {{1340, 10, 2000, 600}, {1340, 10, 2000, 600}},     // across both: its title bar is reachable
        {{-5000, 100, -4200, 700}, {0, 100, 800, 700}},     // far left: onto the primary screen
        {{5000, 5000, 5800, 5600}, {2486, 480, 3286, 1080}}, // far right below: onto the second
        {{100, -300, 900, 200}, {100, 0, 900, 500}},        // title bar above the screen
        {{-9000, -9000, -5000, -6000}, {0, 0, 1366, 740}},  // off and larger than the screen: shrunk
    };
    for (const auto& c : Cases) EXPECT_EQ(FitOntoScreens(c.Window, Screens), c.Expected) << c.Window.Left;
}

} // namespace
} // namespace tarvolin::test
