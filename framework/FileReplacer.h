#pragma once

#include <juce_core/juce_core.h>

#include <functional>

// Replaces a file's content in one step: the new content goes into a hidden
// temporary file beside the target, is flushed to the disk and renamed over
// the target. Readers see the old file or the new one, never a part of
// either, also with two writers at once. A failure leaves the old file as it
// was and no temporary file behind, and says why (FileFailure).
//
// On Windows a target that another program holds open for a moment (an
// instance writing the same settings file, a virus scanner) refuses the
// rename; it is tried again for about a second, so this may block that long
// and must not run on the audio thread. A read-only target is refused at
// once, as the user meant it. On Linux the rename replaces a read-only file
// (only the folder's permissions count).
class FileReplacer
{
public:
    using ContentWriter = std::function<void (juce::OutputStream&)>;

    static constexpr int retryDelayMs = 50;
    static constexpr int maxRetries = 20;

    static juce::Result replace (const juce::File& target, const ContentWriter& writeContent);

private:
    static juce::File temporaryFileFor (const juce::File& target);
    static juce::Result writeTemporary (const juce::File& temporary, const ContentWriter& writeContent);
    static juce::Result renameOver (const juce::File& source, const juce::File& target);
};
