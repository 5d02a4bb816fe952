#include <gmock/gmock.h>

#include "gui/files/PathComponent.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/widgets/CheckBox.h"
#include "gui/widgets/ComponentRow.h"
#include "gui/widgets/RadioButtons.h"
#include "gui/widgets/TextButtonEx.h"

namespace
{
// Puts a widget under the framework's look and feel for the test's length.
struct UnderLookAndFeel
{
    explicit UnderLookAndFeel (juce::Component& c) : component (c) { component.setLookAndFeel (&lookAndFeel); }
    ~UnderLookAndFeel() { component.setLookAndFeel (nullptr); }

    DefaultLookAndFeel lookAndFeel;
    juce::Component& component;
};

struct PathListener : PathComponent::Listener
{
    void pathChanged (PathComponent* path) override { heard.add (path->getPath()); }
    juce::StringArray heard;
};
} // namespace

TEST (RadioButtons, LayoutFollowsTheLookAndFeelMetrics)
{
    RadioButtons group ("Default presets", { "Factory presets", "Clear presets", "User defined" });
    UnderLookAndFeel scope (group);
    const auto& lookAndFeel = scope.lookAndFeel;

    // Three rows of 20, two spacings of 2 and the 13-pixel title.
    EXPECT_EQ (group.getHeight(), 3 * 20 + 2 * 2 + 13);

    for (int i = 0; i < 3; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (group.getButton (i)->getName(), "RadioButton" + juce::String (i));
        // x: left margin + 1; y: row top + (row height - 14) / 2 after the title and spacing.
        EXPECT_EQ (group.getButton (i)->getBounds(), juce::Rectangle<int> (7, 18 + 20 * i, 15, 14));
        EXPECT_EQ (group.getChoiceTextBounds (i), juce::Rectangle<int> (28, 15 + 20 * i, group.getWidth() - 28, 20));
    }

    const int widestChoice = lookAndFeel.getPlainFont().getStringWidth ("Factory presets");
    EXPECT_EQ (group.getWidth(), juce::jmax (widestChoice + 2 * 6 + 6 + 15 + 2,
                                             lookAndFeel.getBoldFont().getStringWidth ("Default presets") + 2 * 13));
}

TEST (RadioButtons, WidthIsTheLargestOfTitleChoicesAndGivenWidth)
{
    RadioButtons group ("A title much wider than any of its choices", { "A", "B" });
    UnderLookAndFeel scope (group);
    const int titleWidth = scope.lookAndFeel.getBoldFont().getStringWidth (
                               "A title much wider than any of its choices")
                           + 2 * 13;
    EXPECT_EQ (group.getWidth(), titleWidth);

    group.setSize (titleWidth + 100, group.getHeight());
    group.sendLookAndFeelChange();
    EXPECT_EQ (group.getWidth(), titleWidth + 100);
}

TEST (RadioButtons, SelectsOneChoiceAndNotifiesOnlyChanges)
{
    struct Listener : RadioButtons::Listener
    {
        void radioButtonsChanged (RadioButtons* group) override { heard.push_back (group->getSelectedIndex()); }
        std::vector<int> heard;
    } listener;

    RadioButtons group ("Preset storing", { "Automatic", "On demand" });
    group.addListener (&listener);

    group.setSelectedIndex (1, juce::sendNotification);
    group.setSelectedIndex (1, juce::sendNotification);
    group.getButton (0)->triggerClick();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    group.setSelectedIndex (3, juce::dontSendNotification);

    EXPECT_EQ (listener.heard, (std::vector<int> { 1, 0 }));
    EXPECT_EQ (group.getSelectedIndex(), -1);
    EXPECT_FALSE (group.getButton (0)->getToggleState());
    EXPECT_FALSE (group.getButton (1)->getToggleState());
}

