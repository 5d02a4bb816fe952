#include "framework/EditorZoom.h"

#include "framework/XmlUtilities.h"

#include <algorithm>
#include <iterator>

bool EditorZoom::isStep (int value) noexcept
{
    return std::find (std::begin (steps), std::end (steps), value) != std::end (steps);
}

void EditorZoom::setPercent (int newPercent)
{
    if (! isStep (newPercent) || percent.exchange (newPercent) == newPercent)
        return;

    listeners.call ([this] (Listener& l) { l.editorZoomChanged (*this); });
}

void EditorZoom::step (int direction)
{
    const auto current = std::find (std::begin (steps), std::end (steps), percent.load());
    const auto index = (int) std::distance (std::begin (steps), current);
    const auto last = (int) std::size (steps) - 1;
    setPercent (steps[juce::jlimit (0, last, index + (direction > 0 ? 1 : (direction < 0 ? -1 : 0)))]);
}

std::unique_ptr<juce::XmlElement> EditorZoom::createSettingsXml() const
{
    auto element = std::make_unique<juce::XmlElement> (settingsTag);
    element->setAttribute (zoomAttribute, percent.load());
    return element;
}

void EditorZoom::loadSettingsXml (const juce::XmlElement& element)
{
    // Digits only: "150" is a step, "150.5" or "150 %" is not.
    const auto text = XmlUtilities::getAttribute (element, zoomAttribute).trim();

    if (text.isNotEmpty() && text.containsOnly ("0123456789") && text.length() <= 4)
        setPercent (text.getIntValue());
}
