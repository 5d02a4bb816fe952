// Finds, reads and runs the built LV2 bundle through lilv, the library most
// Linux LV2 hosts load plug-ins with.
#include <gmock/gmock.h>
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/patch/patch.h>
#include <lv2/presets/presets.h>
#include <lv2/urid/urid.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

namespace
{
namespace fs = std::filesystem;

const char* const rdfsLabel = "http://www.w3.org/2000/01/rdf-schema#label";
const char* const rdfValue = "http://www.w3.org/1999/02/22-rdf-syntax-ns#value";

const std::string pluginUri = "urn:brannock-group-audio:quilvern";
constexpr double sampleRate = 48000.0;
constexpr int32_t blockSize = 512;

// The built bundle copied into a temporary folder: instances write their
// settings file beside their library.
class BundleFolder
{
public:
    BundleFolder()
    {
        std::random_device random;
        folder = fs::temp_directory_path() / ("quilvern-lv2-test-" + std::to_string (random()));
        fs::create_directories (folder);
        fs::copy (QUILVERN_LV2_BUNDLE, folder / "Quilvern.lv2", fs::copy_options::recursive);
    }

    ~BundleFolder() { fs::remove_all (folder); }

    const fs::path& path() const { return folder; }

private:
    fs::path folder;
};

// The host's URI-to-number map.
class UridMap
{
public:
    LV2_URID_Map* get() { return &feature; }

private:
    static LV2_URID map (LV2_URID_Map_Handle handle, const char* uri)
    {
        auto& uris = static_cast<UridMap*> (handle)->uris;
        const auto found = std::find (uris.begin(), uris.end(), uri);

        if (found != uris.end())
            return (LV2_URID) (found - uris.begin() + 1);

        uris.emplace_back (uri);
        return (LV2_URID) uris.size();
    }

    std::vector<std::string> uris;
    LV2_URID_Map feature { this, &UridMap::map };
};

struct ParameterRow
{
    const char* identifier;
    const char* label;
    float defaultValue;
    std::vector<std::string> steps;
};

const std::vector<ParameterRow> parameterRows = {
    { "stages_number", "Stages Number", 0.5f, { "2", "4", "6", "8" } },
    { "feedback", "Feedback", 0.5f, {} },
    { "stereo_phase", "Stereo Phase", 0.5f, {} },
    { "lfo_1_rate", "LFO 1 Rate", 0.5f, {} },
    { "lfo_1_depth", "LFO 1 Depth", 0.5f, {} },
    { "lfo_1_offset", "LFO 1 Offset", 0.5f, {} },
    { "lfo_1_wave", "LFO 1 Wave", 0.5f, { "Triangle", "Square", "Sine", "Saw rising", "Saw falling", "Random" } },
    { "lfo_2_rate", "LFO 2 Rate", 0.5f, {} },
    { "lfo_2_depth", "LFO 2 Depth", 0.5f, {} },
    { "lfo_2_wave", "LFO 2 Wave", 0.5f, { "Triangle", "Square", "Sine", "Saw rising", "Saw falling", "Random" } },
    { "fx", "FX", 0.5f, {} },
    { "output_volume", "Output Volume", 0.5f, {} },
    { "lfo_1_note_rate", "LFO 1 Note Rate", 0.5f, { "32", "16", "8", "4", "2", "1", "1/2", "1/4", "1/8", "1/16", "1/32" } },
    { "lfo_1_sync", "LFO 1 Sync", 0.0f, { "Off", "Full", "Dotted", "Triplet" } },
    { "lfo_2_note_rate", "LFO 2 Note Rate", 0.5f, { "32", "16", "8", "4", "2", "1", "1/2", "1/4", "1/8", "1/16", "1/32" } },
    { "lfo_2_sync", "LFO 2 Sync", 0.0f, { "Off", "Full", "Dotted", "Triplet" } },
};

std::vector<std::string> factoryPresetNames()
{
    std::ifstream file (QUILVERN_FACTORY_BANK);
    const std::string text ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char>());
    const std::regex preset ("<Preset [^>]*name=\"([^\"]*)\"");
    std::vector<std::string> names;

