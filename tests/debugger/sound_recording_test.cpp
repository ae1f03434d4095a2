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

} // namespace
} // namespace tarvolin::test
