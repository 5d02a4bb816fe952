// The preset browser docked below the product's face: one full repaint of
// the open panel into an image, with every preset of the bank in one group,
// so that the preset column holds 128 rows (target under 2 ms).
#include "bench/JuceBenchmarkMain.h"
#include "engine/QuilvernFactory.h"
#include "gui/browser/PresetListColumn.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "gui/editor/QuilvernEditor.h"

static void BM_RepaintOpenBrowser (benchmark::State& state)
{
    auto plugin = createQuilvern (juce::File());
    auto& editor = *dynamic_cast<QuilvernEditor*> (plugin->getEditorComponent());
    plugin->clearPresets();
    plugin->changeToPreset (60);
    juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    editor.actionTriggered (nullptr, EventsMap::browsePresets);

    auto& window = *editor.getPresetBrowserWindow();
    auto* presets = window.getBrowser().getPresetColumn();

    if (! window.isVisible() || presets == nullptr || presets->getNumRows() != BasePluginOldStyle::numPresets)
    {
        state.SkipWithError ("the browser is not open on a column of 128 presets");
        return;
    }

    juce::Image image (juce::Image::ARGB, window.getWidth(), window.getHeight(), true);

    for (auto _ : state)
    {
        juce::Graphics g (image);
        window.paintEntireComponent (g, true);
        benchmark::DoNotOptimize (image.getPixelData());
    }
}
BENCHMARK (BM_RepaintOpenBrowser)->Unit (benchmark::kMicrosecond);
