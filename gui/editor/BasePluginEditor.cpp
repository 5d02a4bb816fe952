#include "gui/editor/BasePluginEditor.h"

#include "framework/BasePlugin.h"
#include "framework/BoolParameter.h"
#include "framework/EmbeddedResources.h"
#include "framework/IntParameter.h"
#include "gui/controls/GFXKnob.h"
#include "gui/controls/GFXMultiStateButton.h"
#include "gui/controls/GFXSwitch.h"
#include "gui/controls/GFXToggleButton.h"
#include "gui/editor/DisplaySettingsComponent.h"
#include "gui/editor/MidiControlComponent.h"
#include "gui/look/EmbeddedImages.h"
#include "gui/look/ImageSets.h"
#include "gui/skin/GFXPanel.h"
#include "gui/skin/SkinXml.h"
#include "gui/windows/AboutWindow.h"

namespace
{
constexpr int genericColumnWidth = 64;
constexpr int genericRowHeight = 120;
constexpr int genericFirstRowTop = 30;
constexpr int genericControlWidth = 50;
constexpr int genericControlHeight = 80;
constexpr int numDebugControls = 12;
constexpr int firstDebugParameter = 300000;

// The debug panel in the skin's own terms, so that the skin loader builds it.
std::unique_ptr<juce::XmlElement> createDebugPanelXml (int left, int top)
{
    auto panel = std::make_unique<juce::XmlElement> ("Panel");
    panel->setAttribute ("name", "DebugPanel");
    panel->createNewChildElement ("gfx")->setAttribute ("transparent", "yes");
    auto* size = panel->createNewChildElement ("size");
    size->setAttribute ("width", 600);
    size->setAttribute ("height", 140);
    auto* pos = panel->createNewChildElement ("pos");
    pos->setAttribute ("left", left);
    pos->setAttribute ("top", top);
    auto* controls = panel->createNewChildElement ("controls");

    for (int i = 0; i < numDebugControls; ++i)
    {
        auto* knob = controls->createNewChildElement ("Knob");
        knob->setAttribute ("name", "Debug Knob " + juce::String (i));
        auto* link = knob->createNewChildElement ("links")->createNewChildElement ("link");
        link->setAttribute ("as", "connectedTo");
        link->setAttribute ("param", "Debug Parameter " + juce::String (i));
        auto* knobSize = knob->createNewChildElement ("size");
        knobSize->setAttribute ("width", 40);
        knobSize->setAttribute ("height", 90);
        knob->createNewChildElement ("pos")->setAttribute ("left", i * 50);
    }

    for (int i = 0; i < numDebugControls; ++i)
    {
        auto* button = controls->createNewChildElement ("Button");
        button->setAttribute ("name", "Debug Button " + juce::String (i));
        auto* action = button->createNewChildElement ("actions")->createNewChildElement ("action");
        action->setAttribute ("type", "onClick");
        action->setAttribute ("event", "Debug Event " + juce::String (i));
        auto* buttonSize = button->createNewChildElement ("size");
        buttonSize->setAttribute ("width", 20);
        buttonSize->setAttribute ("height", 20);
        auto* buttonPos = button->createNewChildElement ("pos");
        buttonPos->setAttribute ("left", i * 30);
        buttonPos->setAttribute ("top", 100);
    }

    return panel;
}
} // namespace

BasePluginEditor::BasePluginEditor (BasePlugin& owner, const juce::String& skinResource)
    : plugin (owner)
{
    setLookAndFeel (&lookAndFeel);

    tooltipWindow = std::make_unique<juce::TooltipWindow> (this, tooltipDelayMs);
    tooltipWindow->setOpaque (false);
    addAndMakeVisible (statusBar);

    aboutWindow = std::make_unique<AboutWindow> (AboutWindow::Product { plugin.getPluginName(),
                                                                        JucePlugin_VersionString,
                                                                        JucePlugin_Manufacturer });
    addChildComponent (*aboutWindow);

    optionsWindow = std::make_unique<OptionsWindow>();
    optionsWindow->setTitle ("Options");
    optionsWindow->getTabs().addListener (this);
    optionsWindow->setSize (optionsWidth, optionsHeight);
    addChildComponent (*optionsWindow);

    // The map files of this plug-in: "*.qvccmap" and ".qvccmap".
    const auto mapExtension = plugin.getMidiMapExtension();
    auto midiTab = std::make_unique<MidiControlComponent> (plugin.getMidiControl(), mapExtension, "*" + mapExtension);
    midiControlTab = midiTab.get();
    midiControlTab->getDefaultMapBox().addListener (this);
    plugin.getMidiControl().addListener (this);
    optionsWindow->addTab ("Midi Control", midiTab.release());
    optionsWindow->addTab ("Display", new DisplaySettingsComponent (plugin.getEditorZoom()));

    plugin.getParameterManager().addAsyncListenerToAll (this);
    setEditorSize (defaultWidth, defaultHeight);
    loadSkin (skinResource);
    midiLearnButton = dynamic_cast<GFXMultiStateButton*> (findChildByName ("MidiLearnButton"));
    showStartUpMapNote();
}

