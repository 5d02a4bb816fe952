#include "gui/look/DeviceTransform.h"

namespace
{
// The renderer keeps its current state, transform included, in a protected
// stack; a member pointer formed through a derived class reads it from any
// renderer. Never instantiated.
struct RendererStateReader : juce::LowLevelGraphicsSoftwareRenderer
{
    static juce::AffineTransform transformOf (juce::LowLevelGraphicsSoftwareRenderer& renderer)
    {
        return (renderer.*(&RendererStateReader::stack))->transform.getTransform();
    }
};
} // namespace

std::optional<juce::AffineTransform> DeviceTransform::of (juce::Graphics& g)
{
    if (auto* renderer = dynamic_cast<juce::LowLevelGraphicsSoftwareRenderer*> (&g.getInternalContext()))
        return RendererStateReader::transformOf (*renderer);

    return std::nullopt;
}
