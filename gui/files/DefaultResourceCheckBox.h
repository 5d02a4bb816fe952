#pragma once

#include "gui/files/PathComponent.h"
#include "gui/widgets/CheckBox.h"

// A resource that is either the built-in default or a file of the user's:
// a check box ("use my file") and, 5 pixels to its right, the file's path
// field filling the rest of the width. The path field is enabled only while
// the box is ticked. The widget is as tall as the taller of the two; its
// owner gives it its width.
class DefaultResourceCheckBox : public juce::Component,
                                private CheckBox::Listener,
                                private PathComponent::Listener,
                                private juce::ComponentListener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        // The user ticked or unticked the box or chose a path; read both
        // with isTicked() and getPath().
        virtual void defaultResourceChanged (DefaultResourceCheckBox*) = 0;
    };

    explicit DefaultResourceCheckBox (const juce::String& text);
    ~DefaultResourceCheckBox() override;

    // From the model: shows the path and ticks the box when it is not
    // empty, clears it otherwise. No listener hears about it.
    void setPath (const juce::String& path);
    const juce::String& getPath() const { return pathComponent.getPath(); }
    bool isTicked() const { return checkBox.isTicked(); }

    CheckBox& getCheckBox() { return checkBox; }
    PathComponent& getPathComponent() { return pathComponent; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);

    void resized() override;
    void childBoundsChanged (juce::Component* child) override;

private:
    void checkBoxChanged (CheckBox*) override;
    void pathChanged (PathComponent*) override;
    void componentMovedOrResized (juce::Component&, bool wasMoved, bool wasResized) override;

    void updateHeight();
    void updatePathEnablement();
    void notifyListeners();

    static constexpr int gap = 5;

    CheckBox checkBox;
    PathComponent pathComponent;
    juce::Array<Listener*> listeners;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (DefaultResourceCheckBox)
};
