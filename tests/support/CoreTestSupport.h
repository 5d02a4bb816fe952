#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "engine/QuilvernCore.h"

namespace CoreTestSupport
{
using Settings = std::initializer_list<std::pair<int, float>>;

// A core with every parameter at its default (sync off), then `settings`, prepared at `sampleRate`.
inline std::unique_ptr<QuilvernCore> makeCore (float sampleRate, Settings settings = {}, bool direct = false)
{
    auto core = std::make_unique<QuilvernCore>();
    core->setUseDirectFormulas (direct);
    for (int index = 0; index < QuilvernCore::numParameters; ++index)
        core->applyParameter (index, index == QuilvernCore::lfo1Sync || index == QuilvernCore::lfo2Sync ? 0.0f : 0.5f);
    for (const auto& [index, value] : settings)
        core->applyParameter (index, value);
    core->prepare (sampleRate);
    return core;
}

// Uniform noise in -amplitude to amplitude, reproducible from `seed`.
inline std::vector<float> noise (int length, std::uint32_t seed, float amplitude = 0.5f)
{
    std::vector<float> samples ((size_t) length);
    for (auto& sample : samples)
    {
        seed = seed * 1664525u + 1013904223u;
        sample = amplitude * ((float) (seed >> 8) / 8388608.0f - 1.0f);
    }
    return samples;
}

inline void processInBlocks (QuilvernCore& core, std::vector<float>& left, std::vector<float>& right, int blockSize = 512)
{
    for (size_t start = 0; start < left.size(); start += (size_t) blockSize)
    {
        const int count = (int) std::min ((size_t) blockSize, left.size() - start);
        core.processStereo (left.data() + start, right.data() + start, count);
    }
}
} // namespace CoreTestSupport
