#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One fuzz target: a reader fed arbitrary bytes. A file tests/fuzz/<Name>Fuzz.cpp
// defines it with QUILVERN_FUZZ_TARGET (Name) { ... } and a seed corpus lives in
// tests/fuzz/corpus/<Name>/. Built with QUILVERN_LIBFUZZER (tools/fuzz.sh) the
// target is the program's LLVMFuzzerTestOneInput; in the unit test program it
// is registered so that a test replays its corpus and mutations of it.
struct FuzzTarget
{
    using Entry = int (*) (const std::uint8_t* data, std::size_t size);

    const char* name;
    Entry entry;

    static std::vector<FuzzTarget>& all();

    struct Registration
    {
        Registration (const char* name, Entry entry) { all().push_back ({ name, entry }); }
    };
};

// Reports a broken property of a reader: aborts under libFuzzer (so the input
// is kept as a crash), records a test failure in the unit test program.
void fuzzExpect (bool condition, const char* what);

#if defined (QUILVERN_LIBFUZZER)
 #define QUILVERN_FUZZ_ENTRY(name)                                                    \
    extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size) \
    {                                                                                 \
        return name##Fuzz (data, size);                                               \
    }
#else
 #define QUILVERN_FUZZ_ENTRY(name) \
    static const FuzzTarget::Registration name##Registration (#name, name##Fuzz);
#endif

#define QUILVERN_FUZZ_TARGET(name)                                   \
    static int name##Fuzz (const std::uint8_t* data, std::size_t size); \
    QUILVERN_FUZZ_ENTRY (name)                                        \
    static int name##Fuzz (const std::uint8_t* data, std::size_t size)
