#include "framework/XmlUtilities.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzedQuilvern.h"

namespace
{
juce::String writeBank (Quilvern& plugin)
{
    return plugin.createBankXml()->toString();
}
} // namespace

// Any bytes as a bank file, read through the guarded parse and applied the
// way loading a bank file does. The product stays sound, and a bank written
// after the read reads back to the same file.
// Every bank read is written and read again whole, so the unit test replays
// fewer mutations of this target than of the others.
QUILVERN_FUZZ_TARGET_REPLAYING (BankReader, 400)
{
    const auto xml = XmlUtilities::parseUtf8 (data, size);

    if (xml == nullptr)
        return 0;

    auto& plugin = fuzzedQuilvern();
    plugin.readBankXml (*xml);
    plugin.applyCurrentPresetIfInBank();
    expectSoundProduct (plugin);

    // Anything but a bank changed nothing.
    if (! plugin.isPresetBankXml (*xml))
        return 0;

    const auto written = writeBank (plugin);
    const auto reread = XmlUtilities::parseText (written);
    fuzzExpect (reread != nullptr, "a written bank parses");

    if (reread != nullptr)
    {
        plugin.readBankXml (*reread);
        fuzzExpect (writeBank (plugin) == written, "a written bank reads back to the same file");
    }

    return 0;
}
