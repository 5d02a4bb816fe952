#pragma once

#include "framework/EditorZoom.h"

#include <juce_audio_processors/juce_audio_processors.h>

// What the host's editor window holds: a thin editor around the plug-in's
// persistent editor component. Closing the window lets go of the component
// without deleting it, so reopening shows it again with all its state.
//
// The component is laid out at 1x; it is drawn larger, and the wrapper
// always has the component's drawn size, which the host's window follows:
// - the host's scale (VST3 content scale, LV2 ui:scaleFactor, the VST 2.4
//   hosts' content-scale request, a Windows monitor's DPI) arrives through
//   JUCE's setScaleFactor and scales the wrapper itself, as JUCE does it;
// - where the host passes no scale (it says 1), the desktop's own
//   (DesktopScale) scales all of the plug-in's windows, through JUCE's
//   global scale; JUCE gives the hosts of each format the sizes in the units
//   they expect (physical pixels for VST 2.4 and VST3, the desktop's logical
//   pixels for LV2, whose GTK hosts scale them);
// - the user's zoom multiplies either, scaling the component inside the
//   wrapper.
class AudioProcessorEditorWrapper : public juce::AudioProcessorEditor,
                                    private EditorZoom::Listener
{
public:
    AudioProcessorEditorWrapper (juce::AudioProcessor& processor, juce::Component& editorComponent, EditorZoom& zoom);
    ~AudioProcessorEditorWrapper() override;

    // The host's scale; 1 when it passed none.
    void setScaleFactor (float newScale) override;
    float getHostScale() const noexcept { return hostScale; }

    void paint (juce::Graphics& g) override;
    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void parentHierarchyChanged() override;
    void parentSizeChanged() override;
    // Ctrl with "+" (or "="), "-" and "0": the zoom a step up, down, and back to 100 %.
    bool keyPressed (const juce::KeyPress& key) override;

private:
    void editorZoomChanged (EditorZoom&) override;
    void updateScale();
    void takeBackTheLv2WindowsSize();

    juce::Component& editorComponent;
    EditorZoom& zoom;
    float hostScale = 1.0f;
    bool updating = false, desktopScaleDeferred = false;
    // The colormap of the host format's window, freed when that window goes.
    unsigned long windowColormap = 0;

    JUCE_DECLARE_NON_COPYABLE (AudioProcessorEditorWrapper)
};
