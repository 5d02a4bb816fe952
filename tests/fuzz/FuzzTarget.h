#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One fuzz target: a reader fed arbitrary bytes. A file tests/fuzz/<Name>Fuzz.cpp
// defines it with QUILVERN_FUZZ_TARGET (Name) { ... } and a seed corpus lives in
// tests/fuzz/corpus/<Name>/. Built with QUILVERN_LIBFUZZER (tools/fuzz.sh) the
// target is the program's LLVMFuzzerTestOneInput; in the unit test program it
// is registered so that a test replays its corpus and mutations of it.
//
// A target whose inputs cost much more than the others' (a whole bank written
// and read per input) is defined with QUILVERN_FUZZ_TARGET_REPLAYING (Name,
// mutations) instead, so that the replay stays short.
struct FuzzTarget
{
    using Entry = int (*) (const std::uint8_t* data, std::size_t size);

    static constexpr int defaultReplayMutations = 2000;

    const char* name;
    Entry entry;
    int replayMutations;

    static std::vector<FuzzTarget>& all();

#if defined (QUILVERN_LIBFUZZER)
    // Runs one input, marking it as running for the assertion handler.
    static int runInput (Entry entry, const std::uint8_t* data, std::size_t size);
#endif

    struct Registration
    {
        Registration (const char* name, Entry entry, int replayMutations)
        {
            all().push_back ({ name, entry, replayMutations });
        }
    };
};

// Reports a broken property of a reader: aborts under libFuzzer (so the input
// is kept as a crash), records a test failure in the unit test program.
void fuzzExpect (bool condition, const char* what);

#if defined (QUILVERN_LIBFUZZER)
 #define QUILVERN_FUZZ_ENTRY(name, mutations)                                         \
    extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size) \
    {                                                                                 \
        return FuzzTarget::runInput (name##Fuzz, data, size);                         \
    }
#else
 #define QUILVERN_FUZZ_ENTRY(name, mutations) \
    static const FuzzTarget::Registration name##Registration (#name, name##Fuzz, mutations);
#endif

#define QUILVERN_FUZZ_TARGET_REPLAYING(name, mutations)               \
    static int name##Fuzz (const std::uint8_t* data, std::size_t size); \
    QUILVERN_FUZZ_ENTRY (name, mutations)                             \
    static int name##Fuzz (const std::uint8_t* data, std::size_t size)

#define QUILVERN_FUZZ_TARGET(name) QUILVERN_FUZZ_TARGET_REPLAYING (name, FuzzTarget::defaultReplayMutations)
