// Live buzzer audio: the level of line R1, one value per machine cycle, turned into 16-bit
// samples at an audio device's rate, and the ring buffer that carries them from the run to
// the device.
//
// The converter averages the buzzer level over each output sample's span of machine cycles
// (a box filter, exact in integer arithmetic, so a wave keeps its pitch over any run length),
// takes out the DC part with a one-pole high-pass (a buzzer held at one level falls silent
// within a few tens of milliseconds), scales by the volume, and fades in at the start and out
// at the end, so neither a run's start nor its end puts a step on the speaker.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvolin {

// Single producer (the run), single consumer (the audio device, possibly on its own thread).
// Samples beyond the limit are dropped and counted; a read of more than is there returns what
// is there.
class TAudioRing {
public:
    explicit TAudioRing(size_t Capacity = 4096);
    // Empties the ring and sets a new capacity (only while no reader runs).
    void Reset(size_t Capacity);
    // How much of the capacity the writer may fill (at most the capacity); safe while reading.
    void SetLimit(size_t Limit) { FLimit.store(Limit < FBuffer.size() ? Limit : FBuffer.size()); }
    size_t Limit() const { return FLimit.load(std::memory_order_relaxed); }

    // Writes up to Count samples; returns how many fitted.
    size_t Write(const int16_t* Samples, size_t Count);
    // Reads up to Count samples; returns how many were there.
    size_t Read(int16_t* Samples, size_t Count);

    size_t Capacity() const { return FBuffer.size(); }
    size_t Filled() const;
    uint64_t DroppedSamples() const { return FDropped.load(std::memory_order_relaxed); }
    uint64_t MissingSamples() const { return FMissing.load(std::memory_order_relaxed); }

private:
    std::vector<int16_t> FBuffer;
    std::atomic<size_t> FLimit{0};
    std::atomic<uint64_t> FWritten{0};
    std::atomic<uint64_t> FRead{0};
    std::atomic<uint64_t> FDropped{0};
    std::atomic<uint64_t> FMissing{0};
};

// How the buzzer bit becomes a level: the raw wave follows the line, the derivation wave is a
// one-cycle pulse at each change (the same two forms the WAV recording offers).
enum class TBuzzerWave : uint8_t { Raw, Derivation };

class TBuzzerResampler {
public:
    static constexpr unsigned FadeMilliseconds = 5;
    static constexpr double HighPassHertz = 20.0;

    // CycleRate: machine cycles per second of real time; DeviceRate: output samples per second.
    void Start(uint32_t CycleRate, uint32_t DeviceRate, TBuzzerWave Wave, int FirstBit);
    // A new cycle rate while running (the speed changed): the wave goes on without a break.
    void SetCycleRate(uint32_t CycleRate);
    // 0 (silent) .. 1 (full scale).
    void SetVolume(double Volume) { FVolume = Volume < 0 ? 0 : (Volume > 1 ? 1 : Volume); }

    // Appends the samples of these machine cycles (bit 0 of each byte is line R1) to Out.
    void Feed(const uint8_t* Bits, size_t Count, std::vector<int16_t>& Out);
    // Appends the fade to silence and stops; Feed does nothing until the next Start.
    void Finish(std::vector<int16_t>& Out);

    bool Running() const { return FRunning; }
    uint32_t CycleRate() const { return FCycleRate; }
    uint32_t DeviceRate() const { return FDeviceRate; }

private:
    // One output sample from the box filter's sum (in units of one cycle's share of a sample).
    void Emit(int64_t Sum, std::vector<int16_t>& Out);

    bool FRunning = false;
    TBuzzerWave FWave = TBuzzerWave::Raw;
    uint32_t FCycleRate = 16384;
    uint32_t FDeviceRate = 48000;
    double FVolume = 1.0;
    int FPreviousBit = 0;
    // Box filter: one cycle covers FDeviceRate units, one output sample FCycleRate units.
    int64_t FSum = 0;     // level times units gathered for the sample under way
    uint32_t FFilled = 0; // units of the sample under way already covered
    // High-pass state and the fade.
    double FLastIn = 0, FLastOut = 0, FPole = 0;
    uint32_t FFadeLength = 1, FFadePos = 0;
};

} // namespace tarvolin
