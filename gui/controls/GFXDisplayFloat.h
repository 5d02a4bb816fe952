#pragma once

#include "gui/controls/GFXDisplay.h"

// A bitmap-font display showing its parameter's value as a number ("%.9g").
// When the last visible cell would show a decimal point, the number moves
// one cell to the right, so that the cells never end on a bare point.
class GFXDisplayFloat : public GFXDisplay
{
public:
    explicit GFXDisplayFloat (const juce::String& name);

    void parameterValueChanged (Parameter* parameter) override;
};
