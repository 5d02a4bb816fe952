#pragma once

#include <juce_core/juce_core.h>

#include "support/BundleCopy.h"

#include <optional>

// The VST3 bundle the host tests load: a copy of the built bundle (see
// BundleCopy).
class TestedVst3Bundle
{
public:
    TestedVst3Bundle()
    {
        copy.emplace (juce::File (QUILVERN_VST3_MODULE).getParentDirectory().getParentDirectory().getParentDirectory());
    }

    const juce::File& get() const noexcept { return copy->get(); }

private:
    // The built module is Quilvern.vst3/Contents/<architecture>/<module>.
    std::optional<BundleCopy> copy;

    JUCE_DECLARE_NON_COPYABLE (TestedVst3Bundle)
};
