// Writes the documents of the product's own writers, as the fuzz seeds start
// from them: the bank and program chunks a host stores, a preset file, a bank
// file and a settings file. tests/fuzz/make_corpus.py runs it and derives the
// damaged forms from its output.
//
//   fuzz_seed_writer <folder>
#include "engine/QuilvernFactory.h"
#include "framework/ChunkEnvelope.h"
#include "framework/XmlUtilities.h"

#include <iostream>

namespace
{
// Keeps the first presets of each group, so that seeds stay small (the full
// bank is 128 presets); readers take any number.
void keepFirstPresets (juce::XmlElement& bank, int count)
{
    for (auto* group : bank.getChildIterator())
        while (group->getNumChildElements() > count)
            group->removeChildElement (group->getChildElement (count), true);
}

bool writeChunk (const juce::MemoryBlock& chunk, const juce::File& file)
{
    return file.replaceWithData (chunk.getData(), chunk.getSize());
}

bool writeSeeds (Quilvern& plugin, const juce::File& folder)
{
    // Paths of the machine that writes the seeds stay out of them.
    plugin.setRecentDirectory ("/tmp");
    plugin.selectPreset (2, false);

    // The state's bank is cut like the bank file's: the whole one is larger
    // than the inputs the fuzzer is given.
    auto stateXml = plugin.createStateXml();

    for (auto* presets : stateXml->getChildWithTagNameIterator ("PresetsState"))
        for (auto* bank : presets->getChildIterator())
            keepFirstPresets (*bank, 2);

    juce::MemoryBlock state, program;
    ChunkEnvelope::write (*stateXml, state);
    plugin.getCurrentProgramStateInformation (program);

    auto bank = plugin.createBankXml();
    keepFirstPresets (*bank, 2);

    return writeChunk (state, folder.getChildFile ("state.chunk"))
        && writeChunk (program, folder.getChildFile ("program.chunk"))
        && plugin.savePresetFile (folder.getChildFile ("preset.qvprs"), 2)
        && XmlUtilities::writeFile (*bank, folder.getChildFile ("bank.qvprsb"))
        && XmlUtilities::writeFile (*plugin.createUserSettingsXml(), folder.getChildFile ("settings.ini"));
}
} // namespace

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: fuzz_seed_writer <folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI juce;
    const auto folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    auto plugin = createQuilvern (juce::File());

    if (! folder.createDirectory() || ! writeSeeds (*plugin, folder))
    {
        std::cerr << "fuzz_seed_writer: could not write into " << argv[1] << "\n";
        return 1;
    }

    return 0;
}
