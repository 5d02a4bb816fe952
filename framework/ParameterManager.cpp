#include "framework/ParameterManager.h"

#include "framework/BoolParameter.h"
#include "framework/EmbeddedResources.h"
#include "framework/EnumParameter.h"
#include "framework/FloatParameter.h"
#include "framework/NoteParameter.h"
#include "framework/NumberText.h"
#include "framework/StringParameter.h"
#include "framework/XmlUtilities.h"

namespace
{
constexpr int lookupBuckets = 10000;
} // namespace

ParameterManager::ParameterManager()
    : byIndex (lookupBuckets), byName (lookupBuckets)
{
}

ParameterManager::~ParameterManager()
{
    clear();
}

void ParameterManager::loadFromResource (const juce::String& fileName)
{
    if (auto xml = EmbeddedResources::loadResourceXml (fileName))
        loadFromXml (*xml);
}

void ParameterManager::loadFromXml (const juce::XmlElement& element)
{
    clear();

    if (! XmlUtilities::hasTag (element, "PluginParameters"))
        return;

    for (auto* entry : element.getChildIterator())
        if (XmlUtilities::hasTag (*entry, "param"))
            if (auto parameter = createFromXml (*entry))
                addParameter (parameter.release());
}

std::unique_ptr<Parameter> ParameterManager::createFromXml (const juce::XmlElement& entry)
{
    const auto* indexText = XmlUtilities::findAttribute (entry, "index");
    const int index = indexText != nullptr ? NumberText::readInteger (*indexText) : -1;
    const auto name = XmlUtilities::getAttribute (entry, "name");
    const auto type = XmlUtilities::getAttribute (entry, "type", "float");
    const auto value = XmlUtilities::getAttribute (entry, "value");
    const auto minText = XmlUtilities::getAttribute (entry, "min", "0");
    const auto maxText = XmlUtilities::getAttribute (entry, "max", "1");

    if (index == -1 || name.isEmpty())
        return {};

    std::unique_ptr<Parameter> parameter;

    if (type == "float")
        parameter = std::make_unique<FloatParameter> (index, name,
                                                      NumberText::toFiniteFloat (NumberText::readDecimal (minText)),
                                                      NumberText::toFiniteFloat (NumberText::readDecimal (maxText)),
                                                      NumberText::toFiniteFloat (NumberText::readDecimal (value)));
    else if (type == "int")
        parameter = std::make_unique<IntParameter> (index, name, NumberText::readInteger (minText),
                                                    NumberText::readInteger (maxText), NumberText::readInteger (value));
    else if (type == "string")
        parameter = std::make_unique<StringParameter> (index, name, value);
    else if (type == "bool" || type == "state")
        parameter = std::make_unique<BoolParameter> (index, name, type == "bool" ? BoolParameter::TextStyle::trueFalse
                                                                                 : BoolParameter::TextStyle::onOff);
    else if (type == "enum")
        parameter = std::make_unique<EnumParameter> (index, name, XmlUtilities::getAttribute (entry, "enum"));
    else if (type == "note")
        parameter = std::make_unique<NoteParameter> (index, name, NoteParameter::readNoteName (value).value_or (0));
    else
        return {};

    if (type == "bool" || type == "state" || type == "enum")
        parameter->setText (value, false);

    const auto* autoText = XmlUtilities::findAttribute (entry, "auto");
    const auto firstChar = autoText != nullptr ? *autoText->getCharPointer().findEndOfWhitespace() : 0;
    parameter->setAutomatable (juce::String ("1tTyY").containsChar (firstChar) && firstChar != 0);
    return parameter;
}

void ParameterManager::clear()
{
    const juce::ScopedWriteLock sl (lock);
    byIndex.clear();
    byName.clear();
    parameters.clear();
}

bool ParameterManager::addParameter (Parameter* parameter)
{
    if (parameter == nullptr)
        return false;

    const juce::ScopedWriteLock sl (lock);

    if (parameters.contains (parameter))
        return false;

    if (byIndex.contains (parameter->getIndex()) || byName.contains (parameter->getName()))
    {
        delete parameter;
        return false;
    }

    parameters.add (parameter);
    byIndex.set (parameter->getIndex(), parameter);
    byName.set (parameter->getName(), parameter);
    return true;
}

Parameter* ParameterManager::getParameter (int index) const
{
    const juce::ScopedReadLock sl (lock);
    return byIndex[index];
}

Parameter* ParameterManager::findParameterByName (const juce::String& name) const
{
    const juce::ScopedReadLock sl (lock);
    return byName[name];
}

int ParameterManager::getNumParameters() const
{
    const juce::ScopedReadLock sl (lock);
    return parameters.size();
}

Parameter* ParameterManager::getParameterAt (int position) const
{
    const juce::ScopedReadLock sl (lock);
    return parameters[position];
}

template <typename Function>
void ParameterManager::withParameter (int index, Function&& fn) const
{
    const juce::ScopedReadLock sl (lock);

    if (auto* parameter = byIndex[index])
        fn (*parameter);
}

template <typename Function>
void ParameterManager::forEachParameter (Function&& fn) const
{
    const juce::ScopedReadLock sl (lock);

    for (auto* parameter : parameters)
        fn (*parameter);
}

float ParameterManager::getValue (int index) const
{
    float result = 0.0f;
    withParameter (index, [&] (Parameter& p) { result = p.getValue(); });
    return result;
}

float ParameterManager::getNormalizedValue (int index) const
{
    float result = 0.0f;
    withParameter (index, [&] (Parameter& p) { result = p.getNormalizedValue(); });
    return result;
}

juce::String ParameterManager::getText (int index) const
{
    juce::String result;
    withParameter (index, [&] (Parameter& p) { result = p.getText(); });
    return result;
}

juce::String ParameterManager::getName (int index) const
{
    juce::String result;
    withParameter (index, [&] (Parameter& p) { result = p.getName(); });
    return result;
}

void ParameterManager::setNormalizedValue (int index, float value)
{
    withParameter (index, [&] (Parameter& p) { p.setNormalizedValue (value, true); });
}

void ParameterManager::setIntValue (int index, int value)
{
    withParameter (index, [&] (Parameter& p) { p.setIntValue (value, true); });
}

void ParameterManager::setText (int index, const juce::String& text)
{
    withParameter (index, [&] (Parameter& p) { p.setText (text, true); });
}

void ParameterManager::addListener (int index, Parameter::Listener* listener)
{
    withParameter (index, [&] (Parameter& p) { p.addListener (listener); });
}

void ParameterManager::addAsyncListener (int index, Parameter::Listener* listener)
{
    withParameter (index, [&] (Parameter& p) { p.addAsyncListener (listener); });
}

void ParameterManager::removeAsyncListener (int index, Parameter::Listener* listener)
{
    withParameter (index, [&] (Parameter& p) { p.removeAsyncListener (listener); });
}

void ParameterManager::addListenerToAll (Parameter::Listener* listener)
{
    forEachParameter ([&] (Parameter& p) { p.addListener (listener); });
}

void ParameterManager::addAsyncListenerToAll (Parameter::Listener* listener)
{
    forEachParameter ([&] (Parameter& p) { p.addAsyncListener (listener); });
}

void ParameterManager::removeAsyncListenerFromAll (Parameter::Listener* listener)
{
    forEachParameter ([&] (Parameter& p) { p.removeAsyncListener (listener); });
}

void ParameterManager::notifyAll()
{
    forEachParameter ([] (Parameter& p) { p.notifyListeners(); });
}
