// The product's editor as the plug-in builds it: status texts, learn
// prompts, docked panels, meters, lights and the rate knob and switch swap.
#include <gmock/gmock.h>

#include "engine/QuilvernCore.h"
#include "engine/QuilvernFactory.h"
#include "gui/editor/MidiControlListComponent.h"
#include "framework/BoolParameter.h"
#include "framework/EnumParameter.h"
#include "gui/windows/AboutWindow.h"
#include "gui/controls/GFXAnimation.h"
#include "gui/controls/GFXButton.h"
#include "gui/controls/GFXKnob.h"
#include "gui/skin/GFXPanel.h"
#include "gui/controls/GFXSwitch.h"
#include "gui/controls/GFXToggleButton.h"
#include "gui/editor/QuilvernEditor.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "support/MessagePump.h"
#include "support/RepaintRecorder.h"
#include "support/SkinTestSupport.h"
#include "support/WithoutAudio.h"

#include <cmath>
#include <thread>
#include <typeinfo>

namespace
{
constexpr double sampleRate = 44100.0;
constexpr int blockSize = 512;
const auto ctrlClick = juce::ModifierKeys (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::leftButtonModifier);

class PluginEditorTest : public ::testing::Test
{
protected:
    PluginEditorTest()
        : plugin (createQuilvern (juce::File())),
          editor (*dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent()))
    {
        MessagePump::deliverPosted();
    }

    template <typename Control>
    Control& control (const juce::String& name)
    {
        auto* found = dynamic_cast<Control*> (editor.findChildByName (name));
        EXPECT_NE (found, nullptr) << name.toStdString();
        return *found;
    }

    void click (const juce::String& name, juce::ModifierKeys modifiers = juce::ModifierKeys::leftButtonModifier)
    {
        auto& button = control<juce::Component> (name);
        mouseDown (button, { 5.0f, 5.0f }, modifiers);
        mouseUp (button, { 5.0f, 5.0f }, modifiers.withoutMouseButtons());
    }

    // The user turns a knob to a value, as a drag would.
    void turn (const juce::String& name, double value)
    {
        control<GFXKnob> (name).setValue (value, juce::sendNotificationSync);
    }

    void toggleLearnMode()
    {
        editor.actionTriggered (nullptr, EventsMap::toggleMidiLearn);
        MessagePump::deliverPosted();
    }

    // One block of a loud sine through the processor, with controller
    // messages at its start.
    void processBlock (std::initializer_list<std::pair<int, int>> controllers = {}, float level = 0.9f)
    {
        if (! prepared)
        {
            plugin->prepareToPlay (sampleRate, blockSize);
            prepared = true;
        }

        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample (channel, i, level * std::sin (0.05f * (float) i));

        juce::MidiBuffer midi;

        for (const auto& [controller, value] : controllers)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), 0);

        plugin->processBlock (buffer, midi);
        MessagePump::deliverPosted();
    }

    juce::String feedback (int index)
    {
        return plugin->getParameterName (index) + ": " + plugin->getParameterDisplayText (index);
    }

    const juce::String& statusText() { return editor.getStatusBar().getText(); }

    // Whether the status bar comes to show the text (updates arrive
    // asynchronously) within a generous time-out.
    bool statusShows (const juce::String& text)
    {
        return MessagePump::runUntil ([&] { return statusText() == text; });
    }

    std::unique_ptr<Quilvern> plugin;
    QuilvernEditor& editor;
    bool prepared = false;
};
} // namespace

TEST_F (PluginEditorTest, IsTheFaceWithItsStatusBarBelow)
{
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 633, 223));
    EXPECT_EQ (editor.getStatusBar().getBounds(), juce::Rectangle<int> (0, 207, 633, 16));
    EXPECT_EQ (editor.getFaceHeight(), 207);
    EXPECT_EQ (editor.getSkinControls().size(), 25);

    // The options window's tabs, and the windows in front of every control.
    auto& tabs = editor.getOptionsWindow().getTabs();
    EXPECT_EQ (tabs.getTabNames(), juce::StringArray ({ "Presets", "Midi Control", "Display" }));
    EXPECT_EQ (tabs.getCurrentTabIndex(), 0);
    EXPECT_GT (editor.getIndexOfChildComponent (&editor.getOptionsWindow()),
               editor.getIndexOfChildComponent (&control<juce::Component> ("OptionsButton")));
}

