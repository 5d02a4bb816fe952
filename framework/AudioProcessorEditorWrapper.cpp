#include "framework/AudioProcessorEditorWrapper.h"

#include "framework/WindowManagerAtoms.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& processor,
                                                          juce::Component& component)
    : juce::AudioProcessorEditor (processor), editorComponent (component)
{
    // The host puts this editor into a window of its own right after this.
    WindowManagerAtoms::ensureCreated();

    addAndMakeVisible (editorComponent);
    setSize (editorComponent.getWidth(), editorComponent.getHeight());
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    editorComponent.setVisible (false);
    removeChildComponent (&editorComponent);
}

void AudioProcessorEditorWrapper::childBoundsChanged (juce::Component* child)
{
    // A docked panel grows the editor; the host's window follows.
    if (child == &editorComponent)
        setSize (editorComponent.getWidth(), editorComponent.getHeight());
}
