#include "debugger/live_sound.h"

#include <algorithm>

#include "base/options.h"
#include "base/translate.h"
#include "persist/settings.h"

namespace tarvolin {

bool LiveSoundAudible(const TLiveSoundConditions& C) {
    if (!C.Enabled || C.Volume <= 0 || !C.FullRun) return false;
    if (!C.Paced && C.MuteAtFullSpeed) return false;
    if (C.Minimised && C.MuteWhenMinimised) return false;
    return true;
}

TLiveSoundControl::TLiveSoundControl(TLoadedGame& Game, TRunState& Run, TWindowView& Window, TPrompter& Prompter,
                                     TSettings& Settings, TStateSink& States)
    : FGame(Game), FRun(Run), FWindow(Window), FPrompter(Prompter), FSettings(Settings), FStates(States) {}

void TLiveSoundControl::SetAudioOutput(TAudioOutput* Output) {
    if (FPlaying) StopPlaying();
    FOutput = Output;
    Update();
}

bool TLiveSoundControl::IsSoundOn() const { return Options().LiveSound; }

TLiveSoundConditions TLiveSoundControl::Conditions() const {
    const TOptions& o = Options();
    TLiveSoundConditions c;
    c.Enabled = o.LiveSound;
    c.Volume = o.LiveSoundVolume;
    c.FullRun = FGame.IsLoaded() && FRun.IsFullRun();
    const int speed = std::clamp(FRun.SpeedFactor(), 0, static_cast<int>(SpeedFactors.size()) - 1);
    c.Paced = SpeedFactors[size_t(speed)].CyclesPerSecond != 0;
    c.Minimised = FMinimised;
    c.MuteAtFullSpeed = o.MuteLiveSoundAtFullSpeed;
    c.MuteWhenMinimised = o.MuteLiveSoundWhenMinimised;
    return c;
}

uint32_t TLiveSoundControl::CycleRate() const {
    const int speed = std::clamp(FRun.SpeedFactor(), 0, static_cast<int>(SpeedFactors.size()) - 1);
    const uint32_t rate = SpeedFactors[size_t(speed)].CyclesPerSecond;
    return rate ? rate : RealTimeCycleRate;
}

TBuzzerWave TLiveSoundControl::Wave() const {
    return Options().DerivatedSoundWave ? TBuzzerWave::Derivation : TBuzzerWave::Raw;
}

void TLiveSoundControl::SetNote(std::string Note) {
    if (Note == FNote) return;
    FNote = std::move(Note);
    FWindow.SetSoundNote(FNote);
}

void TLiveSoundControl::ToggleSound() {
    Options().LiveSound = !Options().LiveSound;
    if (!Options().LiveSound) SetNote({});
    Update();
    FStates.StatesChanged();
    if (!FSettings.SaveSettings()) FPrompter.Error(Tr("LiveSound", "Unable to save the settings."));
}

void TLiveSoundControl::SetMinimised(bool Minimised) {
    FMinimised = Minimised;
    Update();
}

void TLiveSoundControl::Update() {
    const bool audible = LiveSoundAudible(Conditions());
    if (FPlaying && (!audible || Wave() != FWave)) StopPlaying();
    if (!audible) FOpenFailed = false;
    if (audible && !FPlaying && !FOpenFailed) StartPlaying();
    if (!FPlaying) return;
    FResampler.SetVolume(Options().LiveSoundVolume / 100.0);
    FResampler.SetCycleRate(CycleRate());
    // A game installed during the run gets the tap too.
    if (TSHARP_SM5A_MCU* MCU = FGame.Get(); MCU && !MCU->HasBuzzerTap()) MCU->SetBuzzerTap(&FBits);
}

void TLiveSoundControl::StartPlaying() {
    TSHARP_SM5A_MCU* MCU = FGame.Get();
    if (!MCU || !FOutput) return;
    std::string Reason;
    FDeviceRate = FOutput->Open(FRing, Reason);
    if (FDeviceRate == 0) {
        // Silence, and the reason in the status bar; the run goes on.
        FOpenFailed = true;
        SetNote(Reason.empty() ? Tr("LiveSound", "No sound: no audio output device.") : Reason);
        return;
    }
    SetNote({});
    // The ring starts with a cushion of silence (after what is left of the last run's fade):
    // the first slices need not arrive in time.
    FRing.SetLimit(std::max<size_t>(FDeviceRate * RingMilliseconds / 1000, 64));
    const size_t cushion = FDeviceRate * CushionMilliseconds / 1000;
    if (FRing.Filled() < cushion) FSamples.assign(cushion - FRing.Filled(), 0);
    FRing.Write(FSamples.data(), FSamples.size());
    FSamples.clear();
    FBits.clear();
    FWave = Wave();
    FResampler.Start(CycleRate(), FDeviceRate, FWave, MCU->IO.R & 1);
    FResampler.SetVolume(Options().LiveSoundVolume / 100.0);
    MCU->SetBuzzerTap(&FBits);
    FPlaying = true;
}

void TLiveSoundControl::Frame() {
    if (!FPlaying) {
        FBits.clear();
        return;
    }
    FResampler.SetCycleRate(CycleRate());
    // More than the ring can take is not worth resampling (a run without a real-time rate):
    // only the cycles that fill it are heard.
    const size_t room = FRing.Limit() > FRing.Filled() ? FRing.Limit() - FRing.Filled() : 0;
    const size_t useful = room * static_cast<uint64_t>(FResampler.CycleRate()) / FDeviceRate + 2;
    FResampler.Feed(FBits.data(), std::min(FBits.size(), useful), FSamples);
    FBits.clear();
    FRing.Write(FSamples.data(), FSamples.size());
    FSamples.clear();
}

void TLiveSoundControl::StopPlaying() {
    Frame();
    if (TSHARP_SM5A_MCU* MCU = FGame.Get()) MCU->SetBuzzerTap(nullptr);
    FResampler.Finish(FSamples);
    FRing.Write(FSamples.data(), FSamples.size());
    FSamples.clear();
    FBits.clear();
    FPlaying = false;
    if (FOutput) FOutput->Close();
}

} // namespace tarvolin