TEST_F (PluginEditorTest, LearnModeShowsEachStateOfThePairing)
{
    toggleLearnMode();
    EXPECT_EQ (statusText(), "Waiting for a controller or parameter movement...");

    turn ("FeedbackKnob", 0.75);
    EXPECT_TRUE (statusShows ("'Feedback' parameter is free. Waiting for a free controller now...")) << statusText();

    processBlock ({ { 10, 64 } });
    EXPECT_EQ (statusText(), "CC# 10 is assigned to parameter 'Feedback'.");
    EXPECT_EQ (plugin->getMidiControl().getAssignment (10), plugin->getParameterManager().getParameter (1));

    toggleLearnMode();
    EXPECT_EQ (statusText(), "");

    toggleLearnMode();
    processBlock ({ { 7, 100 } });
    EXPECT_EQ (statusText(), "CC# 7 is free. Waiting for a parameter now...");

    // The prompt outranks the knob's own feedback.
    turn ("StereoPhaseKnob", 0.25);
    EXPECT_TRUE (statusShows ("CC# 7 is assigned to parameter 'Stereo Phase'.")) << statusText();
    toggleLearnMode();
}

TEST_F (PluginEditorTest, MidiLearnFromTheMidiTabEndsInItsList)
{
    auto& page = *editor.getMidiControlTab();
    auto& learnBox = *dynamic_cast<juce::Button*> (page.getLearnModeBox().getChildComponent (0));
    learnBox.triggerClick();
    EXPECT_TRUE (statusShows ("Waiting for a controller or parameter movement...")) << statusText();

    turn ("FeedbackKnob", 0.6);
    processBlock ({ { 21, 90 } });
    EXPECT_EQ (statusText(), "CC# 21 is assigned to parameter 'Feedback'.");

    auto& list = page.getList();
    ASSERT_EQ (list.getNumRows(), 1);
    EXPECT_EQ (list.getRow (list.findRowOf (21))->parameter->getName(), "Feedback");

    learnBox.triggerClick();
    EXPECT_TRUE (statusShows ("")) << statusText();
    EXPECT_FALSE (plugin->getMidiControl().isLearnMode());
}

TEST_F (PluginEditorTest, ChoicesForTheNextStartAreNotedUntilTheTabChanges)
{
    auto& tabs = editor.getOptionsWindow().getTabs();
    auto& page = *editor.getMidiControlTab();
    auto& mapBox = *dynamic_cast<juce::Button*> (page.getDefaultMapBox().getCheckBox().getChildComponent (0));

    editor.getPresetsTab()->getDefaultPresetsGroup().setSelectedIndex (1, juce::sendNotificationSync);
    EXPECT_EQ (statusText(), "Default Presets settings will be affected when plugin is loaded.");
    EXPECT_EQ (editor.getStatusBar().getPriority(), StatusBar::settingsNotePriority);

    tabs.setCurrentTabIndex (1);
    EXPECT_EQ (statusText(), "");

    mapBox.triggerClick();
    EXPECT_TRUE (statusShows ("Default Map settings will be affected when plugin is loaded.")) << statusText();
    mapBox.triggerClick();
    MessagePump::deliverPosted();
}

TEST_F (PluginEditorTest, ALearnSwitchOnAnotherThreadReachesTheStatusBarOnTheMessageThread)
{
    std::thread ([this] { plugin->getMidiControl().setLearnMode (true); }).join();
    EXPECT_EQ (statusText(), "");
    // The editor's timer shows it.
    EXPECT_TRUE (statusShows ("Waiting for a controller or parameter movement...")) << statusText();
    plugin->getMidiControl().setLearnMode (false);
}