BasePluginEditor::~BasePluginEditor()
{
    stopTimer();
    midiControlTab->getDefaultMapBox().removeListener (this);
    plugin.getMidiControl().removeListener (this);
    plugin.getParameterManager().removeAsyncListenerFromAll (this);

    // The children go while the look and feel is still set and alive; the
    // controls themselves are deleted with their lists.
    removeAllChildren();
    debugPanel.reset();
    tooltipWindow.reset();
    genericControls.clear();
    aboutWindow.reset();
    optionsWindow.reset();
    setLookAndFeel (nullptr);
}

void BasePluginEditor::loadSkin (const juce::String& skinResource)
{
    auto skin = EmbeddedResources::loadResourceXml (skinResource);

    if (skin == nullptr)
        return;

    skinLoaded = true;

    if (! SkinXml::hasTag (*skin, "PluginEditor"))
        return;

    // Shared with the editors of further instances through JUCE's image cache.
    background = EmbeddedImages::load (SkinXml::readString (*skin, "background", "Background.png"));

    if (background.isValid())
        setEditorSize (background.getWidth(), background.getHeight());

    skinControls.build (*skin, SkinControls::Container::editorRoot, *this,
                        plugin.getParameterManager(), plugin.getEventsMap(), this);
    skinControls.addListenerToAll (this);
}

//==============================================================================
bool BasePluginEditor::hasGapAfterParameter (int) { return false; }
bool BasePluginEditor::hasRowBreakAfterParameter (int) { return false; }
void BasePluginEditor::updateDisplay() {}
bool BasePluginEditor::isStatusBarShown() { return true; }

void BasePluginEditor::createDebugPanel()
{
    if (debugPanel != nullptr)
        return;

    debugPanel = std::make_unique<GFXPanel> ("DebugPanel");
    const auto xml = createDebugPanelXml (getWidth() - 610, getHeight() - 150);
    debugPanel->loadFromXml (*xml, plugin.getParameterManager(), plugin.getEventsMap(), this);
    debugPanel->addListener (this);
    addAndMakeVisible (*debugPanel);
    debugPanel->toBack();
}

void BasePluginEditor::buildGenericLayout()
{
    if (skinLoaded)
        return;

    auto& parameters = plugin.getParameterManager();
    const int columns = (getWidth() - 10) / genericColumnWidth + 1;
    int column = 0, top = genericFirstRowTop;

    for (int index = 0; index < plugin.getNumParameters(); ++index)
    {
        if (auto* parameter = parameters.getParameter (index))
        {
            auto* control = genericControls.add (createGenericControl (*parameter).release());
            auto& component = control->getComponent();
            component.setBounds (column * genericColumnWidth + 5, top, genericControlWidth, genericControlHeight);
            control->addListener (this);
            addAndMakeVisible (component, 1);
            control->linkToParameter (parameter);
            ++column;
        }

        if (hasRowBreakAfterParameter (index))
        {
            column = 0;
            top += genericRowHeight;
            continue;
        }

        if (hasGapAfterParameter (index))
            ++column;

        if (column >= columns)
        {
            column = 0;
            top += genericRowHeight;
        }
    }
}

std::unique_ptr<GUIController> BasePluginEditor::createGenericControl (Parameter& parameter)
{
    if (dynamic_cast<BoolParameter*> (&parameter) != nullptr)
        return std::make_unique<GFXToggleButton> (parameter.getName());

    // Enumerations and notes are integer parameters too.
    if (dynamic_cast<IntParameter*> (&parameter) != nullptr)
        return std::make_unique<GFXSwitch> (parameter.getName());

    return std::make_unique<GFXKnob> (parameter.getName());
}

//==============================================================================
void BasePluginEditor::setEditorSize (int width, int height)
{
    contentHeight = height;
    const int totalHeight = height + (isStatusBarShown() ? statusBar.getHeight() : 0);
    setSize (width, totalHeight);

    if (auto* parent = getParentComponent())
        parent->setSize (width, totalHeight);
}

void BasePluginEditor::resized()
{
    if (isStatusBarShown())
        statusBar.setBounds (0, contentHeight, getWidth(), statusBar.getHeight());
}

void BasePluginEditor::childBoundsChanged (juce::Component* child)
{
    // The look and feel gives the status bar its height.
    if (child == &statusBar && isStatusBarShown())
        setEditorSize (getWidth(), contentHeight);
}

juce::Component* BasePluginEditor::findChildByName (const juce::String& name) const
{
    return findChildByName (*this, name);
}

juce::Component* BasePluginEditor::findChildByName (const juce::Component& parent, const juce::String& name)
{
    for (auto* child : parent.getChildren())
        if (child->getName() == name)
            return child;

    for (auto* child : parent.getChildren())
        if (auto* found = findChildByName (*child, name))
            return found;

    return nullptr;
}

