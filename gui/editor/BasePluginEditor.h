#pragma once

#include "framework/MidiControl.h"
#include "gui/files/DefaultResourceCheckBox.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/skin/GUIController.h"
#include "gui/skin/SkinControls.h"
#include "gui/widgets/PseudoModalComponent.h"
#include "gui/widgets/StatusBar.h"
#include "gui/widgets/TabbedComponentEx.h"
#include "gui/windows/OptionsWindow.h"

#include <atomic>

class AboutWindow;
class BasePlugin;
class GFXMultiStateButton;
class GFXPanel;
class MidiControlComponent;

// The framework's editor: one component, made once per plug-in instance and
// shown again by every host window that opens. It builds its face from the
// embedded skin (or, without a skin, a plain control per parameter), owns
// the status bar, the options window and the other windows drawn inside it,
// and listens to every control, parameter and MIDI-learn change: parameter
// feedback and learn prompts go to the status bar, control actions become
// plug-in events. When the user's map file could not be loaded at start-up,
// the status bar says so whenever the editor is shown.
//
// Everything here runs on the message thread.
class BasePluginEditor : public juce::Component,
                         public Parameter::Listener,
                         public GUIController::Listener,
                         public MidiControl::Listener,
                         public DefaultResourceCheckBox::Listener,
                         public TabbedComponentEx::Listener,
                         public PseudoModalComponent::Desktop,
                         public juce::Timer
{
public:
    static constexpr int defaultWidth = 1024;
    static constexpr int defaultHeight = 800;
    static constexpr int tooltipDelayMs = 850;
    static constexpr int optionsWidth = 800;
    static constexpr int optionsHeight = 600;
    static constexpr juce::uint32 fallbackBackground = 0xFFE5E5E5;
    static constexpr const char* startUpMapNote =
        "Default Map: the user defined map could not be loaded; no controllers are mapped.";

    // The skin is the embedded resource of that name; without one (or when
    // it does not parse) the editor takes the generic layout.
    explicit BasePluginEditor (BasePlugin& plugin, const juce::String& skinResource = "skin.xml");
    ~BasePluginEditor() override;

    //==============================================================================
    // Hooks for the editors built on this one.
    virtual bool hasGapAfterParameter (int index);
    virtual bool hasRowBreakAfterParameter (int index);
    // Called every 25 ms while the editor is visible.
    virtual void updateDisplay();
    virtual bool isStatusBarShown();
    // A panel of twelve knobs on the debug parameters and twelve buttons
    // for the debug events; the plug-in asks for it in debug mode only.
    virtual void createDebugPanel();

    // Without a skin: one plain control per parameter, in rows. Does
    // nothing when the skin was loaded.
    void buildGenericLayout();

    // The face is width x height; the status bar goes below it, and the
    // host's window (the wrapper) follows the new size.
    void setEditorSize (int width, int height);
    int getContentHeight() const noexcept { return contentHeight; }

    // Depth first: a component's own children by name (with case) before
    // their subtrees.
    juce::Component* findChildByName (const juce::String& name) const;

    //==============================================================================
    // Parameter::Listener (asynchronous, message thread).
    void parameterChanged (Parameter* parameter) override;

    // GUIController::Listener.
    void controlValueChanged (GUIController* control) override;
    void actionTriggered (GUIController* control, int eventId) override;

    // MidiControl::Listener.
    void learnStateChanged (MidiControl* midiControl) override;
    void controllerReceived (MidiControl* midiControl) override;

    // DefaultResourceCheckBox::Listener: the start-up map of the MIDI tab.
    void defaultResourceChanged (DefaultResourceCheckBox* checkBox) override;

    // TabbedComponentEx::Listener.
    void currentTabChanged (TabbedComponentEx* tabs) override;

    //==============================================================================
    void visibilityChanged() override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void childBoundsChanged (juce::Component* child) override;
    void timerCallback() override;

    BasePlugin& getPlugin() const noexcept { return plugin; }
    StatusBar& getStatusBar() noexcept { return statusBar; }
    OptionsWindow& getOptionsWindow() const noexcept { return *optionsWindow; }
    AboutWindow& getAboutWindow() const noexcept { return *aboutWindow; }
    MidiControlComponent* getMidiControlTab() const noexcept { return midiControlTab; }
    const SkinControls& getSkinControls() const noexcept { return skinControls; }
    const juce::OwnedArray<GUIController>& getGenericControls() const noexcept { return genericControls; }
    GFXPanel* getDebugPanel() const noexcept { return debugPanel.get(); }
    bool isSkinLoaded() const noexcept { return skinLoaded; }
    const juce::Image& getBackground() const noexcept { return background; }

    // The status bar's text for the learn state, empty while learn mode is off.
    static juce::String getLearnStateText (const MidiControl& midiControl);

protected:
    // Shows the parameter's name and the plug-in's text for it.
    void showParameterFeedback (Parameter& parameter, int priority);
    // A control moved its parameter: in learn mode the parameter becomes
    // the learn parameter; then its feedback.
    void controlMovedParameter (Parameter& parameter);
    // The settings the options tabs choose take effect at the next start.
    void showSettingsNote (const juce::String& settingName);
    void showStartUpMapNote();

private:
    void loadSkin (const juce::String& skinResource);
    std::unique_ptr<GUIController> createGenericControl (Parameter& parameter);
    void showLearnState();
    static juce::Component* findChildByName (const juce::Component& parent, const juce::String& name);

    BasePlugin& plugin;
    // Declared first: every child uses it until the last one is gone.
    DefaultLookAndFeel lookAndFeel;
    std::unique_ptr<juce::TooltipWindow> tooltipWindow;
    StatusBar statusBar;
    std::unique_ptr<AboutWindow> aboutWindow;
    std::unique_ptr<OptionsWindow> optionsWindow;
    MidiControlComponent* midiControlTab = nullptr;
    SkinControls skinControls;
    juce::OwnedArray<GUIController> genericControls;
    std::unique_ptr<GFXPanel> debugPanel;
    // A learn-state change made off the message thread, for the timer to show.
    std::atomic<bool> learnStatePending { false };
    juce::Image background;
    bool skinLoaded = false;
    int contentHeight = 0;
    GFXMultiStateButton* midiLearnButton = nullptr;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePluginEditor)
};
