// Buzzer capture: one sample of line R1 per machine cycle, saved as a 16-bit mono WAV file.
#include <algorithm>
#include <string_view>

#include "base/safe_file.h"
#include "base/text_format.h"
#include "base/translate.h"
#include "core/mcu.h"

namespace tarvolin {

namespace {

constexpr uint32_t AudioBufferLength = 0xA00000; // 640 seconds at 16384 samples per second
constexpr uint32_t WavSampleRate = 16384;

void PutLE(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

} // namespace

void TSHARP_SM5A_MCU::StartSoundRecording() {
    if (FAudioBuffer.empty()) FAudioBuffer.assign(AudioBufferLength, 0);
    FAudioBufferPos = 0;
    FAudioBufferReuses = 0;
    FPreviousSoundBit = IO.R & 1;
    UpdateRareCycleWork();
}

void TSHARP_SM5A_MCU::StopSoundRecording() {
    FAudioBufferPos = 0;
    FAudioBufferReuses = 0;
    std::vector<int16_t>().swap(FAudioBuffer);
    UpdateRareCycleWork();
}

bool TSHARP_SM5A_MCU::IsSoundRecordingActive() const {
    return !FAudioBuffer.empty() && FAudioBufferPos > 0;
}

void TSHARP_SM5A_MCU::SetBuzzerTap(std::vector<uint8_t>* Bits) {
    FBuzzerTap = Bits;
    UpdateRareCycleWork();
}

void TSHARP_SM5A_MCU::RestoreSoundRecording(std::vector<int16_t> Buffer, int32_t Pos, int32_t PreviousBit) {
    if (!Buffer.empty()) Buffer.resize(AudioBufferLength, 0);
    FAudioBuffer = std::move(Buffer);
    FAudioBufferPos = (Pos < 0 || Pos > static_cast<int32_t>(FAudioBuffer.size())) ? 0 : Pos;
    FPreviousSoundBit = PreviousBit & 1;
    FAudioBufferReuses = 0; // a session keeps the buffer, not how often it was reused
    UpdateRareCycleWork();
}

std::string TSHARP_SM5A_MCU::SoundRecordingCutNote() const {
    if (FAudioBufferReuses == 0) return {};
    return Format(Tr("SoundRecording", "The recording lasted %.1f seconds, longer than the %.1f seconds the sound "
                                       "buffer holds: only its last %.1f seconds were kept.")
                      .c_str(),
                  double(RecordedSamples()) / WavSampleRate, double(AudioBufferLength) / WavSampleRate,
                  double(FAudioBufferPos) / WavSampleRate);
}

void TSHARP_SM5A_MCU::SaveSoundRecording(const std::filesystem::path& FileName) const {
    const uint32_t count =
        FAudioBufferPos > 0 ? std::min<uint32_t>(static_cast<uint32_t>(FAudioBufferPos), FAudioBuffer.size())
                            : 0;
    const uint32_t dataSize = count * 2;

    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataSize);
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    PutLE(bytes, 36 + dataSize, 4);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(bytes, 16, 4);
    PutLE(bytes, 1, 2); // PCM
    PutLE(bytes, 1, 2); // mono
    PutLE(bytes, WavSampleRate, 4);
    PutLE(bytes, WavSampleRate * 2, 4); // bytes per second
    PutLE(bytes, 2, 2);                 // block align
    PutLE(bytes, 16, 2);                // bits per sample
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    PutLE(bytes, dataSize, 4);
    for (uint32_t i = 0; i < count; ++i)
        PutLE(bytes, static_cast<uint16_t>(FAudioBuffer[i]), 2);

    // Written next to the target and renamed over it only when complete, so a failed save
    // never destroys an earlier recording of the same name.
    WriteFileReplacing(FileName, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace tarvolin
