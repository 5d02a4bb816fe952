#include "gui/controls/GFXButton.h"

#include "gui/skin/SkinXml.h"

GFXButton::GFXButton (const juce::String& name)
    : juce::Button (name),
      autoRepeat ([this] { clicked (juce::ModifierKeys::getCurrentModifiers()); })
{
    fitSizeToName();
}

GFXButton::~GFXButton() = default;

void GFXButton::loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                             EventsMap& events, BasePluginEditor* editor)
{
    BaseGFXController::loadFromXml (element, parameters, events, editor);
    loadClickEvent (element);
    setAutoRepeat (SkinXml::readString (element, "autorepeat", "no") == "yes");
    applyStoredBounds();
}

void GFXButton::addAction (const juce::String& type, int eventId, const juce::String& displayName)
{
    if (type == "onClick")
    {
        clickEventId = eventId;
        clickName = displayName;
    }
    else if (type == "onClickWithCtrl")
    {
        ctrlClickEventId = eventId;
        ctrlClickName = displayName;
    }
}

int GFXButton::getShownFrame() const
{
    return isEnabled() && isDown() ? 1 : 0;
}

void GFXButton::setClickOnPress (bool onPress)
{
    setTriggeredOnMouseDown (onPress);
}

void GFXButton::setAutoRepeat (bool shouldRepeat)
{
    autoRepeat.setTimes (shouldRepeat ? repeatDelayMs : 0, shouldRepeat ? repeatIntervalMs : 0);
}

void GFXButton::mouseEnter (const juce::MouseEvent& e)
{
    juce::Button::mouseEnter (e);
    updateTooltip (e.mods);
}

void GFXButton::modifierKeysChanged (const juce::ModifierKeys& modifiers)
{
    juce::Button::modifierKeysChanged (modifiers);
    updateTooltip (modifiers);
}

void GFXButton::paintButton (juce::Graphics& g, bool, bool isButtonDown)
{
    if (hasImage())
        drawShownFrame (g);
    else
        paintFallback (g, isButtonDown);
}

void GFXButton::clicked (const juce::ModifierKeys& modifiers)
{
    const int id = eventIdFor (modifiers);

    if (id != -1)
        fireAction (id);
}

// Repeats run while the button is down with the pointer over it; leaving
// and coming back starts the delay again.
void GFXButton::buttonStateChanged()
{
    if (getState() == buttonDown)
        autoRepeat.start();
    else
        autoRepeat.stop();
}

int GFXButton::eventIdFor (const juce::ModifierKeys& modifiers) const
{
    return modifiers.isCtrlDown() ? ctrlClickEventId : clickEventId;
}

void GFXButton::loadClickEvent (const juce::XmlElement& element)
{
    setClickOnPress (SkinXml::readString (element, "clickEvent", "onRelease") == "onPress");
}

void GFXButton::paintFallback (juce::Graphics& g, bool isButtonDown)
{
    paintFallbackFace (g, *this, getButtonText(), isButtonDown);
}

void GFXButton::paintFallbackFace (juce::Graphics& g, juce::Component& button, const juce::String& text, bool down)
{
    const auto bounds = button.getLocalBounds();

    g.fillAll (juce::Colour (down ? 0xff666666 : 0xffe5e5e5));
    g.setColour (juce::Colours::black);
    g.drawRect (bounds, 1);
    g.setColour (button.isEnabled() ? juce::Colours::black : juce::Colour (0xff808080));
    g.setFont (12.0f);
    g.drawText (text, bounds, juce::Justification::centred, true);
}

void GFXButton::updateTooltip (const juce::ModifierKeys& modifiers)
{
    const bool ctrl = modifiers.isCtrlDown() && ctrlClickEventId != -1;
    setTooltip (ctrl ? ctrlClickName : clickName);
}

void GFXButton::fitSizeToName()
{
    const auto text = getButtonText();
    const int width = text.isEmpty() ? 18 : juce::Font (12.0f).getStringWidth (text) + 8;
    setSize (width, 18);
}
