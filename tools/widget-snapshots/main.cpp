// Renders each framework widget and window to a PNG in the folder given
// (default: widget-snapshots in the current folder). No display is needed.

#include "engine/QuilvernFactory.h"
#include "framework/FileFailure.h"
#include "gui/editor/MidiControlListComponent.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "gui/editor/PresetsSettingsComponent.h"
#include "gui/editor/QuilvernEditor.h"
#include "gui/files/PathComponent.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/widgets/CheckBox.h"
#include "gui/widgets/ComboBoxEx.h"
#include "gui/widgets/ComponentRow.h"
#include "gui/widgets/LabelWithModalTextEditor.h"
#include "gui/widgets/RadioButtons.h"
#include "gui/widgets/StatusBar.h"
#include "gui/widgets/TextButtonEx.h"
#include "gui/windows/AlertWindow.h"
#include "gui/windows/OptionsWindow.h"
#include "presets/BasePluginOldStyle.h"

#include <iostream>

namespace
{
// An editor stand-in: a light face the windows cover, under the look and feel.
struct Desktop : juce::Component, PseudoModalComponent::Desktop
{
    Desktop (DefaultLookAndFeel& lookAndFeel, int width, int height)
    {
        setLookAndFeel (&lookAndFeel);
        setSize (width, height);
    }

    ~Desktop() override { setLookAndFeel (nullptr); }

    void paint (juce::Graphics& g) override
    {
        g.fillAll (juce::Colour (0xFF2B2D31));
        g.setColour (juce::Colour (0xFFB0B4BA));
        g.setFont (juce::Font ("Tahoma", 22.0f, juce::Font::bold));
        g.drawText ("QUILVERN", getLocalBounds().removeFromTop (60), juce::Justification::centred);
    }
};

class Snapshots
{
public:
    explicit Snapshots (const juce::File& folder) : outputFolder (folder) { outputFolder.createDirectory(); }

    // Renders component on a window-coloured card, padded, at twice its size.
    void save (const juce::String& name, juce::Component& component, bool onCard = true)
    {
        component.setLookAndFeel (&lookAndFeel);
        const auto image = component.createComponentSnapshot (component.getLocalBounds(), true, 2.0f);
        component.setLookAndFeel (nullptr);

        juce::Image card (juce::Image::ARGB, image.getWidth() + (onCard ? 40 : 0), image.getHeight() + (onCard ? 40 : 0), true);
        {
            juce::Graphics g (card);

            if (onCard)
                g.fillAll (juce::Colour (0xFFC5C5C5));

            g.drawImageAt (image, onCard ? 20 : 0, onCard ? 20 : 0);
        }

        write (name, card);
    }

    void write (const juce::String& name, const juce::Image& image)
    {
        const auto file = outputFolder.getChildFile (name + ".png");
        file.deleteFile();
        juce::FileOutputStream out (file);
        juce::PNGImageFormat().writeImageToStream (image, out);
        std::cout << file.getFullPathName() << "\n";
    }

