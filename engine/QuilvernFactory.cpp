#include "engine/QuilvernFactory.h"

#include "framework/MessageThreadLock.h"

namespace
{
std::unique_ptr<Quilvern> start (std::unique_ptr<Quilvern> plugin)
{
    plugin->completeCreation();
    plugin->start();
    return plugin;
}
} // namespace

// An instance builds its editor as it starts, with JUCE's message thread
// held off when that is another thread.
std::unique_ptr<Quilvern> createQuilvern()
{
    const MessageThreadLock lock;
    return start (std::make_unique<Quilvern>());
}

std::unique_ptr<Quilvern> createQuilvern (const juce::File& settingsFile)
{
    const MessageThreadLock lock;
    auto plugin = std::make_unique<Quilvern>();
    plugin->setUserSettingsFile (settingsFile);
    return start (std::move (plugin));
}
