#pragma once

#include "tools/render/RenderOptions.h"

// Turns the command line of quilvern-render into RenderOptions.
class RenderArguments
{
public:
    // Fails with a message naming the offending argument.
    static juce::Result parse (const juce::StringArray& arguments, RenderOptions& options);

    static juce::String usage();

    // "quilvern-render <version>", the plug-in's version.
    static juce::String version();
};
