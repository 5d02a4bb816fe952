#include "fuzz/FuzzTarget.h"
#include "fuzz/WalkingPlugin.h"

// Any bytes as a bank chunk and as a program chunk. What a reader accepted
// must also survive the plug-in's own save and reload: a project saved after
// loading a chunk has to open again.
QUILVERN_FUZZ_TARGET (ChunkReader)
{
    static WalkingPlugin plugin;
    plugin.lastState.reset();
    plugin.lastProgram.reset();

    plugin.setStateInformation (data, (int) size);
    plugin.setCurrentProgramStateInformation (data, (int) size);

    if (plugin.lastState != nullptr)
    {
        juce::MemoryBlock saved, savedAgain;
        plugin.getStateInformation (saved);
        plugin.lastState.reset();
        plugin.setStateInformation (saved.getData(), (int) saved.getSize());
        fuzzExpect (plugin.lastState != nullptr, "a state the plug-in saved after reading a chunk reads back");

        // Adjacent text nodes merge on the way, so the trees may differ; the
        // bytes saved from the read-back state may not.
        plugin.getStateInformation (savedAgain);
        fuzzExpect (savedAgain == saved, "saving a read-back state gives the same chunk");
    }

    return 0;
}
