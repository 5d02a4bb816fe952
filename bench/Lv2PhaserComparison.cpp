// Quilvern beside other LV2 phasers, as a user compares them: the CPU one
// instance takes on one core to keep up with audio at 44.1 kHz, every
// plug-in at its default settings, all measured in one run through one host
// (lilv, the library most Linux LV2 hosts load plug-ins with).
//
//     build/bench/Lv2PhaserComparison [--seconds S] [--rounds N] [URI...]
//
// Without URIs it measures Quilvern (the build's bundle) and each of the
// phasers below that is installed. Each round runs S seconds of noise
// (default 30) through every plug-in in turn, in 512-sample blocks, timing
// the thread's CPU clock; a plug-in's figure is its median round. Mono
// plug-ins take one channel, so a stereo track needs two of them.
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/urid/urid.h>

#include "support/UridMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace
{
const char* const quilvernUri = "urn:brannock-group-audio:quilvern";

// Phasers Debian packages as LV2 plug-ins (swh-lv2, calf-plugins).
const std::vector<std::string> peerUris = {
    "http://plugin.org.uk/swh-plugins/lfoPhaser",
    "http://plugin.org.uk/swh-plugins/autoPhaser",
    "http://calf.sourceforge.net/plugins/Phaser",
};

constexpr double sampleRate = 44100.0;
constexpr uint32_t blockSize = 512;

double threadSeconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec * 1e-9;
}

// One instance with its buffers, control values at their defaults, and an
// empty event sequence on every atom input.
class Instance
{
public:
    Instance (LilvWorld* world, const LilvPlugin* plugin, UridMap& map)
        : plugin (plugin)
    {
        maxBlockLength = (int32_t) blockSize;
        options[0] = { LV2_OPTIONS_INSTANCE, 0, map.map (LV2_BUF_SIZE__maxBlockLength), sizeof (int32_t),
                       map.map (LV2_ATOM__Int), &maxBlockLength };
        mapFeature = { LV2_URID__map, map.get() };
        optionsFeature = { LV2_OPTIONS__options, options.data() };
        boundedFeature = { LV2_BUF_SIZE__boundedBlockLength, nullptr };
        const LV2_Feature* features[] = { &mapFeature, &optionsFeature, &boundedFeature, nullptr };
        instance = lilv_plugin_instantiate (plugin, sampleRate, features);

        if (instance == nullptr)
            return;

        auto* audio = lilv_new_uri (world, LV2_CORE__AudioPort);
        auto* atom = lilv_new_uri (world, LV2_ATOM__AtomPort);
        auto* input = lilv_new_uri (world, LV2_CORE__InputPort);
        const auto numPorts = lilv_plugin_get_num_ports (plugin);
        std::vector<float> defaults (numPorts, 0.0f);
        lilv_plugin_get_port_ranges_float (plugin, nullptr, nullptr, defaults.data());
        controls.resize (numPorts);
        sequences.resize (numPorts);

        for (uint32_t index = 0; index < numPorts; ++index)
        {
            const auto* port = lilv_plugin_get_port_by_index (plugin, index);
            const bool isInput = lilv_port_is_a (plugin, port, input);

            if (lilv_port_is_a (plugin, port, audio))
            {
                auto& buffers = isInput ? inputs : outputs;
                buffers.emplace_back (blockSize, 0.0f);
                lilv_instance_connect_port (instance, index, buffers.back().data());
            }
            else if (lilv_port_is_a (plugin, port, atom))
            {
                auto& sequence = sequences[index];
                sequence.assign (8192, 0);
                auto* header = reinterpret_cast<LV2_Atom_Sequence*> (sequence.data());
                header->atom = isInput ? LV2_Atom { sizeof (LV2_Atom_Sequence_Body), map.map (LV2_ATOM__Sequence) }
                                       : LV2_Atom { (uint32_t) (sequence.size() - sizeof (LV2_Atom)), map.map (LV2_ATOM__Chunk) };
                outputSequences.push_back (isInput ? nullptr : header);
                lilv_instance_connect_port (instance, index, sequence.data());
            }
            else
            {
                // Control ports (and any other kind) get a value to point at.
                controls[index] = std::isnan (defaults[index]) ? 0.0f : defaults[index];
                lilv_instance_connect_port (instance, index, &controls[index]);
            }
        }

        for (auto* node : { audio, atom, input })
            lilv_node_free (node);

        lilv_instance_activate (instance);
    }

    ~Instance()
    {
        if (instance != nullptr)
        {
            lilv_instance_deactivate (instance);
            lilv_instance_free (instance);
        }
    }

    bool isValid() const { return instance != nullptr && ! inputs.empty() && ! outputs.empty(); }

    // Whether the last block came out other than it went in: an instance
    // that passes audio through untouched would be measured doing nothing.
    bool changedTheAudio() const
    {
        for (uint32_t i = 0; i < blockSize; ++i)
            if (std::abs (outputs[0][i] - inputs[0][i]) > 1.0e-4f)
                return true;

        return false;
    }
    size_t getNumChannels() const { return inputs.size(); }

