#pragma once

#include "engine/PhaserLanes.h"
#include "engine/PhaserState.h"

class PhaserCoefficients;

// The phaser's inner loops for a run of stereo samples in which both
// channels stay active, no fade runs, every section's input history is the
// previous section's output history and the last chain output is the last
// section's. The run goes in chunks of 32 samples, each in three stages:
// the modulation (oscillators and smoothed modulation, then the coefficients
// of all its samples at once), the audio (high-passes, the all-pass chain and
// the mix) and the level and meter. Each stage keeps its own state in
// registers, where one loop for all of them would not fit into sixteen.
// Where the CPU has AVX2 and FMA, forms of the stages compiled for them run
// instead (FMA rounds once where SSE2 rounds twice).
namespace PhaserChunkKernel
{
constexpr int chunkLength = 32;

struct Job
{
    PhaserLanes::Lanes* lanes;
    PhaserState* state; // the random generators
    const PhaserCoefficients* coefficients;
    const double* meterTable;
    // (1 - kParam)^n for n = 0 to chunkLength, both lanes: the followers' closed form.
    const SimdMath::Vec* followerDecay;
    // Where each follower settles, and its distance from there at the run's start.
    double settled[PhaserState::numFollowers];
    double distance[PhaserState::numFollowers];
    // Every distance is too small to matter: the followers stand at their settled values.
    bool followersSettled;
    bool wide; // the coefficient series for angles up to 0.5
    int sections;
    int wave[PhaserState::numOscillators];
    double g50, a50, g5000, a5000, kMod, meterDecay, levelDecay, feedbackTarget;
    float* left;
    float* right;
    int length;
};

void run (const Job& job);

// Lets a test or benchmark run the SSE2 forms on a CPU that has AVX2 and FMA.
void allowAvx2 (bool allow) noexcept;
bool usesAvx2() noexcept;
} // namespace PhaserChunkKernel
