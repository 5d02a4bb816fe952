#include <gmock/gmock.h>

#include "gui/widgets/ComboBoxEx.h"
#include "gui/widgets/LabelWithModalTextEditor.h"
#include "gui/windows/AlertWindow.h"
#include "gui/windows/OptionsWindow.h"
#include "support/MessagePump.h"
#include "support/TestDesktop.h"

namespace
{
struct ClickCounter : juce::TextButton
{
    ClickCounter() : juce::TextButton ("Control") { onClick = [this] { ++clicks; }; }
    int clicks = 0;
};

struct TabListener : TabbedComponentEx::Listener
{
    void currentTabChanged (TabbedComponentEx* tabs) override { heard.push_back (tabs->getCurrentTabIndex()); }
    std::vector<int> heard;
};

struct Answers : Brannock::AlertWindow::Caller
{
    void alertWindowFinished (Brannock::AlertWindow*, int result) override { results.push_back (result); }
    std::vector<int> results;
};
} // namespace

TEST (WindowComponent, ContentSizeAddsTheFrameAndKeepsTheMinimum)
{
    struct Case
    {
        const char* name;
        bool titleBar, outline;
        int shadowSide, width, height;
        juce::Rectangle<int> expected;
    };

    const std::vector<Case> cases {
        { "default 400 x 300", true, true, EmbeddedImages::noShadow, 400, 300, { 416, 349 } },
        { "default below minimum", true, true, EmbeddedImages::noShadow, 100, 50, { 250, 120 } },
        { "flat", false, false, EmbeddedImages::noShadow, 400, 300, { 410, 310 } },
        { "flat, shadow on top", false, false, EmbeddedImages::shadowTop, 400, 300, { 410, 320 } },
        { "outline, shadow on the left", false, true, EmbeddedImages::shadowLeft, 400, 300, { 426, 316 } },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        WindowComponent window;
        window.setHasTitleBar (c.titleBar);
        window.setHasOutline (c.outline);
        window.setShadowSide (c.shadowSide);
        window.setContentSize (c.width, c.height);
        EXPECT_EQ (window.getLocalBounds(), c.expected);

        if (c.width >= 250)
            EXPECT_EQ (window.getContentArea().getWidth(), c.width);

        if (c.height >= 120)
            EXPECT_EQ (window.getContentArea().getHeight(), c.height);
    }
}

TEST (WindowComponent, TitleBarAndCloseButtonFollowTheStyle)
{
    OptionsWindow window;
    window.setSize (800, 600);

    EXPECT_EQ (window.getContentArea(), juce::Rectangle<int> (8, 41, 784, 551));
    EXPECT_EQ (window.getTabs().getBounds(), window.getContentArea());
    EXPECT_TRUE (window.getCloseButton().isVisible());
    EXPECT_EQ (window.getCloseButton().getBounds(), juce::Rectangle<int> (800 - 27 - 10, 8, 27, 27));

    window.setFlatStyle (true);
    EXPECT_FALSE (window.hasRoundedCorners() || window.hasTitleBar() || window.hasOutline());
    EXPECT_FALSE (window.getCloseButton().isVisible());
    EXPECT_EQ (window.getTabs().getBounds(), juce::Rectangle<int> (5, 5, 790, 590));

    window.setFlatStyle (false);
    EXPECT_TRUE (window.hasRoundedCorners() && window.hasTitleBar() && window.hasOutline());
    EXPECT_EQ (window.getTabs().getBounds(), juce::Rectangle<int> (8, 41, 784, 551));
}

