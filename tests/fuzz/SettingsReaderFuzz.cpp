#include "framework/XmlUtilities.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/FuzzedQuilvern.h"

namespace
{
juce::String writeSettings (Quilvern& plugin)
{
    return plugin.createUserSettingsXml()->toString();
}
} // namespace

// Any bytes as the user settings file, read through the guarded parse. The
// modes stay among the known ones, and settings written after the read read
// back to the same file.
QUILVERN_FUZZ_TARGET (SettingsReader)
{
    const auto xml = XmlUtilities::parseUtf8 (data, size);

    if (xml == nullptr)
        return 0;

    auto& plugin = fuzzedQuilvern();
    plugin.loadUserSettings (*xml);

    fuzzExpect (plugin.getStoringMode() == Quilvern::storeAutomatically
                    || plugin.getStoringMode() == Quilvern::storeOnDemand,
                "the storing mode is a known one");
    fuzzExpect (plugin.getChangingType() == Quilvern::changeNormally
                    || plugin.getChangingType() == Quilvern::changeSilently,
                "the changing type is a known one");
    fuzzExpect (juce::isPositiveAndNotGreaterThan (plugin.getDefaultPresetsMode(), (int) Quilvern::userDefinedPresets),
                "the default presets mode is a known one");

    const auto written = writeSettings (plugin);
    const auto reread = XmlUtilities::parseText (written);
    fuzzExpect (reread != nullptr, "written settings parse");

    if (reread != nullptr)
    {
        plugin.loadUserSettings (*reread);
        fuzzExpect (writeSettings (plugin) == written, "written settings read back to the same file");
    }

    expectSoundProduct (plugin);
    return 0;
}
