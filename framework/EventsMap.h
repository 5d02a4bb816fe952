#pragma once

#include <juce_core/juce_core.h>

#include <map>

// The named events the editor's controls fire: names map to ids and back,
// each name and each id at most once.
class EventsMap
{
public:
    enum EventId
    {
        options = 1000,
        about,
        selectNextPreset,
        selectPreviousPreset,
        browsePresets,
        savePreset,
        savePresetAs,
        copyCurrentPreset,
        pasteCopiedPreset,
        storeCurrentPreset,
        toggleMidiLearn
    };

    // Refuses (false) a pair whose id or name is already present.
    bool addEvent (int id, const juce::String& name);
    // The events every plug-in knows, 1000 "Options" to 1010 "Toggle Midi
    // Learn". Ids or names already taken by a description are kept.
    void addBuiltInEvents();

    int findEventId (const juce::String& name) const;
    juce::String getEventName (int id) const;
    // The name with only its first character in upper case.
    juce::String getEventDisplayName (int id) const;
    int getNumEvents() const { return (int) byId.size(); }

    // An optional description (root "EventsMap", children "event" with
    // "name" and "uid"); a missing resource changes nothing.
    void loadFromResource (const juce::String& fileName);
    void loadFromXml (const juce::XmlElement& element);

    void clear();

private:
    std::map<juce::String, int> byName;
    std::map<int, juce::String> byId;
};
