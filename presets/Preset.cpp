#include "presets/Preset.h"

namespace
{
    bool isValueId (int id) noexcept
    {
        return static_cast<unsigned int> (id) < static_cast<unsigned int> (Preset::valueCount);
    }
}

float Preset::getValue (int id) const noexcept
{
    return isValueId (id) ? values[static_cast<size_t> (id)] : 0.0f;
}

void Preset::setValue (int id, float value) noexcept
{
    if (isValueId (id))
        values[static_cast<size_t> (id)] = value;
}

bool Preset::operator== (const Preset& other) const noexcept
{
    return name == other.name && values == other.values;
}
