#include <gmock/gmock.h>

#include "framework/EmbeddedResources.h"
#include "gui/controls/GFXAnimation.h"
#include "gui/controls/GFXButton.h"
#include "gui/controls/GFXDisplay.h"
#include "gui/controls/GFXKnob.h"
#include "gui/controls/GFXSwitch.h"
#include "gui/controls/PlaceholderControls.h"
#include "gui/skin/GFXPanel.h"
#include "gui/skin/SkinControls.h"
#include "gui/skin/SkinXml.h"
#include "support/SkinTestSupport.h"

namespace
{
// An editor's stand-in: a status bar first, then a window added before the
// skin, as the editor has them.
struct Face : juce::Component
{
    Face()
    {
        setSize (633, 207);
        setVisible (true);
        addAndMakeVisible (statusBar);
        addChildComponent (window);
    }

    void build (const juce::XmlElement& root)
    {
        controls.build (root, SkinControls::Container::editorRoot, *this, world.parameters, world.events, nullptr);
    }

    template <typename Kind>
    Kind* find (const juce::String& name)
    {
        for (int i = 0; i < controls.size(); ++i)
            if (controls.getControl (i)->getComponent().getName() == name)
                return dynamic_cast<Kind*> (controls.getControl (i));

        return nullptr;
    }

    SkinWorld world;
    juce::Component statusBar, window;
    SkinControls controls;
};

struct Placed
{
    const char* name;
    juce::Rectangle<int> bounds;
    const char* parameter;
};

std::unique_ptr<GUIController> create (const char* tag, SkinControls::Container container)
{
    return SkinControls::createControl (tag, "c", container);
}
} // namespace

TEST (SkinControls, TheProductSkinBuildsEveryControlLinkedAndInPlace)
{
    Face face;
    face.build (*EmbeddedResources::loadResourceXml ("skin.xml"));
    ASSERT_EQ (face.controls.size(), 25);

    const Placed buttons[] = { { "OptionsButton", { 78, 14, 38, 43 }, nullptr },
                               { "PrevPresetButton", { 297, 15, 33, 42 }, nullptr },
                               { "NextPresetButton", { 335, 16, 34, 41 }, nullptr },
                               { "BrowsePresetButton", { 372, 17, 33, 40 }, nullptr } };
    const Placed knobs[] = { { "OutputVolumeKnob", { 566, 50, 37, 35 }, "Output Volume" },
                             { "FeedbackKnob", { 26, 150, 36, 35 }, "Feedback" },
                             { "StagesKnob", { 26, 95, 36, 33 }, "Stages Number" },
                             { "StereoPhaseKnob", { 499, 93, 35, 35 }, "Stereo Phase" },
                             { "LFO1RateKnob", { 100, 131, 36, 34 }, "LFO 1 Rate" },
                             { "LFO1DepthKnob", { 227, 94, 36, 34 }, "LFO 1 Depth" },
                             { "LFO1OffsetKnob", { 170, 150, 36, 34 }, "LFO 1 Offset" },
                             { "LFO1WaveKnob", { 227, 149, 35, 35 }, "LFO 1 Wave" },
                             { "LFO2RateKnob", { 306, 131, 35, 34 }, "LFO 2 Rate" },
                             { "LFO2DepthKnob", { 432, 94, 35, 34 }, "LFO 2 Depth" },
                             { "LFO2WaveKnob", { 432, 149, 35, 35 }, "LFO 2 Wave" },
                             { "FXKnob", { 499, 149, 35, 35 }, "FX" } };
    const Placed switches[] = { { "LFO1TempoSyncSwitch", { 151, 86, 75, 42 }, "LFO 1 Sync" },
                                { "LFO1RateSwitch", { 100, 131, 36, 34 }, "LFO 1 Note Rate" },
                                { "LFO2TempoSyncSwitch", { 354, 86, 75, 41 }, "LFO 2 Sync" },
                                { "LFO2RateSwitch", { 306, 131, 35, 34 }, "LFO 2 Note Rate" } };
    const Placed animations[] = { { "LeftVUMeter", { 559, 99, 26, 89 }, nullptr },
                                  { "RightVUMeter", { 585, 100, 28, 89 }, nullptr },
                                  { "LFO1ValueLed", { 74, 84, 33, 13 }, nullptr },
                                  { "LFO2ValueLed", { 278, 84, 33, 13 }, nullptr } };

    const auto check = [&face] (auto* control, const Placed& placed) {
        SCOPED_TRACE (placed.name);
        ASSERT_NE (control, nullptr);
        EXPECT_EQ (control->getComponent().getBounds(), placed.bounds);
        EXPECT_TRUE (control->getComponent().isVisible());
        EXPECT_EQ (control->getLinkedParameter(),
                   placed.parameter != nullptr ? &face.world.parameter (placed.parameter) : nullptr);
    };

    for (const auto& b : buttons)    check (face.find<GFXButton> (b.name), b);
    for (const auto& k : knobs)      check (face.find<GFXKnob> (k.name), k);
    for (const auto& s : switches)   check (face.find<GFXSwitch> (s.name), s);
    for (const auto& a : animations) check (face.find<GFXAnimation> (a.name), a);
    check (face.find<GFXDisplay> ("PresetNameDisplay"), { "PresetNameDisplay", { 130, 28, 153, 13 }, "Current Preset Name" });

    EXPECT_EQ (face.find<GFXButton> ("OptionsButton")->getCtrlClickEventId(), 1001);
    EXPECT_EQ (face.find<GFXButton> ("PrevPresetButton")->getCtrlClickEventId(), 1007);
    EXPECT_EQ (face.find<GFXButton> ("BrowsePresetButton")->getClickEventId(), 1004);
    EXPECT_TRUE (face.find<GFXButton> ("NextPresetButton")->getAutoRepeat().isOn());
    EXPECT_FALSE (face.find<GFXButton> ("BrowsePresetButton")->getAutoRepeat().isOn());
    EXPECT_TRUE (face.find<GFXSwitch> ("LFO2TempoSyncSwitch")->isHorizontal());
    EXPECT_TRUE (face.find<GFXSwitch> ("LFO2RateSwitch")->isRotary());
}