TEST (ComponentRow, PlacesChildrenInARowWithSpacingAndCrossAlignment)
{
    struct Case
    {
        bool vertical;
        ComponentRow::Alignment alignment;
        std::vector<juce::Point<int>> positions;
        juce::Rectangle<int> size;
    };

    // Children of 10 x 20, 30 x 10 and 6 x 6, spacing 2.
    const std::vector<Case> cases {
        { false, ComponentRow::alignStart, { { 0, 0 }, { 12, 0 }, { 44, 0 } }, { 50, 20 } },
        { false, ComponentRow::alignCentre, { { 0, 0 }, { 12, 5 }, { 44, 7 } }, { 50, 20 } },
        { false, ComponentRow::alignEnd, { { 0, 0 }, { 12, 10 }, { 44, 14 } }, { 50, 20 } },
        { true, ComponentRow::alignStart, { { 0, 0 }, { 0, 22 }, { 0, 34 } }, { 30, 40 } },
        { true, ComponentRow::alignEnd, { { 20, 0 }, { 0, 22 }, { 24, 34 } }, { 30, 40 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.vertical ? "column " : "row ") + juce::String ((int) c.alignment));
        ComponentRow row (c.vertical);
        juce::Component a, b, d;
        a.setSize (10, 20);
        b.setSize (30, 10);
        d.setSize (6, 6);
        row.setSpacing (2);
        row.setAlignment (c.alignment);

        for (auto* child : { &a, &b, &d })
            row.addAndMakeVisible (child);

        EXPECT_EQ (a.getPosition(), c.positions[0]);
        EXPECT_EQ (b.getPosition(), c.positions[1]);
        EXPECT_EQ (d.getPosition(), c.positions[2]);
        EXPECT_EQ (row.getLocalBounds(), c.size);

        // A child that grows moves the ones after it.
        a.setSize (c.vertical ? 10 : 20, c.vertical ? 30 : 20);
        EXPECT_EQ (c.vertical ? b.getY() : b.getX(), c.vertical ? 32 : 22);
    }
}

TEST (PathComponent, APathDifferingOnlyInLetterCaseChangesNothing)
{
    PathComponent field;
    PathListener listener;
    field.addListener (&listener);

    field.setPath ("/home/user/Banks/Live.qvprsb", juce::sendNotification);
    field.setPath ("/HOME/user/banks/LIVE.QVPRSB", juce::sendNotification);
    field.setPath ("/home/user/Banks/Other.qvprsb", juce::dontSendNotification);

    EXPECT_EQ (listener.heard, juce::StringArray ("/home/user/Banks/Live.qvprsb"));
    EXPECT_EQ (field.getPath(), "/home/user/Banks/Other.qvprsb");
}

TEST (PathComponent, ALongPathShowsItsBeginningAndTheEllipsis)
{
    PathComponent field;
    UnderLookAndFeel scope (field);
    field.setSize (220, 28);

    auto& browse = field.getBrowseButton();
    EXPECT_EQ (browse.getButtonText(), "Browse");
    EXPECT_EQ (browse.getStyle(), 1);
    EXPECT_EQ (browse.getRight(), 220);
    EXPECT_EQ (field.getFieldArea(), juce::Rectangle<int> (0, 4, browse.getX(), 20));
    EXPECT_EQ (field.getTextArea(), juce::Rectangle<int> (4, 4, browse.getX() - 8, 20));

    field.setPath ("/home/user/a.qvprsb", juce::dontSendNotification);
    EXPECT_FALSE (field.isPathShortened());

    field.setPath ("/home/user/Music/Presets/Phasers/A rather long folder name/Factory.qvprsb",
                   juce::dontSendNotification);
    EXPECT_TRUE (field.isPathShortened());
}

TEST (TextButtonEx, IsCapsPlusTextWideAndFollowsTextAndFont)
{
    TextButtonEx button ("Load");
    EXPECT_EQ (button.getBounds(), juce::Rectangle<int> (10 + juce::Font (14.0f).getStringWidth ("Load") + 10, 20));

    UnderLookAndFeel scope (button);
    const auto& font = scope.lookAndFeel.getBoldFont();
    EXPECT_EQ (button.getFont(), font);

    button.setText ("Save current preset");
    const int caps = button.hasImages() ? 30 : 20;
    EXPECT_EQ (button.getWidth(), caps + font.getStringWidth ("Save current preset"));
    EXPECT_EQ (button.getHeight(), button.hasImages() ? 28 : 20);
}

TEST (CheckBox, ClickingTheBoxTogglesItAndTellsTheListeners)
{
    struct Listener : CheckBox::Listener
    {
        void checkBoxChanged (CheckBox* box) override { heard.push_back (box->isTicked()); }
        std::vector<bool> heard;
    } listener;

    CheckBox box ("Midi Learn mode");
    UnderLookAndFeel scope (box);
    box.addListener (&listener);

    EXPECT_EQ (box.getBounds(),
               juce::Rectangle<int> (15 + 5 + scope.lookAndFeel.getPlainFont().getStringWidth ("Midi Learn mode"), 14));

    auto* button = dynamic_cast<juce::Button*> (box.getChildComponent (0));
    ASSERT_NE (button, nullptr);
    button->triggerClick();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    box.setTicked (false, juce::dontSendNotification);

    EXPECT_EQ (listener.heard, std::vector<bool> { true });
    EXPECT_FALSE (box.isTicked());
}
