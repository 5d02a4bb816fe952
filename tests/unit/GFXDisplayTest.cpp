#include <gmock/gmock.h>

#include "framework/FloatParameter.h"
#include "gui/controls/GFXDisplayFloat.h"
#include "support/MessagePump.h"
#include "support/SkinTestSupport.h"

#include <dlfcn.h>

namespace
{
constexpr int glyphWidth = 7, glyphHeight = 9, glyphs = 96;

// The product's font layout (7 x 9 cells for the characters 32..127, then
// the same inverted) with cell row r filled in the red level r.
juce::Image numberedFont()
{
    return numberedStrip (glyphWidth, glyphHeight, 2 * glyphs);
}

// What the cells show: the characters, with the caret cell in brackets.
juce::String shownCells (GFXDisplay& display)
{
    const auto snapshot = display.createComponentSnapshot (display.getLocalBounds());
    const int x0 = (display.getWidth() % glyphWidth) / 2, y0 = (display.getHeight() - glyphHeight) / 2;
    juce::String cells;

    for (int k = 0; k < display.getNumVisibleCells(); ++k)
    {
        const int row = snapshot.getPixelAt (x0 + k * glyphWidth + 3, y0 + 4).getRed();
        const auto character = juce::String::charToString ((juce::juce_wchar) (' ' + row % glyphs));
        cells += row < glyphs ? character : "[" + character + "]";
    }

    return cells;
}

struct TextLog : GFXDisplayListener
{
    void displayTextChanged (GFXDisplay* display) override { texts.add (display->getText()); }
    juce::StringArray texts;
};

struct GFXDisplayTest : ::testing::Test
{
    GFXDisplayTest()
    {
        display.setBounds (130, 28, 153, 13);
        display.setFont (numberedFont(), glyphHeight, ' ');
        display.addDisplayListener (&log);
    }

    void startEditing() { display.focusGained (juce::Component::focusChangedByMouseClick); }

    void press (int keyCode, juce::juce_wchar character = 0, juce::ModifierKeys mods = {})
    {
        display.keyPressed (juce::KeyPress (keyCode, mods, character));
    }

    void type (const juce::String& text)
    {
        for (auto c : text)
            press ((int) c, c);
    }

    SkinWorld world;
    GFXDisplay display { "PresetNameDisplay" };
    TextLog log;
};

const juce::String longName = "A preset with a rather long name";
} // namespace

TEST_F (GFXDisplayTest, ALongNameShowsItsStartAndEditingScrollsTheCaretCellIntoTheLastCell)
{
    display.setText (longName);
    EXPECT_EQ (display.getNumVisibleCells(), 21);
    EXPECT_EQ (shownCells (display), longName.substring (0, 21));

    startEditing();
    EXPECT_EQ (display.getCaretPosition(), longName.length());
    EXPECT_EQ (shownCells (display), longName.substring (longName.length() - 20) + "[ ]");

    press (juce::KeyPress::homeKey);
    EXPECT_EQ (shownCells (display), "[A]" + longName.substring (1, 21));

    press (juce::KeyPress::endKey, 0, juce::ModifierKeys::shiftModifier);
    EXPECT_EQ (display.getCaretPosition(), 0);

    for (int i = 0; i < 21; ++i)
        press (juce::KeyPress::rightKey);

    EXPECT_EQ (display.getScrollOffset(), 2);
    EXPECT_EQ (shownCells (display), longName.substring (2, 21) + "[" + longName.substring (21, 22) + "]" + longName[22]);

    press (juce::KeyPress::returnKey);
    EXPECT_EQ (shownCells (display), longName.substring (0, 21));
}

TEST_F (GFXDisplayTest, CharactersTheFontLacksShowTheFirstGlyph)
{
    // An e with an acute accent, an L with a stroke (whose low byte is "A"),
    // the last glyph of the font and a tab.
    display.setText (juce::CharPointer_UTF8 ("Caf\xc3\xa9 \xc5\x81" "ad\x7f\t!"));
    EXPECT_EQ (shownCells (display).substring (0, 12), "Caf   ad" + juce::String::charToString (0x7f) + " ! ");
}

