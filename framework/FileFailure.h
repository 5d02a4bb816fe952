#pragma once

#include <juce_core/juce_core.h>

// Why one of the user's files could not be read or written, as the sentence
// the editor shows: the system's own reason where it gave one, otherwise
// what was found. kind names the file's kind in the texts ("preset",
// "preset bank", "Midi Control map").
class FileFailure
{
public:
    // "Permission denied" becomes "Permission denied."; the line breaks
    // Windows ends its messages with go.
    static juce::Result fromSystem (const juce::String& reason);
    // errno on Linux, GetLastError on Windows, read at once after the failed call.
    static juce::Result lastSystemError();

    static juce::Result fileMissing();
    static juce::Result folderMissing();
    static juce::Result fileEmpty();
    static juce::Result damaged (const juce::String& kind);
    static juce::Result notOfKind (const juce::String& kind);
    // A document of the right kind that another plug-in wrote; its name when the file gives one.
    static juce::Result ofAnotherPlugin (const juce::String& kind, const juce::String& pluginName);
    // A bank whose presets all belong to other plug-ins.
    static juce::Result noPresetsOf (const juce::String& pluginName);
};
