#pragma once

#include <juce_graphics/juce_graphics.h>

// The colours of the face and of the widget images, in one place so that
// every painter draws from the same set.
namespace ArtPalette
{
// The face: graphite panels, light silkscreen, one cyan accent.
const juce::Colour panelTop { 0xff34363b };
const juce::Colour panelBottom { 0xff25272b };
const juce::Colour headerTop { 0xff26282c };
const juce::Colour headerBottom { 0xff1c1d20 };
const juce::Colour groove { 0xff121315 };
const juce::Colour grooveLight { 0x1effffff };
const juce::Colour silkscreen { 0xffc9ced4 };
const juce::Colour silkscreenDim { 0xff8b9097 };
const juce::Colour titleText { 0xffe6e9ec };

// Lit and unlit indicators: the display's own colours.
const juce::Colour displayBackground { 0xff232224 };
const juce::Colour displayText { 0xffbef6ff };
const juce::Colour accent { 0xff5fd9f2 };
const juce::Colour accentDim { 0xff2b4a52 };
const juce::Colour unlit { 0xff3d4046 };
const juce::Colour amber { 0xfff2b53d };
const juce::Colour red { 0xfff0503f };

// Knobs and buttons.
const juce::Colour knobSkirtTop { 0xff2d2f33 };
const juce::Colour knobSkirtBottom { 0xff0e0f11 };
const juce::Colour knobCapLight { 0xff676b72 };
const juce::Colour knobCapDark { 0xff2a2c30 };
const juce::Colour pointer { 0xfff4f6f8 };

// The look and feel's light grey widgets.
const juce::Colour widgetBackground { 0xffc5c5c5 };
const juce::Colour widgetFace { 0xffe3e3e3 };
const juce::Colour widgetFaceLight { 0xfff4f4f4 };
const juce::Colour widgetOutline { 0xff7a7a7a };
const juce::Colour widgetDark { 0xff444444 };
const juce::Colour pictogram { 0xff101010 };
} // namespace ArtPalette
