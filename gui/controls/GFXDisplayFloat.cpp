#include "gui/controls/GFXDisplayFloat.h"

#include "framework/NumberText.h"

GFXDisplayFloat::GFXDisplayFloat (const juce::String& name)
    : GFXDisplay (name)
{
}

void GFXDisplayFloat::parameterValueChanged (Parameter* parameter)
{
    auto number = NumberText::formatSignificant9 (parameter->getValue());
    const int cells = getNumVisibleCells();

    if (cells > 0 && number.length() >= cells && number[cells - 1] == '.')
        number = " " + number;

    setText (number);
}
