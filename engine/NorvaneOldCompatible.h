#pragma once

#include "engine/NorvaneEffect.h"

// The layer between the effect frame and the product that accepts what
// earlier versions of the product wrote. It adds nothing yet.
class NorvaneOldCompatible : public NorvaneEffect
{
public:
    NorvaneOldCompatible();
    ~NorvaneOldCompatible() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (NorvaneOldCompatible)
};
