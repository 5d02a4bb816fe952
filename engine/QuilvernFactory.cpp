#include "engine/QuilvernFactory.h"

#include "framework/MessageThreadLock.h"

#include <optional>

namespace
{
struct TeardownLock
{
    std::optional<MessageThreadLock> lock;
};

// An instance builds its editor as it starts and takes it down as it goes,
// so both happen with JUCE's message thread held off when that is another
// thread. The lock is the first base: taken before anything of the instance
// is destroyed, it is let go only after the rest of it is gone.
class QuilvernInstance final : private TeardownLock, public Quilvern
{
public:
    ~QuilvernInstance() override { lock.emplace(); }
};

std::unique_ptr<Quilvern> start (std::unique_ptr<Quilvern> plugin)
{
    plugin->completeCreation();
    plugin->start();
    return plugin;
}
} // namespace

std::unique_ptr<Quilvern> createQuilvern()
{
    const MessageThreadLock lock;
    return start (std::make_unique<QuilvernInstance>());
}

std::unique_ptr<Quilvern> createQuilvern (const juce::File& settingsFile)
{
    const MessageThreadLock lock;
    auto plugin = std::make_unique<QuilvernInstance>();
    plugin->setUserSettingsFile (settingsFile);
    return start (std::move (plugin));
}
