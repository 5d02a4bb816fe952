#include "fuzz/FuzzTarget.h"
#include "framework/MidiControl.h"
#include "framework/ParameterManager.h"
#include "framework/XmlUtilities.h"

namespace
{
// The product's parameters with a MIDI control over them, built once.
struct MapReader
{
    MapReader()
    {
        parameters.loadFromResource ("parameters.xml");
        control.setOwnerName ("Quilvern");
    }

    ParameterManager parameters;
    MidiControl control { parameters };
};

std::vector<Parameter*> assignments (const MidiControl& control)
{
    std::vector<Parameter*> result;

    for (int controller = 0; controller < 128; ++controller)
        result.push_back (control.getAssignment (controller));

    return result;
}
} // namespace

// Any bytes as a MIDI controller map file, read through the guarded parse. A
// map that was read is written and read again and gives the same assignments.
QUILVERN_FUZZ_TARGET (MidiMapReader)
{
    static MapReader reader;
    auto& control = reader.control;
    control.clearAll();

    if (auto xml = XmlUtilities::parseUtf8 (data, size))
    {
        control.loadFromXml (*xml);
        const auto before = assignments (control);

        auto written = control.createMapXml();
        const auto text = written->toString();
        auto reread = XmlUtilities::parseText (text);
        fuzzExpect (reread != nullptr, "a written map parses");

        if (reread != nullptr)
        {
            control.loadFromXml (*reread);
            fuzzExpect (assignments (control) == before, "a written map reads back the same assignments");
        }
    }

    return 0;
}
