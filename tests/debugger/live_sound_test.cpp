// Live sound: when the buzzer is heard (the mute rules), what a run hands the audio output,
// a missing device, and the Sound command remembered in the settings.
#include <functional>

#include "base/tick_source.h"
#include "debugger_fixture.h"

namespace tarvolin::test {
namespace {

// A clock that never waits: paced runs go as fast as the test can run them.
class TInstantClock : public TTickSource {
public:
    uint32_t Now = 1;
    uint32_t GetTickCount() override { return Now; }
    void Sleep(uint32_t Milliseconds) override { Now += Milliseconds; }
};

// An audio output that plays nothing: it records what it was asked and can be absent.
class TFakeOutput : public TAudioOutput {
public:
    uint32_t Rate = 48000;
    std::string Reason; // given when Rate is 0
    int Opens = 0, Closes = 0;
    TAudioRing* Ring = nullptr;
    uint32_t Open(TAudioRing& R, std::string& Why) override {
        ++Opens;
        Ring = &R;
        Why = Reason;
        return Rate;
    }
    void Close() override { ++Closes; }
    std::vector<int16_t> Drain() {
        std::vector<int16_t> out(Ring ? Ring->Filled() : 0);
        if (Ring) Ring->Read(out.data(), out.size());
        return out;
    }
};

TEST(LiveSoundRules, AudibleOnlyInARunAtARealTimeSpeedUnlessTheOptionsSayOtherwise) {
    struct TCase {
        const char* Name;
        TLiveSoundConditions C;
        bool Audible;
    } Cases[] = {
        //                              on     vol  run    paced  min    muteFull muteMin
        {"paced run", {true, 50, true, true, false, true, true}, true},
        {"sound off", {false, 50, true, true, false, true, true}, false},
        {"volume 0", {true, 0, true, true, false, true, true}, false},
        {"stopped or animated", {true, 50, false, true, false, true, true}, false},
        {"full speed", {true, 50, true, false, false, true, true}, false},
        {"full speed, not muted", {true, 50, true, false, false, false, true}, true},
        {"minimised", {true, 50, true, true, true, true, true}, false},
        {"minimised, not muted", {true, 50, true, true, true, true, false}, true},
        {"minimised at full speed, neither muted", {true, 50, true, false, true, false, false}, true},
        {"minimised at full speed, only full speed muted", {true, 50, true, false, true, true, false}, false},
    };
    for (const TCase& c : Cases) EXPECT_EQ(LiveSoundAudible(c.C), c.Audible) << c.Name;
}

class LiveSoundTest : public DebuggerTest {
protected:
    void SetUp() override {
        DebuggerTest::SetUp();
        Debugger.LiveSound().SetAudioOutput(&Output);
    }
    void TearDown() override {
        Debugger.LiveSound().SetAudioOutput(nullptr);
        DebuggerTest::TearDown();
    }
    // A tone on R1: R := Acc alternately 1 and 0, one cycle each, for ever.
    void LoadTone() {
        LoadSource(".org 3C0\n"
                   "loop:   LAX Acc,0x1\n"
                   "        ATR R,Acc\n"
                   "        LAX Acc,0x0\n"
                   "        ATR R,Acc\n"
                   "        TR loop\n");
        MCU().SetTickSource(&Clock);
    }
    void Slices(int N) {
        for (int i = 0; i < N; ++i) {
            Debugger.Run().RunSlice(64);
            Debugger.LiveSound().Frame();
        }
    }
    TInstantClock Clock;
    TFakeOutput Output;
};

TEST_F(LiveSoundTest, APacedRunPlaysTheToneAfterACushionAndFadesOutWhenItStops) {
    LoadTone();
    Debugger.Run().SetSpeedFactor(3); // 100 %
    const uint64_t cycles0 = MCU().CycleCount;
    Debugger.Run().UnattendedRun();
    ASSERT_TRUE(Debugger.LiveSound().IsPlaying());
    EXPECT_EQ(Output.Opens, 1);
    EXPECT_TRUE(MCU().HasBuzzerTap());
    Slices(5);
    const uint64_t cycles = MCU().CycleCount - cycles0;
    // 30 ms of silence first, then 48000 samples for every 16384 cycles.
    std::vector<int16_t> played = Output.Drain();
    ASSERT_GE(played.size(), 1440u);
    for (size_t i = 0; i < 1440; ++i) ASSERT_EQ(played[i], 0) << i;
    EXPECT_NEAR(static_cast<double>(played.size() - 1440), cycles * 48000.0 / 16384, 1.0);
    int loud = 0;
    for (size_t i = 1440 + 240; i < played.size(); ++i) loud = std::max(loud, std::abs(int{played[i]}));
    EXPECT_GT(loud, 1000) << "the tone is heard at 50 % volume";

    Debugger.Run().Pause();
    EXPECT_FALSE(Debugger.LiveSound().IsPlaying());
    EXPECT_FALSE(MCU().HasBuzzerTap()) << "a stopped run leaves the machine's fast path alone";
    EXPECT_EQ(Output.Closes, 1);
    played = Output.Drain();
    ASSERT_EQ(played.size(), 240u) << "5 ms of fade";
    EXPECT_EQ(played.back(), 0);
}

TEST_F(LiveSoundTest, TheMuteRulesFollowTheSpeedTheWindowAndTheSoundCommand) {
    LoadTone();
    Debugger.Run().SetSpeedFactor(3);
    Debugger.Run().UnattendedRun();
    struct TStep {
        const char* Name;
        std::function<void(TDebugger&)> Do;
        bool Playing;
    } Steps[] = {
        {"full speed", [](TDebugger& D) { D.Run().SetSpeedFactor(6); }, false},
        {"200 %", [](TDebugger& D) { D.Run().SetSpeedFactor(4); }, true},
        {"minimised", [](TDebugger& D) { D.LiveSound().SetMinimised(true); }, false},
        {"restored", [](TDebugger& D) { D.LiveSound().SetMinimised(false); }, true},
        {"Sound off", [](TDebugger& D) { D.LiveSound().ToggleSound(); }, false},
        {"Sound on", [](TDebugger& D) { D.LiveSound().ToggleSound(); }, true},
        {"paused", [](TDebugger& D) { D.Run().Pause(); }, false},
    };
    for (const TStep& s : Steps) {
        s.Do(Debugger);
        Slices(2);
        EXPECT_EQ(Debugger.LiveSound().IsPlaying(), s.Playing) << s.Name;
        EXPECT_EQ(MCU().HasBuzzerTap(), s.Playing) << s.Name;
    }
    EXPECT_TRUE(View.States.LiveSoundChecked);
    EXPECT_EQ(Store.Read("", "LiveSound"), "1") << "the command writes the settings";
}

TEST_F(LiveSoundTest, NoAudioDeviceMeansSilenceAndANoteNeverAnErrorBox) {
    Output.Rate = 0;
    LoadTone();
    Debugger.Run().SetSpeedFactor(3);
    Debugger.Run().UnattendedRun();
    Slices(10);
    EXPECT_FALSE(Debugger.LiveSound().IsPlaying());
    EXPECT_FALSE(MCU().HasBuzzerTap());
    EXPECT_EQ(View.SoundNote, "No sound: no audio output device.");
    EXPECT_TRUE(Prompter.Messages.empty());
    EXPECT_TRUE(Debugger.Run().IsFullRun()) << "the run goes on";

    // The device's own reason is shown as it comes; switching the sound off clears the note.
    Debugger.Run().Pause();
    Output.Reason = "No sound: the audio output could not be started.";
    Debugger.Run().UnattendedRun();
    EXPECT_EQ(View.SoundNote, Output.Reason);
    Debugger.LiveSound().ToggleSound();
    EXPECT_EQ(View.SoundNote, "");
    EXPECT_EQ(Store.Read("", "LiveSound"), "0");
}

} // namespace
} // namespace tarvolin::test
