#include <gmock/gmock.h>

#include "gui/editor/PresetsSettingsComponent.h"
#include "presets/BasePluginOldStyle.h"
#include "support/MessagePump.h"
#include "support/ScriptedFileDialog.h"
#include "support/TestDesktop.h"
#include "support/WithoutAudio.h"

namespace
{
constexpr int feedback = 1;

class SettingsPlugin : public WithoutAudio<BasePluginOldStyle>
{
public:
    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }
    int getNumOldBankFormats() const override { return 1; }
    juce::String getOldBankExtension (int format) const override { return format == 0 ? ".qvb" : ""; }
    bool isChangingOptionAvailable() const override { return changingAvailable; }

    bool changingAvailable = true;
};

struct GroupListener : RadioButtons::Listener
{
    void radioButtonsChanged (RadioButtons* group) override { heard.push_back (group->getSelectedIndex()); }
    std::vector<int> heard;
};

void choose (RadioButtons& group, int index)
{
    group.getButton (index)->triggerClick();
    MessagePump::run();
}

// The "Presets" page of a preset-bank plug-in inside a stand-in editor under
// the framework's look and feel; its bank file dialog answers from the script.
struct PresetsPageFixture : ::testing::Test
{
    PresetsSettingsComponent& createPage()
    {
        page = std::make_unique<PresetsSettingsComponent> (plugin);
        desktop.addAndMakeVisible (*page);
        page->setBounds (0, 0, 600, 220);
        desktop.sendLookAndFeelChange();
        dialog.install (page->getUserBankPath().getFileDialog());
        return *page;
    }

    Parameter& parameter (int index) { return *plugin.getParameterManager().getParameter (index); }

    SettingsPlugin plugin;
    TestDesktop desktop;
    std::unique_ptr<PresetsSettingsComponent> page;
    ScriptedFileDialog dialog;
};
} // namespace

TEST_F (PresetsPageFixture, ShowsTheSettingsItWasCreatedWith)
{
    plugin.setStoringMode (BasePluginOldStyle::storeAutomatically);
    plugin.setChangingType (BasePluginOldStyle::changeSilently);
    plugin.setDefaultPresetsMode (BasePluginOldStyle::clearedPresets);
    plugin.setUserDefinedPresetsFile ("/home/user/Live.qvprsb");
    auto& p = createPage();

    EXPECT_EQ (p.getStoringGroup().getSelectedIndex(), 0);
    EXPECT_EQ (p.getChangingGroup().getSelectedIndex(), 1);
    EXPECT_EQ (p.getDefaultPresetsGroup().getSelectedIndex(), 1);
    EXPECT_EQ (p.getUserBankPath().getPath(), "/home/user/Live.qvprsb");
    EXPECT_FALSE (p.getUserBankPath().isEnabled());
}

TEST_F (PresetsPageFixture, ADefaultPresetsModeWithoutAButtonShowsNoSelection)
{
    for (const int mode : { -1, 3, 7 })
    {
        plugin.setDefaultPresetsMode (mode);
        auto& group = createPage().getDefaultPresetsGroup();
        EXPECT_EQ (group.getSelectedIndex(), -1) << mode;
        EXPECT_FALSE (group.getPathComponent().isEnabled()) << mode;

        for (int i = 0; i < group.getNumChoices(); ++i)
            EXPECT_FALSE (group.getButton (i)->getToggleState()) << mode;

        EXPECT_EQ (plugin.getDefaultPresetsMode(), mode);
    }
}

TEST_F (PresetsPageFixture, AutomaticStoringStoresTheCurrentValuesAtOnce)
{
    auto& p = createPage();
    plugin.selectPreset (5, false);
    parameter (feedback).setNormalizedValue (0.8f, true);
    ASSERT_NE (plugin.getPreset (5)->getValue (feedback), 0.8f);

    choose (p.getStoringGroup(), 0);
    EXPECT_EQ (plugin.getStoringMode(), BasePluginOldStyle::storeAutomatically);
    EXPECT_EQ (plugin.getPreset (5)->getValue (feedback), 0.8f);

    // Back on demand, edits stay out of the preset again.
    choose (p.getStoringGroup(), 1);
    parameter (feedback).setNormalizedValue (0.3f, true);
    EXPECT_EQ (plugin.getStoringMode(), BasePluginOldStyle::storeOnDemand);
    EXPECT_EQ (plugin.getPreset (5)->getValue (feedback), 0.8f);
}

TEST_F (PresetsPageFixture, TheChangingTypeFollowsItsGroup)
{
    auto& p = createPage();
    choose (p.getChangingGroup(), 1);
    EXPECT_EQ (plugin.getChangingType(), BasePluginOldStyle::changeSilently);
    choose (p.getChangingGroup(), 0);
    EXPECT_EQ (plugin.getChangingType(), BasePluginOldStyle::changeNormally);
}

