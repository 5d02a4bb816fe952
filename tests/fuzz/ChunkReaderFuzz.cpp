#include "framework/ChunkEnvelope.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzedQuilvern.h"

// Any bytes as the product's bank chunk and as its program chunk. Whatever
// was read, the product stays sound, and the state it then saves reads back
// into the same state: a project saved after loading a chunk opens as saved.
// Every chunk read means a whole bank written and read again, so the unit
// test replays fewer mutations of this target than of the others.
QUILVERN_FUZZ_TARGET_REPLAYING (ChunkReader, 400)
{
    auto& plugin = fuzzedQuilvern();
    plugin.setStateInformation (data, (int) size);
    plugin.setCurrentProgramStateInformation (data, (int) size);
    expectSoundProduct (plugin);

    // Bytes that are no chunk changed nothing; the round trip is by far the
    // costliest step, so it is kept for the inputs that were read.
    if (ChunkEnvelope::read (data, (int) size) != nullptr)
        expectStateRoundTrip (plugin);

    return 0;
}
