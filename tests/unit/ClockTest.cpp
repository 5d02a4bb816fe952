#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "engine/Clock.h"
#include "support/CoreTestSupport.h"

namespace
{
struct Edge
{
    int tick, state;
    double position;
};

// 1000 samples per beat, one cycle per beat.
Clock makeClock()
{
    Clock clock;
    clock.setSampleRate (1000.0);
    clock.setTempo (60.0);
    clock.setCyclesPerBeat (1.0);
    return clock;
}

std::vector<Edge> edgesOf (Clock& clock, int ticks)
{
    std::vector<Edge> edges;
    for (int i = 0; i < ticks; ++i)
        if (clock.tick())
            edges.push_back ({ i, clock.isInFirstPart() ? 0 : 1, clock.getPosition() });
    return edges;
}
} // namespace

TEST (Clock, EdgesComeAtEachBeatAndHalfABeatLater)
{
    Clock clock = makeClock();
    clock.start (0.0);
    const auto edges = edgesOf (clock, 3100);
    // The position accumulates a rounded step per sample, so an edge may come one sample late.
    const int expectedTicks[] = { 0, 500, 1000, 1500, 2000, 2500, 3000 };
    ASSERT_EQ (edges.size(), 7u);
    for (size_t i = 0; i < edges.size(); ++i)
    {
        EXPECT_NEAR (edges[i].tick, expectedTicks[i], 1) << i;
        EXPECT_EQ (edges[i].state, (int) (i % 2)) << i;
    }
    EXPECT_NEAR (edges[2].position, 1.001, 1e-9);
}

TEST (Clock, AStartInsideABeatGivesAnImmediateEdgeAndTheOscillatorThatPhase)
{
    Clock clock = makeClock();
    clock.start (0.3);
    ASSERT_TRUE (clock.tick());
    EXPECT_TRUE (clock.isInFirstPart());

    auto core = CoreTestSupport::makeCore (44100.0f, { { QuilvernCore::lfo1Sync, 0.34f } });
    core->syncOscillator (0, clock);
    EXPECT_NEAR (core->getPhase (0, 0), 0.301 * 2.0 * 3.141592653589793, 1e-9);
    EXPECT_EQ (core->getPhase (0, 1), core->getPhase (0, 0));

    auto freeRunning = CoreTestSupport::makeCore (44100.0f);
    freeRunning->syncOscillator (0, clock);
    EXPECT_EQ (freeRunning->getPhase (0, 0), 0.0);
}

TEST (Clock, StoppedOrWithoutUsableTempoItProducesNoEdges)
{
    Clock stopped = makeClock();
    EXPECT_TRUE (edgesOf (stopped, 2000).empty());

    for (const double tempo : { 0.0, -120.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        SCOPED_TRACE (tempo);
        Clock clock = makeClock();
        clock.setTempo (tempo);
        clock.start (0.25);
        EXPECT_TRUE (edgesOf (clock, 5000).empty());
        EXPECT_EQ (clock.getPosition(), 0.25);

        clock.setTempo (60.0); // a usable tempo brings the schedule back at once
        const auto edges = edgesOf (clock, 800);
        ASSERT_EQ (edges.size(), 3u);
        EXPECT_EQ (edges[0].tick, 0);
        EXPECT_NEAR (edges[1].tick, 250, 1);
        EXPECT_NEAR (edges[2].tick, 750, 1);
    }

    Clock restarted = makeClock();
    restarted.start (0.0);
    edgesOf (restarted, 700);
    restarted.stop();
    EXPECT_TRUE (edgesOf (restarted, 2000).empty());
    restarted.start (2.0);
    EXPECT_TRUE (restarted.tick());
}
