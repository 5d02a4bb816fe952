#pragma once

#include "gui/files/FileDialog.h"
#include "gui/widgets/TextButtonEx.h"

// A file path in a rounded field with a "Browse" button at its right edge.
// A path too wide for the field shows its beginning followed by "[...]".
// "Browse" opens a file chooser; a chosen file becomes the path.
class PathComponent : public juce::Component
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void pathChanged (PathComponent*) = 0;
    };

    PathComponent();

    // Nothing happens when the path equals the shown one apart from letter
    // case; otherwise listeners hear about it when notification is asked.
    void setPath (const juce::String& path, juce::NotificationType notification);
    const juce::String& getPath() const { return path; }

    void setDialogTitle (const juce::String& title) { dialogTitle = title; }
    void setStartingLocation (const juce::File& location) { startingLocation = location; }
    void setFilePatterns (const juce::String& patterns) { filePatterns = patterns; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    // The rounded field left of the button, and where the path text goes.
    juce::Rectangle<int> getFieldArea() const { return fieldArea; }
    juce::Rectangle<int> getTextArea() const { return textArea; }
    // The path is too wide for its field and shows "[...]" after its start.
    bool isPathShortened() const;
    TextButtonEx& getBrowseButton() { return browseButton; }
    const TextButtonEx& getBrowseButton() const { return browseButton; }
    FileDialog& getFileDialog() { return fileDialog; }

    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void enablementChanged() override;

private:
    void browse();
    void measure();

    static constexpr const char* ellipsis = "[...]";

    juce::String path;
    juce::String dialogTitle, filePatterns;
    juce::File startingLocation;
    juce::Font font;
    int pathWidth = 0, ellipsisWidth = 0;
    juce::Rectangle<int> fieldArea, textArea;
    TextButtonEx browseButton { "Browse", 1 };
    FileDialog fileDialog;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PathComponent)
};