TEST_F (PluginEditorTest, FeedbackOfControlsOutranksFeedbackOfControllers)
{
    plugin->getMidiControl().assign (20, plugin->getParameterManager().getParameter (QuilvernCore::fx), true);

    processBlock ({ { 20, 127 } });
    EXPECT_EQ (statusText(), feedback (QuilvernCore::fx));

    turn ("FeedbackKnob", 0.75);
    EXPECT_EQ (statusText(), feedback (QuilvernCore::feedback));
    EXPECT_EQ (editor.getStatusBar().getPriority(), StatusBar::controlFeedbackPriority);

    processBlock ({ { 20, 0 } });
    EXPECT_EQ (statusText(), feedback (QuilvernCore::feedback));
}

TEST_F (PluginEditorTest, OptionsAndBrowserDockBelowTheFaceOneAtATime)
{
    auto& options = editor.getOptionsWindow();
    auto& browser = *editor.getPresetBrowserWindow();
    EXPECT_EQ (options.getBounds(), juce::Rectangle<int> (0, 207, 633, 256));
    EXPECT_TRUE (options.isFlatStyle());

    const struct
    {
        const char* button;
        bool optionsShown, browserShown;
        int height;
    } steps[] = {
        { "OptionsButton", true, false, 479 },
        { "BrowsePresetButton", false, true, 479 },
        { "OptionsButton", true, false, 479 },
        { "OptionsButton", false, false, 223 },
        { "BrowsePresetButton", false, true, 479 },
        { "BrowsePresetButton", false, false, 223 },
    };

    for (const auto& step : steps)
    {
        editor.getStatusBar().showMessage ("note", StatusBar::settingsNotePriority);
        click (step.button);
        SCOPED_TRACE (step.button);
        EXPECT_EQ (options.isVisible(), step.optionsShown);
        EXPECT_EQ (browser.isVisible(), step.browserShown);
        EXPECT_EQ (editor.getHeight(), step.height);
        EXPECT_EQ (editor.getStatusBar().getY(), step.height - 16);
        EXPECT_EQ (statusText(), "");
    }
}

TEST_F (PluginEditorTest, TheHostWindowShowsTheSameEditorAgainWithItsState)
{
    std::unique_ptr<juce::AudioProcessorEditor> window (plugin->createEditor());
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (editor.getParentComponent(), window.get());
    EXPECT_EQ (window->getBounds(), editor.getBounds());

    click ("OptionsButton");
    EXPECT_EQ (window->getHeight(), 479) << "the window follows the docked panel";
    editor.getOptionsWindow().getTabs().setCurrentTabIndex (1);
    editor.getStatusBar().showMessage ("Default Map settings will be affected when plugin is loaded.", 4);

    window.reset();
    EXPECT_FALSE (editor.isVisible());
    EXPECT_EQ (editor.getParentComponent(), nullptr);

    window.reset (plugin->createEditor());
    EXPECT_TRUE (editor.isVisible());
    EXPECT_EQ (window->getHeight(), 479);
    EXPECT_TRUE (editor.getOptionsWindow().isVisible());
    EXPECT_EQ (editor.getOptionsWindow().getTabs().getCurrentTabIndex(), 1);
    EXPECT_EQ (statusText(), "Default Map settings will be affected when plugin is loaded.");
}

