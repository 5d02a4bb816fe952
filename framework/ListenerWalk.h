#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>

// Calls fn on every listener of the list from the last added to the first.
// A listener may remove itself or others during its call: the walk goes on
// with the next lower position that still exists in the list.
template <typename ListenerType, typename Function>
void callListenersLastFirst (const juce::Array<ListenerType*>& listeners, Function&& fn)
{
    for (int i = listeners.size() - 1; i >= 0; i = std::min (i - 1, listeners.size() - 1))
        fn (*listeners.getUnchecked (i));
}
