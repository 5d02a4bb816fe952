#pragma once

#include "engine/Quilvern.h"

#include <memory>

// A started instance of the product, as a host receives it: constructed,
// the post-creation step done, then initialised (clocks, core, settings,
// default preset, bank and preset 0 applied) with its editor component made.
// Its settings file lies beside the library.
std::unique_ptr<Quilvern> createQuilvern();

// The same for programs that are not hosts: the settings are read from and
// written to settingsFile instead; an empty file means none at all.
std::unique_ptr<Quilvern> createQuilvern (const juce::File& settingsFile);