TEST (OptionsWindow, ATabInsertedAtZeroBecomesCurrentAnAppendedOneDoesNot)
{
    OptionsWindow window;
    TabListener listener;
    window.getTabs().addListener (&listener);

    window.addTab ("Midi Control", new juce::Component());
    window.addTab ("About", new juce::Component());
    EXPECT_EQ (window.getTabs().getCurrentTabName(), "Midi Control");

    window.addTab ("Presets", new juce::Component(), 0);
    EXPECT_EQ (window.getTabs().getCurrentTabIndex(), 0);
    EXPECT_EQ (window.getTabs().getCurrentTabName(), "Presets");
    EXPECT_EQ (window.getTabs().getTabbedButtonBar().getTabBackgroundColour (0), juce::Colour (0xFFC5C5C5));
    EXPECT_EQ (listener.heard.back(), 0);
    window.getTabs().removeListener (&listener);
}

TEST (OptionsWindow, DimsTheEditorAndSwallowsItsClicksUntilClosed)
{
    TestDesktop desktop;
    ClickCounter control;
    OptionsWindow window;
    control.setBounds (10, 10, 100, 30);
    window.setSize (400, 300);
    desktop.addAndMakeVisible (control);
    desktop.addChildComponent (window);
    desktop.show();

    desktop.clickCentreOf (control);
    EXPECT_EQ (control.clicks, 1);

    window.show();
    ASSERT_TRUE (window.isShown());
    EXPECT_EQ (window.getParentComponent()->getBounds(), desktop.getLocalBounds());
    EXPECT_EQ (window.getBounds(), juce::Rectangle<int> (120, 90, 400, 300));

    const auto snapshot = desktop.createComponentSnapshot ({ 0, 0, 5, 5 }, false);
    EXPECT_EQ (snapshot.getPixelAt (1, 1).getAlpha(), juce::roundToInt (0.33f * 255.0f));

    desktop.clickCentreOf (control);
    EXPECT_EQ (control.clicks, 1);

    desktop.clickCentreOf (window.getCloseButton());
    EXPECT_FALSE (window.isShown());

    desktop.clickCentreOf (control);
    EXPECT_EQ (control.clicks, 2);

    // Shown again, it still covers the editor from the front.
    window.show();
    desktop.clickCentreOf (control);
    EXPECT_EQ (control.clicks, 2);
}

TEST (PseudoModalComponent, WithoutADesktopItIsJustMadeVisible)
{
    juce::Component parent;
    WindowComponent window;
    parent.addChildComponent (window);

    window.show();
    EXPECT_TRUE (window.isVisible());
    EXPECT_EQ (window.getParentComponent(), &parent);
    window.hide();
    EXPECT_FALSE (window.isShown());
}

TEST (PseudoModalComponent, ShowAtPlacesTheWindowAtAPointOfAnotherComponent)
{
    TestDesktop desktop;
    juce::Component panel;
    WindowComponent window;
    panel.setBounds (100, 50, 200, 200);
    window.setSize (250, 120);
    desktop.addAndMakeVisible (panel);
    panel.addChildComponent (window);

    window.showAt ({ 10, 20 }, &panel);
    EXPECT_EQ (window.getPosition(), juce::Point<int> (110, 70));

    // The covering layer follows the editor's size and keeps the window put.
    desktop.setSize (800, 600);
    EXPECT_EQ (window.getParentComponent()->getBounds(), desktop.getLocalBounds());
    EXPECT_EQ (window.getPosition(), juce::Point<int> (110, 70));
}

TEST (AlertWindow, YesAndNoHideTheWindowAndAnswerTheCaller)
{
    TestDesktop desktop;
    Answers answers;
    auto alert = Brannock::AlertWindow::askYesNo ("Quilvern", "Do you really want to clear all assignations?",
                                                  &answers);
    ASSERT_EQ (alert->getButton (0)->getButtonText(), "Yes");
    ASSERT_EQ (alert->getButton (1)->getButtonText(), "No");
    desktop.show();

    for (const int answer : { 1, 0 })
    {
        alert->showOver (desktop);
        ASSERT_TRUE (alert->isShown());
        desktop.clickCentreOf (*alert->getButton (answer == 1 ? 0 : 1));
        EXPECT_FALSE (alert->isShown());
    }

    alert->showOver (desktop);
    desktop.clickCentreOf (alert->getCloseButton());
    EXPECT_FALSE (alert->isShown());
    EXPECT_EQ (answers.results, (std::vector<int> { 1, 0 }));

    // The buttons sit at the bottom right of the content, the message above.
    const auto content = alert->getContentArea();
    EXPECT_EQ (alert->getButton (1)->getScreenBounds().getBottomRight(),
               alert->localPointToGlobal (content.getBottomRight()));
    EXPECT_GE (content.getWidth(),
               alert->getButton (0)->getWidth() + alert->getButton (1)->getWidth());
}

