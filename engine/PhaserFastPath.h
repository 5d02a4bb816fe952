#pragma once

class QuilvernCore;

// The phaser's per-sample algorithm with left and right running side by side
// in one SSE2 register pair and polynomial forms of exp, exp2 and cos. It
// follows the direct formulas to within rounding; an idle channel's lane is
// computed but never committed, so its state stands still. Runs in which
// neither channel can change its activity go to PhaserChunkKernel.
class PhaserFastPath
{
public:
    // right is null for a mono buffer.
    static void process (QuilvernCore& core, float* left, float* right, int numSamples);
};
