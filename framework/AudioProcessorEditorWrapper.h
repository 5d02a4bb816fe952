#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// What the host's editor window holds: a thin editor around the plug-in's
// persistent editor component. Closing the window lets go of the component
// without deleting it, so reopening shows it again with all its state. The
// wrapper always has the component's size, which the host's window follows.
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor
{
public:
    AudioProcessorEditorWrapper (juce::AudioProcessor& processor, juce::Component& editorComponent);
    ~AudioProcessorEditorWrapper() override;

    void childBoundsChanged (juce::Component* child) override;
    void parentHierarchyChanged() override;

private:
    juce::Component& editorComponent;
    // The colormap of the host format's window, freed when that window goes.
    unsigned long windowColormap = 0;

    JUCE_DECLARE_NON_COPYABLE (AudioProcessorEditorWrapper)
};
