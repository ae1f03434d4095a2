// The live sound feature: while a run goes on, the buzzer (line R1, raw or derivation wave
// as the sound option says) is played through the system's audio output. The machine hands
// over one bit per machine cycle through its buzzer tap; after every slice of the run the bits
// are resampled to the device's rate and put into a small ring buffer, which the audio device
// drains. The "Sound" command switches it, the volume and the two mute rules (at full
// emulation speed, while the window is minimised) are options; everything is remembered in the
// settings. Without an audio device the run stays silent and the status bar says so.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/buzzer_audio.h"
#include "debugger/debugger_view.h"
#include "debugger/feature_links.h"
#include "debugger/prompter.h"

namespace tarvolin {

class TSettings;

// The audio device, as the window provides it.
class TAudioOutput {
public:
    virtual ~TAudioOutput() = default;
    // Starts the default output pulling 16-bit mono samples from Ring (or keeps it going when
    // it is still playing out the last run). Returns the device's sample rate, or 0 when no
    // output can play (Reason then says why, in the interface language).
    virtual uint32_t Open(TAudioRing& Ring, std::string& Reason) = 0;
    // Stops once what the ring holds has played (the fade to silence).
    virtual void Close() = 0;
};

// What decides whether the buzzer is heard.
struct TLiveSoundConditions {
    bool Enabled = false;          // the Sound command
    int Volume = 0;                // percent
    bool FullRun = false;          // a run goes on (not a single step, not an animated run)
    bool Paced = false;            // at a real-time speed
    bool Minimised = false;        // the window is minimised
    bool MuteAtFullSpeed = true;   // option
    bool MuteWhenMinimised = true; // option
};
bool LiveSoundAudible(const TLiveSoundConditions& C);

class TLiveSoundControl {
public:
    // The ring holds at most this much sound; a run starts with the first part of it silent,
    // which absorbs the unevenness of the slices.
    static constexpr uint32_t RingMilliseconds = 60;
    static constexpr uint32_t CushionMilliseconds = 30;
    // The cycle rate the buzzer is heard at when a run without a real-time rate is not muted.
    static constexpr uint32_t RealTimeCycleRate = 16384;
    // The ring's storage: 60 ms at the highest device rates.
    static constexpr size_t RingCapacity = 16384;

    TLiveSoundControl(TLoadedGame& Game, TRunState& Run, TWindowView& Window, TPrompter& Prompter,
                      TSettings& Settings, TStateSink& States);

    // nullptr: no audio output (the headless program, tests); runs are then silent.
    void SetAudioOutput(TAudioOutput* Output);

    // The Sound command: switches the sound, remembers the choice, says so in the status bar.
    void ToggleSound();
    bool IsSoundOn() const;
    // The window was minimised or restored.
    void SetMinimised(bool Minimised);
    // The run state, the speed, the game or an option changed: start or stop playing.
    void Update();
    // After each slice of a run: the slice's cycles into the ring.
    void Frame();

    TLiveSoundConditions Conditions() const;
    bool IsPlaying() const { return FPlaying; }
    const TAudioRing& Ring() const { return FRing; }
    // The note the status bar shows ("" = none).
    const std::string& Note() const { return FNote; }

private:
    void StartPlaying();
    void StopPlaying();
    uint32_t CycleRate() const;
    TBuzzerWave Wave() const;
    void SetNote(std::string Note);

    TLoadedGame& FGame;
    TRunState& FRun;
    TWindowView& FWindow;
    TPrompter& FPrompter;
    TSettings& FSettings;
    TStateSink& FStates;
    TAudioOutput* FOutput = nullptr;

    bool FMinimised = false;
    bool FPlaying = false;
    bool FOpenFailed = false; // this run found no audio output: not asked again until it ends
    uint32_t FDeviceRate = 0;
    TBuzzerWave FWave = TBuzzerWave::Raw;
    std::vector<uint8_t> FBits; // the machine's tap
    std::vector<int16_t> FSamples;
    TBuzzerResampler FResampler;
    TAudioRing FRing{RingCapacity};
    std::string FNote;
};

} // namespace tarvolin