TEST_F (PluginEditorTest, SyncShowsTheNoteRateSwitchInPlaceOfTheRateKnob)
{
    auto& knob = control<GFXKnob> ("LFO2RateKnob");
    auto& rateSwitch = control<GFXSwitch> ("LFO2RateSwitch");
    EXPECT_TRUE (knob.isVisible());
    EXPECT_FALSE (rateSwitch.isVisible());
    EXPECT_TRUE (control<GFXKnob> ("LFO1RateKnob").isVisible());
    EXPECT_FALSE (control<GFXSwitch> ("LFO1RateSwitch").isVisible());

    auto& parameters = plugin->getParameterManager();
    const struct
    {
        float value;
        bool knobShown;
    } steps[] = { { 2.0f / 3.0f, false }, { 1.0f / 3.0f, false }, { 1.0f, false }, { 0.0f, true },
                  { 1.0f / 6.0f, false } }; // the float for the boundary: "Full", as the engine reads it

    for (const auto& step : steps)
    {
        parameters.setNormalizedValue (QuilvernCore::lfo2Sync, step.value);
        MessagePump::deliverPosted();
        EXPECT_EQ (knob.isVisible(), step.knobShown) << step.value;
        EXPECT_EQ (rateSwitch.isVisible(), ! step.knobShown) << step.value;
    }

    EXPECT_TRUE (control<GFXKnob> ("LFO1RateKnob").isVisible()) << "LFO 1 keeps its own setting";
}

TEST_F (PluginEditorTest, MetersFallAfterReleaseResourcesAndLightsGoDarkAtOnce)
{
    auto& left = control<GFXAnimation> ("LeftVUMeter");
    auto& light = control<GFXAnimation> ("LFO1ValueLed");

    for (int block = 0; block < 20; ++block)
        processBlock();

    editor.updateDisplay();
    const int loudFrame = left.getFrame();
    EXPECT_GT (loudFrame, 2);

    plugin->releaseResources();
    prepared = false;
    int previous = loudFrame;
    int ticksToSilence = 0;

    for (int tick = 1; tick <= 12 && ticksToSilence == 0; ++tick)
    {
        editor.updateDisplay();
        EXPECT_LE (left.getFrame(), previous);
        EXPECT_EQ (light.getFrame(), 0);
        previous = left.getFrame();

        if (previous == 0)
            ticksToSilence = tick;
    }

    EXPECT_GT (ticksToSilence, 2) << "the meter falls, it does not drop";
    EXPECT_GT (ticksToSilence, 0) << "silent within 300 ms";
    EXPECT_FLOAT_EQ (NorvaneEffectEditor::fall (1.0f), 0.675f);
    EXPECT_FLOAT_EQ (NorvaneEffectEditor::fall (0.01f), 0.0f);
}

TEST_F (PluginEditorTest, AnUpdateRepaintsOnlyTheMetersAndLightsWhoseFrameChanged)
{
    // Updates come from this test alone.
    editor.stopTimer();
    RepaintRecorder window (editor);
    const juce::StringArray animations { "LeftVUMeter", "RightVUMeter", "LFO1ValueLed", "LFO2ValueLed" };

    for (const float level : { 0.9f, 0.001f, 0.9f, 0.3f })
    {
        for (int block = 0; block < 10; ++block)
            processBlock ({}, level);

        window.clear();
        std::vector<int> framesBefore;

        for (const auto& name : animations)
            framesBefore.push_back (control<GFXAnimation> (name).getFrame());

        editor.updateDisplay();

        juce::RectangleList<int> expected;

        for (int i = 0; i < animations.size(); ++i)
            if (auto& animation = control<GFXAnimation> (animations[i]); animation.getFrame() != framesBefore[(size_t) i])
                expected.add (animation.getBounds());

        SCOPED_TRACE (level);
        EXPECT_FALSE (expected.isEmpty()) << "the level change moves a meter";
        EXPECT_EQ (window.getDirtyRegion().getBounds(), expected.getBounds());

        for (const auto& area : window.getDirtyRegion())
            EXPECT_TRUE (expected.containsRectangle (area)) << area.toString();

        // Nothing moved since: nothing to paint.
        window.clear();
        editor.updateDisplay();
        EXPECT_TRUE (window.getDirtyRegion().isEmpty());
    }
}

TEST_F (PluginEditorTest, CtrlClickOnPreviousPresetCopiesThePresetAndShowsNothing)
{
    ASSERT_FALSE (plugin->hasCopiedPresetInClipboard());
    const int current = plugin->getCurrentPreset();

    click ("PrevPresetButton", ctrlClick);

    EXPECT_TRUE (plugin->hasCopiedPresetInClipboard());
    EXPECT_THAT (plugin->getClipboardPreset().name.toStdString(),
                 ::testing::StartsWith (plugin->getPresetName (current).toStdString()));
    EXPECT_EQ (plugin->getCurrentPreset(), current);
    EXPECT_EQ (statusText(), "");
}

