#pragma once

#include "gui/controls/ButtonRepeat.h"
#include "gui/skin/BaseGFXController.h"

// A push button that fires named events: "onClick" for a plain click,
// "onClickWithCtrl" for a click with Ctrl held (no fallback to the plain
// event). It clicks on release, or on press with clickEvent "onPress", and
// with autorepeat "yes" repeats the click while held (first after 1000 ms,
// then every 100 ms). Its tooltip names the event a click would fire now.
// Shows frame 1 while pressed with the pointer over it, else frame 0.
class GFXButton : public BaseGFXController,
                  public juce::Button
{
public:
    static constexpr int repeatDelayMs = 1000;
    static constexpr int repeatIntervalMs = 100;

    explicit GFXButton (const juce::String& name);
    ~GFXButton() override;

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void addAction (const juce::String& type, int eventId, const juce::String& displayName) override;
    int getShownFrame() const override;

    void setClickOnPress (bool onPress);
    void setAutoRepeat (bool shouldRepeat);
    ButtonRepeat& getAutoRepeat() noexcept { return autoRepeat; }

    int getClickEventId() const noexcept { return clickEventId; }
    int getCtrlClickEventId() const noexcept { return ctrlClickEventId; }

    void mouseEnter (const juce::MouseEvent& e) override;
    void modifierKeysChanged (const juce::ModifierKeys& modifiers) override;

    // The picture of a button without a strip, for the button-like kinds: a
    // light grey face (dark while down) with a black outline and the text,
    // grey when disabled.
    static void paintFallbackFace (juce::Graphics& g, juce::Component& button, const juce::String& text, bool down);

protected:
    void paintButton (juce::Graphics& g, bool isHighlighted, bool isDown) override;
    void clicked (const juce::ModifierKeys& modifiers) override;
    void buttonStateChanged() override;

    // The click's event: the Ctrl-click event when Ctrl is held, else the
    // plain one; -1 when that one is not set.
    int eventIdFor (const juce::ModifierKeys& modifiers) const;
    // Reads "clickEvent".
    void loadClickEvent (const juce::XmlElement& element);
    // Without a strip.
    void paintFallback (juce::Graphics& g, bool isDown);

private:
    void updateTooltip (const juce::ModifierKeys& modifiers);
    void fitSizeToName();

    int clickEventId = -1, ctrlClickEventId = -1;
    juce::String clickName, ctrlClickName;
    ButtonRepeat autoRepeat;
};
