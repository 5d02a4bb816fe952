// quilvern-render: runs an audio file through the Quilvern processor as a
// host would and writes the result.
#include "tools/render/HostParameters.h"
#include "tools/render/PresetChoice.h"
#include "tools/render/ProgressBar.h"
#include "tools/render/RenderArguments.h"
#include "tools/render/RenderJob.h"

#include <juce_events/juce_events.h>

#include <cstdio>

namespace
{
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

int fail (const juce::String& message, int exitCode)
{
    std::fprintf (stderr, "quilvern-render: %s\n", message.toRawUTF8());
    return exitCode;
}

int listParameters (RenderJob& job)
{
    const auto result = job.setUpProcessor();

    if (result.failed())
        return fail (result.getErrorMessage(), exitFailure);

    std::printf ("%s", HostParameters (*job.getProcessor()).describeAll().toRawUTF8());
    return 0;
}

int listPresets (RenderJob& job)
{
    const auto result = job.setUpProcessor();

    if (result.failed())
        return fail (result.getErrorMessage(), exitFailure);

    std::printf ("%s", PresetChoice::listBank (*job.getProcessor()).toRawUTF8());
    return 0;
}

int render (RenderJob& job)
{
    ProgressBar progressBar (stdout);
    const auto result = job.render ([&progressBar] (juce::int64 done, juce::int64 total) { progressBar.show (done, total); });
    progressBar.finish();

    if (result.failed())
        return fail (result.getErrorMessage(), exitFailure);

    std::printf ("%s", job.getReport().toText().toRawUTF8());
    return 0;
}
} // namespace

int main (int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI juceInitialiser;

    RenderOptions options;
    const auto parsed = RenderArguments::parse (juce::StringArray (argv + 1, argc - 1), options);

    if (parsed.failed())
        return fail (parsed.getErrorMessage() + "\n(quilvern-render --help shows the options)", exitUsage);

    if (options.showHelp)
    {
        std::printf ("%s", RenderArguments::usage().toRawUTF8());
        return 0;
    }

    if (options.showVersion)
    {
        std::printf ("%s", RenderArguments::version().toRawUTF8());
        return 0;
    }

    RenderJob job (options);

    if (options.listPresets)
        return listPresets (job);

    return options.listParameters ? listParameters (job) : render (job);
}
