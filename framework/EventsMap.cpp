#include "framework/EventsMap.h"

#include "framework/EmbeddedResources.h"
#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

bool EventsMap::addEvent (int id, const juce::String& name)
{
    if (byId.count (id) != 0 || byName.count (name) != 0)
        return false;

    byId[id] = name;
    byName[name] = id;
    return true;
}

void EventsMap::addBuiltInEvents()
{
    static const char* const names[] = { "Options", "About", "Select next preset", "Select previous preset",
                                         "Browse presets", "Save Preset", "Save Preset As", "Copy current preset",
                                         "Paste copied preset", "Store current preset", "Toggle Midi Learn" };
    int id = options;

    for (const char* name : names)
        addEvent (id++, name);
}

int EventsMap::findEventId (const juce::String& name) const
{
    const auto found = byName.find (name);
    return found != byName.end() ? found->second : -1;
}

juce::String EventsMap::getEventName (int id) const
{
    const auto found = byId.find (id);
    return found != byId.end() ? found->second : juce::String();
}

juce::String EventsMap::getEventDisplayName (int id) const
{
    const auto name = getEventName (id);
    return name.substring (0, 1).toUpperCase() + name.substring (1).toLowerCase();
}

void EventsMap::loadFromResource (const juce::String& fileName)
{
    if (auto xml = EmbeddedResources::loadResourceXml (fileName))
        loadFromXml (*xml);
}

void EventsMap::loadFromXml (const juce::XmlElement& element)
{
    clear();

    if (! XmlUtilities::hasTag (element, "EventsMap"))
        return;

    for (auto* event : element.getChildIterator())
        if (XmlUtilities::hasTag (*event, "event"))
            addEvent (NumberText::readInteger (XmlUtilities::getAttribute (*event, "uid")),
                      XmlUtilities::getAttribute (*event, "name"));
}

void EventsMap::clear()
{
    byName.clear();
    byId.clear();
}
