// Finds, reads and runs the built LV2 bundle through lilv, the library most
// Linux LV2 hosts load plug-ins with: its parameters, presets and audio, and
// its state saved and restored, and its presets applied, as hosts do it.
#include <gmock/gmock.h>
#include <lilv/lilv.h>
#include <lv2/atom/atom.h>
#include <lv2/atom/forge.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>
#include <lv2/patch/patch.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/urid/urid.h>

#include "support/UridMap.h"

#include <array>
#include <cmath>
#include <cstring>
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

namespace
{
// Each `<param name="..." value="..."/>` of a preset or state document.
std::map<std::string, float> paramValues (const std::string& xml)
{
    const std::regex param ("<param name=\"([^\"]*)\" value=\"([^\"]*)\"");
    std::map<std::string, float> values;

    for (auto it = std::sregex_iterator (xml.begin(), xml.end(), param); it != std::sregex_iterator(); ++it)
        values[(*it)[1]] = std::stof ((*it)[2]);

    return values;
}

// The first element of the document with that tag, whole. (std::regex
// runs out of stack on a bank's length.)
std::string element (const std::string& document, const std::string& tag, size_t from = 0)
{
    for (auto start = document.find ("<" + tag, from); start != std::string::npos; start = document.find ("<" + tag, start + 1))
    {
        const auto next = document[start + tag.size() + 1];

        if (next != ' ' && next != '>')
            continue;

        const auto end = document.find ("</" + tag + ">", start);
        return end == std::string::npos ? "" : document.substr (start, end + tag.size() + 3 - start);
    }

    return {};
}

std::map<std::string, float> factoryPresetValues (size_t index)
{
    std::ifstream file (QUILVERN_FACTORY_BANK);
    const std::string text ((std::istreambuf_iterator<char> (file)), std::istreambuf_iterator<char>());
    size_t start = text.find ("<Preset ");

    for (size_t i = 0; i < index && start != std::string::npos; ++i)
        start = text.find ("<Preset ", start + 1);

    return start == std::string::npos ? std::map<std::string, float>() : paramValues (element (text, "Preset", start));
}

// The bank of a state document, without the index of its current preset.
std::string bankOf (const std::string& document)
{
    return std::regex_replace (element (document, "PresetsState"), std::regex (" currentPreset=\"[0-9]+\""), "");
}

int currentPresetOf (const std::string& document)
{
    std::smatch found;
    const auto presets = element (document, "PresetsState");
    return std::regex_search (presets, found, std::regex ("currentPreset=\"([0-9]+)\"")) ? std::stoi (found[1]) : -1;
}

// JUCE keeps the plug-in's state as text in its own base64 (MemoryBlock's):
// the byte count, ".", then six bits a character from its own alphabet,
// lowest bits first. The bytes are the plug-in's chunk: "VC2!", the text's
// length (little-endian), the document.
const std::string juceBase64 = ".ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+";

std::string documentOfState (const std::string& text)
{
    const auto dot = text.find ('.');

    if (dot == std::string::npos)
        return {};

    std::string bytes (std::stoul (text.substr (0, dot)), '\0');
    size_t bit = 0;

    for (const char c : text.substr (dot + 1))
    {
        const auto sixBits = juceBase64.find (c);

        for (size_t b = 0; b < 6 && sixBits != std::string::npos; ++b, ++bit)
            if ((sixBits >> b & 1) != 0 && bit / 8 < bytes.size())
                bytes[bit / 8] = (char) (bytes[bit / 8] | (1 << (bit % 8)));
    }

    if (bytes.size() < 8 || bytes.compare (0, 4, "VC2!") != 0)
        return {};

    const auto length = (uint32_t) (uint8_t) bytes[4] | (uint32_t) (uint8_t) bytes[5] << 8
                        | (uint32_t) (uint8_t) bytes[6] << 16 | (uint32_t) (uint8_t) bytes[7] << 24;
    return bytes.substr (8, length);
}

std::string stateOfDocument (const std::string& document)
{
    std::string bytes = "VC2!";

    for (int shift = 0; shift < 32; shift += 8)
        bytes += (char) (document.size() >> shift & 0xff);

    bytes += document + '\0';
    std::string text = std::to_string (bytes.size()) + ".";

    for (size_t bit = 0; bit < bytes.size() * 8; bit += 6)
    {
        size_t sixBits = 0;

        for (size_t b = 0; b < 6 && (bit + b) / 8 < bytes.size(); ++b)
            sixBits |= (size_t) ((uint8_t) bytes[(bit + b) / 8] >> ((bit + b) % 8) & 1) << b;

        text += juceBase64[sixBits];
    }

    return text;
}

// One instance as a host runs it: stereo audio, an event sequence in for
// parameter changes (patch:Set) and one out, activated.
class RunningInstance
{
public:
    RunningInstance (const LilvPlugin* pluginToRun, UridMap& uridMap) : plugin (pluginToRun), map (uridMap)
    {
        options[0] = { LV2_OPTIONS_INSTANCE, 0, map (LV2_BUF_SIZE__maxBlockLength), sizeof (int32_t), map (LV2_ATOM__Int),
                       &maxBlockLength };
        instance = lilv_plugin_instantiate (plugin, sampleRate, features);

        if (instance == nullptr)
            return;

        for (uint32_t port = 0; port < lilv_plugin_get_num_ports (plugin); ++port)
            connect (port, lilv_node_as_string (lilv_port_get_symbol (plugin, lilv_plugin_get_port_by_index (plugin, port))));

        lilv_instance_activate (instance);
    }

