#include "fuzz/FuzzTarget.h"
#include "fuzz/WalkingPlugin.h"

// Any bytes as a bank chunk and as a program chunk of a plug-in that keeps
// whatever tree it was given. The product only ever saves trees of its own
// making; this keeps the chunk envelope itself under test with any tree a
// reader accepts: a project saved after loading a chunk has to open again.
QUILVERN_FUZZ_TARGET (ChunkEnvelope)
{
    static WalkingPlugin plugin;
    plugin.lastState.reset();
    plugin.lastProgram.reset();

    plugin.setStateInformation (data, (int) size);
    plugin.setCurrentProgramStateInformation (data, (int) size);

    // Trees may change on the way (adjacent text merges, text of only
    // whitespace from CDATA is dropped), but what was saved must read.
    if (plugin.lastState != nullptr)
    {
        juce::MemoryBlock saved;
        plugin.getStateInformation (saved);
        plugin.lastState.reset();
        plugin.setStateInformation (saved.getData(), (int) saved.getSize());
        fuzzExpect (plugin.lastState != nullptr, "a state the plug-in saved after reading a chunk reads back");
    }

    return 0;
}
