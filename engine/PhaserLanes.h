#pragma once

#include "engine/PhaserState.h"
#include "engine/SimdMath.h"

// The phaser state of both channels side by side, one SSE2 lane each, as the
// fast path keeps it while it runs, and its exchange with PhaserState.
namespace PhaserLanes
{
using SimdMath::Vec;
using SimdMath::select;

constexpr int leftBit = 1;
constexpr int rightBit = 2;

inline Vec loadPair (const double (&pair)[2]) noexcept { return _mm_load_pd (pair); }
inline void storePair (double (&pair)[2], Vec v) noexcept { _mm_store_pd (pair, v); }

// The recursive state of both channels, one lane each.
struct Lanes
{
    Vec hp50In, hp50Out, hp5000In, hp5000Out, modulation, lastChainOutput, level, meter;
    Vec x1[PhaserState::maxSections], x2[PhaserState::maxSections];
    Vec y1[PhaserState::maxSections], y2[PhaserState::maxSections];
    Vec phase[PhaserState::numOscillators], held[PhaserState::numOscillators], value[PhaserState::numOscillators];
};

template <typename LanesRef, typename StateRef, typename Transfer>
inline void pairUp (LanesRef& l, StateRef& s, Transfer&& transfer)
{
    transfer (l.hp50In, s.hp50In), transfer (l.hp50Out, s.hp50Out);
    transfer (l.hp5000In, s.hp5000In), transfer (l.hp5000Out, s.hp5000Out);
    transfer (l.modulation, s.modulation), transfer (l.lastChainOutput, s.lastChainOutput);
    transfer (l.level, s.level), transfer (l.meter, s.meter);
    for (int i = 0; i < PhaserState::maxSections; ++i)
        transfer (l.x1[i], s.x1[i]), transfer (l.x2[i], s.x2[i]), transfer (l.y1[i], s.y1[i]), transfer (l.y2[i], s.y2[i]);
    for (int k = 0; k < PhaserState::numOscillators; ++k)
        transfer (l.phase[k], s.phase[k]), transfer (l.held[k], s.held[k]), transfer (l.value[k], s.value[k]);
}

inline Lanes loadLanes (PhaserState& s)
{
    Lanes l;
    pairUp (l, s, [] (Vec& v, double (&pair)[2]) { v = loadPair (pair); });
    return l;
}

inline void storeLanes (Lanes& l, PhaserState& s)
{
    pairUp (l, s, [] (Vec& v, double (&pair)[2]) { storePair (pair, v); });
}

// Keeps the lanes of `kept` outside `mask`. Lanes holds nothing but Vecs.
inline void mergeLanes (Lanes& fresh, const Lanes& kept, Vec mask)
{
    constexpr int count = (int) (sizeof (Lanes) / sizeof (Vec));
    Vec* updated = reinterpret_cast<Vec*> (&fresh);
    const Vec* old = reinterpret_cast<const Vec*> (&kept);
    for (int i = 0; i < count; ++i)
        updated[i] = select (mask, updated[i], old[i]);
}

inline Vec laneMask (int bits)
{
    return _mm_castsi128_pd (_mm_set_epi64x ((bits & rightBit) ? -1 : 0, (bits & leftBit) ? -1 : 0));
}
} // namespace PhaserLanes
