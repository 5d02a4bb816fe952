// The editor at the screen's scale and the user's zoom: the host window's
// size at each scale, and the zoom applied at once from the keyboard and
// the options window.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "framework/AudioProcessorEditorWrapper.h"
#include "gui/editor/DisplaySettingsComponent.h"
#include "gui/editor/QuilvernEditor.h"
#include "support/MessagePump.h"

namespace
{
constexpr int faceWidth = 633, faceHeight = 223, dockedHeight = 479;

class EditorScaleTest : public ::testing::Test
{
protected:
    EditorScaleTest()
        : plugin (createQuilvern (juce::File())),
          editor (*dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent())),
          window (dynamic_cast<AudioProcessorEditorWrapper*> (plugin->createEditor()))
    {
        MessagePump::run();
    }

    // The window's size as the host sees it: the wrapper's bounds with the
    // host's scale applied.
    juce::Rectangle<int> hostSize() const { return window->getBoundsInParent(); }

    // Where the face is drawn in the host's window.
    juce::Rectangle<float> drawnFace() const
    {
        return editor.getLocalBounds().toFloat().transformedBy (editor.getTransform().followedBy (window->getTransform()));
    }

    std::unique_ptr<Quilvern> plugin;
    QuilvernEditor& editor;
    std::unique_ptr<AudioProcessorEditorWrapper> window;
};
} // namespace

TEST_F (EditorScaleTest, TheHostWindowTakesTheZoomedFaceAndTheFaceFillsIt)
{
    ASSERT_NE (window, nullptr);

    for (const int percent : EditorZoom::steps)
    {
        plugin->getEditorZoom().setPercent (percent);
        const float scale = (float) percent / 100.0f;
        SCOPED_TRACE (percent);

        EXPECT_EQ (hostSize(), juce::Rectangle<int> (juce::roundToInt (faceWidth * scale),
                                                     juce::roundToInt (faceHeight * scale)));
        EXPECT_EQ (drawnFace(), hostSize().toFloat()) << "nothing cut off, nothing left empty";
    }
}

// The host's scale (JUCE's setScaleFactor) and the zoom multiply; the docked
// panel grows the window at that scale.
TEST_F (EditorScaleTest, TheHostsScaleAndTheZoomMultiplyAlsoWithTheDockedPanel)
{
    struct Case { float host; int zoom; };
    const Case cases[] = { { 1.0f, 100 }, { 1.5f, 100 }, { 2.0f, 100 }, { 2.0f, 150 }, { 1.5f, 125 } };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.host) + " x " + juce::String (c.zoom));
        plugin->getEditorZoom().setPercent (c.zoom);
        window->setScaleFactor (c.host);
        const float zoom = (float) c.zoom / 100.0f;

        for (const int height : { faceHeight, dockedHeight })
        {
            if (editor.getHeight() != height)
                editor.actionTriggered (nullptr, EventsMap::options);

            ASSERT_EQ (editor.getHeight(), height);
            const auto expected = juce::Rectangle<float> ((float) juce::roundToInt (faceWidth * zoom),
                                                          (float) juce::roundToInt ((float) height * zoom))
                                      * c.host;
            EXPECT_EQ (hostSize(), expected.getSmallestIntegerContainer());
            EXPECT_EQ (drawnFace(), expected);
        }

        editor.actionTriggered (nullptr, EventsMap::options);
    }
}

TEST_F (EditorScaleTest, CtrlPlusMinusAndZeroStepTheZoomAtOnce)
{
    const auto ctrl = juce::ModifierKeys::commandModifier;
    struct Step { juce::KeyPress key; bool handled; int percent; };
    const Step steps[] = {
        { juce::KeyPress ('+', ctrl, '+'), true, 125 },
        { juce::KeyPress ('=', ctrl, '='), true, 150 },
        { juce::KeyPress (juce::KeyPress::numberPadAdd, ctrl, 0), true, 175 },
        { juce::KeyPress ('+', {}, '+'), false, 175 },
        { juce::KeyPress ('-', ctrl, '-'), true, 150 },
        { juce::KeyPress ('x', ctrl, 'x'), false, 150 },
        { juce::KeyPress ('0', ctrl, '0'), true, 100 },
    };

    for (const auto& step : steps)
    {
        SCOPED_TRACE (step.key.getTextDescription());
        EXPECT_EQ (window->keyPressed (step.key), step.handled);
        EXPECT_EQ (plugin->getEditorZoom().getPercent(), step.percent);
        EXPECT_EQ (hostSize().getWidth(), juce::roundToInt (faceWidth * (float) step.percent / 100.0f));
    }
}

TEST_F (EditorScaleTest, TheDisplayTabChoosesTheZoomAndFollowsIt)
{
    auto& tabs = editor.getOptionsWindow().getTabs();
    ASSERT_EQ (tabs.getTabNames(), juce::StringArray ({ "Presets", "Midi Control", "Display" }));
    auto* page = dynamic_cast<DisplaySettingsComponent*> (tabs.getTabContentComponent (2));
    ASSERT_NE (page, nullptr);
    auto& group = page->getZoomGroup();
    EXPECT_EQ (group.getSelectedIndex(), 0);
    EXPECT_EQ (group.getNumChoices(), 5);

    group.getButton (3)->triggerClick();
    MessagePump::run();
    EXPECT_EQ (plugin->getEditorZoom().getPercent(), 175);
    EXPECT_EQ (hostSize().getWidth(), juce::roundToInt (faceWidth * 1.75f)) << "applied without reopening";

    plugin->getEditorZoom().step (1);
    EXPECT_EQ (group.getSelectedIndex(), 4);
}
