#include "engine/Quilvern.h"

#include "engine/QuilvernCore.h"
#include "engine/QuilvernParameterText.h"
#include "framework/NumberText.h"
#include "framework/XmlUtilities.h"

namespace
{
constexpr int firstNoteRate = QuilvernCore::lfo1NoteRate;
constexpr int lastSync = QuilvernCore::lfo2Sync;
const char* const currentRevision = "1";
} // namespace

Quilvern::Quilvern() = default;

Quilvern::~Quilvern()
{
    saveUserSettingsFile();
}

juce::String Quilvern::getPluginName() const { return "Quilvern"; }
juce::String Quilvern::getPluginCode() const { return "QV"; }
int Quilvern::getNumHostParameters() const { return numHostParameters; }
std::unique_ptr<NorvaneEffect::Core> Quilvern::createCore() { return std::make_unique<QuilvernCore>(); }
int Quilvern::getNumClocks() const { return numOscillatorClocks; }

void Quilvern::setUserSettingsFile (const juce::File& file)
{
    userSettingsFile = file;
}

juce::File Quilvern::getUserSettingsFile() const
{
    return userSettingsFile.has_value() ? *userSettingsFile : NorvaneOldCompatible::getUserSettingsFile();
}

QuilvernCore* Quilvern::getQuilvernCore() const noexcept
{
    // Test builds may install another processor.
    return dynamic_cast<QuilvernCore*> (getCore());
}

juce::String Quilvern::getParameterDisplayText (int parameterIndex)
{
    if (auto text = getProductText (parameterIndex, std::nullopt))
        return *text;

    return NorvaneOldCompatible::getParameterDisplayText (parameterIndex);
}

juce::String Quilvern::getParameterValueText (int parameterIndex, float normalisedValue)
{
    if (auto text = getProductText (parameterIndex, normalisedValue))
        return *text;

    return NorvaneOldCompatible::getParameterValueText (parameterIndex, normalisedValue);
}

int Quilvern::getParameterStepCount (int parameterIndex)
{
    return QuilvernParameterText::getStepCount (parameterIndex);
}

std::optional<juce::String> Quilvern::getProductText (int parameterIndex, std::optional<float> value)
{
    const juce::ScopedLock lock (getEffectLock());
    const auto* core = getQuilvernCore();

    if (core == nullptr)
        return std::nullopt;

    QuilvernDisplayValues values;

    for (int i = 0; i < QuilvernCore::numParameters; ++i)
        values.raw[(size_t) i] = core->getRawValue (i);

    for (int k = 0; k < OscillatorSyncHandler::numOscillators; ++k)
    {
        values.noteIndex[(size_t) k] = syncHandler.getNoteIndex (k);
        values.syncMode[(size_t) k] = syncHandler.getSyncMode (k);
    }

    if (value.has_value() && juce::isPositiveAndBelow (parameterIndex, QuilvernCore::numParameters))
    {
        values.raw[(size_t) parameterIndex] = *value;

        if (parameterIndex == firstNoteRate || parameterIndex == QuilvernCore::lfo2NoteRate)
            values.noteIndex[(size_t) (parameterIndex - firstNoteRate) / 2] = QuilvernParameterText::getNoteIndex (*value);
    }

    return QuilvernParameterText::getText (parameterIndex, values);
}

void Quilvern::parameterChanged (Parameter* parameter)
{
    NorvaneOldCompatible::parameterChanged (parameter);

    const int index = parameter->getIndex();

    // Outside the lock: the host may call back. Texts only: no I/O or latency change.
    if (index >= firstNoteRate && index <= lastSync && applyNoteOrSync (*parameter))
        refreshHostDisplay (ChangeDetails().withParameterInfoChanged (true));
}

bool Quilvern::applyNoteOrSync (const Parameter& parameter)
{
    // Under the effect lock, like every other change that reaches the core:
    // any thread may set these parameters, the audio thread among them (MIDI
    // controllers, program changes), and the parameter texts read the
    // settings. The value is read under the lock, so the last change to run
    // leaves the settings at the parameter's latest value.
    const juce::ScopedLock lock (getEffectLock());

    // 12 and 13 belong to oscillator 0, 14 and 15 to oscillator 1.
    const int index = parameter.getIndex();
    const int oscillator = (index - firstNoteRate) / 2;
    const bool isSync = (index - firstNoteRate) % 2 == 1;
    const float value = parameter.getNormalizedValue();

    if (isSync)
        return syncHandler.syncChanged (oscillator, value, getQuilvernCore(), getClock (oscillator));

    syncHandler.noteRateChanged (oscillator, value, getQuilvernCore(), getClock (oscillator));
    return false;
}

//==============================================================================
std::unique_ptr<juce::XmlElement> Quilvern::createPresetXml (const Preset& preset)
{
    auto element = NorvaneOldCompatible::createPresetXml (preset);
    element->setAttribute ("rev", currentRevision);
    return element;
}

void Quilvern::readPresetXml (const juce::XmlElement& element, Preset& preset)
{
    if (isPresetXml (element))
    {
        const auto* revision = XmlUtilities::findAttribute (element, "rev");

        if (revision == nullptr || NumberText::readInteger (*revision) == 0)
            applyRevisionZeroDefaults (preset);
    }

    NorvaneOldCompatible::readPresetXml (element, preset);
}

void Quilvern::applyRevisionZeroDefaults (Preset& preset) const
{
    // Such presets predate tempo sync: the oscillators run free at the
    // default note rates unless the element itself says otherwise.
    const auto& defaults = getDefaultsPreset();
    preset.setValue (QuilvernCore::lfo1Sync, 0.0f);
    preset.setValue (QuilvernCore::lfo2Sync, 0.0f);
    preset.setValue (QuilvernCore::lfo1NoteRate, defaults.getValue (QuilvernCore::lfo1NoteRate));
    preset.setValue (QuilvernCore::lfo2NoteRate, defaults.getValue (QuilvernCore::lfo2NoteRate));
}

//==============================================================================
bool Quilvern::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet().size();
    const auto out = layouts.getMainOutputChannelSet().size();
    return out >= 1 && out <= 2 && in <= out;
}

double Quilvern::getTailLengthSeconds() const { return 0.0; }
bool Quilvern::acceptsMidi() const { return true; }
bool Quilvern::producesMidi() const { return false; }
