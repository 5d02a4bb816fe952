#include "framework/Parameter.h"

#include "framework/ListenerWalk.h"

Parameter::Parameter (int parameterIndex, const juce::String& parameterName)
    : index (parameterIndex), name (parameterName)
{
    // Room for the plug-in and a few controls, so that adding them rarely
    // moves the list.
    listeners.ensureStorageAllocated (4);
}

Parameter::~Parameter()
{
    cancelPendingUpdate();
}

void Parameter::addListener (Listener* listener)
{
    if (listener != nullptr)
        listeners.addIfNotAlreadyThere (listener);
}

void Parameter::removeListener (Listener* listener)
{
    listeners.removeFirstMatchingValue (listener);
}

void Parameter::addAsyncListener (Listener* listener)
{
    if (listener != nullptr)
        asyncListeners.addIfNotAlreadyThere (listener);
}

void Parameter::removeAsyncListener (Listener* listener)
{
    asyncListeners.removeFirstMatchingValue (listener);
}

void Parameter::beginChangeGesture()
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.parameterGestureBegan (this); });
}

void Parameter::endChangeGesture()
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.parameterGestureEnded (this); });
}

void Parameter::notifyListeners()
{
    callSynchronousListeners();
    triggerAsyncNotification();
}

void Parameter::valueChanged (bool notify)
{
    if (notify)
        notifyListeners();
}

void Parameter::callSynchronousListeners()
{
    callListenersLastFirst (listeners, [this] (Listener& l) { l.parameterChanged (this); });
}

void Parameter::triggerAsyncNotification()
{
    // A pending update absorbs further triggers: bursts give one callback.
    triggerAsyncUpdate();
}

void Parameter::handleAsyncUpdate()
{
    callListenersLastFirst (asyncListeners, [this] (Listener& l) { l.parameterChanged (this); });
}

std::unique_ptr<Parameter> Parameter::withFlagsOf (std::unique_ptr<Parameter> copy) const
{
    copy->setAutomatable (automatable);
    return copy;
}