    DefaultLookAndFeel lookAndFeel;

private:
    juce::File outputFolder;
};

void renderWidgets (Snapshots& s)
{
    StatusBar bar;
    bar.setSize (400, 16);
    bar.showMessage ("Feedback: 63 %", StatusBar::controlFeedbackPriority);
    s.save ("StatusBar", bar, false);

    juce::Component buttons;
    ComponentRow row;
    std::vector<std::unique_ptr<TextButtonEx>> textButtons;

    for (const auto* text : { "Load", "Save", "Browse", "Yes", "No" })
        row.addAndMakeVisible (textButtons.emplace_back (s.lookAndFeel.createTextButton (text)).get());

    textButtons.push_back (s.lookAndFeel.createTextButton ("Large style", 2));
    row.addAndMakeVisible (textButtons.back().get());
    textButtons.push_back (s.lookAndFeel.createTextButton ("Pressed"));
    row.addAndMakeVisible (textButtons.back().get());
    textButtons.back()->setState (juce::Button::buttonDown);
    textButtons.push_back (s.lookAndFeel.createTextButton ("Disabled"));
    textButtons.back()->setEnabled (false);
    row.addAndMakeVisible (textButtons.back().get());
    row.setSpacing (6);
    row.setAlignment (ComponentRow::alignCentre);
    s.save ("TextButtonEx", row);

    ComponentRow box (true);
    CheckBox off ("Midi Learn mode"), on ("Default map");
    on.setTicked (true, juce::dontSendNotification);
    box.setSpacing (6);
    box.addAndMakeVisible (off);
    box.addAndMakeVisible (on);
    box.sendLookAndFeelChange();
    s.save ("CheckBox", box);

    ComponentRow paths (true);
    PathComponent shortPath, longPath, disabledPath;
    shortPath.setPath ("/home/user/Quilvern.qvccmap", juce::dontSendNotification);
    longPath.setPath ("/home/user/Music/Presets/Quilvern/Some long folder/Factory.qvprsb", juce::dontSendNotification);
    disabledPath.setPath ("/home/user/Banks/Live.qvprsb", juce::dontSendNotification);
    disabledPath.setEnabled (false);

    for (auto* p : { &shortPath, &longPath, &disabledPath })
    {
        p->setSize (320, 28);
        paths.addAndMakeVisible (p);
    }

    paths.setSpacing (6);
    s.save ("PathComponent", paths);

    RadioButtons radio ("Default presets", { "Factory presets", "Clear presets", "User defined" });
    radio.setSelectedIndex (1, juce::dontSendNotification);
    s.save ("RadioButtons", radio);

    ComponentRow smallRow, largeRow, pressedRow, all (true);
    std::vector<std::unique_ptr<juce::ImageButton>> imageButtons;

    for (int kind = 0; kind < 17; ++kind)
    {
        smallRow.addAndMakeVisible (imageButtons.emplace_back (s.lookAndFeel.createImageButton ("Small", kind, 1)).get());
        largeRow.addAndMakeVisible (imageButtons.emplace_back (s.lookAndFeel.createImageButton ("Large", kind, 2)).get());
        auto& pressed = imageButtons.emplace_back (s.lookAndFeel.createImageButton ("Pressed", kind, 0));
        pressedRow.addAndMakeVisible (pressed.get());
        pressed->setState (juce::Button::buttonDown);
    }

    for (auto* r : { &smallRow, &pressedRow, &largeRow })
    {
        r->setSpacing (4);
        all.addAndMakeVisible (r);
    }

    all.setSpacing (8);
    s.save ("ImageButtons", all);

    LabelWithModalTextEditor label ("Bright sweep");
    label.setSize (200, 20);
    s.save ("LabelWithModalTextEditor", label);

    ComboBoxEx combo;
    combo.addItem ("Sine", 1);
    combo.addItem ("Triangle", 2);
    combo.setSize (160, 20);
    ComboBoxEx empty;
    empty.setSize (160, 20);
    ComponentRow combos (true);
    combo.setSelectedId (2, juce::dontSendNotification);
    combos.setSpacing (6);
    combos.addAndMakeVisible (combo);
    combos.addAndMakeVisible (empty);
    s.save ("ComboBoxEx", combos);
}

void renderFonts (Snapshots& s)
{
    juce::Image image (juce::Image::ARGB, 520, 150, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::white);
    g.setColour (juce::Colours::black);
    int y = 5;

    for (const float height : { 13.0f, 30.0f })
        for (const bool bold : { false, true })
        {
            const auto font = (bold ? s.lookAndFeel.getBoldFont() : s.lookAndFeel.getPlainFont()).withHeight (height);
            g.setFont (font);
            g.drawText (font.getTypefaceName() + " " + font.getTypefaceStyle() + " " + juce::String (height) + ": Quilvern Presets",
                        5, y, 510, (int) height + 4, juce::Justification::centredLeft);
            y += (int) height + 8;
        }

    s.write ("Fonts", image);
}

void renderJuceWidgets (Snapshots& s)
{
    juce::Component area;
    area.setSize (260, 140);
    juce::ScrollBar vertical (true), horizontal (false), disabled (true);
    vertical.setBounds (0, 0, 13, 140);
    disabled.setBounds (20, 0, 13, 140);
    horizontal.setBounds (50, 127, 210, 13);

    for (auto* bar : { &vertical, &horizontal, &disabled })
    {
        bar->setRangeLimits (0.0, 100.0);
        bar->setCurrentRange (20.0, 40.0);
        area.addAndMakeVisible (bar);
    }

    disabled.setEnabled (false);
    s.save ("ScrollBars", area);

    juce::Image tip (juce::Image::ARGB, 0, 0, true);
    const auto size = s.lookAndFeel.getTooltipSize ("Select next preset");
    tip = juce::Image (juce::Image::ARGB, size.getWidth() * 2, size.getHeight() * 2, true);
    {
        juce::Graphics g (tip);
        g.addTransform (juce::AffineTransform::scale (2.0f));
        s.lookAndFeel.drawTooltip (g, "Select next preset", size.getWidth(), size.getHeight());
    }
    s.write ("Tooltip", tip);
}

void renderWindows (Snapshots& s)
{
    {
        Desktop desktop (s.lookAndFeel, 700, 460);
        OptionsWindow options;
        options.setTitle ("Options");
        options.setSize (560, 340);
        auto* presets = new juce::Component();
        auto* storing = new RadioButtons ("Preset storing", { "Automatic", "On demand" });
        auto* changing = new RadioButtons ("Changing type", { "Normal", "Silent" });
        storing->setSelectedIndex (1, juce::dontSendNotification);
        changing->setSelectedIndex (0, juce::dontSendNotification);
        presets->addAndMakeVisible (storing);
        presets->addAndMakeVisible (changing);
        storing->setTopLeftPosition (10, 10);
        changing->setTopLeftPosition (270, 10);
        options.addTab ("Midi Control", new juce::Component());
        options.addTab ("Presets", presets, 0);
        desktop.addChildComponent (options);
        options.show();
        presets->sendLookAndFeelChange();
        s.write ("OptionsWindow", desktop.createComponentSnapshot (desktop.getLocalBounds(), true, 2.0f));

        options.hide();
        options.setFlatStyle (true);
        options.setShadowSide (EmbeddedImages::shadowTop);
        s.save ("OptionsWindowFlat", options, false);
    }

    {
        Desktop desktop (s.lookAndFeel, 500, 300);
        auto alert = Brannock::AlertWindow::askYesNo ("Quilvern", "Do you really want to clear all assignations?", nullptr);
        alert->showOver (desktop);
        s.write ("AlertWindow", desktop.createComponentSnapshot (desktop.getLocalBounds(), true, 2.0f));
    }

    {
        Desktop desktop (s.lookAndFeel, 400, 260);
        ComboBoxEx combo;
        for (const auto* wave : { "Sine", "Triangle", "Saw up", "Saw down", "Square", "Random" })
            combo.addItem (wave, combo.getNumItems() + 1);
        combo.setSelectedId (1, juce::dontSendNotification);
        combo.setBounds (40, 80, 160, 20);
        desktop.addAndMakeVisible (combo);
        combo.showPopup();
        s.write ("PopupMenuEx", desktop.createComponentSnapshot (desktop.getLocalBounds(), true, 2.0f));
    }
}
// The preset layer with the product's parameters, for the "Presets" tab.
struct PresetsPlugin : BasePluginOldStyle
{
    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
};

// Both tabs in the options window, as a window over the editor and docked
// below the face; the map has more columns than the docked list shows.
void renderOptionsTabs (Snapshots& s)
{
    PresetsPlugin plugin;
    plugin.setDefaultPresetsMode (BasePluginOldStyle::userDefinedPresets);
    plugin.setUserDefinedPresetsFile ("/home/user/Music/Quilvern/Banks/Live sets 2024.qvprsb");

    auto& midi = plugin.getMidiControl();
    midi.setOwnerName ("Quilvern");
    midi.setMapFile ("/home/user/Music/Quilvern/Nano controller.qvccmap");
    midi.setUseMapFileAtStart (true);

    for (int i = 0; i < 14; ++i)
        midi.assign (i < 8 ? 20 + i : 70 + i, plugin.getParameterManager().getParameter (i), false);

    for (const bool docked : { false, true })
    {
        Desktop desktop (s.lookAndFeel, docked ? 633 : 900, docked ? 256 : 680);
        OptionsWindow options;
        options.setTitle ("Options");
        auto* midiTab = new MidiControlComponent (midi, ".qvccmap", "*.qvccmap; *.qvc");
        options.addTab ("Midi Control", midiTab);
        options.addTab ("Presets", new PresetsSettingsComponent (plugin), 0);
        desktop.addChildComponent (options);

        if (docked)
        {
            options.setFlatStyle (true);
            options.setShadowSide (EmbeddedImages::shadowTop);
            options.setBounds (desktop.getLocalBounds());
            options.setVisible (true);
            desktop.sendLookAndFeelChange();
        }
        else
        {
            options.setSize (800, 600);
            options.show();
        }

        const juce::String suffix (docked ? "Docked" : "");

        for (const int tab : { 0, 1 })
        {
            options.getTabs().setCurrentTabIndex (tab);

            if (tab == 1)
                midiTab->getList().setSelectedIndex (9);

            s.write (options.getTabs().getCurrentTabName().removeCharacters (" ") + "Tab" + suffix,
                     desktop.createComponentSnapshot (desktop.getLocalBounds(), true, 2.0f));
        }
    }
}

// The product's editor telling the user about files: a start-up whose user
// bank was damaged (the status bar's note, then the "Presets" tab's), a save
// that failed, and the question before a save replaces a file.
void renderFileNotes (Snapshots& s)
{
    const auto folder = juce::File::createTempFile ("snapshots");
    folder.createDirectory();
    const auto bank = folder.getChildFile ("Live sets 2024.qvprsb");
    bank.replaceWithText ("<PresetBank name=\"Live\"><PresetGroup name=\"Pads\"><Preset applic");
    const auto settings = folder.getChildFile ("Quilvern.ini");
    settings.replaceWithText ("<UserSettings application=\"Quilvern\"><ResourcesSettings><Presets default=\"userDefinedPresets\" file=\""
                              + bank.getFullPathName() + "\"/></ResourcesSettings></UserSettings>");

    {
        auto plugin = createQuilvern (settings);
        auto& editor = *dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent());
        auto snapshot = [&] (const juce::String& name) {
            s.write (name, editor.createComponentSnapshot (editor.getLocalBounds(), true, 2.0f));
        };

        snapshot ("EditorStartUpBankNote");
        editor.actionTriggered (nullptr, EventsMap::options);
        snapshot ("EditorPresetsTabStartUpNote");

        editor.actionTriggered (nullptr, EventsMap::browsePresets);
        auto& alerts = editor.getPresetBrowserWindow()->getFileAlerts();
        const auto presets = juce::File ("/home/user/Music/Quilvern/Presets");
        alerts.save ("preset", presets.getChildFile ("Warm pad.qvprs"), presets.getChildFile ("Warm pad.qvprs"),
                     [] (const juce::File&) { return FileFailure::fromSystem ("No space left on device"); });
        snapshot ("EditorSaveFailed");
        alerts.getFailure()->hide();

        const auto existing = folder.getChildFile ("Warm pad.qvprs");
        existing.replaceWithText ("earlier");
        alerts.save ("preset", existing.withFileExtension ("txt"), existing, [] (const juce::File&) { return juce::Result::ok(); });
        snapshot ("EditorReplaceQuestion");
        alerts.getQuestion()->hide();

        const auto deep = juce::File ("/home/user/Music/Quilvern/Sound design/2024/Very long folder names for live sets/Ambient");
        alerts.tellLoad ("preset bank", deep.getChildFile ("Evening set with a long name.qvprsb"),
                         FileFailure::damaged ("preset bank"));
        snapshot ("EditorLoadFailedLongPath");
    }

    folder.deleteRecursively();
}
} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    Snapshots snapshots (juce::File::getCurrentWorkingDirectory().getChildFile (argc > 1 ? argv[1] : "widget-snapshots"));

    renderFonts (snapshots);
    renderWidgets (snapshots);
    renderJuceWidgets (snapshots);
    renderWindows (snapshots);
    renderOptionsTabs (snapshots);
    renderFileNotes (snapshots);
    return 0;
}
