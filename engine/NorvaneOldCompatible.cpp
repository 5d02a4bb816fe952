#include "engine/NorvaneOldCompatible.h"

NorvaneOldCompatible::NorvaneOldCompatible() = default;
NorvaneOldCompatible::~NorvaneOldCompatible() = default;