TEST (SkinControls, RootControlsGoBehindEarlierOnesAndBehindTheEditorsWindows)
{
    Face face;
    face.build (*xml (R"(<PluginEditor>
        <Knob name="First"><pos left="10" top="10"/><size width="20" height="20"/></Knob>
        <!-- skipped -->
        <Unknown name="Skipped"/>
        <knob name="Second"><pos left="10" top="10"/><size width="20" height="20"/></knob>
      </PluginEditor>)"));

    ASSERT_EQ (face.getNumChildComponents(), 4);
    EXPECT_EQ (face.getChildComponent (0), &face.statusBar);
    EXPECT_EQ (face.getChildComponent (3), &face.window);
    EXPECT_EQ (face.getComponentAt (15, 15)->getName(), "First");
}

TEST (SkinControls, TheContainerDecidesWhichKindsItAcceptsAndTagsIgnoreCase)
{
    using C = SkinControls::Container;

    EXPECT_NE (dynamic_cast<GFXKnob*> (create ("KNOB", C::editorRoot).get()), nullptr);
    EXPECT_NE (dynamic_cast<GFXDisplay*> (create ("displayfloat", C::panel).get()), nullptr);
    EXPECT_NE (dynamic_cast<GFXPanel*> (create ("Panel", C::panel).get()), nullptr);
    EXPECT_NE (dynamic_cast<NumericDisplay*> (create ("NumericDisplay", C::editorRoot).get()), nullptr);

    for (const char* panelOnly : { "NoteDisplay", "MusicKeyboard", "PitchBender", "ModWheel", "ParameterModulator" })
    {
        SCOPED_TRACE (panelOnly);
        EXPECT_EQ (create (panelOnly, C::editorRoot), nullptr);
        EXPECT_NE (create (panelOnly, C::panel), nullptr);
    }

    EXPECT_EQ (create ("Slider", C::panel), nullptr);
    EXPECT_EQ (create ("", C::panel), nullptr);
    EXPECT_EQ (create ("Knob", C::panel)->getComponent().getName(), "c");
}

TEST (SkinControls, KindsReadTheFirstOfEachChildAndDisplaysTheLast)
{
    Face face;
    face.build (*xml (R"(<PluginEditor>
        <Knob name="K"><pos left="1" top="2"/><pos left="3" top="4"/><size width="30" height="31"/><size width="5" height="5"/></Knob>
        <Knob name="Empty"/>
        <Display name="D"><pos left="1" top="2"/><pos left="3" top="4"/><size width="30" height="31"/><size width="50" height="9"/></Display>
      </PluginEditor>)"));

    EXPECT_EQ (face.find<GFXKnob> ("K")->getBounds(), juce::Rectangle<int> (1, 2, 30, 31));
    EXPECT_EQ (face.find<GFXKnob> ("Empty")->getBounds(), juce::Rectangle<int>());
    EXPECT_EQ (face.find<GFXDisplay> ("D")->getBounds(), juce::Rectangle<int> (3, 4, 50, 9));
}

TEST (SkinControls, AStripSetsTheSizeToOneFrameAndWithoutFramesNumIsOneFrame)
{
    Face face;
    face.build (*xml (R"(<PluginEditor>
        <Knob name="Strip"><gfx resource="fxknob.PNG" framesNum="61"/><size width="99" height="99"/></Knob>
        <Knob name="Whole"><GFX Resource="FXKnob.png"/></Knob>
        <Knob name="Odd"><gfx resource="FXKnob.png" framesNum="-3"/></Knob>
        <Knob name="Missing"><gfx resource="NoSuchKnob.png" framesNum="61"/><size width="40" height="30"/></Knob>
      </PluginEditor>)"));

    EXPECT_EQ (face.find<GFXKnob> ("Strip")->getBounds(), juce::Rectangle<int> (0, 0, 35, 35));
    EXPECT_EQ (face.find<GFXKnob> ("Whole")->getBounds(), juce::Rectangle<int> (0, 0, 35, 2135));
    EXPECT_EQ (face.find<GFXKnob> ("Odd")->getNumFrames(), 1);
    EXPECT_FALSE (face.find<GFXKnob> ("Missing")->hasImage());
    EXPECT_EQ (face.find<GFXKnob> ("Missing")->getBounds(), juce::Rectangle<int> (0, 0, 40, 30));
}

TEST (SkinControls, APanelMovesItsControlsByItsOffsetAndPassesListenersOn)
{
    Face face;
    face.build (*xml (R"(<PluginEditor>
        <Panel name="P">
          <gfx transparent="yes"/>
          <pos left="100" top="50"/><size width="200" height="100"/>
          <controls ofsX="10" ofsY="-3">
            <Button name="B"><actions><action type="onClick" event="About"/></actions>
              <pos left="5" top="20"/><size width="20" height="20"/></Button>
            <NoteDisplay name="N" notes="12"><pos left="40" top="5"/><size width="30" height="10"/></NoteDisplay>
            <Display name="D"/>
          </controls>
          <controls><Knob name="Ignored"/></controls>
        </Panel>
        <NoteDisplay name="RootNote"/>
      </PluginEditor>)"));

    auto* panel = face.find<GFXPanel> ("P");
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (face.controls.size(), 1);
    EXPECT_TRUE (panel->isTransparent());
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (100, 50, 200, 100));
    ASSERT_EQ (panel->getNumChildComponents(), 3);
    EXPECT_EQ (panel->getChildComponent (0)->getBounds(), juce::Rectangle<int> (15, 17, 20, 20));
    EXPECT_EQ (panel->getChildComponent (1)->getBounds(), juce::Rectangle<int> (50, 2, 30, 10));
    EXPECT_EQ (panel->getChildComponent (2)->getPosition(), juce::Point<int> (10, -3));

    auto* note = dynamic_cast<NoteDisplay*> (panel->getControls().getControl (1));
    ASSERT_NE (note, nullptr);
    EXPECT_EQ (note->getSettings()["notes"].toString(), "12");

    ControlLog log;
    face.controls.addListenerToAll (&log);
    auto& button = *panel->getChildComponent (0);
    mouseDown (button, { 5.0f, 5.0f });
    mouseUp (button, { 5.0f, 5.0f });
    EXPECT_EQ (log.calls, (std::vector<juce::String> { "action 1001" }));
}

TEST (SkinXml, AttributeValuesReadAsTheirKind)
{
    const auto e = xml (R"(<e INT=" -12px" hex="+7" none="abc" BOOL=" True" no="0" yes="y" empty=""
                            colour="FFBEF6FF" spaced="ff23-22-24" long="123456789" junk="xyz" Name="first" name="second"/>)");

    EXPECT_EQ (SkinXml::readInt (*e, "int", 5), -12);
    EXPECT_EQ (SkinXml::readInt (*e, "hex", 5), 7);
    EXPECT_EQ (SkinXml::readInt (*e, "none", 5), 0);
    EXPECT_EQ (SkinXml::readInt (*e, "missing", 5), 5);
    EXPECT_TRUE (SkinXml::readBool (*e, "bool"));
    EXPECT_TRUE (SkinXml::readBool (*e, "yes"));
    EXPECT_FALSE (SkinXml::readBool (*e, "no"));
    EXPECT_FALSE (SkinXml::readBool (*e, "empty", true));
    EXPECT_TRUE (SkinXml::readBool (*e, "missing", true));
    EXPECT_EQ (SkinXml::readColour (*e, "colour"), juce::Colour (0xffbef6ff));
    EXPECT_EQ (SkinXml::readColour (*e, "spaced"), juce::Colour (0xff232224));
    EXPECT_EQ (SkinXml::readColour (*e, "long"), juce::Colour (0x23456789));
    EXPECT_EQ (SkinXml::readColour (*e, "junk"), juce::Colour (0x00000000));
    EXPECT_EQ (SkinXml::readColour (*e, "missing"), juce::Colour (0x00000000));
    EXPECT_EQ (SkinXml::readString (*e, "NAME"), "first");
}