    void run (const std::vector<float>& noise, size_t& position)
    {
        for (auto& input : inputs)
        {
            std::memcpy (input.data(), noise.data() + position, blockSize * sizeof (float));
            position = (position + blockSize) % (noise.size() - blockSize);
        }

        for (auto* sequence : outputSequences)
            if (sequence != nullptr)
                sequence->atom.size = 8192 - sizeof (LV2_Atom);

        lilv_instance_run (instance, blockSize);
    }

private:
    const LilvPlugin* plugin;
    LilvInstance* instance = nullptr;
    int32_t maxBlockLength = 0;
    std::array<LV2_Options_Option, 2> options {};
    LV2_Feature mapFeature {}, optionsFeature {}, boundedFeature {};
    std::vector<std::vector<float>> inputs, outputs;
    std::vector<float> controls;
    std::vector<std::vector<uint8_t>> sequences;
    std::vector<LV2_Atom_Sequence*> outputSequences;
};

struct Entry
{
    std::string uri, name;
    size_t channels = 0;
    std::unique_ptr<Instance> instance;
    std::vector<double> rounds;

    double median() const
    {
        auto sorted = rounds;
        std::sort (sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};
} // namespace

int main (int argc, char** argv)
{
    double seconds = 30.0;
    int rounds = 5;
    std::vector<std::string> uris;

    for (int i = 1; i < argc; ++i)
    {
        const std::string argument = argv[i];

        if (argument == "--seconds" && i + 1 < argc)
            seconds = std::stod (argv[++i]);
        else if (argument == "--rounds" && i + 1 < argc)
            rounds = std::max (1, std::stoi (argv[++i]));
        else
            uris.push_back (argument);
    }

    if (uris.empty())
    {
        uris.push_back (quilvernUri);
        uris.insert (uris.end(), peerUris.begin(), peerUris.end());
    }

    // A copy of the build's bundle (an instance writes its settings file
    // beside its library), then the system's plug-ins.
    namespace fs = std::filesystem;
    const auto bundleFolder = fs::temp_directory_path() / ("quilvern-lv2-bench-" + std::to_string (std::random_device()()));
    fs::create_directories (bundleFolder);
    fs::copy (QUILVERN_LV2_BUNDLE, bundleFolder / "Quilvern.lv2", fs::copy_options::recursive);

    auto* world = lilv_world_new();
    const auto* systemPath = std::getenv ("LV2_PATH");
    const auto searchPath = bundleFolder.string() + ":" + (systemPath != nullptr ? systemPath : "/usr/lib/lv2:/usr/local/lib/lv2");
    auto* pathNode = lilv_new_string (world, searchPath.c_str());
    lilv_world_set_option (world, LILV_OPTION_LV2_PATH, pathNode);
    lilv_node_free (pathNode);
    lilv_world_load_all (world);

    UridMap map;
    std::vector<Entry> entries;

    for (const auto& uri : uris)
    {
        auto* uriNode = lilv_new_uri (world, uri.c_str());
        const auto* plugin = lilv_plugins_get_by_uri (lilv_world_get_all_plugins (world), uriNode);
        lilv_node_free (uriNode);

        if (plugin == nullptr)
        {
            std::printf ("not installed: %s\n", uri.c_str());
            continue;
        }

        Entry entry;
        entry.uri = uri;
        auto* name = lilv_plugin_get_name (plugin);
        entry.name = lilv_node_as_string (name);
        lilv_node_free (name);
        entry.instance = std::make_unique<Instance> (world, plugin, map);

        if (! entry.instance->isValid())
        {
            std::printf ("cannot run: %s\n", uri.c_str());
            continue;
        }

        entry.channels = entry.instance->getNumChannels();
        entries.push_back (std::move (entry));
    }

    std::mt19937 random (1);
    std::uniform_real_distribution<float> uniform (-0.5f, 0.5f);
    std::vector<float> noise ((size_t) sampleRate * 4);
    std::generate (noise.begin(), noise.end(), [&] { return uniform (random); });

    const auto blocks = (long) (seconds * sampleRate / blockSize);

    for (auto& entry : entries)
    {
        // A second of audio first, so that every plug-in has settled.
        size_t position = 0;

        for (long b = 0; b < (long) (sampleRate / blockSize); ++b)
            entry.instance->run (noise, position);

        if (! entry.instance->changedTheAudio())
            std::printf ("passes the audio through unchanged at its defaults: %s\n", entry.uri.c_str());
    }

    for (int round = 0; round < rounds; ++round)
        for (auto& entry : entries)
        {
            size_t position = 0;
            const auto start = threadSeconds();

            for (long b = 0; b < blocks; ++b)
                entry.instance->run (noise, position);

            entry.rounds.push_back ((threadSeconds() - start) / ((double) blocks * blockSize / sampleRate));
        }

    const Entry* reference = nullptr;

    for (const auto& entry : entries)
        if (entry.uri == quilvernUri)
            reference = &entry;

    std::printf ("\n%-36s %8s %14s %14s\n", "plug-in", "channels", "CPU of a core", "x Quilvern");

    for (const auto& entry : entries)
    {
        const auto share = entry.median();
        std::printf ("%-36s %8zu %13.3f%% ", entry.name.c_str(), entry.channels, share * 100.0);

        if (reference != nullptr)
            std::printf ("%14.2f\n", share / reference->median());
        else
            std::printf ("%14s\n", "-");
    }

    entries.clear();
    lilv_world_free (world);
    fs::remove_all (bundleFolder);
    return 0;
}