    ~RunningInstance()
    {
        if (instance != nullptr)
        {
            lilv_instance_deactivate (instance);
            lilv_instance_free (instance);
        }
    }

    bool isRunning() const { return instance != nullptr && unconnected.empty(); }
    const std::string& getUnconnectedPorts() const { return unconnected; }
    LilvInstance* get() const { return instance; }
    const LV2_Feature* const* getFeatures() const { return features; }
    const std::array<std::vector<float>, 2>& getOutputs() const { return outputs; }

    // One block of a constant input, the given parameters set first.
    void run (const std::vector<std::pair<std::string, float>>& parameterValues = {})
    {
        LV2_Atom_Forge forge;
        lv2_atom_forge_init (&forge, map.get());
        lv2_atom_forge_set_buffer (&forge, eventsIn.data(), eventsIn.size());
        LV2_Atom_Forge_Frame sequence, object;
        lv2_atom_forge_sequence_head (&forge, &sequence, 0);

        for (const auto& [identifier, value] : parameterValues)
        {
            lv2_atom_forge_frame_time (&forge, 0);
            lv2_atom_forge_object (&forge, &object, 0, map (LV2_PATCH__Set));
            lv2_atom_forge_key (&forge, map (LV2_PATCH__property));
            lv2_atom_forge_urid (&forge, map (pluginUri + ":" + identifier));
            lv2_atom_forge_key (&forge, map (LV2_PATCH__value));
            lv2_atom_forge_float (&forge, value);
            lv2_atom_forge_pop (&forge, &object);
        }

        lv2_atom_forge_pop (&forge, &sequence);

        // Room for the plug-in's messages out.
        auto* out = reinterpret_cast<LV2_Atom_Sequence*> (eventsOut.data());
        out->atom = { (uint32_t) (eventsOut.size() - sizeof (LV2_Atom)), map (LV2_ATOM__Chunk) };
        lilv_instance_run (instance, blockSize);
    }

    // The document of the plug-in's state, saved through its state interface.
    std::string saveDocument()
    {
        const auto* state = static_cast<const LV2_State_Interface*> (lilv_instance_get_extension_data (instance, LV2_STATE__interface));

        if (state == nullptr)
            return {};

        std::string saved;
        const auto store = [] (LV2_State_Handle handle, uint32_t, const void* value, size_t size, uint32_t, uint32_t) {
            static_cast<std::string*> (handle)->assign (static_cast<const char*> (value), strnlen (static_cast<const char*> (value), size));
            return LV2_STATE_SUCCESS;
        };

        state->save (lilv_instance_get_handle (instance), store, &saved, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, features);
        return documentOfState (saved);
    }

    // Gives the plug-in that document through its state interface.
    void restoreDocument (const std::string& document)
    {
        const auto* state = static_cast<const LV2_State_Interface*> (lilv_instance_get_extension_data (instance, LV2_STATE__interface));

        if (state == nullptr)
            return;

        struct Stored
        {
            std::string text;
            LV2_URID key, type;
        } stored { stateOfDocument (document), map (pluginUri + ":StateString"), map (LV2_ATOM__String) };

        const auto retrieve = [] (LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type, uint32_t* flags) -> const void* {
            const auto& value = *static_cast<const Stored*> (handle);

            if (key != value.key)
                return nullptr;

            *size = value.text.size() + 1;
            *type = value.type;
            *flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
            return value.text.c_str();
        };

        state->restore (lilv_instance_get_handle (instance), retrieve, &stored, 0, features);
    }

private:
    void connect (uint32_t port, const std::string& symbol)
    {
        void* data = nullptr;

        if (symbol.rfind ("audio_in_", 0) == 0)
            data = (inputs[(size_t) (symbol.back() - '1')] = std::vector<float> (blockSize, 0.25f)).data();
        else if (symbol.rfind ("audio_out_", 0) == 0)
            data = (outputs[(size_t) (symbol.back() - '1')] = std::vector<float> (blockSize, 0.0f)).data();
        else if (symbol == "in")
            data = eventsIn.data();
        else if (symbol == "out")
            data = eventsOut.data();
        else if (symbol == "latency")
            data = &latency;
        else if (symbol == "freeWheeling")
            data = &freeWheeling;
        else if (symbol == "enabled")
            data = &enabled;

        if (data == nullptr)
            unconnected += symbol + " ";
        else
            lilv_instance_connect_port (instance, port, data);
    }

