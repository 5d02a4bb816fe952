#include "tools/presetcheck/PresetCheck.h"

#include "framework/SteppedValue.h"
#include "tools/presetcheck/PresetRenderer.h"
#include "tools/presetcheck/TestSignal.h"

#include <cmath>
#include <iostream>

namespace
{
    constexpr int renderSeconds = 5;
    constexpr int settleSeconds = 1;

    const char* const expectedBankName = "Quilvern Factory Presets";
    const char* const application = "Quilvern";
    const char* const freeGroup = "Free run";
    const char* const syncGroup = "Synchronized";
    constexpr int freeCount = 37, syncCount = 14;

    enum { lfo1Depth = 4, lfo2Depth = 8, lfo1Sync = 13, lfo2Sync = 15 };
    const int steppedIndexes[] = { 0, 6, 9, 12, 13, 14, 15 };
    const int stepCounts[] = { 3, 5, 5, 10, 3, 10, 3 };

    int syncMode (float value) { return static_cast<int> (SteppedValue::nearestStep (value, 3)); }

    bool usesSync (const FactoryBank::Entry& preset)
    {
        return (syncMode (preset.values[lfo1Sync]) != 0 && preset.values[lfo1Depth] > 0.0f)
            || (syncMode (preset.values[lfo2Sync]) != 0 && preset.values[lfo2Depth] > 0.0f);
    }

    juce::String padded (const juce::String& text, int width)
    {
        return text.paddedRight (' ', width);
    }

    juce::String decimals (float value, int places)
    {
        return juce::String (value, places);
    }
}

int PresetCheck::run()
{
    bank = FactoryBank::loadFromResources();
    checkLayout();

    if (bank.presets.empty())
        return failures;

    renderAll();
    checkLevels();
    checkDistances();

    std::cout << "\n" << bank.presets.size() << " presets checked, "
              << failures << (failures == 1 ? " failure\n" : " failures\n");
    return failures;
}

void PresetCheck::fail (const juce::String& message)
{
    ++failures;
    std::cout << "FAIL: " << message << "\n";
}

void PresetCheck::checkLayout()
{
    for (const auto& problem : bank.problems)
        fail (problem);

    if (bank.name != expectedBankName)
        fail ("bank name is \"" + bank.name + "\"");

    if (bank.groupNames != juce::StringArray (freeGroup, syncGroup)
        || bank.groupSizes != juce::Array<int> (freeCount, syncCount))
        fail ("groups are not \"" + juce::String (freeGroup) + "\" (" + juce::String (freeCount) + ") and \""
              + syncGroup + "\" (" + juce::String (syncCount) + ")");

    juce::StringArray names;

    for (const auto& preset : bank.presets)
    {
        const auto where = "\"" + preset.name + "\": ";

        for (const auto& problem : preset.problems)
            fail (where + problem);

        if (preset.name.trim().isEmpty() || names.contains (preset.name))
            fail (where + "empty or repeated name");

        if (preset.application != application || preset.revision != "1")
            fail (where + "application or rev wrong");

        for (int i = 0; i < FactoryBank::numValues; ++i)
            if (! preset.present[static_cast<size_t> (i)]
                || ! juce::isPositiveAndNotGreaterThan (preset.values[static_cast<size_t> (i)], 1.0f))
                fail (where + "parameter " + juce::String (i) + " missing or outside 0 to 1");

        if (usesSync (preset) != (preset.group == syncGroup))
            fail (where + "tempo sync does not match its group");

        names.add (preset.name);
    }
}

