#include "engine/QuilvernFactory.h"

namespace
{
std::unique_ptr<Quilvern> start (std::unique_ptr<Quilvern> plugin)
{
    plugin->completeCreation();
    plugin->start();
    return plugin;
}
} // namespace

std::unique_ptr<Quilvern> createQuilvern()
{
    return start (std::make_unique<Quilvern>());
}

std::unique_ptr<Quilvern> createQuilvern (const juce::File& settingsFile)
{
    auto plugin = std::make_unique<Quilvern>();
    plugin->setUserSettingsFile (settingsFile);
    return start (std::move (plugin));
}