TEST_F (GFXDisplayTest, TheKeyTableEditsAtTheCaret)
{
    display.setText ("Pad");
    startEditing();

    press (juce::KeyPress::backspaceKey);
    type ("stel");
    press (juce::KeyPress::homeKey);
    press (juce::KeyPress::deleteKey);
    type ("P");
    press ('A', 'A', juce::ModifierKeys::shiftModifier);
    press (juce::KeyPress::rightKey);
    press (juce::KeyPress::leftKey, 0, juce::ModifierKeys::ctrlModifier);
    press (juce::KeyPress::tabKey, '\t');
    press ('A', 1, juce::ModifierKeys::ctrlModifier);
    press ('e', 0x00e9);
    EXPECT_EQ (display.getText(), "PAastel");
    EXPECT_EQ (display.getCaretPosition(), 3);

    press (juce::KeyPress::homeKey);
    press (juce::KeyPress::backspaceKey);
    press (juce::KeyPress::leftKey);
    EXPECT_EQ (display.getText(), "PAastel");
    EXPECT_EQ (display.getCaretPosition(), 0);
}

TEST_F (GFXDisplayTest, OnlyAnEditThatChangedTheTextIsReportedOnceWhateverEndsIt)
{
    display.setText ("Lead");
    startEditing();
    type ("er");
    press (juce::KeyPress::escapeKey);
    EXPECT_EQ (display.getText(), "Lead");
    EXPECT_FALSE (display.isEditing());

    startEditing();
    press (juce::KeyPress::backspaceKey);
    type ("d");
    press (juce::KeyPress::returnKey);
    display.focusLost (juce::Component::focusChangedDirectly);

    startEditing();
    type ("s");
    display.focusLost (juce::Component::focusChangedByMouseClick);
    display.focusLost (juce::Component::focusChangedByMouseClick);

    EXPECT_EQ (log.texts, juce::StringArray ("Leads"));
}

TEST_F (GFXDisplayTest, AParameterChangeDuringAnEditReplacesTheText)
{
    auto& name = world.parameter ("Current Preset Name");
    display.linkToParameter (&name);
    display.setText ("Old");
    startEditing();

    name.setText ("New name", true);
    MessagePump::run();
    EXPECT_EQ (display.getText(), "New name");
    press (juce::KeyPress::endKey);
    type ("!");
    EXPECT_EQ (display.getText(), "New name!");
}

TEST (GFXDisplayLoading, TheSkinElementSetsTextColoursAndTheLastPlaceAndSize)
{
    SkinWorld world;
    GFXDisplay display ("PresetNameDisplay");
    display.loadFromXml (*xml (R"(<Display name="PresetNameDisplay" caretColour="FFBEF6FF" backgroundColour="ff23-22-24">
        <links><link as="connectedTo" param="Current Preset Name"/></links>
        <gfx resource="NoSuchFont.png" firstASCII=" " fontHeight="9"/>
        <pos left="1" top="2"/><size width="10" height="10"/>
        <POS left="130" top="28"/><Size width="153" height="13"/>
      </Display>)"),
                         world.parameters, world.events, nullptr);

    EXPECT_EQ (display.getText(), "PresetNameDisplay");
    EXPECT_EQ (display.getBounds(), juce::Rectangle<int> (130, 28, 153, 13));
    EXPECT_EQ (display.findColour (juce::TextEditor::backgroundColourId), juce::Colour (0xff232224));
    EXPECT_EQ (display.findColour (juce::CaretComponent::caretColourId), juce::Colour (0xffbef6ff));
    EXPECT_EQ (display.getLinkedParameter(), &world.parameter ("Current Preset Name"));
    EXPECT_TRUE (display.isEnabled());

    display.loadFromXml (*xml (R"(<Display name="x" readonly="yes"/>)"), world.parameters, world.events, nullptr);
    EXPECT_FALSE (display.isEnabled());
    mouseDown (display, { 5.0f, 5.0f });
    EXPECT_FALSE (display.isEditing());
}

TEST (GFXDisplayFloat, ANumberWhoseLastVisibleCellIsThePointMovesOneCellRight)
{
    FloatParameter value (7, "Value", 0.0f, 1000.0f, 0.0f);
    GFXDisplayFloat display ("Number");
    display.setFont (numberedFont(), glyphHeight, ' ');
    display.setSize (4 * glyphWidth, glyphHeight);

    value.setValue (1.25f, false);
    display.parameterValueChanged (&value);
    EXPECT_EQ (shownCells (display), "1.25");

    value.setValue (125.5f, false);
    display.parameterValueChanged (&value);
    EXPECT_EQ (shownCells (display), " 125");
}

