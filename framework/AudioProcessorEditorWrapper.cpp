#include "framework/AudioProcessorEditorWrapper.h"

#include "framework/WindowColormap.h"
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
    WindowColormap::free (std::exchange (windowColormap, 0ul));
}

// Host wrappers mark the editor opaque. The component always has the
// editor's size and paints all of it, so there is nothing to paint here.
void AudioProcessorEditorWrapper::paint (juce::Graphics&) {}

void AudioProcessorEditorWrapper::childBoundsChanged (juce::Component* child)
{
    // A docked panel grows the editor; the host's window follows.
    if (child == &editorComponent)
        setSize (editorComponent.getWidth(), editorComponent.getHeight());
}

void AudioProcessorEditorWrapper::parentHierarchyChanged()
{
    // A plug-in format's window is made for this editor and goes when the
    // format takes the editor out of it; the standalone program's window
    // stays and may show another editor.
    if (processor.wrapperType == juce::AudioProcessor::wrapperType_Standalone)
        return;

    if (auto* peer = getPeer())
    {
        if (windowColormap == 0)
            windowColormap = WindowColormap::find (*peer);
    }
    else if (getParentComponent() == nullptr)
    {
        WindowColormap::free (std::exchange (windowColormap, 0ul));
    }
}