TEST_F (PresetsPageFixture, UserDefinedEnablesThePathAnotherChoiceDisablesItAndKeepsThePath)
{
    plugin.setUserDefinedPresetsFile ("/home/user/Live.qvprsb");
    auto& p = createPage();
    auto& group = p.getDefaultPresetsGroup();
    GroupListener editor;
    group.addListener (&editor);
    plugin.renamePreset (3, "Mine");

    choose (group, 2);
    EXPECT_EQ (plugin.getDefaultPresetsMode(), BasePluginOldStyle::userDefinedPresets);
    EXPECT_TRUE (p.getUserBankPath().isEnabled());

    choose (group, 1);
    EXPECT_EQ (plugin.getDefaultPresetsMode(), BasePluginOldStyle::clearedPresets);
    EXPECT_FALSE (p.getUserBankPath().isEnabled());
    EXPECT_EQ (p.getUserBankPath().getPath(), "/home/user/Live.qvprsb");
    EXPECT_EQ (plugin.getUserDefinedPresetsFile(), "/home/user/Live.qvprsb");

    // The running bank stays as it is: the choice counts from the next start.
    EXPECT_EQ (plugin.getPresetName (3), "Mine");
    EXPECT_EQ (editor.heard, (std::vector<int> { 2, 1 }));
    group.removeListener (&editor);
}

TEST_F (PresetsPageFixture, BrowseStoresTheChosenBankAndNoChoiceLeavesThePath)
{
    plugin.setDefaultPresetsMode (BasePluginOldStyle::userDefinedPresets);
    plugin.setUserDefinedPresetsFile ("/home/user/Live.qvprsb");
    auto& browse = createPage().getUserBankPath().getBrowseButton();

    dialog.answer = juce::File();
    browse.triggerClick();
    MessagePump::run();
    EXPECT_EQ (plugin.getUserDefinedPresetsFile(), "/home/user/Live.qvprsb");
    EXPECT_EQ (page->getUserBankPath().getPath(), "/home/user/Live.qvprsb");

    const auto& request = dialog.requests.back();
    EXPECT_FALSE (request.saving);
    EXPECT_TRUE (request.title.isEmpty());
    EXPECT_EQ (request.startingLocation, juce::File());
    EXPECT_EQ (request.patterns, "*.qvprsb; *.qvb");

    dialog.answer = juce::File ("/home/user/Banks/Studio.qvprsb");
    browse.triggerClick();
    MessagePump::run();
    EXPECT_EQ (plugin.getUserDefinedPresetsFile(), "/home/user/Banks/Studio.qvprsb");
}

TEST_F (PresetsPageFixture, GroupsShareTheWidthAndTheDefaultPresetsGroupSpansItBelow)
{
    auto& p = createPage();
    const auto area = p.getLocalBounds().reduced (desktop.lookAndFeel.getTabIndent());
    const int half = area.getWidth() / 2 - 3;
    auto& storing = p.getStoringGroup();
    auto& changing = p.getChangingGroup();
    auto& defaults = p.getDefaultPresetsGroup();

    EXPECT_EQ (storing.getBounds(), juce::Rectangle<int> (area.getX(), area.getY(), half, storing.getHeight()));
    EXPECT_EQ (changing.getBounds(), juce::Rectangle<int> (area.getRight() - half, area.getY(), half, changing.getHeight()));
    EXPECT_EQ (defaults.getBounds(), juce::Rectangle<int> (area.getX(), storing.getBottom() + 10, area.getWidth(),
                                                           defaults.getHeight()));

    // The path field shares the last choice's row, after its text, and fits
    // inside the group.
    const auto path = defaults.getPathComponent().getBounds();
    const auto lastRow = defaults.getChoiceTextBounds (2);
    EXPECT_EQ (path.getCentreY(), lastRow.getCentreY());
    EXPECT_GT (path.getX(), lastRow.getX() + defaults.getChoiceTextWidth (2));
    EXPECT_EQ (path.getRight(), defaults.getWidth() - defaults.getButton (2)->getX() + 1);
    EXPECT_EQ (path.getHeight(), defaults.getPathComponent().getBrowseButton().getHeight());
    EXPECT_LT (path.getBottom(), defaults.getHeight());
}

TEST_F (PresetsPageFixture, WithoutTheChangingOptionTheStoringGroupTakesTheWholeWidth)
{
    plugin.changingAvailable = false;
    auto& p = createPage();
    const auto area = p.getLocalBounds().reduced (desktop.lookAndFeel.getTabIndent());

    EXPECT_FALSE (p.getChangingGroup().isVisible());
    EXPECT_EQ (p.getStoringGroup().getBounds(),
               juce::Rectangle<int> (area.getX(), area.getY(), area.getWidth(), p.getStoringGroup().getHeight()));
}
