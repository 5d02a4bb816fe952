#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>

// The user's own zoom of the editor, on top of the scale the host or the
// screen gives: one of a few steps from 100 to 200 percent. The plug-in
// keeps it for its editor and the settings file remembers it, as the
// element <DisplaySettings zoom="150"/> after the older elements, which
// earlier versions skip as unknown.
//
// Set on the message thread; read there and while the settings file is read
// or written.
class EditorZoom
{
public:
    static constexpr int steps[] = { 100, 125, 150, 175, 200 };
    static constexpr int defaultPercent = 100;
    static constexpr const char* settingsTag = "DisplaySettings";
    static constexpr const char* zoomAttribute = "zoom";

    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void editorZoomChanged (EditorZoom&) = 0;
    };

    static bool isStep (int percent) noexcept;

    int getPercent() const noexcept { return percent; }
    float getScale() const noexcept { return (float) percent / 100.0f; }

    // A value that is no step changes nothing; listeners hear only a change.
    void setPercent (int newPercent);
    // The next step up (direction > 0) or down; the ends stay where they are.
    void step (int direction);

    // The settings file's element, written whatever the zoom.
    std::unique_ptr<juce::XmlElement> createSettingsXml() const;
    // Reads the element's zoom; anything but a step leaves the zoom as it was.
    void loadSettingsXml (const juce::XmlElement& element);

    void addListener (Listener* listener) { listeners.add (listener); }
    void removeListener (Listener* listener) { listeners.remove (listener); }

private:
    std::atomic<int> percent { defaultPercent };
    juce::ListenerList<Listener> listeners;
};