TEST (LabelWithModalTextEditor, EditsOnTopOfTheEditorAndKeepsOnlyAConfirmedText)
{
    struct Listener : LabelWithModalTextEditor::Listener
    {
        void labelTextChanged (LabelWithModalTextEditor* label) override { heard.add (label->getText()); }
        juce::StringArray heard;
    } listener;

    TestDesktop desktop;
    juce::Component row;
    LabelWithModalTextEditor label ("Init");
    row.setBounds (50, 60, 100, 20);
    label.setBounds (0, 0, 100, 20);
    label.addListener (&listener);
    desktop.addAndMakeVisible (row);
    row.addAndMakeVisible (label);
    desktop.show();
    // Until the X server has mapped the window, it cannot take the focus.
    ASSERT_TRUE (MessagePump::runUntil ([&] {
        auto* peer = desktop.getPeer();
        return peer != nullptr && (peer->grabFocus(), peer->isFocused());
    })) << "the window never took the keyboard focus";

    const auto edit = [&] (const juce::String& text, const juce::KeyPress& key) {
        label.showEditor();
        auto* editor = label.getEditor();
        EXPECT_TRUE (editor->hasKeyboardFocus (false));
        EXPECT_EQ (editor->getParentComponent(), &desktop);
        EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (50, 60, 100, 20));
        editor->setText (text);
        editor->keyPressed (key);
        EXPECT_EQ (editor->getParentComponent(), &label);
        EXPECT_FALSE (label.isBeingEdited());
    };

    edit ("Bright sweep", juce::KeyPress (juce::KeyPress::escapeKey));
    EXPECT_EQ (label.getText(), "Init");

    edit ("Init", juce::KeyPress (juce::KeyPress::returnKey));
    edit ("Bright sweep", juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_EQ (label.getText(), "Bright sweep");
    EXPECT_EQ (listener.heard, juce::StringArray ("Bright sweep"));
}

TEST (ComboBoxEx, ItsListOpensInsideTheEditorAndAClickChooses)
{
    TestDesktop desktop;
    ComboBoxEx box;
    box.addItem ("Sine", 1);
    box.addItem ("Triangle", 2);
    box.setBounds (40, 40, 150, 20);
    desktop.addAndMakeVisible (box);
    desktop.show();
    const int windowsOnScreen = juce::Desktop::getInstance().getNumComponents();

    box.showPopup();
    ASSERT_TRUE (box.isPopupShown());
    EXPECT_EQ (juce::Desktop::getInstance().getNumComponents(), windowsOnScreen);

    // The second row, just below the box.
    desktop.click ({ 60, 40 + 20 + 1 + PopupMenuEx::rowHeight + PopupMenuEx::rowHeight / 2 });
    EXPECT_FALSE (box.isPopupShown());
    EXPECT_EQ (box.getSelectedId(), 2);

    // Opened by a click on the box, as often as the user likes.
    for (int i = 0; i < 2; ++i)
    {
        desktop.clickCentreOf (box);
        ASSERT_TRUE (MessagePump::runUntil ([&] { return box.isPopupShown(); }));
        desktop.click ({ 600, 400 });
        EXPECT_FALSE (box.isPopupShown());
    }

    EXPECT_EQ (box.getSelectedId(), 2);
}
