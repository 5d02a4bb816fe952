// Builds the product's face from the embedded skin and resources, the way
// the editor does, gives every control a value and writes the picture.
#include "framework/EmbeddedResources.h"
#include "framework/EventsMap.h"
#include "framework/ParameterManager.h"
#include "framework/StringParameter.h"
#include "gui/controls/GFXAnimation.h"
#include "gui/look/EmbeddedImages.h"
#include "gui/look/ImageSets.h"
#include "gui/skin/SkinControls.h"
#include "gui/skin/SkinXml.h"

#include <iostream>

namespace
{
struct Face : juce::Component
{
    Face (const juce::XmlElement& skin, ParameterManager& parameters, EventsMap& events)
    {
        background = EmbeddedImages::load (SkinXml::readString (skin, "background", "Background.png"));
        setSize (1024, 800);
        addAndMakeVisible (statusBar);
        controls.build (skin, SkinControls::Container::editorRoot, *this, parameters, events, nullptr);

        // Without a background the picture ends a little beyond the controls.
        auto area = background.getBounds();

        for (auto* child : getChildren())
            area = area.getUnion (child->getBounds().expanded (10));

        setSize (area.getRight(), area.getBottom());
    }

    void paint (juce::Graphics& g) override
    {
        if (background.isValid())
            ImageSets::drawAt (g, background, 0, 0);
        else
            g.fillAll (juce::Colour (0xffe5e5e5));
    }

    juce::Image background;
    juce::Component statusBar;
    SkinControls controls;
};

struct Options
{
    juce::File output;
    float position = -1.0f;
    int scale = 1;
    bool withoutArt = false;
};

bool parse (const juce::StringArray& args, Options& options)
{
    for (int i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--position" && i + 1 < args.size())
            options.position = juce::jlimit (0.0f, 1.0f, args[++i].getFloatValue());
        else if (args[i] == "--scale" && i + 1 < args.size())
            options.scale = juce::jlimit (1, 8, args[++i].getIntValue());
        else if (args[i] == "--without-art")
            options.withoutArt = true;
        else if (options.output == juce::File() && ! args[i].startsWith ("--"))
            options.output = juce::File::getCurrentWorkingDirectory().getChildFile (args[i]);
        else
            return false;
    }

    return options.output != juce::File();
}

// Names no resource anywhere in the skin, so that every control draws its
// picture without a strip.
void removeArt (juce::XmlElement& element)
{
    for (auto* name : { "resource", "background" })
        if (element.hasAttribute (name))
            element.setAttribute (name, "none.png");

    for (auto* child : element.getChildIterator())
        removeArt (*child);
}

// Every number parameter, and the meters and lights, at the position.
void setPosition (ParameterManager& parameters, SkinControls& controls, float position)
{
    for (int i = 0; i < parameters.getNumParameters(); ++i)
        if (auto* p = parameters.getParameterAt (i); p->getIndex() < 110000)
            p->setNormalizedValue (position, false);

    for (int i = 0; i < controls.size(); ++i)
        if (auto* animation = dynamic_cast<GFXAnimation*> (controls.getControl (i)))
            animation->setFrameFromValue (position);
}

bool writePng (const juce::Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && juce::PNGImageFormat().writeImageToStream (image, out);
}
} // namespace

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI juce;
    Options options;

    if (! parse (juce::StringArray (argv + 1, argc - 1), options))
    {
        std::cerr << "usage: quilvern-face OUTPUT.png [--position 0..1] [--scale 1..8] [--without-art]\n";
        return 2;
    }

    ParameterManager parameters;
    parameters.loadFromResource ("parameters.xml");
    parameters.addParameter (new StringParameter (110001, "Current Preset Name", "Default"));
    EventsMap events;
    events.addBuiltInEvents();

    auto skin = EmbeddedResources::loadResourceXml ("skin.xml");

    if (skin == nullptr)
    {
        std::cerr << "quilvern-face: the embedded skin does not parse\n";
        return 1;
    }

    if (options.withoutArt)
        removeArt (*skin);

    Face face (*skin, parameters, events);

    if (options.position >= 0.0f)
        setPosition (parameters, face.controls, options.position);

    parameters.notifyAll();
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);

    const auto image = face.createComponentSnapshot (face.getLocalBounds(), true, (float) options.scale);

    if (! writePng (image, options.output))
    {
        std::cerr << "quilvern-face: cannot write " << options.output.getFullPathName() << "\n";
        return 1;
    }

    return 0;
}
