#pragma once

#include <juce_core/juce_core.h>

#include "support/BundleCopy.h"

#include <optional>

// The VST3 bundle the host tests load: a copy of the built bundle (see
// BundleCopy), or, when QUILVERN_INSTALLED_VST3 names one, an installed
// bundle where it is: the Windows installer's tests run the host tests
// against the plug-ins it installed.
class TestedVst3Bundle
{
public:
    TestedVst3Bundle()
    {
        const auto installedPath = juce::SystemStats::getEnvironmentVariable ("QUILVERN_INSTALLED_VST3", {});

        if (installedPath.isNotEmpty())
            installed = juce::File (installedPath);
        else
            copy.emplace (juce::File (QUILVERN_VST3_MODULE).getParentDirectory().getParentDirectory().getParentDirectory());
    }

    const juce::File& get() const noexcept { return copy.has_value() ? copy->get() : installed; }

private:
    juce::File installed;
    // The built module is Quilvern.vst3/Contents/<architecture>/<module>.
    std::optional<BundleCopy> copy;

    JUCE_DECLARE_NON_COPYABLE (TestedVst3Bundle)
};
