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
struct TestClock : Clock
{
    TestClock()
    {
        setSampleRate (1000.0);
        setTempo (60.0);
        setCyclesPerBeat (1.0);
    }
};

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
    TestClock clock;
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
    TestClock clock;
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
    TestClock stopped;
    EXPECT_TRUE (edgesOf (stopped, 2000).empty());

    for (const double tempo : { 0.0, -120.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        SCOPED_TRACE (tempo);
        TestClock clock;
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

    TestClock restarted;
    restarted.start (0.0);
    edgesOf (restarted, 700);
    restarted.stop();
    EXPECT_TRUE (edgesOf (restarted, 2000).empty());
    restarted.start (2.0);
    EXPECT_TRUE (restarted.tick());
}

// The note and sync handling sets cycles per beat from its own thread while
// the clock runs; the next tick schedules with the new value.
TEST (Clock, ANewCyclesPerBeatReschedulesAtTheNextTick)
{
    TestClock clock;
    clock.start (0.0);
    ASSERT_EQ (edgesOf (clock, 100).size(), 1u); // the start's edge into the first part

    clock.setCyclesPerBeat (2.0); // now half a beat per period: the midpoint is 0.25 beats
    EXPECT_EQ (clock.getCyclesPerBeat(), 2.0);
    const auto edges = edgesOf (clock, 500);
    ASSERT_EQ (edges.size(), 2u);
    EXPECT_NEAR (edges[0].tick, 150, 1); // at 0.25 beats, 100 samples in
    EXPECT_EQ (edges[0].state, 1);
    EXPECT_NEAR (edges[1].tick, 400, 1); // at 0.5 beats
    EXPECT_EQ (edges[1].state, 0);
}