    for (auto it = std::sregex_iterator (text.begin(), text.end(), preset); it != std::sregex_iterator(); ++it)
        names.push_back ((*it)[1]);

    return names;
}

class Lv2HostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Discovered as hosts find plug-ins, on a search path: the copy's
        // folder and the system's, which holds the LV2 specifications.
        world = lilv_world_new();
        const auto searchPath = bundleFolder.path().string() + ":/usr/lib/lv2";
        auto* pathNode = lilv_new_string (world, searchPath.c_str());
        lilv_world_set_option (world, LILV_OPTION_LV2_PATH, pathNode);
        lilv_node_free (pathNode);
        lilv_world_load_all (world);

        plugin = lilv_plugins_get_by_uri (lilv_world_get_all_plugins (world), node (pluginUri));
        ASSERT_NE (plugin, nullptr) << "no plug-in " << pluginUri << " on " << searchPath;
    }

    void TearDown() override
    {
        for (auto* n : nodes)
            lilv_node_free (n);

        lilv_world_free (world);
    }

    // A URI node freed with the world.
    LilvNode* node (const std::string& uri)
    {
        nodes.push_back (lilv_new_uri (world, uri.c_str()));
        return nodes.back();
    }

    std::string text (const LilvNode* subject, const char* predicate)
    {
        auto* value = lilv_world_get (world, subject, node (predicate), nullptr);
        const std::string result = value != nullptr ? lilv_node_as_string (value) : "";
        lilv_node_free (value);
        return result;
    }

    BundleFolder bundleFolder;
    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
    std::vector<LilvNode*> nodes;
};
} // namespace

TEST_F (Lv2HostTest, DescribesTheProduct)
{
    auto* name = lilv_plugin_get_name (plugin);
    auto* author = lilv_plugin_get_author_name (plugin);
    EXPECT_STREQ (lilv_node_as_string (name), "Quilvern");
    EXPECT_STREQ (lilv_node_as_string (author), "Brannock Group Audio Software");
    EXPECT_STREQ (lilv_node_as_uri (lilv_plugin_class_get_uri (lilv_plugin_get_class (plugin))),
                  LV2_CORE_PREFIX "PhaserPlugin");
    lilv_node_free (name);
    lilv_node_free (author);
}

TEST_F (Lv2HostTest, ReadsSixteenParametersWithDefaultsAndSteps)
{
    auto* parameters = lilv_plugin_get_value (plugin, node (LV2_PATCH__writable));
    ASSERT_NE (parameters, nullptr);
    EXPECT_EQ (lilv_nodes_size (parameters), parameterRows.size());
    lilv_nodes_free (parameters);

    for (const auto& row : parameterRows)
    {
        auto* parameter = node (pluginUri + ":" + row.identifier);
        SCOPED_TRACE (row.identifier);
        EXPECT_EQ (text (parameter, rdfsLabel), row.label);
        EXPECT_FLOAT_EQ (std::stof (text (parameter, LV2_CORE__default)), row.defaultValue);

        // Stepped parameters are enumerations whose points carry the texts.
        std::map<float, std::string> steps;
        auto* points = lilv_world_find_nodes (world, parameter, node (LV2_CORE__scalePoint), nullptr);

        LILV_FOREACH (nodes, i, points)
        {
            const auto* point = lilv_nodes_get (points, i);
            steps[std::stof (text (point, rdfValue))]
                = text (point, rdfsLabel);
        }

        lilv_nodes_free (points);
        std::vector<std::string> labels;

        for (const auto& [value, label] : steps)
            labels.push_back (label);

        EXPECT_EQ (labels, row.steps);
    }
}

