#pragma once

#include "framework/RealtimeAsyncUpdater.h"

#include <memory>

// A value the host, the editor, MIDI controllers and presets can change,
// identified by an index and by a unique name. Values cross boundaries as
// normalised values 0..1; each kind stores and converts its own way.
//
// Setting a value that differs from the stored one stores it atomically and,
// with notify, calls the synchronous listeners on the setting thread (last
// added first), then triggers one coalesced asynchronous notification that
// calls the asynchronous listeners on the message thread (allocation-free
// from the audio thread, see RealtimeAsyncUpdater).
//
// The synchronous list is meant to be filled before values are set from
// other threads (the plug-in registers itself while it starts); the
// asynchronous list belongs to the message thread.
class Parameter : private RealtimeAsyncUpdater
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void parameterChanged (Parameter* parameter) = 0;
        virtual void parameterGestureBegan (Parameter*) {}
        virtual void parameterGestureEnded (Parameter*) {}
    };

    Parameter (int index, const juce::String& name);
    ~Parameter() override;

    virtual std::unique_ptr<Parameter> clone() const = 0;

    virtual float getValue() const = 0;
    virtual float getNormalizedValue() const = 0;
    virtual int getIntValue() const = 0;
    virtual bool getBoolValue() const = 0;
    virtual juce::String getText() const = 0;

    virtual void setValue (float value, bool notify) = 0;
    virtual void setNormalizedValue (float value, bool notify) = 0;
    virtual void setIntValue (int value, bool notify) = 0;
    virtual void setBoolValue (bool value, bool notify) = 0;
    virtual void setText (const juce::String& text, bool notify) = 0;
    virtual void setFromParameter (const Parameter& other, bool notify) = 0;

    int getIndex() const noexcept { return index; }
    const juce::String& getName() const noexcept { return name; }
    bool isAutomatable() const noexcept { return automatable; }
    void setAutomatable (bool shouldBeAutomatable) noexcept { automatable = shouldBeAutomatable; }

    void addListener (Listener* listener);
    void removeListener (Listener* listener);
    void addAsyncListener (Listener* listener);
    void removeAsyncListener (Listener* listener);

    void beginChangeGesture();
    void endChangeGesture();

    // Tells every listener about the current value without changing it.
    void notifyListeners();

protected:
    // The tail of every setter once a new value is stored.
    void valueChanged (bool notify);
    void callSynchronousListeners();
    void triggerAsyncNotification();

    // Copies the automatable flag onto a clone.
    std::unique_ptr<Parameter> withFlagsOf (std::unique_ptr<Parameter> copy) const;

private:
    void handleAsyncUpdate() override;

    const int index;
    const juce::String name;
    bool automatable = false;
    juce::Array<Listener*> listeners, asyncListeners;

    JUCE_DECLARE_NON_COPYABLE (Parameter)
};
