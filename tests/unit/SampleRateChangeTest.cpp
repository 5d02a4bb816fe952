// A new sample rate and block size while a project is open, checked by what
// the user hears: after prepare at 44.1 kHz, then 96 kHz, then 48 kHz the
// oscillators run at their rates in Hz, the notches sit where that rate's
// factor puts them (the sound is that of an instance started at the rate),
// and the synchronised clock's edges fall on the host's beats.
#include <gmock/gmock.h>

#include "engine/Quilvern.h"
#include "engine/QuilvernCore.h"

#include <cmath>
#include <vector>

namespace
{
constexpr double tempo = 120.0;
constexpr double twoPi = 2.0 * juce::MathConstants<double>::pi;

// The phaser, noting at which of its samples the frame re-phases the
// synchronised oscillator (LFO 2).
struct EdgeRecordingCore : QuilvernCore
{
    void processStereo (float* left, float* right, int numSamples) override
    {
        QuilvernCore::processStereo (left, right, numSamples);
        samples += numSamples;
    }

    void syncOscillator (int oscillator, Clock& clock) override
    {
        QuilvernCore::syncOscillator (oscillator, clock);

        if (oscillator == 1)
            edges.push_back (samples);
    }

    long long samples = 0;
    std::vector<long long> edges;
};

// LFO 1 free at 20 Hz, LFO 2 on quarter notes ("1/4", "Full": 2 Hz at 120
// beats per minute), both depths 0, so the notches stand still.
class RateChangeQuilvern : public Quilvern
{
public:
    RateChangeQuilvern()
    {
        setUserSettingsFile (juce::File());
        initialise();

        for (const auto& [index, value] : { std::pair { QuilvernCore::lfo1Rate, 1.0f }, { QuilvernCore::lfo1Depth, 0.0f },
                                            { QuilvernCore::lfo2Depth, 0.0f }, { QuilvernCore::lfo2NoteRate, 0.7f },
                                            { QuilvernCore::lfo2Sync, 1.0f / 3.0f } })
            getParameterManager().setNormalizedValue (index, value);
    }

    std::unique_ptr<Core> createCore() override
    {
        auto made = std::make_unique<EdgeRecordingCore>();
        recorder = made.get();
        return made;
    }

    EdgeRecordingCore* recorder = nullptr;
};

// The host's transport at 120 beats per minute from the song's start, its
// position following the samples played.
struct SongTransport : juce::AudioPlayHead
{
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        info.setBpm (tempo);
        info.setIsPlaying (playing);
        info.setPpqPosition ((double) samples / sampleRate * tempo / 60.0);
        return info;
    }

    double sampleRate = 0.0;
    long long samples = 0;
    bool playing = false;
};

// Plays a 440 Hz tone as a host would after a new prepare: one block with
// the transport stopped, then `seconds` from the song's start. Calls
// `afterBlock` after each played block; returns the played output's left channel.
template <typename AfterBlock>
std::vector<float> playSong (Quilvern& plugin, double rate, int blockSize, double seconds, AfterBlock afterBlock)
{
    SongTransport transport;
    transport.sampleRate = rate;
    plugin.setPlayHead (&transport);
    plugin.releaseResources();
    plugin.prepareToPlay (rate, blockSize);

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    std::vector<float> played;
    long long position = 0;

    const auto nextBlock = [&] {
        for (int i = 0; i < blockSize; ++i, ++position)
            buffer.setSample (0, i, (float) (0.25 * std::sin (twoPi * 440.0 * (double) position / rate))),
                buffer.setSample (1, i, buffer.getSample (0, i));

        plugin.processBlock (buffer, midi);
    };

    nextBlock();
    transport.playing = true;

    while ((double) transport.samples < seconds * rate)
    {
        nextBlock();
        transport.samples += blockSize;
        played.insert (played.end(), buffer.getReadPointer (0), buffer.getReadPointer (0) + blockSize);
        afterBlock (transport.samples);
    }

    plugin.setPlayHead (nullptr);
    return played;
}

// An oscillator's rate in Hz from how far its phase moves, once the
// increment has followed the new rate.
struct PhaseMeter
{
    void sample (double phase)
    {
        if (hasLast)
            turns += std::fmod (phase - last + twoPi, twoPi) / twoPi;

        last = phase;
        hasLast = true;
    }

    double last = 0.0, turns = 0.0;
    bool hasLast = false;
};
} // namespace

TEST (SampleRateChange, RatesNotchesAndClockEdgesFollowEachNewRate)
{
    struct Row
    {
        double rate;
        int blockSize;
        double srFactor;
    };

    constexpr double seconds = 1.6; // beats 0 to 3
    RateChangeQuilvern plugin;
    auto& core = *plugin.recorder;

    for (const auto& row : { Row { 44100.0, 512, 1.0 }, Row { 96000.0, 4096, 1.0681 }, Row { 48000.0, 64, 1.034 } })
    {
        SCOPED_TRACE (row.rate);
        PhaseMeter lfo1, lfo2;
        long long firstMeasured = -1, lastMeasured = 0, playStart = -1;
        core.edges.clear();

        const auto played = playSong (plugin, row.rate, row.blockSize, seconds, [&] (long long samples) {
            if (playStart < 0)
                playStart = core.samples - samples;

            // The second half, long after the increments have settled.
            if (samples < (long long) (seconds / 2.0 * row.rate))
                return;

            lfo1.sample (core.getPhase (0, 0));
            lfo2.sample (core.getPhase (1, 0));
            lastMeasured = samples;

            if (firstMeasured < 0)
                firstMeasured = samples;
        });

        EXPECT_DOUBLE_EQ (core.getSampleRate(), row.rate);
        EXPECT_DOUBLE_EQ (core.getSampleRateFactor(), row.srFactor);

        const double measuredSeconds = (double) (lastMeasured - firstMeasured) / row.rate;
        EXPECT_NEAR (lfo1.turns / measuredSeconds, 20.0, 0.02) << "LFO 1, free";
        EXPECT_NEAR (lfo2.turns / measuredSeconds, 2.0, 0.002) << "LFO 2, on quarter notes";

        // Edges into the clock's first part at every beat: a beat lasts
        // rate / 2 samples at 120 beats per minute.
        ASSERT_EQ (core.edges.size(), 4u);

        for (size_t beat = 0; beat < core.edges.size(); ++beat)
            EXPECT_NEAR ((double) (core.edges[beat] - playStart), (double) beat * row.rate / 2.0, 1.0) << "beat " << beat;

        // The notches: the sound is that of an instance started at this rate.
        RateChangeQuilvern fresh;
        const auto reference = playSong (fresh, row.rate, row.blockSize, seconds, [] (long long) {});
        ASSERT_EQ (played.size(), reference.size());
        double largest = 0.0;

        for (size_t i = played.size() - (size_t) (row.rate / 10.0); i < played.size(); ++i)
            largest = std::max (largest, (double) std::abs (played[i] - reference[i]));

        EXPECT_LT (largest, 1e-5) << "the last 100 ms differ from a fresh instance's";
    }
}