void PresetCheck::renderAll()
{
    const int length = renderSeconds * static_cast<int> (TestSignal::sampleRate);
    const int settle = settleSeconds * static_cast<int> (TestSignal::sampleRate);
    const auto input = TestSignal::makeSawChord (length);

    dry = SignalFeatures::analyse (input, settle, TestSignal::sampleRate);
    std::cout << "Test signal: A major saw chord, " << decimals (dry.peakDb, 1) << " dBFS peak, "
              << decimals (dry.rmsDb, 1) << " dBFS RMS, movement " << decimals (dry.movementDb(), 2)
              << " dB; " << renderSeconds << " s at " << TestSignal::sampleRate << " Hz, tempo "
              << PresetRenderer::tempo << ", measured after " << settleSeconds << " s\n\n";

    std::cout << padded ("Preset", 24) << padded ("Group", 14) << padded ("Peak", 8) << padded ("RMS", 8)
              << padded ("Move", 7) << padded ("Stereo", 8) << "Centroid (Hz)\n";

    for (const auto& preset : bank.presets)
    {
        const auto output = PresetRenderer::render (bank.defaults, preset.values, input, TestSignal::sampleRate);
        rendered.push_back (SignalFeatures::analyse (output, settle, TestSignal::sampleRate));
        const auto& features = rendered.back();
        const auto centroid = features.centroidRange();

        std::cout << padded (preset.name, 24) << padded (preset.group, 14)
                  << padded (decimals (features.peakDb, 1), 8) << padded (decimals (features.rmsDb, 1), 8)
                  << padded (decimals (features.movementDb(), 2), 7)
                  << padded (decimals (features.stereoDifferenceDb(), 2), 8)
                  << juce::roundToInt (centroid.getStart()) << "-" << juce::roundToInt (centroid.getEnd()) << "\n";
    }

    std::cout << "\nPeak and RMS in dBFS; Move: mean deviation of band levels over time (dB); "
                 "Stereo: mean left/right band level difference (dB).\n\n";
}

void PresetCheck::checkLevels()
{
    for (size_t i = 0; i < rendered.size(); ++i)
    {
        const auto& name = bank.presets[i].name;

        if (rendered[i].rmsDb < silentRmsDb)
            fail ("\"" + name + "\" is silent (" + decimals (rendered[i].rmsDb, 1) + " dBFS RMS)");

        if (rendered[i].peakDb > clippingPeakDb)
            fail ("\"" + name + "\" clips (" + decimals (rendered[i].peakDb, 1) + " dBFS peak)");
    }
}

float PresetCheck::parameterDistance (const FactoryBank::Entry& a, const FactoryBank::Entry& b)
{
    // Stepped parameters count by the step they select, not their raw value.
    auto step = [] (const FactoryBank::Entry& preset, size_t index)
    {
        auto value = preset.values[index];

        for (size_t s = 0; s < std::size (steppedIndexes); ++s)
            if (static_cast<size_t> (steppedIndexes[s]) == index)
                return static_cast<float> (SteppedValue::nearestStep (value, stepCounts[s])) / stepCounts[s];

        return value;
    };

    double sum = 0.0;

    for (size_t i = 0; i < FactoryBank::numValues; ++i)
        sum += juce::square (static_cast<double> (step (a, i) - step (b, i)));

    return static_cast<float> (std::sqrt (sum));
}

void PresetCheck::checkDistances()
{
    std::cout << padded ("Preset", 24) << "Nearest preset by sound (band level distance dB, parameter distance)\n";

    for (size_t i = 0; i < rendered.size(); ++i)
    {
        size_t nearest = i;
        float nearestDb = std::numeric_limits<float>::max();

        for (size_t j = 0; j < rendered.size(); ++j)
        {
            if (j == i)
                continue;

            const float soundDb = SignalFeatures::distanceDb (rendered[i], rendered[j]);
            const float parameters = parameterDistance (bank.presets[i], bank.presets[j]);

            if (soundDb < nearestDb)
            {
                nearestDb = soundDb;
                nearest = j;
            }

            if (j > i && (soundDb < nearIdenticalSoundDb || parameters < nearIdenticalParameters))
                fail ("\"" + bank.presets[i].name + "\" and \"" + bank.presets[j].name + "\" are near-identical ("
                      + decimals (soundDb, 2) + " dB, parameters " + decimals (parameters, 3) + ")");
        }

        if (nearest != i)
            std::cout << padded (bank.presets[i].name, 24) << bank.presets[nearest].name << " ("
                      << decimals (nearestDb, 2) << " dB, "
                      << decimals (parameterDistance (bank.presets[i], bank.presets[nearest]), 3) << ")\n";
    }

    std::cout << "Dry signal against the nearest preset: ";
    float dryNearest = std::numeric_limits<float>::max();

    for (const auto& features : rendered)
        dryNearest = juce::jmin (dryNearest, SignalFeatures::distanceDb (dry, features));

    std::cout << decimals (dryNearest, 2) << " dB\n";
}
