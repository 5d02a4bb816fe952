#pragma once

#include "gui/skin/BaseGFXController.h"

#include <map>

// An on/off button for a boolean parameter. Its strip has 2 frames ("2D":
// off, on) or 4 ("3D": off, -, on, on pressed), whatever "framesNum" says.
// "radioGroupId" puts it in JUCE's radio group with that id; "dragGroup"
// makes it one of a named group that can be set by dragging across it: a
// press on one member sets it to its new state, and every member the pointer
// then passes over takes that same state.
class GFXToggleButton : public BaseGFXController,
                        public juce::ToggleButton
{
public:
    explicit GFXToggleButton (const juce::String& name);
    ~GFXToggleButton() override;

    juce::Component& getComponent() override { return *this; }
    void loadFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                      EventsMap& events, BasePluginEditor* editor) override;
    void parameterValueChanged (Parameter* parameter) override;
    int getShownFrame() const override;

    void setThreeD (bool threeD);
    // An empty name leaves any group.
    void setDragGroup (const juce::String& groupName);
    const juce::String& getDragGroup() const noexcept { return dragGroup; }

    void mouseDown (const juce::MouseEvent& e) override;
    void mouseDrag (const juce::MouseEvent& e) override;
    void mouseUp (const juce::MouseEvent& e) override;

protected:
    void clicked() override;
    void paintButton (juce::Graphics& g, bool isHighlighted, bool isDown) override;
    void sizeChanged() override;
    void positionChanged() override;
    void blinkPhaseChanged() override;

private:
    void applyStateToMembersAt (juce::Point<float> screenPosition);

    bool isThreeD = false;
    juce::String dragGroup;
    bool draggingGroup = false, groupState = false;
};

// Every toggle button of each drag group, by group name, for the process.
class GFXToggleButtonDragGroup : private juce::DeletedAtShutdown
{
public:
    ~GFXToggleButtonDragGroup() override;

    static void add (const juce::String& group, GFXToggleButton* button);
    static void remove (GFXToggleButton* button);
    static juce::Array<GFXToggleButton*> getMembers (const juce::String& group);

    JUCE_DECLARE_SINGLETON (GFXToggleButtonDragGroup, false)

private:
    std::map<juce::String, juce::Array<GFXToggleButton*>> groups;
};
