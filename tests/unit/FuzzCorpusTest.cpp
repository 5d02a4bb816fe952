#include <gmock/gmock.h>

#include "fuzz/FuzzTarget.h"

#include <juce_core/juce_core.h>

namespace
{
std::vector<juce::MemoryBlock> loadSeeds (const char* target)
{
    std::vector<juce::MemoryBlock> seeds;
    const auto folder = juce::File (QUILVERN_FUZZ_CORPUS_DIR).getChildFile (target);

    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false))
    {
        seeds.emplace_back();
        file.loadFileAsData (seeds.back());
    }

    return seeds;
}

void run (const FuzzTarget& target, const juce::MemoryBlock& input)
{
    target.entry (static_cast<const std::uint8_t*> (input.getData()), input.getSize());
}

// A few of libFuzzer's mutations, drawn from a fixed seed so that every run
// feeds the readers the same inputs.
juce::MemoryBlock mutate (juce::MemoryBlock data, juce::Random& random)
{
    for (int edits = 1 + random.nextInt (4); --edits >= 0;)
    {
        const auto size = (int) data.getSize();
        const int at = size > 0 ? random.nextInt (size) : 0;
        auto* bytes = static_cast<char*> (data.getData());

        switch (random.nextInt (6))
        {
            case 0: if (size > 0) bytes[at] ^= (char) (1 << random.nextInt (8)); break;
            case 1: data.insert (random.nextBool() ? "<" : ">", 1, (size_t) at); break;
            case 2: data.removeSection ((size_t) at, (size_t) random.nextInt (16)); break;
            case 3: data.setSize ((size_t) at); break;
            case 4:
                if (size > 0)
                {
                    // A copy: insert may move the block before it reads the slice.
                    const juce::MemoryBlock slice (bytes + at, (size_t) juce::jmin (size - at, random.nextInt (64)));
                    data.insert (slice.getData(), slice.getSize(), (size_t) at);
                }
                break;
            default:
            {
                const int value = random.nextBool() ? random.nextInt() : random.nextInt (9) - 4;
                if (size >= 8) data.copyFrom (&value, juce::jmin (at, size - 4), 4);
                break;
            }
        }
    }

    return data;
}
} // namespace

// Every fuzz target over its committed seeds and a bounded number of
// deterministic mutations of them (its own number); the targets check their
// own properties.
TEST (FuzzCorpus, ReadersSurviveTheSeedsAndTheirMutations)
{
    ASSERT_FALSE (FuzzTarget::all().empty());

    for (const auto& target : FuzzTarget::all())
    {
        SCOPED_TRACE (target.name);
        const auto seeds = loadSeeds (target.name);
        ASSERT_FALSE (seeds.empty()) << "no seed corpus";

        for (size_t i = 0; i < seeds.size(); ++i)
        {
            SCOPED_TRACE ("seed " + std::to_string (i));
            run (target, seeds[i]);
        }

        juce::Random random (8);

        for (int i = 0; i < target.replayMutations; ++i)
        {
            const auto input = mutate (seeds[(size_t) random.nextInt ((int) seeds.size())], random);
            SCOPED_TRACE ("mutation " + std::to_string (i));
            run (target, input);
        }
    }
}
