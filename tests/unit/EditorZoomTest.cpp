// The user's zoom of the editor: its steps, how it is stepped, and how the
// settings file's element is read.
#include <gmock/gmock.h>

#include "framework/EditorZoom.h"

namespace
{
struct ZoomLog : EditorZoom::Listener
{
    void editorZoomChanged (EditorZoom& zoom) override { heard.push_back (zoom.getPercent()); }
    std::vector<int> heard;
};
} // namespace

TEST (EditorZoom, TakesOnlyItsStepsAndTellsOnlyChanges)
{
    EditorZoom zoom;
    ZoomLog log;
    zoom.addListener (&log);
    EXPECT_EQ (zoom.getPercent(), 100);

    for (const int percent : { 150, 150, 160, 0, -125, 200, 100 })
        zoom.setPercent (percent);

    EXPECT_THAT (log.heard, ::testing::ElementsAre (150, 200, 100));
    zoom.removeListener (&log);
}

TEST (EditorZoom, StepsUpAndDownAndStaysAtTheEnds)
{
    EditorZoom zoom;
    std::vector<int> seen;

    for (const int direction : { -1, 1, 1, 1, 1, 1, -1, 0 })
    {
        zoom.step (direction);
        seen.push_back (zoom.getPercent());
    }

    EXPECT_THAT (seen, ::testing::ElementsAre (100, 125, 150, 175, 200, 200, 175, 175));
    EXPECT_FLOAT_EQ (zoom.getScale(), 1.75f);
}

TEST (EditorZoom, SettingsElementIsReadOnlyForAStep)
{
    struct Case { const char* element; int expected; };
    const Case cases[] = {
        { "<DisplaySettings zoom=\"150\"/>", 150 },
        { "<displaysettings ZOOM=\"175\"/>", 175 },
        { "<DisplaySettings zoom=\" 200 \"/>", 200 },
        { "<DisplaySettings zoom=\"160\"/>", 125 },
        { "<DisplaySettings zoom=\"150.5\"/>", 125 },
        { "<DisplaySettings zoom=\"150 %\"/>", 125 },
        { "<DisplaySettings zoom=\"-150\"/>", 125 },
        { "<DisplaySettings zoom=\"0150\"/>", 150 },
        { "<DisplaySettings zoom=\"99999999999\"/>", 125 },
        { "<DisplaySettings/>", 125 },
    };

    for (const auto& c : cases)
    {
        EditorZoom zoom;
        zoom.setPercent (125);
        zoom.loadSettingsXml (*juce::parseXML (juce::String (c.element)));
        EXPECT_EQ (zoom.getPercent(), c.expected) << c.element;
    }

    EditorZoom zoom;
    zoom.setPercent (175);
    EXPECT_EQ (zoom.createSettingsXml()->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()),
               "<DisplaySettings zoom=\"175\"/>");
}
