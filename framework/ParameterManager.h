#pragma once

#include "framework/Parameter.h"

// Owns the parameters of a plug-in instance and finds them by index or by
// exact name. A read/write lock guards the containers; calls through the
// manager hold the read lock while the parameter (and so its synchronous
// listeners) runs. The thread holding the write lock may also read.
class ParameterManager
{
public:
    ParameterManager();
    ~ParameterManager();

    // Reads a parameter description from an embedded resource ("parameters.xml");
    // a missing resource or text that does not parse changes nothing.
    void loadFromResource (const juce::String& fileName);
    // Replaces every parameter by those of a "PluginParameters" element.
    void loadFromXml (const juce::XmlElement& element);

    void clear();

    // Takes ownership. Refuses (false, and deletes it) a parameter whose index
    // or name is already taken; one already registered is left alone (false).
    bool addParameter (Parameter* parameter);

    Parameter* getParameter (int index) const;
    Parameter* findParameterByName (const juce::String& name) const;
    int getNumParameters() const;
    Parameter* getParameterAt (int position) const;

    float getValue (int index) const;
    float getNormalizedValue (int index) const;
    juce::String getText (int index) const;
    juce::String getName (int index) const;

    void setNormalizedValue (int index, float value);
    void setIntValue (int index, int value);
    void setText (int index, const juce::String& text);

    void addListener (int index, Parameter::Listener* listener);
    void addAsyncListener (int index, Parameter::Listener* listener);
    void removeAsyncListener (int index, Parameter::Listener* listener);
    void addListenerToAll (Parameter::Listener* listener);
    void addAsyncListenerToAll (Parameter::Listener* listener);
    void removeAsyncListenerFromAll (Parameter::Listener* listener);

    // Tells every listener of every parameter its current value once.
    void notifyAll();

private:
    static std::unique_ptr<Parameter> createFromXml (const juce::XmlElement& entry);

    template <typename Function>
    void withParameter (int index, Function&& fn) const;
    template <typename Function>
    void forEachParameter (Function&& fn) const;

    juce::OwnedArray<Parameter> parameters;
    juce::HashMap<int, Parameter*> byIndex;
    juce::HashMap<juce::String, Parameter*> byName;
    juce::ReadWriteLock lock;

    JUCE_DECLARE_NON_COPYABLE (ParameterManager)
};
