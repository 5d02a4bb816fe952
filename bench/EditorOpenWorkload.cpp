// Creating the product with its editor through the editor's first paint, as
// the first instance of a process does it (every picture decoded), once, for
// counting instructions: on a shared machine timings wander, instruction
// counts do not.
//
//   valgrind --tool=callgrind --toggle-collect='*openAndPaintMeasured*' \
//       build/bench/EditorOpenWorkload [scale]
//
// The scale (default 1) is the editor's: at 2 the first paint decodes the 2x
// pictures. One open at that scale runs first, unmeasured, so that what a
// process does once (fonts, JUCE's own set-up) is left out, as it is from
// EditorBench's BM_CreateFirstProductThroughFirstPaint.
#include <juce_gui_basics/juce_gui_basics.h>

#include "engine/QuilvernFactory.h"

#include <cstdio>
#include <cstdlib>

namespace
{
void openAndPaint (float scale)
{
    auto plugin = createQuilvern (juce::File());
    auto& editor = *plugin->getEditorComponent();
    juce::Image image (juce::Image::ARGB, juce::roundToInt ((float) editor.getWidth() * scale),
                       juce::roundToInt ((float) editor.getHeight() * scale), true);
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (scale));
    editor.paintEntireComponent (g, true);
}

// Kept out of line, so callgrind can collect this call alone.
__attribute__ ((noinline)) void openAndPaintMeasured (float scale)
{
    openAndPaint (scale);
}
} // namespace

int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;
    const float scale = argc > 1 ? (float) std::atof (argv[1]) : 1.0f;

    openAndPaint (scale);
    juce::ImageCache::releaseUnusedImages();
    openAndPaintMeasured (scale);

    std::printf ("opened and painted the first editor at %g\n", (double) scale);
    return 0;
}
