#include "tools/render/ProgressBar.h"

#include <unistd.h>

namespace
{
constexpr int barWidth = 40;
}

ProgressBar::ProgressBar (std::FILE* out) : stream (out), enabled (isatty (fileno (out)) != 0) {}

void ProgressBar::show (juce::int64 done, juce::int64 total)
{
    if (! enabled)
        return;

    const auto percent = total > 0 ? (int) juce::jlimit ((juce::int64) 0, (juce::int64) 100, done * 100 / total) : 100;

    if (percent == lastPercent)
        return;

    lastPercent = percent;
    const auto filled = percent * barWidth / 100;
    std::fprintf (stream, "\rRendering [%s%s] %3d%%",
                  juce::String::repeatedString ("#", filled).toRawUTF8(),
                  juce::String::repeatedString ("-", barWidth - filled).toRawUTF8(),
                  percent);
    std::fflush (stream);
}

void ProgressBar::finish()
{
    if (enabled && lastPercent >= 0)
    {
        std::fprintf (stream, "\n");
        std::fflush (stream);
    }
}