TEST_F (Lv2HostTest, ListsTheFactoryPresets)
{
    const auto names = factoryPresetNames();
    ASSERT_EQ (names.size(), 51u);

    auto* presets = lilv_plugin_get_related (plugin, node (LV2_PRESETS__Preset));
    ASSERT_NE (presets, nullptr);
    EXPECT_EQ (lilv_nodes_size (presets), names.size());
    lilv_nodes_free (presets);

    for (size_t i = 0; i < names.size(); ++i)
    {
        auto* preset = node (pluginUri + ":preset" + std::to_string (i + 1));
        lilv_world_load_resource (world, preset);
        EXPECT_EQ (text (preset, rdfsLabel), names[i]) << "preset " << i;
    }
}

TEST_F (Lv2HostTest, InstantiatesAndProcesses)
{
    UridMap map;
    std::array<LV2_Options_Option, 2> options {};
    const int32_t maxBlockLength = blockSize;
    options[0] = { LV2_OPTIONS_INSTANCE, 0, map.get()->map (map.get()->handle, LV2_BUF_SIZE__maxBlockLength),
                   sizeof (int32_t), map.get()->map (map.get()->handle, LV2_ATOM__Int), &maxBlockLength };

    LV2_Feature mapFeature { LV2_URID__map, map.get() };
    LV2_Feature optionsFeature { LV2_OPTIONS__options, options.data() };
    LV2_Feature boundedFeature { LV2_BUF_SIZE__boundedBlockLength, nullptr };
    const LV2_Feature* features[] = { &mapFeature, &optionsFeature, &boundedFeature, nullptr };

    auto* instance = lilv_plugin_instantiate (plugin, sampleRate, features);
    ASSERT_NE (instance, nullptr);

    std::array<std::vector<float>, 2> inputs, outputs;
    std::array<uint8_t, 8192> eventsIn {}, eventsOut {};
    float latency = 0.0f, freeWheeling = 0.0f, enabled = 1.0f;

    // An empty sequence in; room for the plug-in's messages out.
    auto* in = reinterpret_cast<LV2_Atom_Sequence*> (eventsIn.data());
    in->atom = { sizeof (LV2_Atom_Sequence_Body), map.get()->map (map.get()->handle, LV2_ATOM__Sequence) };
    auto* out = reinterpret_cast<LV2_Atom_Sequence*> (eventsOut.data());
    out->atom = { (uint32_t) (eventsOut.size() - sizeof (LV2_Atom)), map.get()->map (map.get()->handle, LV2_ATOM__Chunk) };

    for (uint32_t port = 0; port < lilv_plugin_get_num_ports (plugin); ++port)
    {
        const auto symbol = std::string (lilv_node_as_string (lilv_port_get_symbol (plugin, lilv_plugin_get_port_by_index (plugin, port))));
        void* data = nullptr;

        if (symbol.rfind ("audio_in_", 0) == 0)
            data = (inputs[symbol.back() - '1'] = std::vector<float> (blockSize, 0.25f)).data();
        else if (symbol.rfind ("audio_out_", 0) == 0)
            data = (outputs[symbol.back() - '1'] = std::vector<float> (blockSize, 0.0f)).data();
        else if (symbol == "in")
            data = in;
        else if (symbol == "out")
            data = out;
        else if (symbol == "latency")
            data = &latency;
        else if (symbol == "freeWheeling")
            data = &freeWheeling;
        else if (symbol == "enabled")
            data = &enabled;

        ASSERT_NE (data, nullptr) << symbol;
        lilv_instance_connect_port (instance, port, data);
    }

    lilv_instance_activate (instance);
    lilv_instance_run (instance, blockSize);
    lilv_instance_deactivate (instance);
    lilv_instance_free (instance);

    double energy = 0.0;

    for (const auto& channel : outputs)
        for (const auto sample : channel)
        {
            ASSERT_TRUE (std::isfinite (sample));
            energy += sample * sample;
        }

    EXPECT_GT (energy, 0.0);
}
