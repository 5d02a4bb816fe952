#pragma once

class QuilvernCore;

// The phaser's per-sample algorithm written out formula by formula, one
// channel at a time. It is the reference for the vectorised path and takes
// over where that path's polynomial ranges do not reach (very low rates).
class PhaserDirectPath
{
public:
    // right is null for a mono buffer.
    static void process (QuilvernCore& core, float* left, float* right, int numSamples);
};