TEST_F (PluginEditorTest, EditingThePresetNameRenamesTheCurrentPreset)
{
    auto& display = control<GFXDisplay> ("PresetNameDisplay");
    EXPECT_EQ (display.getText(), plugin->getPresetName (plugin->getCurrentPreset()));

    display.setText ("Slow Drift");
    editor.displayTextChanged (&display);
    MessagePump::runUntil ([&] { return plugin->getPresetName (plugin->getCurrentPreset()) == "Slow Drift"; });

    EXPECT_EQ (plugin->getPresetName (plugin->getCurrentPreset()), "Slow Drift");
    EXPECT_EQ (display.getText(), "Slow Drift");
}

TEST_F (PluginEditorTest, CtrlClickOnOptionsShowsTheAboutWindowInsideTheEditor)
{
    auto& about = editor.getAboutWindow();
    EXPECT_FALSE (about.isShown());

    click ("OptionsButton", ctrlClick);

    EXPECT_TRUE (about.isShown());
    EXPECT_TRUE (editor.isParentOf (&about));
    // 640 x 480, but never larger than the editor, whose close button
    // would then lie out of reach.
    EXPECT_EQ (about.getParentComponent()->getLocalBounds(), editor.getLocalBounds());
    EXPECT_EQ (about.getBounds(), juce::Rectangle<int> (0, 0, 633, 223));
    EXPECT_TRUE (about.getLocalBounds().contains (about.getCloseButton().getBounds()));
    about.hide();

    click ("OptionsButton");
    click ("OptionsButton", ctrlClick);
    EXPECT_EQ (about.getBounds(), juce::Rectangle<int> (0, 0, 633, 479));

    about.getParentComponent()->setSize (1024, 800);
    EXPECT_EQ (about.getBounds(), juce::Rectangle<int> (192, 160, 640, 480));
    EXPECT_EQ (about.getProduct().name, "Quilvern");
    EXPECT_EQ (about.getProduct().version, "1.3.1");
    EXPECT_EQ (about.getProduct().maker, "Brannock Group Audio Software");
    EXPECT_THAT (about.getNotice().toStdString(), ::testing::HasSubstr ("JUCE"));
    EXPECT_THAT (about.getNotice().toStdString(), ::testing::HasSubstr ("Tahoma"));
    EXPECT_THAT (about.getNotice().toStdString(), ::testing::HasSubstr ("GNU General Public License"));
}

//==============================================================================
namespace
{
// An editor without a skin on the product's parameters.
class GenericEditor : public BasePluginEditor
{
public:
    GenericEditor (BasePlugin& plugin, int rowBreakAfter, int gapAfter)
        : BasePluginEditor (plugin, "none.xml"), rowBreak (rowBreakAfter), gap (gapAfter)
    {
    }

    bool hasRowBreakAfterParameter (int index) override { return index == rowBreak; }
    bool hasGapAfterParameter (int index) override { return index == gap; }

private:
    int rowBreak, gap;
};
} // namespace

