#include "tools/render/RenderArguments.h"

#include <cmath>
#include <cstdlib>

namespace
{
juce::Result fail (const juce::String& message)
{
    return juce::Result::fail (message);
}

bool parseInteger (const juce::String& text, int& value)
{
    const auto trimmed = text.trim();

    if (trimmed.isEmpty() || ! trimmed.containsOnly ("0123456789"))
        return false;

    value = trimmed.getIntValue();
    return trimmed.length() < 10;
}

bool parseNumber (const juce::String& text, double& value)
{
    const auto trimmed = text.trim().toStdString();
    char* end = nullptr;
    value = std::strtod (trimmed.c_str(), &end);
    return ! trimmed.empty() && *end == 0 && std::isfinite (value);
}

juce::File fileArgument (const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile (path);
}

class Parser
{
public:
    Parser (const juce::StringArray& argumentsToParse, RenderOptions& optionsToFill)
        : arguments (argumentsToParse), options (optionsToFill)
    {
    }

    juce::Result run()
    {
        for (index = 0; index < arguments.size(); ++index)
        {
            const auto result = parseOne (arguments[index]);

            if (result.failed())
                return result;
        }

        return juce::Result::ok();
    }

private:
    juce::Result parseOne (const juce::String& argument)
    {
        if (argument == "-h" || argument == "--help")
        {
            options.showHelp = true;
            return juce::Result::ok();
        }

        if (argument == "--version")
        {
            options.showVersion = true;
            return juce::Result::ok();
        }

        if (argument == "--list-parameters")
        {
            options.listParameters = true;
            return juce::Result::ok();
        }

        if (argument == "--list-presets")
        {
            options.listPresets = true;
            return juce::Result::ok();
        }

        if (argument.startsWith ("-") && argument != "-")
            return parseOption (argument);

        if (options.input != juce::File())
            return fail ("more than one input file given: " + argument);

        options.input = fileArgument (argument);
        return juce::Result::ok();
    }

    juce::Result parseOption (const juce::String& option)
    {
        static const juce::StringArray optionsWithValue { "-o", "--output", "--set", "--tempo", "--block-size", "--format",
                                                          "--bits", "--preset", "--preset-file", "--bank-file",
                                                          "--spectrogram" };

        if (! optionsWithValue.contains (option))
            return fail ("unknown option " + option);

        juce::String value;

        if (! nextValue (value))
            return fail (option + " needs a value");

        if (option == "-o" || option == "--output")   return setOutput (value);
        if (option == "--set")                        return addSetting (value);
        if (option == "--tempo")                      return setTempo (value);
        if (option == "--block-size")                 return setBlockSize (value);
        if (option == "--format")                     return setFormat (value);
        if (option == "--bits")                       return setBitDepth (value);
        if (option == "--preset")                     { options.preset = value; return juce::Result::ok(); }
        if (option == "--preset-file")                { options.presetFile = fileArgument (value); return juce::Result::ok(); }
        if (option == "--spectrogram")                { options.spectrogram = fileArgument (value); return juce::Result::ok(); }
        options.bankFile = fileArgument (value); // --bank-file, the last one listed
        return juce::Result::ok();
    }

    bool nextValue (juce::String& value)
    {
        if (index + 1 >= arguments.size())
            return false;

        value = arguments[++index];
        return true;
    }

    juce::Result setOutput (const juce::String& value)
    {
        options.output = fileArgument (value);
        return juce::Result::ok();
    }

    juce::Result addSetting (const juce::String& value)
    {
        const auto name = value.upToFirstOccurrenceOf ("=", false, false).trim();

        if (! value.contains ("=") || name.isEmpty())
            return fail ("--set takes NAME=VALUE, got \"" + value + "\"");

        options.parameterSettings.emplace_back (name, value.fromFirstOccurrenceOf ("=", false, false).trim());
        return juce::Result::ok();
    }

    juce::Result setTempo (const juce::String& value)
    {
        if (! parseNumber (value, options.tempo) || options.tempo < 1.0 || options.tempo > 999.0)
            return fail ("--tempo takes beats per minute from 1 to 999, got \"" + value + "\"");

        return juce::Result::ok();
    }

    juce::Result setBlockSize (const juce::String& value)
    {
        if (! parseInteger (value, options.blockSize)
            || options.blockSize < RenderOptions::minBlockSize || options.blockSize > RenderOptions::maxBlockSize)
            return fail ("--block-size takes a number of samples from 1 to 8192, got \"" + value + "\"");

        return juce::Result::ok();
    }

    juce::Result setFormat (const juce::String& value)
    {
        options.format = value.toLowerCase().trimCharactersAtStart (".");

        if (! juce::StringArray { "wav", "aiff", "flac" }.contains (options.format))
            return fail ("--format takes wav, aiff or flac, got \"" + value + "\"");

        return juce::Result::ok();
    }

    juce::Result setBitDepth (const juce::String& value)
    {
        if (! parseInteger (value, options.bitDepth) || (options.bitDepth != 16 && options.bitDepth != 24 && options.bitDepth != 32))
            return fail ("--bits takes 16, 24 or 32, got \"" + value + "\"");

        return juce::Result::ok();
    }

    const juce::StringArray& arguments;
    RenderOptions& options;
    int index = 0;
};
} // namespace

juce::Result RenderArguments::parse (const juce::StringArray& arguments, RenderOptions& options)
{
    return Parser (arguments, options).run();
}

juce::String RenderArguments::usage()
{
    return "Usage: quilvern-render [INPUT] [options]\n"
           "\n"
           "Runs an audio file (WAV, AIFF or FLAC) through the Quilvern phaser as a host\n"
           "would and writes the result. Without INPUT it renders a built-in demo signal.\n"
           "\n"
           "Options:\n"
           "  -o, --output FILE      where to write (default: INPUT's name with \"-quilvern\",\n"
           "                         or quilvern-demo.wav for the demo signal)\n"
           "  --format wav|aiff|flac output format (default: from the output's extension)\n"
           "  --bits 16|24|32        output bit depth (default 24; 32 is floating point, WAV only)\n"
           "  --set NAME=VALUE       set a parameter to a normalised value from 0 to 1;\n"
           "                         may be given more than once\n"
           "  --list-parameters      print the parameters with their values and stop\n"
           "  --preset N|NAME        choose a factory preset by number or name\n"
           "  --preset-file FILE     load a preset file\n"
           "  --bank-file FILE       load a bank file\n"
           "  --list-presets         print the presets of the factory bank (or of --bank-file)\n"
           "                         with their numbers and groups, and stop\n"
           "  --spectrogram FILE     also draw the input's and the output's spectrograms\n"
           "                         into a PNG picture\n"
           "  --tempo BPM            host tempo for the synchronised oscillators (default 120)\n"
           "  --block-size N         samples per processing block, 1 to 8192 (default 512)\n"
           "  --version              print the program's name and version and stop\n"
           "  -h, --help             show this text and stop\n";
}

juce::String RenderArguments::version()
{
    return juce::String ("quilvern-render ") + JucePlugin_VersionString + "\n";
}
