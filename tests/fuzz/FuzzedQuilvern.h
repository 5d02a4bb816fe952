#pragma once

#include "engine/Quilvern.h"

// The product instance the fuzz targets feed, created once per process:
// starting one per input would take most of the run. Inputs change it for
// the ones that follow, so the checks below are properties that must hold
// after any history of inputs, not only after one.
Quilvern& fuzzedQuilvern();

// Every parameter value finite and within 0..1, the current preset inside the
// bank, group counts that add up to the bank's size, and presets with finite
// values and names of valid UTF-8.
void expectSoundProduct (Quilvern& plugin);

// The bank chunk the product writes now reads back into one it writes the
// same way: a project saved after any input opens to the same state.
void expectStateRoundTrip (Quilvern& plugin);