    const LilvPlugin* plugin;
    UridMap& map;
    const int32_t maxBlockLength = blockSize;
    std::array<LV2_Options_Option, 2> options {};
    LV2_Feature mapFeature { LV2_URID__map, map.get() };
    LV2_Feature optionsFeature { LV2_OPTIONS__options, options.data() };
    LV2_Feature boundedFeature { LV2_BUF_SIZE__boundedBlockLength, nullptr };
    const LV2_Feature* features[4] = { &mapFeature, &optionsFeature, &boundedFeature, nullptr };
    LilvInstance* instance = nullptr;
    std::array<std::vector<float>, 2> inputs, outputs;
    alignas (8) std::array<uint8_t, 8192> eventsIn {};
    alignas (8) std::array<uint8_t, 8192> eventsOut {};
    float latency = 0.0f, freeWheeling = 0.0f, enabled = 1.0f;
    std::string unconnected;
};
} // namespace

TEST_F (Lv2HostTest, InstantiatesAndProcesses)
{
    UridMap map;
    RunningInstance instance (plugin, map);
    ASSERT_NE (instance.get(), nullptr);
    ASSERT_TRUE (instance.isRunning()) << "ports left unconnected: " << instance.getUnconnectedPorts();
    instance.run();

    double energy = 0.0;

    for (const auto& channel : instance.getOutputs())
        for (const auto sample : channel)
        {
            ASSERT_TRUE (std::isfinite (sample));
            energy += sample * sample;
        }

    EXPECT_GT (energy, 0.0);
}

// A host saves the state through lilv (the plug-in's state interface) and
// restores it into another instance: the same parameters, the same bank
// with the same current preset.
TEST_F (Lv2HostTest, SavedStateRestoresParametersAndBank)
{
    UridMap map;
    RunningInstance source (plugin, map), restored (plugin, map);
    ASSERT_TRUE (source.isRunning() && restored.isRunning());

    // A bank of the user's own, given through the state interface, and a
    // value of no preset's, set as the host sets it.
    auto document = source.saveDocument();
    const auto renamed = document.find ("\"Classic Swirl\"");
    ASSERT_NE (renamed, std::string::npos);
    source.restoreDocument (document.replace (renamed, 15, "\"Swirl Of Mine\""));
    source.run ({ { "feedback", 0.123f } });

    const auto saved = source.saveDocument();
    EXPECT_NE (bankOf (saved).find ("\"Swirl Of Mine\""), std::string::npos);
    EXPECT_FLOAT_EQ (paramValues (element (saved, "ParametersState"))["Feedback"], 0.123f);
    EXPECT_NE (bankOf (saved), bankOf (restored.saveDocument()));

    const LilvGetPortValueFunc getNoPortValue = [] (const char*, void*, uint32_t* size, uint32_t* type) -> const void* {
        *size = *type = 0;
        return nullptr;
    };
    auto* state = lilv_state_new_from_instance (plugin, source.get(), map.get(), nullptr, nullptr, nullptr, nullptr,
                                                getNoPortValue, nullptr, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE,
                                                source.getFeatures());
    ASSERT_NE (state, nullptr);
    lilv_state_restore (state, restored.get(), nullptr, nullptr, 0, restored.getFeatures());
    lilv_state_free (state);

    const auto back = restored.saveDocument();
    EXPECT_EQ (element (back, "ParametersState"), element (saved, "ParametersState"));
    EXPECT_EQ (bankOf (back), bankOf (saved));
    EXPECT_EQ (currentPresetOf (back), currentPresetOf (saved));
}

// A host applies one of the plug-in's LV2 presets through lilv: the
// parameters take that factory preset's values, and it becomes the current
// preset of an unchanged bank.
TEST_F (Lv2HostTest, AppliedPresetGivesItsParametersAndKeepsTheBank)
{
    constexpr size_t chosen = 20;
    UridMap map;
    RunningInstance instance (plugin, map);
    ASSERT_TRUE (instance.isRunning());
    const auto before = instance.saveDocument();

    auto* presetNode = node (pluginUri + ":preset" + std::to_string (chosen + 1));
    lilv_world_load_resource (world, presetNode);
    auto* preset = lilv_state_new_from_world (world, map.get(), presetNode);
    ASSERT_NE (preset, nullptr);
    lilv_state_restore (preset, instance.get(), nullptr, nullptr, 0, instance.getFeatures());
    lilv_state_free (preset);
    instance.run();

    const auto after = instance.saveDocument();
    const auto values = paramValues (element (after, "ParametersState"));
    const auto expected = factoryPresetValues (chosen);
    ASSERT_EQ (expected.size(), parameterRows.size());
    ASSERT_EQ (values.size(), expected.size());

    for (const auto& [name, value] : values)
        EXPECT_NEAR (value, expected.at (name), 1e-6) << name;

    EXPECT_EQ (currentPresetOf (after), (int) chosen);
    EXPECT_EQ (bankOf (after), bankOf (before)) << "the bank changed";
}
