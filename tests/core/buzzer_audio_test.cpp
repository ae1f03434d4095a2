// Live buzzer audio: the machine's tap, the resampler's output for known bit patterns and the
// ring buffer between the run and the device.
#include <algorithm>
#include <cmath>

#include "core/buzzer_audio.h"
#include "mcu_test_support.h"

namespace tarvolin::test {
namespace {

// ---- the tap ----

TEST(BuzzerTap, GivesLineR1OncePerMachineCycleAndChangesNothingInTheRun) {
    TCoreEnvironment Env;
    auto tapped = NewMCU();
    auto plain = NewMCU();
    for (auto* m : {tapped.get(), plain.get()}) {
        m->ROM.fill(0x01); // ATR: R := Acc, one cycle each
        m->StartSoundRecording();
    }
    std::vector<uint8_t> bits;
    tapped->SetBuzzerTap(&bits);
    const uint8_t Acc[] = {0, 1, 1, 0, 3, 2, 1, 0, 0, 1};
    for (int i = 0; i < 400; ++i) {
        for (auto* m : {tapped.get(), plain.get()}) {
            m->Acc = Acc[i % std::size(Acc)];
            Step(*m);
        }
    }
    ASSERT_EQ(bits.size(), tapped->CycleCount);
    for (size_t i = 0; i < bits.size(); ++i) // the recording's raw level is 1 - R1
        ASSERT_EQ(tapped->AudioBuffer()[i] != 0, bits[i] == 0) << "cycle " << i;
    EXPECT_EQ(tapped->PC, plain->PC);
    EXPECT_EQ(tapped->T, plain->T);
    EXPECT_EQ(tapped->CycleCount, plain->CycleCount);
    EXPECT_EQ(tapped->AudioBufferPos(), plain->AudioBufferPos());
    EXPECT_EQ(tapped->PreviousSoundBit(), plain->PreviousSoundBit());
    tapped->SetBuzzerTap(nullptr);
    Step(*tapped);
    EXPECT_EQ(bits.size(), 400u) << "a removed tap takes nothing";
}

// ---- the resampler ----

std::vector<int16_t> Play(uint32_t CycleRate, uint32_t DeviceRate, TBuzzerWave Wave, const std::vector<uint8_t>& Bits,
                          double Volume = 1.0) {
    TBuzzerResampler r;
    r.Start(CycleRate, DeviceRate, Wave, Bits.empty() ? 0 : Bits[0]);
    r.SetVolume(Volume);
    std::vector<int16_t> out;
    // In uneven pieces, as the slices of a run hand them over.
    for (size_t i = 0; i < Bits.size();) {
        const size_t n = std::min<size_t>(Bits.size() - i, 1 + (i * 7) % 301);
        r.Feed(Bits.data() + i, n, out);
        i += n;
    }
    return out;
}

std::vector<uint8_t> Square(size_t Cycles, size_t HalfPeriod) {
    std::vector<uint8_t> bits(Cycles);
    for (size_t i = 0; i < Cycles; ++i) bits[i] = (i / HalfPeriod) & 1;
    return bits;
}

int Peak(const std::vector<int16_t>& S, size_t From, size_t To) {
    int p = 0;
    for (size_t i = From; i < std::min(To, S.size()); ++i) p = std::max(p, std::abs(int{S[i]}));
    return p;
}

int SignChanges(const std::vector<int16_t>& S, size_t From) {
    int n = 0, last = 0;
    for (size_t i = From; i < S.size(); ++i) {
        const int s = S[i] > 0 ? 1 : (S[i] < 0 ? -1 : 0);
        if (s && last && s != last) ++n;
        if (s) last = s;
    }
    return n;
}

TEST(BuzzerResampler, SquareWavesKeepPitchAndSampleCountAtEveryRate) {
    struct TCase {
        uint32_t CycleRate, DeviceRate;
        size_t HalfPeriod; // cycles
    } Cases[] = {
        {16384, 48000, 16},  // 512 Hz at the real chip's rate
        {16384, 44100, 41},  // a period that fits no sample grid
        {4096, 48000, 4},    // 25 % speed: 512 Hz again, from far fewer cycles
        {65536, 48000, 64},  // 400 %: fewer samples than cycles
        {32768, 22050, 9},   // near the device's Nyquist rate
    };
    for (const TCase& c : Cases) {
        SCOPED_TRACE(testing::Message() << c.CycleRate << " -> " << c.DeviceRate << ", half period " << c.HalfPeriod);
        const size_t cycles = c.CycleRate; // one second
        const auto out = Play(c.CycleRate, c.DeviceRate, TBuzzerWave::Raw, Square(cycles, c.HalfPeriod));
        EXPECT_EQ(out.size(), c.DeviceRate) << "exactly one second of samples, whatever the pieces";
        const double hertz = c.CycleRate / (2.0 * c.HalfPeriod);
        // Past the fade-in, the wave crosses zero twice a period.
        const size_t from = c.DeviceRate / 100;
        EXPECT_NEAR(SignChanges(out, from), 2 * hertz * 0.99, 3);
        EXPECT_GT(Peak(out, from, out.size()), 0.3 * 32767);
    }
}

TEST(BuzzerResampler, AveragesOverEachSampleSoToneAboveTheDeviceRangeIsWeak) {
    // A line toggled every cycle at 65536 cycles per second is a 32768 Hz tone, which 48000
    // samples per second cannot carry: averaged over 1.37 cycles its alias stays at half the
    // level of an audible tone, where taking one value per sample would play it at full level.
    const auto fast = Play(65536, 48000, TBuzzerWave::Raw, Square(65536, 1));
    const auto audible = Play(65536, 48000, TBuzzerWave::Raw, Square(65536, 64));
    EXPECT_LT(Peak(fast, 4800, fast.size()), 0.6 * Peak(audible, 4800, audible.size()));
}

TEST(BuzzerResampler, SteadyLineIsSilentAndATonesEndDiesAway) {
    for (TBuzzerWave wave : {TBuzzerWave::Raw, TBuzzerWave::Derivation}) {
        for (uint8_t bit : {0, 1}) {
            const auto out = Play(16384, 48000, wave, std::vector<uint8_t>(16384, bit));
            EXPECT_EQ(Peak(out, 0, out.size()), 0) << "no step at the start of a run on a steady line";
        }
        // A tone, then the line held low for 200 ms: the speaker comes back to rest.
        std::vector<uint8_t> bits = Square(8192, 8);
        bits.resize(8192 + 3277, 0);
        const auto out = Play(16384, 48000, wave, bits);
        EXPECT_GT(Peak(out, 0, 24000), 5000);
        EXPECT_LT(Peak(out, out.size() - 480, out.size()), 330) << "under 1 % after 190 ms";
    }
}

TEST(BuzzerResampler, FadesInAndOutWithoutASteps) {
    // A tone from the very first cycle: the first samples rise over the fade, the Finish tail
    // falls to nothing, and no two neighbours differ by more than a wave edge under the ramp.
    TBuzzerResampler r;
    r.Start(16384, 48000, TBuzzerWave::Raw, 1);
    std::vector<int16_t> out;
    const auto bits = Square(16384 / 10, 16);
    r.Feed(bits.data(), bits.size(), out);
    const size_t fade = 48000 * TBuzzerResampler::FadeMilliseconds / 1000;
    EXPECT_LT(std::abs(int{out[0]}), 200);
    EXPECT_LT(Peak(out, 0, fade / 4), Peak(out, fade, 2 * fade) / 2);
    const size_t before = out.size();
    r.Finish(out);
    EXPECT_FALSE(r.Running());
    ASSERT_EQ(out.size() - before, fade);
    EXPECT_EQ(out.back(), 0);
    for (size_t i = before; i < out.size(); ++i)
        EXPECT_LE(std::abs(out[i] - out[i - 1]), std::abs(int{out[before - 1]}) / 50 + 300) << i - before;
    r.Feed(bits.data(), bits.size(), out);
    EXPECT_EQ(out.size(), before + fade) << "nothing after Finish";
}

TEST(BuzzerResampler, VolumeScalesAndRateChangesKeepTime) {
    const auto full = Play(16384, 48000, TBuzzerWave::Raw, Square(16384, 16), 1.0);
    const auto half = Play(16384, 48000, TBuzzerWave::Raw, Square(16384, 16), 0.5);
    EXPECT_NEAR(Peak(half, 480, half.size()), Peak(full, 480, full.size()) / 2, 2);
    EXPECT_EQ(Peak(Play(16384, 48000, TBuzzerWave::Raw, Square(16384, 16), 0.0), 0, 48000), 0);

    // Half a second at 100 %, then the speed goes to 200 %: 16384 cycles more are another half
    // second of sound.
    TBuzzerResampler r;
    r.Start(16384, 48000, TBuzzerWave::Raw, 0);
    std::vector<int16_t> out;
    const auto a = Square(8192, 16), b = Square(16384, 16);
    r.Feed(a.data(), a.size(), out);
    r.SetCycleRate(32768);
    r.Feed(b.data(), b.size(), out);
    EXPECT_NEAR(static_cast<double>(out.size()), 48000.0, 1.0);
}

TEST(BuzzerResampler, DerivationWaveSoundsOnlyAtTheEdges) {
    // One change of the line in a second: a single click, then silence.
    std::vector<uint8_t> bits(16384, 0);
    std::fill(bits.begin() + 8192, bits.end(), 1);
    const auto out = Play(16384, 48000, TBuzzerWave::Derivation, bits);
    EXPECT_EQ(Peak(out, 0, 24000 - 3), 0);
    EXPECT_GT(Peak(out, 24000 - 3, 24000 + 4), 3000);
    EXPECT_LT(Peak(out, 24000 + 2400, out.size()), 200);
}

// ---- the ring ----

TEST(AudioRing, KeepsOrderAcrossTheWrapAndCountsOverflowAndUnderflow) {
    TAudioRing ring(8);
    std::vector<int16_t> in(20), out(20);
    for (int i = 0; i < 20; ++i) in[size_t(i)] = int16_t(i + 1);
    struct TOp {
        bool Write;
        size_t Count, Expected;
        int16_t First; // the first sample read (reads)
        uint64_t Dropped, Missing;
    } Ops[] = {
        {true, 5, 5, 0, 0, 0},   // 1..5
        {false, 3, 3, 1, 0, 0},  // 1..3 out
        {true, 10, 6, 0, 4, 0},  // 6..11 fit (full at 8), 12..15 are dropped
        {false, 20, 8, 4, 4, 12}, // 4,5,6..11 across the wrap; 12 samples were missing
        {true, 3, 3, 0, 4, 12},  // 16..18
        {false, 3, 3, 16, 4, 12},
    };
    size_t next = 0;
    for (const TOp& op : Ops) {
        if (op.Write) {
            EXPECT_EQ(ring.Write(in.data() + next, op.Count), op.Expected);
            next += op.Count;
        } else {
            ASSERT_EQ(ring.Read(out.data(), op.Count), op.Expected);
            EXPECT_EQ(out[0], op.First);
            for (size_t i = 1; i < op.Expected; ++i) EXPECT_EQ(out[i], out[i - 1] + 1);
        }
        EXPECT_EQ(ring.DroppedSamples(), op.Dropped);
        EXPECT_EQ(ring.MissingSamples(), op.Missing);
    }
    // A limit below the capacity holds the latency down; it never goes above the capacity.
    ring.SetLimit(4);
    EXPECT_EQ(ring.Write(in.data(), 6), 4u);
    ring.SetLimit(100);
    EXPECT_EQ(ring.Limit(), 8u);
    EXPECT_EQ(ring.Filled(), 4u);
}

} // namespace
} // namespace tarvolin::test
