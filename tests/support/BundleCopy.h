#pragma once

#include <juce_core/juce_core.h>

// A built plug-in bundle copied into a temporary folder of this test
// process. Instances write their settings file beside their library, so
// tests load the copy and leave the build's folder alone.
class BundleCopy
{
public:
    explicit BundleCopy (const juce::File& bundle) : copy (folder.getChildFile (bundle.getFileName()))
    {
        folder.createDirectory();
        bundle.copyDirectoryTo (copy);
    }

    // A loaded library stays mapped after its file is gone.
    ~BundleCopy() { folder.deleteRecursively(); }

    const juce::File& get() const noexcept { return copy; }

private:
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-bundle-" + juce::Uuid().toString());
    juce::File copy;

    JUCE_DECLARE_NON_COPYABLE (BundleCopy)
};
