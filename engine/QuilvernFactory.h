#pragma once

#include "engine/Quilvern.h"

#include <memory>

// A started instance of the product, as a host receives it: constructed,
// the post-creation step done, then initialised (clocks, core, settings,
// default preset, bank and preset 0 applied) with its editor component made.
std::unique_ptr<Quilvern> createQuilvern();
