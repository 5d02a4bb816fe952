#include "framework/AudioProcessorEditorWrapper.h"

#include "framework/DesktopScale.h"
#include "framework/WindowColormap.h"
#include "framework/WindowManagerAtoms.h"

AudioProcessorEditorWrapper::AudioProcessorEditorWrapper (juce::AudioProcessor& processor,
                                                          juce::Component& component, EditorZoom& editorZoom)
    : juce::AudioProcessorEditor (processor), editorComponent (component), zoom (editorZoom)
{
    // The host puts this editor into a window of its own right after this.
    WindowManagerAtoms::ensureCreated();

    addAndMakeVisible (editorComponent);
    zoom.addListener (this);

    // suil takes the size an X11 UI's window has when it is made for the
    // size of its GTK widget, in the desktop's logical pixels: the LV2 UI's
    // window is made at that size, and grows to the desktop's scale once the
    // host has it.
    if (processor.wrapperType == juce::AudioProcessor::wrapperType_LV2)
    {
        desktopScaleDeferred = true;
        juce::Component::SafePointer<AudioProcessorEditorWrapper> self (this);
        juce::MessageManager::callAsync ([self] {
            if (self != nullptr)
            {
                self->desktopScaleDeferred = false;
                self->updateScale();
            }
        });
    }

    updateScale();
}

AudioProcessorEditorWrapper::~AudioProcessorEditorWrapper()
{
    zoom.removeListener (this);
    editorComponent.setVisible (false);
    editorComponent.setTransform ({});
    removeChildComponent (&editorComponent);
    WindowColormap::free (std::exchange (windowColormap, 0ul));
}

void AudioProcessorEditorWrapper::setScaleFactor (float newScale)
{
    hostScale = newScale > 0.0f ? newScale : 1.0f;
    juce::AudioProcessorEditor::setScaleFactor (hostScale);
    updateScale();
}

// The component, zoomed, fills the wrapper exactly: the scale is stretched
// by a fraction of a pixel where the zoomed size is not a whole number.
void AudioProcessorEditorWrapper::updateScale()
{
    const int width = editorComponent.getWidth(), height = editorComponent.getHeight();

    if (updating || width <= 0 || height <= 0)
        return;

    const juce::ScopedValueSetter<bool> guard (updating, true);
    const bool hostPassedNone = juce::approximatelyEqual (hostScale, 1.0f);
    const bool useDesktopScale = hostPassedNone && ! desktopScaleDeferred;
    juce::Desktop::getInstance().setGlobalScaleFactor (useDesktopScale ? DesktopScale::getUnappliedPart() : 1.0f);

    const int zoomedWidth = juce::roundToInt ((float) width * zoom.getScale());
    const int zoomedHeight = juce::roundToInt ((float) height * zoom.getScale());
    editorComponent.setTopLeftPosition (0, 0);
    editorComponent.setTransform (juce::AffineTransform::scale ((float) zoomedWidth / (float) width,
                                                                (float) zoomedHeight / (float) height));

    // A host may answer the new size by setting another one at once (JUCE's
    // LV2 UI rounds it up through the host's scale); the face's size wins.
    for (int attempt = 0; attempt < 3 && (getWidth() != zoomedWidth || getHeight() != zoomedHeight); ++attempt)
        setSize (zoomedWidth, zoomedHeight);
}

// Host wrappers mark the editor opaque. The component always has the
// editor's size and paints all of it, so there is nothing to paint here.
void AudioProcessorEditorWrapper::paint (juce::Graphics&) {}

// A host that sets another size gets the component's size back: the face
// has one size at each scale.
void AudioProcessorEditorWrapper::resized()
{
    juce::AudioProcessorEditor::resized();
    updateScale();
}

void AudioProcessorEditorWrapper::childBoundsChanged (juce::Component* child)
{
    // A docked panel grows the editor; the host's window follows.
    if (child == &editorComponent)
        updateScale();
}

// suil, through which GTK hosts such as jalv show an X11 UI, gives the UI's
// window the size of its GTK widget, a number of the desktop's logical
// pixels; on a scaled desktop that is a part of the room it makes for it.
// The UI has one size (it cannot be resized by the user), so its window
// takes that size back, without asking the host again: the room stays.
void AudioProcessorEditorWrapper::parentSizeChanged()
{
    if (processor.wrapperType != juce::AudioProcessor::wrapperType_LV2)
        return;

    juce::Component::SafePointer<AudioProcessorEditorWrapper> self (this);
    juce::MessageManager::callAsync ([self] {
        if (self != nullptr)
            self->takeBackTheLv2WindowsSize();
    });
}

void AudioProcessorEditorWrapper::takeBackTheLv2WindowsSize()
{
    auto* parent = getParentComponent();

    if (parent == nullptr)
        return;

    const auto drawn = parent->getLocalArea (this, getLocalBounds());

    if (parent->getWidth() < drawn.getWidth() || parent->getHeight() < drawn.getHeight())
    {
        parent->setSize (drawn.getWidth(), drawn.getHeight());
        // Under jalv the area the window gains stayed unpainted until the
        // mouse came by.
        parent->repaint();
    }
}

void AudioProcessorEditorWrapper::editorZoomChanged (EditorZoom&)
{
    updateScale();
}

bool AudioProcessorEditorWrapper::keyPressed (const juce::KeyPress& key)
{
    if (! key.getModifiers().isCommandDown())
        return false;

    const auto code = key.getKeyCode();
    const auto character = key.getTextCharacter();
    const auto is = [&] (juce::juce_wchar c, int numberPadCode) { return character == c || code == c || code == numberPadCode; };

    if (is ('+', juce::KeyPress::numberPadAdd) || is ('=', -1))
        zoom.step (1);
    else if (is ('-', juce::KeyPress::numberPadSubtract))
        zoom.step (-1);
    else if (is ('0', juce::KeyPress::numberPad0))
        zoom.setPercent (EditorZoom::defaultPercent);
    else
        return false;

    return true;
}

void AudioProcessorEditorWrapper::parentHierarchyChanged()
{
    // The desktop's scale is read again whenever the editor is put on screen.
    updateScale();

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
