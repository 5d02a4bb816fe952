#include <gmock/gmock.h>

#include "gui/look/DefaultLookAndFeel.h"
#include "gui/widgets/StatusBar.h"
#include "support/MessagePump.h"

namespace
{
// Pumps messages until the bar is empty; a generous cap keeps a broken
// time-out from hanging the test.
bool waitUntilCleared (StatusBar& bar)
{
    for (int i = 0; i < 500 && bar.getText().isNotEmpty(); ++i)
        MessagePump::run (10);

    return bar.getText().isEmpty();
}
} // namespace

TEST (StatusBar, AMessageReplacesOnlyEqualOrLowerPriorities)
{
    StatusBar bar;

    bar.showMessage ("Feedback: 50%", StatusBar::controlFeedbackPriority, 50);
    bar.showMessage ("CC# 7: Feedback", StatusBar::midiFeedbackPriority, 50);
    EXPECT_EQ (bar.getText(), "Feedback: 50%");

    bar.showMessage ("Feedback: 51%", StatusBar::controlFeedbackPriority, 50);
    EXPECT_EQ (bar.getText(), "Feedback: 51%");

    ASSERT_TRUE (waitUntilCleared (bar));
    EXPECT_EQ (bar.getPriority(), 0);

    bar.showMessage ("CC# 7: Feedback", StatusBar::midiFeedbackPriority, 50);
    EXPECT_EQ (bar.getText(), "CC# 7: Feedback");
}

TEST (StatusBar, MessagesWithoutTimeOutStayUntilCleared)
{
    StatusBar bar;
    bar.showMessage ("Waiting for a controller or parameter movement...", StatusBar::midiLearnPriority);
    bar.showMessage ("Feedback: 50%", StatusBar::controlFeedbackPriority, StatusBar::defaultTimeOutMs);

    MessagePump::run (100);
    EXPECT_EQ (bar.getText(), "Waiting for a controller or parameter movement...");

    bar.clear();
    EXPECT_TRUE (bar.getText().isEmpty());
    bar.showMessage ("Feedback: 50%", StatusBar::controlFeedbackPriority, StatusBar::defaultTimeOutMs);
    EXPECT_EQ (bar.getText(), "Feedback: 50%");
}

TEST (StatusBar, TheSameTextAgainKeepsItsRunningTimeOut)
{
    StatusBar bar;
    bar.showMessage ("Feedback: 50%", StatusBar::controlFeedbackPriority, 50);
    MessagePump::run (20);

    // Restarting with this would keep the text for the rest of the test.
    bar.showMessage ("Feedback: 50%", StatusBar::controlFeedbackPriority, 1000000);
    EXPECT_TRUE (waitUntilCleared (bar));
}

TEST (StatusBar, TakesFontAndHeightFromTheFrameworkLookAndFeelOnly)
{
    StatusBar bar;
    bar.setSize (300, 30);
    bar.sendLookAndFeelChange();
    EXPECT_EQ (bar.getHeight(), 30);
    EXPECT_EQ (bar.getFont().getHeight(), 14.0f);
    EXPECT_NE (bar.getFont().getTypefaceName(), "Tahoma");

    DefaultLookAndFeel lookAndFeel;
    bar.setLookAndFeel (&lookAndFeel);
    EXPECT_EQ (bar.getBounds(), juce::Rectangle<int> (300, 16));
    EXPECT_EQ (bar.getFont(), lookAndFeel.getPlainFont());
    bar.setLookAndFeel (nullptr);
}
