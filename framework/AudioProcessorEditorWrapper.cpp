#include "framework/AudioProcessorEditorWrapper.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& processor,
                                                          juce::Component& component)
    : juce::AudioProcessorEditor (processor), editorComponent (component)
{
    addAndMakeVisible (editorComponent);
    setSize (editorComponent.getWidth(), editorComponent.getHeight());
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    editorComponent.setVisible (false);
    removeChildComponent (&editorComponent);
}
