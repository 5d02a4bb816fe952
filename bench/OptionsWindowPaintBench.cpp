// The options window with both of its pages, built and painted into an
// image as the editor shows it. The first paint of a process loads every
// glyph its text needs; later ones find the glyphs loaded. Run it under
// callgrind with --toggle-collect='*paintOptionsWindow*' for instruction
// counts: the first call is the first paint.
#include "bench/JuceBenchmarkMain.h"
#include "engine/Quilvern.h"
#include "gui/editor/MidiControlComponent.h"
#include "gui/editor/PresetsSettingsComponent.h"
#include "gui/look/DefaultLookAndFeel.h"
#include "gui/windows/OptionsWindow.h"

namespace
{
// Builds the window over an editor-sized parent, shows the given page and
// paints everything once.
juce::Image paintOptionsWindow (Quilvern& plugin, DefaultLookAndFeel& lookAndFeel, int page)
{
    juce::Component editor;
    editor.setLookAndFeel (&lookAndFeel);
    editor.setSize (900, 680);

    OptionsWindow options;
    options.setTitle ("Options");
    options.addTab ("Midi Control", new MidiControlComponent (plugin.getMidiControl(), ".qvccmap", "*.qvccmap; *.qvc"));
    options.addTab ("Presets", new PresetsSettingsComponent (plugin), 0);
    editor.addChildComponent (options);
    options.setSize (800, 600);
    options.show();
    options.getTabs().setCurrentTabIndex (page);

    auto image = editor.createComponentSnapshot (editor.getLocalBounds());
    editor.removeChildComponent (&options);
    editor.setLookAndFeel (nullptr);
    return image;
}

struct World
{
    World()
    {
        for (int i = 0; i < 14; ++i)
            plugin.getMidiControl().assign (20 + i, plugin.getParameterManager().getParameter (i), false);
    }

    Quilvern plugin;
    DefaultLookAndFeel lookAndFeel;
};

World& world()
{
    static World w;
    return w;
}

// One iteration: the glyphs are loaded only the first time in a process.
void BM_FirstPaint (benchmark::State& state)
{
    for (auto _ : state)
        for (const int page : { 0, 1 })
            benchmark::DoNotOptimize (paintOptionsWindow (world().plugin, world().lookAndFeel, page).getWidth());
}

void BM_LaterPaint (benchmark::State& state)
{
    for (auto _ : state)
        for (const int page : { 0, 1 })
            benchmark::DoNotOptimize (paintOptionsWindow (world().plugin, world().lookAndFeel, page).getWidth());
}
} // namespace

BENCHMARK (BM_FirstPaint)->Iterations (1)->Unit (benchmark::kMillisecond);
BENCHMARK (BM_LaterPaint)->Unit (benchmark::kMillisecond);