void BasePluginEditor::paint (juce::Graphics& g)
{
    if (background.isValid())
    {
        ImageSets::drawAt (g, background, 0, 0);
        return;
    }

    g.fillAll (juce::Colour (fallbackBackground));
    g.setColour (juce::Colours::black);
    g.setFont (lookAndFeel.getPlainFont());
    g.drawText (plugin.getPluginName(), 5, 5, getWidth() - 10, 20, juce::Justification::topLeft, true);
}

void BasePluginEditor::timerCallback()
{
    if (learnStatePending.exchange (false))
        showLearnState();

    if (isVisible())
        updateDisplay();
}

//==============================================================================
void BasePluginEditor::parameterChanged (Parameter*) {}

void BasePluginEditor::controlValueChanged (GUIController* control)
{
    if (auto* parameter = control->getLinkedParameter())
        controlMovedParameter (*parameter);
}

void BasePluginEditor::controlMovedParameter (Parameter& parameter)
{
    auto& midiControl = plugin.getMidiControl();

    if (parameter.isAutomatable() && midiControl.isLearnMode())
        midiControl.setLearnParameter (&parameter);

    showParameterFeedback (parameter, StatusBar::controlFeedbackPriority);
}

void BasePluginEditor::showParameterFeedback (Parameter& parameter, int priority)
{
    const auto text = plugin.getParameterDisplayText (parameter.getIndex());

    if (text.isNotEmpty())
        statusBar.showMessage (parameter.getName() + ": " + text, priority, StatusBar::defaultTimeOutMs);
}

void BasePluginEditor::actionTriggered (GUIController* control, int eventId)
{
    switch (eventId)
    {
        case EventsMap::options:
            optionsWindow->show();
            statusBar.clear();
            break;

        case EventsMap::about:
            aboutWindow->show();
            break;

        case EventsMap::toggleMidiLearn:
        {
            auto& midiControl = plugin.getMidiControl();
            midiControl.setLearnMode (! midiControl.isLearnMode());
            break;
        }

        default:
            plugin.handleEvent (eventId);

            if (auto* parameter = control != nullptr ? control->getLinkedParameter() : nullptr)
                controlMovedParameter (*parameter);

            break;
    }
}

//==============================================================================
juce::String BasePluginEditor::getLearnStateText (const MidiControl& midiControl)
{
    if (! midiControl.isLearnMode())
        return {};

    const auto* parameter = midiControl.getLearnParameter();
    const int controller = midiControl.getLearnController();

    if (controller < 0 && parameter == nullptr)
        return "Waiting for a controller or parameter movement...";

    if (controller < 0)
        return "'" + parameter->getName() + "' parameter is free. Waiting for a free controller now...";

    if (parameter == nullptr)
        return "CC# " + juce::String (controller) + " is free. Waiting for a parameter now...";

    return "CC# " + juce::String (controller) + " is assigned to parameter '" + parameter->getName() + "'.";
}

void BasePluginEditor::learnStateChanged (MidiControl*)
{
    // A restored state switches learn mode off on the host's thread, which
    // may be its audio thread: there the change is only marked, without a
    // lock or an allocation, and the next timer tick shows it.
    if (juce::MessageManager::existsAndIsCurrentThread())
        showLearnState();
    else
        learnStatePending.store (true);
}

void BasePluginEditor::showLearnState()
{
    const auto& midiControl = plugin.getMidiControl();
    const bool learning = midiControl.isLearnMode();

    if (learning)
        statusBar.showMessage (getLearnStateText (midiControl), StatusBar::midiLearnPriority);
    else
        statusBar.clear();

    if (midiLearnButton != nullptr)
    {
        midiLearnButton->setCurrentState (learning ? 1 : 0);
        midiLearnButton->repaint();
    }
}

void BasePluginEditor::controllerReceived (MidiControl* midiControl)
{
    if (auto* parameter = midiControl->getLastControlledParameter())
        showParameterFeedback (*parameter, StatusBar::midiFeedbackPriority);
}

void BasePluginEditor::showSettingsNote (const juce::String& settingName)
{
    statusBar.showMessage (settingName + " settings will be affected when plugin is loaded.",
                           StatusBar::settingsNotePriority);
}

// Each host window that opens the editor shows the note again: the instance
// still runs without the user's map.
void BasePluginEditor::visibilityChanged()
{
    if (isVisible())
        showStartUpMapNote();
}

void BasePluginEditor::showStartUpMapNote()
{
    if (plugin.getStartUpMapFailure().failed())
        statusBar.showMessage (startUpMapNote, StatusBar::settingsNotePriority);
}

void BasePluginEditor::defaultResourceChanged (DefaultResourceCheckBox*)
{
    showSettingsNote ("Default Map");
}

void BasePluginEditor::currentTabChanged (TabbedComponentEx*)
{
    statusBar.clear();
}
