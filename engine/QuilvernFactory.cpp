#include "engine/QuilvernFactory.h"

std::unique_ptr<Quilvern> createQuilvern()
{
    auto plugin = std::make_unique<Quilvern>();
    plugin->completeCreation();
    plugin->start();
    return plugin;
}
