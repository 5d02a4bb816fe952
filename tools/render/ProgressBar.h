#pragma once

#include <juce_core/juce_core.h>

#include <cstdio>

// A one-line progress bar redrawn in place, shown only when the stream is a
// terminal.
class ProgressBar
{
public:
    explicit ProgressBar (std::FILE* stream);

    void show (juce::int64 done, juce::int64 total);
    void finish();

private:
    std::FILE* stream;
    bool enabled;
    int lastPercent = -1;
};
