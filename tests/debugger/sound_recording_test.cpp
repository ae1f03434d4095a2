#include <functional>

#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

TEST_F(DebuggerTest, AnActiveSoundRecordingIsOfferedForSavingBeforeClosing) {
    Load();
    Debugger.Sound().ToggleSoundRecording();
    ASSERT_TRUE(Debugger.Sound().IsSoundRecording());
    EXPECT_TRUE(View.States.SoundRecordingChecked && View.States.SoundRecordingIndicatorVisible);
    Debugger.Run().TraceInto();

    Prompter.Answers.push_back(TMessageResult::Cancel);
    EXPECT_FALSE(Debugger.Loading().CanCloseGame());
    EXPECT_EQ(Prompter.LastText(), "Sound recording is active. Do you want to save the recorded sound?");
    EXPECT_EQ(Prompter.Messages.back().Buttons, TMessageButtons::YesNoCancel);
    EXPECT_NE(Debugger.MCU(), nullptr);

    // Yes, then cancelling the file dialog keeps everything.
    Prompter.Answers.push_back(TMessageResult::Yes);
    Prompter.Files.push_back(std::nullopt);
    EXPECT_FALSE(Debugger.Loading().CanCloseGame());
    EXPECT_TRUE(Debugger.Sound().IsSoundRecording());
    EXPECT_EQ(Prompter.FileDialogs.back().Title, "Specify file name for recorded sound");
    EXPECT_EQ(Prompter.FileDialogs.back().DefaultExt, "wav");

    // Yes with a file writes it and closes.
    const std::string Wav = (Dir.Path / "sound.wav").string();
    Prompter.Answers.push_back(TMessageResult::Yes);
    Prompter.Files.push_back(Wav);
    EXPECT_TRUE(Debugger.Loading().CanCloseGame());
    EXPECT_TRUE(std::filesystem::exists(Wav));
    EXPECT_EQ(Debugger.MCU(), nullptr);
}

// The buffer is reused from its start once full: the saved file holds the last part only,
// and the user is told so with both lengths.
TEST_F(DebuggerTest, ARecordingLongerThanTheBufferSaysOnlyItsLastPartWasKept) {
    Load();
    Debugger.Sound().ToggleSoundRecording();
    TSHARP_SM5A_MCU& MCU = *Debugger.MCU();
    const auto Length = static_cast<int32_t>(MCU.AudioBuffer().size());
    MCU.RestoreSoundRecording(std::vector<int16_t>(size_t(Length)), Length - 16384 * 3 / 2, 0); // 1.5 s before the end
    while (MCU.RecordedSamples() <= uint64_t(Length) + 16384) Debugger.Run().TraceInto();
    Prompter.Files.push_back((Dir.Path / "long.wav").string());
    Debugger.Sound().ToggleSoundRecording();
    EXPECT_EQ(Prompter.Texts(TMessageKind::Information),
              std::vector<std::string>{"The recording lasted 641.0 seconds, longer than the 640.0 seconds the sound "
                                       "buffer holds: only its last 1.0 seconds were kept."});
}

// No save of the window replaces the ROM file the game was read from, under any name.
TEST_F(DebuggerTest, NoSaveReplacesTheGamesROMFile) {
    Load();
    const std::string ROM = (Dir.Path / "program.rom").string();
    const std::string Bytes = Dir.Read("program.rom");
    std::filesystem::create_symlink(ROM, Dir.Path / "link.rom");
    Debugger.Sound().ToggleSoundRecording();
    Debugger.Run().TraceInto();
    const std::function<void()> Saves[] = {
        [&] { Debugger.Navigation().SaveDisassembly(); },
        [&] { Debugger.Sound().ToggleSoundRecording(); },
        [&] { Debugger.SessionCommands().SaveAsCommand(); },
    };
    for (const auto& Save : Saves) {
        for (const std::string& Name : {ROM, (Dir.Path / "link.rom").string()}) {
            Prompter.Messages.clear();
            Prompter.Files.push_back(Name);
            Save();
            EXPECT_EQ(Prompter.Texts(TMessageKind::Error),
                      std::vector<std::string>{"\"" + Name + "\" is the ROM file of the game; name another file."});
        }
    }
    EXPECT_EQ(Dir.Read("program.rom"), Bytes);
    EXPECT_TRUE(Debugger.Sound().IsSoundRecording());
}

} // namespace
} // namespace tarvolin::test