TEST (GenericEditorLayout, WithoutASkinEveryParameterGetsAPlainControlOfItsKindInRows)
{
    // The product's sixteen parameters and three of other kinds after them.
    WithoutAudio<BasePlugin> plugin;
    auto& parameters = plugin.getParameterManager();
    parameters.addParameter (new BoolParameter (16, "Bypass", BoolParameter::TextStyle::onOff));
    parameters.addParameter (new EnumParameter (17, "Mode", "A|B|C"));
    parameters.addParameter (new IntParameter (18, "Voices", 1, 8, 4));

    GenericEditor editor (plugin, 2, 5);
    EXPECT_FALSE (editor.isSkinLoaded());
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 1024, 816));

    editor.buildGenericLayout();
    const auto& controls = editor.getGenericControls();
    ASSERT_EQ (controls.size(), 19);

    // index, column, row: a row break after 2, a gap after 5, 16 columns.
    const int places[][3] = { { 0, 0, 0 }, { 2, 2, 0 }, { 3, 0, 1 }, { 5, 2, 1 }, { 6, 4, 1 },
                              { 15, 13, 1 }, { 17, 15, 1 }, { 18, 0, 2 } };

    for (const auto& [index, column, row] : places)
    {
        auto& component = controls[index]->getComponent();
        EXPECT_EQ (component.getBounds(), juce::Rectangle<int> (column * 64 + 5, 30 + row * 120, 50, 80)) << index;
        EXPECT_EQ (controls[index]->getLinkedParameter(), parameters.getParameter (index));
        EXPECT_EQ (component.getName(), parameters.getName (index));
    }

    EXPECT_NE (dynamic_cast<GFXKnob*> (controls[1]), nullptr);
    EXPECT_NE (dynamic_cast<GFXToggleButton*> (controls[16]), nullptr);
    EXPECT_NE (dynamic_cast<GFXSwitch*> (controls[17]), nullptr);
    EXPECT_NE (dynamic_cast<GFXSwitch*> (controls[18]), nullptr);
}

namespace
{
struct DebugQuilvern : Quilvern
{
    bool isDebugMode() const override { return true; }
};
} // namespace

TEST (DebugPanel, TwelveKnobsOnTheDebugParametersAndTwelveEventButtonsBehindTheFace)
{
    DebugQuilvern plugin;
    plugin.setUserSettingsFile (juce::File());
    plugin.completeCreation();
    plugin.start();
    auto& editor = *dynamic_cast<BasePluginEditor*> (plugin.getEditorComponent());

    auto* panel = editor.getDebugPanel();
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getName(), "DebugPanel");
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (633 - 610, 223 - 150, 600, 140));
    EXPECT_EQ (editor.getIndexOfChildComponent (panel), 0);
    ASSERT_EQ (panel->getControls().size(), 24);

    for (int i = 0; i < 12; ++i)
    {
        auto* knob = dynamic_cast<GFXKnob*> (panel->getControls().getControl (i));
        ASSERT_NE (knob, nullptr);
        EXPECT_EQ (knob->getName(), "Debug Knob " + juce::String (i));
        EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (i * 50, 0, 40, 90));
        EXPECT_EQ (knob->getLinkedParameter(), plugin.getParameterManager().getParameter (300000 + i));

        auto* button = dynamic_cast<GFXButton*> (panel->getControls().getControl (12 + i));
        ASSERT_NE (button, nullptr);
        EXPECT_EQ (button->getBounds(), juce::Rectangle<int> (i * 30, 100, 20, 20));
        EXPECT_EQ (button->getClickEventId(), 10000 + i);
    }
}

//==============================================================================
namespace
{
template <typename Plugin>
const std::type_info& startedEditorType (Plugin& plugin)
{
    plugin.completeCreation();
    plugin.start();
    return typeid (*plugin.getEditorComponent());
}
} // namespace

// The processors declare their editor hook in the model and the editors
// define it: each class of the processor chain still makes its own class of
// the editor chain.
TEST (EditorChain, EachProcessorClassMakesItsOwnEditorClass)
{
    WithoutAudio<BasePlugin> base;
    WithoutAudio<BasePluginOldStyle> oldStyle;
    WithoutAudio<NorvaneEffect> effect;
    Quilvern product;
    product.setUserSettingsFile (juce::File());

    EXPECT_EQ (startedEditorType (base), typeid (BasePluginEditor));
    EXPECT_EQ (startedEditorType (oldStyle), typeid (BasePluginEditorOldStyle));
    EXPECT_EQ (startedEditorType (effect), typeid (NorvaneEffectEditor));
    EXPECT_EQ (startedEditorType (product), typeid (QuilvernEditor));
}
