#include "gui/skin/SkinControls.h"

#include "gui/controls/GFXAnimation.h"
#include "gui/controls/GFXButton.h"
#include "gui/controls/GFXDisplayFloat.h"
#include "gui/controls/GFXKnob.h"
#include "gui/controls/GFXMultiStateButton.h"
#include "gui/controls/GFXRocker.h"
#include "gui/controls/GFXSwitch.h"
#include "gui/controls/GFXToggleButton.h"
#include "gui/controls/PlaceholderControls.h"
#include "gui/skin/GFXPanel.h"
#include "gui/skin/SkinXml.h"

namespace
{
struct Kind
{
    const char* tag;
    bool atRoot;
    std::unique_ptr<GUIController> (*create) (const juce::String& name);
};

template <typename Control>
std::unique_ptr<GUIController> make (const juce::String& name)
{
    return std::make_unique<Control> (name);
}

// Looked up in this order; the first tag that matches decides.
const Kind kinds[] = {
    { "Knob", true, make<GFXKnob> },
    { "Switch", true, make<GFXSwitch> },
    { "Animation", true, make<GFXAnimation> },
    { "Button", true, make<GFXButton> },
    { "ToggleButton", true, make<GFXToggleButton> },
    { "MultiStateButton", true, make<GFXMultiStateButton> },
    { "Display", true, make<GFXDisplay> },
    { "DisplayFloat", true, make<GFXDisplayFloat> },
    { "Rocker", true, make<GFXRocker> },
    { "Panel", true, make<GFXPanel> },
    { "NumericDisplay", true, make<NumericDisplay> },
    { "PatternNumberDisplay", true, make<PatternNumberDisplay> },
    { "NoteDisplay", false, make<NoteDisplay> },
    { "MusicKeyboard", false, make<MusicKeyboard> },
    { "PitchBender", false, make<PitchBender> },
    { "ModWheel", false, make<ModWheel> },
    { "ParameterModulator", false, make<ParameterModulator> },
};
} // namespace

SkinControls::SkinControls() = default;
SkinControls::~SkinControls() = default;

std::unique_ptr<GUIController> SkinControls::createControl (const juce::String& tag, const juce::String& name,
                                                            Container container)
{
    for (const auto& kind : kinds)
        if (tag.equalsIgnoreCase (kind.tag))
            return kind.atRoot || container == Container::panel ? kind.create (name) : nullptr;

    return nullptr;
}

void SkinControls::build (const juce::XmlElement& element, Container container, juce::Component& parent,
                          ParameterManager& parameters, EventsMap& events, BasePluginEditor* editor)
{
    // Just above the editor's first child; in front of everything in a panel.
    const int childIndex = container == Container::editorRoot ? 1 : -1;

    for (const auto* child : element.getChildIterator())
    {
        auto created = createControl (child->getTagName(), SkinXml::readString (*child, "name"), container);

        if (created == nullptr)
            continue;

        auto& control = add (std::move (created));
        control.loadFromXml (*child, parameters, events, editor);
        parent.addAndMakeVisible (control.getComponent(), childIndex);
    }
}

void SkinControls::addListenerToAll (GUIController::Listener* listener)
{
    const juce::ScopedLock sl (lock);

    for (auto* control : controls)
        control->addListener (listener);
}

int SkinControls::size() const
{
    const juce::ScopedLock sl (lock);
    return controls.size();
}

GUIController* SkinControls::getControl (int index) const
{
    const juce::ScopedLock sl (lock);
    return controls[index];
}

GUIController& SkinControls::add (std::unique_ptr<GUIController> control)
{
    const juce::ScopedLock sl (lock);
    return *controls.add (control.release());
}
