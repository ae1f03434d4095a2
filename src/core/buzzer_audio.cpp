#include "core/buzzer_audio.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvolin {

// ---- ring ----

TAudioRing::TAudioRing(size_t Capacity) { Reset(Capacity); }

void TAudioRing::Reset(size_t Capacity) {
    FBuffer.assign(std::max<size_t>(Capacity, 1), 0);
    FLimit.store(FBuffer.size());
    FWritten.store(0);
    FRead.store(0);
    FDropped.store(0);
    FMissing.store(0);
}

size_t TAudioRing::Filled() const {
    return static_cast<size_t>(FWritten.load(std::memory_order_acquire) - FRead.load(std::memory_order_acquire));
}

size_t TAudioRing::Write(const int16_t* Samples, size_t Count) {
    const uint64_t w = FWritten.load(std::memory_order_relaxed);
    const uint64_t r = FRead.load(std::memory_order_acquire);
    const size_t filled = static_cast<size_t>(w - r);
    const size_t limit = FLimit.load(std::memory_order_relaxed);
    const size_t free = limit > filled ? limit - filled : 0;
    const size_t n = std::min(Count, free);
    for (size_t i = 0; i < n; ++i) FBuffer[(w + i) % FBuffer.size()] = Samples[i];
    FWritten.store(w + n, std::memory_order_release);
    if (n < Count) FDropped.fetch_add(Count - n, std::memory_order_relaxed);
    return n;
}

size_t TAudioRing::Read(int16_t* Samples, size_t Count) {
    const uint64_t r = FRead.load(std::memory_order_relaxed);
    const uint64_t w = FWritten.load(std::memory_order_acquire);
    const size_t n = std::min(Count, static_cast<size_t>(w - r));
    for (size_t i = 0; i < n; ++i) Samples[i] = FBuffer[(r + i) % FBuffer.size()];
    FRead.store(r + n, std::memory_order_release);
    if (n < Count) FMissing.fetch_add(Count - n, std::memory_order_relaxed);
    return n;
}

// ---- resampler ----

namespace {

// Full scale of a level of 1 before the volume: a square of +-1 through the high-pass swings
// up to twice that at its edges when its period is long, and stays inside 16 bits.
constexpr double PeakScale = 0.45 * 32767.0;

int Level(TBuzzerWave Wave, int Bit, int PreviousBit) {
    // A low line drives the speaker (the recording's raw level is 1 - bit as well).
    return Wave == TBuzzerWave::Raw ? 1 - 2 * Bit : PreviousBit - Bit;
}

} // namespace

void TBuzzerResampler::Start(uint32_t CycleRate, uint32_t DeviceRate, TBuzzerWave Wave, int FirstBit) {
    FRunning = true;
    FWave = Wave;
    FCycleRate = std::max<uint32_t>(CycleRate, 1);
    FDeviceRate = std::max<uint32_t>(DeviceRate, 1);
    FPreviousBit = FirstBit & 1;
    FSum = 0;
    FFilled = 0;
    // The high-pass starts settled on the level the line has now: no step at the start.
    FLastIn = Level(FWave, FPreviousBit, FPreviousBit);
    FLastOut = 0;
    FPole = std::exp(-2.0 * std::numbers::pi * HighPassHertz / FDeviceRate);
    FFadeLength = std::max<uint32_t>(1, FDeviceRate * FadeMilliseconds / 1000);
    FFadePos = 0;
}

void TBuzzerResampler::SetCycleRate(uint32_t CycleRate) {
    CycleRate = std::max<uint32_t>(CycleRate, 1);
    if (CycleRate == FCycleRate) return;
    // The sample under way keeps the share of it already covered.
    FSum = FSum * CycleRate / FCycleRate;
    FFilled = static_cast<uint32_t>(static_cast<uint64_t>(FFilled) * CycleRate / FCycleRate);
    FCycleRate = CycleRate;
}

void TBuzzerResampler::Emit(int64_t Sum, std::vector<int16_t>& Out) {
    const double x = static_cast<double>(Sum) / FCycleRate;
    const double y = x - FLastIn + FPole * FLastOut;
    FLastIn = x;
    FLastOut = y;
    double gain = FVolume;
    if (FFadePos < FFadeLength) gain *= static_cast<double>(FFadePos++) / FFadeLength;
    const double v = std::clamp(y * gain * PeakScale, -32767.0, 32767.0);
    Out.push_back(static_cast<int16_t>(std::lrint(v)));
}

void TBuzzerResampler::Feed(const uint8_t* Bits, size_t Count, std::vector<int16_t>& Out) {
    if (!FRunning) return;
    const int64_t unitsPerCycle = FDeviceRate;
    const int64_t unitsPerSample = FCycleRate;
    for (size_t i = 0; i < Count; ++i) {
        const int bit = Bits[i] & 1;
        const int64_t level = Level(FWave, bit, FPreviousBit);
        FPreviousBit = bit;
        int64_t remaining = unitsPerCycle;
        while (FFilled + remaining >= unitsPerSample) {
            const int64_t take = unitsPerSample - FFilled;
            Emit(FSum + level * take, Out);
            FSum = 0;
            FFilled = 0;
            remaining -= take;
        }
        FSum += level * remaining;
        FFilled += static_cast<uint32_t>(remaining);
    }
}

void TBuzzerResampler::Finish(std::vector<int16_t>& Out) {
    if (!FRunning) return;
    FRunning = false;
    // The wave goes on at its last level (which the high-pass lets die away) under a ramp from
    // the gain in force down to nothing.
    const double start = FVolume * (FFadePos < FFadeLength ? static_cast<double>(FFadePos) / FFadeLength : 1.0);
    for (uint32_t i = 1; i <= FFadeLength; ++i) {
        const double y = FPole * FLastOut; // input held: its difference is 0
        FLastOut = y;
        const double gain = start * (1.0 - static_cast<double>(i) / FFadeLength);
        Out.push_back(static_cast<int16_t>(std::lrint(std::clamp(y * gain * PeakScale, -32767.0, 32767.0))));
    }
}

} // namespace tarvolin
