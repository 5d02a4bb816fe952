// Building the product's face from the embedded resources (the skin
// document parsed, the background and every film strip decoded, every
// control created, linked and placed) and painting the whole face once into
// an image, as the editor does when it is built and first shown. The first
// editor of a process decodes every image; the editors of further instances
// find the strips in JUCE's image cache while an earlier editor holds them.
// The face is painted at 1x, 1.5x and 2x (the argument is the scale in
// tenths): above 1.25 from the 2x images, four times the pixels at 2x.
#include "bench/JuceBenchmarkMain.h"
#include "framework/EmbeddedResources.h"
#include "framework/EventsMap.h"
#include "framework/ParameterManager.h"
#include "framework/StringParameter.h"
#include "gui/look/EmbeddedImages.h"
#include "gui/look/ImageSets.h"
#include "gui/skin/SkinControls.h"
#include "gui/skin/SkinXml.h"

namespace
{
// The editor's part that the skin fills: the background and the root
// controls above a first child (the status bar's place).
struct Face : juce::Component
{
    Face (ParameterManager& parameters, EventsMap& events)
    {
        auto skin = EmbeddedResources::loadResourceXml ("skin.xml");
        background = EmbeddedImages::load (SkinXml::readString (*skin, "background", "Background.png"));
        setSize (background.getWidth(), background.getHeight());
        addAndMakeVisible (statusBar);
        controls.build (*skin, SkinControls::Container::editorRoot, *this, parameters, events, nullptr);
    }

    void paint (juce::Graphics& g) override { ImageSets::drawAt (g, background, 0, 0); }

    juce::Image background;
    juce::Component statusBar;
    SkinControls controls;
};

struct World
{
    World()
    {
        parameters.loadFromResource ("parameters.xml");
        parameters.addParameter (new StringParameter (110001, "Current Preset Name", "Default"));
        events.addBuiltInEvents();
    }

    ParameterManager parameters;
    EventsMap events;
};
} // namespace

static void BM_BuildFirstFace (benchmark::State& state)
{
    World world;

    for (auto _ : state)
    {
        {
            Face face (world.parameters, world.events);
            benchmark::DoNotOptimize (face.controls.size());
        }

        state.PauseTiming();
        juce::ImageCache::releaseUnusedImages();
        state.ResumeTiming();
    }
}
BENCHMARK (BM_BuildFirstFace)->Unit (benchmark::kMillisecond);

static void BM_BuildFurtherFace (benchmark::State& state)
{
    World world;
    Face first (world.parameters, world.events);

    for (auto _ : state)
    {
        Face face (world.parameters, world.events);
        benchmark::DoNotOptimize (face.controls.size());
    }
}
BENCHMARK (BM_BuildFurtherFace)->Unit (benchmark::kMillisecond);

static void BM_PaintProductFace (benchmark::State& state)
{
    World world;
    Face face (world.parameters, world.events);
    const float scale = (float) state.range (0) / 10.0f;
    juce::Image image (juce::Image::ARGB, juce::roundToInt ((float) face.getWidth() * scale),
                       juce::roundToInt ((float) face.getHeight() * scale), false);

    const auto paint = [&] {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        face.paintEntireComponent (g, true);
    };

    // The first paint at a scale above 1.25 decodes the 2x images.
    paint();

    for (auto _ : state)
        paint();
}
BENCHMARK (BM_PaintProductFace)->Arg (10)->Arg (15)->Arg (20)->Unit (benchmark::kMillisecond);