namespace
{
// JUCE leaves X errors to the host's handler when it is not a standalone
// application. Without a window manager the window-type atoms JUCE sets do
// not exist, the server refuses those requests, and Xlib's default handler
// would end the test program.
void toleratesXErrorsLikeAHost()
{
    using Handler = int (*) (void*, void*);
    using SetHandler = Handler (*) (Handler);

    if (auto* x11 = dlopen ("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD))
        if (auto set = reinterpret_cast<SetHandler> (dlsym (x11, "XSetErrorHandler")))
            set ([] (void*, void*) { return 0; });
}

// An editor window on the screen holding one display, optionally embedded
// in a host window that is not mapped, so that the window system gives the
// editor's window no keyboard focus, and optionally drawn at a scale.
struct DisplayWindow
{
    explicit DisplayWindow (bool hostKeepsKeyboard, float scale = 1.0f)
    {
        editor.setBounds (100, 100, 300, 100);
        editor.setTransform (juce::AffineTransform::scale (scale));
        editor.addAndMakeVisible (other);
        editor.addAndMakeVisible (display);
        display.setBounds (20, 30, 153, 13);
        display.setFont (numberedFont(), glyphHeight, ' ');
        display.setText ("Name");
        display.addDisplayListener (&log);
        editor.setVisible (true);
        toleratesXErrorsLikeAHost();

        if (hostKeepsKeyboard)
        {
            host.setBounds (100, 100, 300, 100);
            host.addToDesktop (0);
            editor.setTopLeftPosition (0, 0);
            editor.addToDesktop (0, host.getPeer()->getNativeHandle());
        }
        else
        {
            editor.addToDesktop (0);
        }

        MessagePump::run (50);
    }

    ~DisplayWindow() { editor.removeFromDesktop(); }

    juce::Component host, editor, other;
    GFXDisplay display { "PresetNameDisplay" };
    TextLog log;
};

bool hasScreen()
{
    return juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() != nullptr;
}

} // namespace

TEST (GFXDisplayEditing, AClickEditsInPlaceWhereTheWindowCanTakeTheKeyboard)
{
    if (! hasScreen())
        GTEST_SKIP() << "no display";

    DisplayWindow window (false);
    mouseDown (window.display, { 5.0f, 5.0f });
    EXPECT_TRUE (window.display.isEditing());
    EXPECT_FALSE (window.display.isEditingInOwnWindow());
    EXPECT_EQ (window.display.getParentComponent(), &window.editor);

    window.display.keyPressed (juce::KeyPress ('s', {}, 's'));
    window.display.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    EXPECT_FALSE (window.display.isEditing());
    EXPECT_FALSE (window.display.hasKeyboardFocus (false));

    // A click on another component, which JUCE reports to the display while
    // it edits, ends the edit like a loss of focus.
    mouseDown (window.display, { 5.0f, 5.0f });
    window.display.keyPressed (juce::KeyPress ('!', {}, '!'));
    window.display.mouseDown (mouseEvent (window.other, { 1.0f, 1.0f }).getEventRelativeTo (&window.display));
    EXPECT_FALSE (window.display.isEditing());
    EXPECT_EQ (window.log.texts, juce::StringArray ({ "Names", "Names!" }));
}

TEST (GFXDisplayEditing, WhereTheHostKeepsTheKeyboardTheEditHappensInAWindowOfItsOwnAndComesBack)
{
    if (! hasScreen())
        GTEST_SKIP() << "no display";

    // The window of its own covers the display's place at the editor's scale.
    for (const float scale : { 1.0f, 2.0f })
    {
        SCOPED_TRACE (scale);
        DisplayWindow window (true, scale);
        const auto screenBounds = window.display.getScreenBounds();
        mouseDown (window.display, { 5.0f, 5.0f });

        ASSERT_TRUE (window.display.isEditing());
        EXPECT_TRUE (window.display.isEditingInOwnWindow());
        EXPECT_TRUE (window.display.isOnDesktop());
        EXPECT_EQ (window.display.getScreenBounds(), screenBounds);
        EXPECT_EQ (screenBounds.getWidth(), juce::roundToInt (153 * scale));
        EXPECT_TRUE (window.display.hasKeyboardFocus (false));

        window.display.keyPressed (juce::KeyPress ('!', juce::ModifierKeys::shiftModifier, '!'));
        window.display.focusLost (juce::Component::focusChangedByMouseClick);
        MessagePump::run();

        EXPECT_FALSE (window.display.isEditing());
        EXPECT_FALSE (window.display.isOnDesktop());
        EXPECT_FALSE (window.display.isTransformed());
        EXPECT_EQ (window.display.getParentComponent(), &window.editor);
        EXPECT_EQ (window.display.getBounds(), juce::Rectangle<int> (20, 30, 153, 13));
        EXPECT_EQ (window.editor.getIndexOfChildComponent (&window.display), 1);
        EXPECT_EQ (window.log.texts, juce::StringArray ("Name!"));
    }
}
