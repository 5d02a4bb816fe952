#include <gmock/gmock.h>

#include "presets/PresetBank.h"

#include <string>
#include <vector>

namespace
{
    using ::testing::ElementsAre;
    using ::testing::ElementsAreArray;

    // A bank whose presets are named after their starting index, so that
    // every move can be checked by reading the names in bank order.
    class PresetBankTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            for (int i = 0; i < PresetBank::numPresets; ++i)
                bank.renamePreset (i, juce::String (i));
        }

        void setGroups (std::initializer_list<int> counts)
        {
            juce::Array<PresetGroup> groups;
            int g = 0;

            for (int count : counts)
                groups.add ({ "g" + juce::String (g++), count });

            bank.setGroups (groups);
        }

        std::vector<int> counts() const
        {
            std::vector<int> result;

            for (const auto& group : bank.getGroups())
                result.push_back (group.count);

            return result;
        }

        std::vector<std::string> groupNames() const
        {
            std::vector<std::string> result;

            for (const auto& group : bank.getGroups())
                result.push_back (group.name.toStdString());

            return result;
        }

        // The starting indexes of the first n presets in bank order.
        std::vector<int> order (int n = 8) const
        {
            std::vector<int> result;

            for (int i = 0; i < n; ++i)
                result.push_back (bank.getPresetName (i).getIntValue());

            return result;
        }

        void expectCountsAddUp() const
        {
            int sum = 0;

            for (int count : counts())
            {
                EXPECT_GE (count, 0);
                sum += count;
            }

            EXPECT_EQ (sum, PresetBank::numPresets);
        }

        PresetBank bank;
    };

    juce::SparseSet<int> selectionOf (std::initializer_list<juce::Range<int>> ranges)
    {
        juce::SparseSet<int> selection;

        for (auto range : ranges)
            selection.addRange (range);

        return selection;
    }
}

TEST_F (PresetBankTest, StartsWithNamedPresetsAndNoGroups)
{
    PresetBank fresh;
    EXPECT_EQ (fresh.getPresetName (5), "Preset");
    EXPECT_EQ (fresh.getPresetValue (5, 3), 0.0f);
    EXPECT_EQ (fresh.getNumGroups(), 0);
    EXPECT_EQ (fresh.getBankName(), "Preset Bank");
    EXPECT_EQ (fresh.getGroupOfPreset (0), -1);
}

TEST_F (PresetBankTest, ClearingNamesEveryPresetAndMakesOneUnusedGroup)
{
    Preset defaults;
    for (int id = 0; id < Preset::valueCount; ++id)
        defaults.setValue (id, 0.01f * static_cast<float> (id));

    setGroups ({ 10, 20 });
    bank.setBankName ("Mine");
    bank.clearPresets (defaults);

    EXPECT_EQ (bank.getPresetName (0), "Preset 0");
    EXPECT_EQ (bank.getPresetName (127), "Preset 127");
    for (int i : { 0, 64, 127 })
        EXPECT_EQ (bank.getPreset (i)->values, defaults.values);

    EXPECT_THAT (groupNames(), ElementsAre ("Not used"));
    EXPECT_THAT (counts(), ElementsAre (128));
    EXPECT_EQ (bank.getBankName(), "Mine");
}

TEST_F (PresetBankTest, OutOfRangePresetIndexesDoNothing)
{
    for (int index : { -1, 128, -2147483647 - 1 })
    {
        SCOPED_TRACE (index);
        EXPECT_EQ (bank.getPreset (index), nullptr);
        EXPECT_TRUE (bank.getPresetName (index).isEmpty());
        EXPECT_FALSE (bank.renamePreset (index, "x"));
        EXPECT_FALSE (bank.setPresetValue (index, 0, 1.0f));
        EXPECT_EQ (bank.getPresetValue (index, 0), 0.0f);
    }

    EXPECT_FALSE (bank.setPresetValue (0, 16, 1.0f));
    EXPECT_FALSE (bank.setPresetValue (0, -1, 1.0f));
    EXPECT_TRUE (bank.setPresetValue (0, 15, 0.25f));
    EXPECT_EQ (bank.getPreset (0)->getValue (15), 0.25f);
}

TEST_F (PresetBankTest, GroupArithmetic)
{
    setGroups ({ 3, 0, 125 });

    const struct { int group, first, last, size; } groupCases[] = {
        { 0, 0, 2, 3 }, { 1, 3, 2, 0 }, { 2, 3, 127, 125 },
        { 3, -1, -1, 0 }, { -1, -1, -1, 0 },
    };

    for (const auto& c : groupCases)
    {
        SCOPED_TRACE (c.group);
        EXPECT_EQ (bank.getFirstPresetOfGroup (c.group), c.first);
        EXPECT_EQ (bank.getLastPresetOfGroup (c.group), c.last);
        EXPECT_EQ (bank.getGroupSize (c.group), c.size);
    }

    const struct { int group, position, index; } indexCases[] = {
        { 0, 0, 0 }, { 0, 2, 2 }, { 0, 3, -1 }, { 0, -1, -1 },
        { 1, 0, -1 }, { 2, 0, 3 }, { 2, 124, 127 }, { 2, 125, -1 }, { 3, 0, -1 },
    };

    for (const auto& c : indexCases)
    {
        SCOPED_TRACE (std::to_string (c.group) + "/" + std::to_string (c.position));
        EXPECT_EQ (bank.getPresetIndex (c.group, c.position), c.index);
        EXPECT_EQ (bank.getPresetNameInGroup (c.group, c.position),
                   c.index < 0 ? juce::String() : juce::String (c.index));
    }

    const struct { int index, group; } ofPresetCases[] = {
        { 0, 0 }, { 2, 0 }, { 3, 2 }, { 127, 2 }, { 128, -1 }, { -1, -1 },
    };

    for (const auto& c : ofPresetCases)
        EXPECT_EQ (bank.getGroupOfPreset (c.index), c.group) << c.index;

    EXPECT_TRUE (bank.renameGroup (1, "Empty"));
    EXPECT_FALSE (bank.renameGroup (3, "x"));
    EXPECT_EQ (bank.getGroupName (1), "Empty");
    EXPECT_TRUE (bank.getGroupName (-1).isEmpty());
}

TEST_F (PresetBankTest, SetGroupsKeepsTheCountsAtTheBankSize)
{
    setGroups ({ 3 });
    EXPECT_THAT (groupNames(), ElementsAre ("g0", "Not used"));
    EXPECT_THAT (counts(), ElementsAre (3, 125));

    setGroups ({ 100, -5, 50, 7 });
    EXPECT_THAT (counts(), ElementsAre (100, 0, 28, 0));

    setGroups ({ 128 });
    EXPECT_THAT (counts(), ElementsAre (128));
}

TEST_F (PresetBankTest, InsertAndRemoveGroups)
{
    setGroups ({ 2, 126 });

    EXPECT_TRUE (bank.insertGroup (0));
    EXPECT_THAT (groupNames(), ElementsAre ("New Group", "g0", "g1"));
    EXPECT_THAT (counts(), ElementsAre (0, 2, 126));
    EXPECT_EQ (bank.getGroupOfPreset (0), 1);
    EXPECT_THAT (order (3), ElementsAre (0, 1, 2));

    // Only before an existing group; there is no appending past the end.
    EXPECT_FALSE (bank.insertGroup (3));
    EXPECT_FALSE (bank.insertGroup (-1));

    EXPECT_FALSE (bank.removeEmptyGroup (1));
    EXPECT_FALSE (bank.removeEmptyGroup (3));
    EXPECT_TRUE (bank.removeEmptyGroup (0));
    EXPECT_THAT (groupNames(), ElementsAre ("g0", "g1"));
    expectCountsAddUp();
}

TEST_F (PresetBankTest, MovePreset)
{
    const struct
    {
        const char* what;
        int from, to, fromGroup, toGroup, current;
        bool moves;
        std::vector<int> order, counts;
        int newCurrent;
    } cases[] = {
        { "forward inside a group", 0, 2, 0, 0, 0, true, { 1, 2, 0, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 2 },
        { "backward inside a group", 2, 0, 0, 0, 1, true, { 2, 0, 1, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 2 },
        { "to the end of the next group", 0, 4, 0, 1, 4, true, { 1, 2, 3, 4, 0, 5, 6, 7 }, { 2, 3, 123 }, 3 },
        { "to the end of the previous group", 4, 3, 1, 0, 3, true, { 0, 1, 2, 4, 3, 5, 6, 7 }, { 4, 1, 123 }, 4 },
        { "current untouched", 5, 6, 2, 2, 1, true, { 0, 1, 2, 3, 4, 6, 5, 7 }, { 3, 2, 123 }, 1 },
        { "same index to another group", 2, 2, 0, 1, 2, false, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 2 },
        { "target out of range", 0, 128, 0, 0, 0, false, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 0 },
        { "source out of range", -1, 0, 0, 0, 0, false, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 0 },
        { "group out of range", 0, 1, 0, 3, 0, false, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 0 },
        { "negative group", 0, 1, -1, 0, 0, false, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 3, 2, 123 }, 0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        SetUp();
        setGroups ({ 3, 2 });
        int current = c.current;
        const auto currentName = bank.getPresetName (current);

        EXPECT_EQ (bank.movePreset (c.from, c.to, c.fromGroup, c.toGroup, current), c.moves);
        EXPECT_THAT (order(), ElementsAreArray (c.order));
        EXPECT_THAT (counts(), ElementsAreArray (c.counts));
        EXPECT_EQ (current, c.newCurrent);
        EXPECT_EQ (bank.getPresetName (current), currentName);
    }
}

TEST_F (PresetBankTest, MovePresetOutOfAnEmptyGroupIsRefused)
{
    setGroups ({ 0, 128 });
    int current = 0;

    EXPECT_FALSE (bank.movePreset (0, 1, 0, 1, current));
    EXPECT_THAT (counts(), ElementsAre (0, 128));
    EXPECT_THAT (order (2), ElementsAre (0, 1));
}

TEST_F (PresetBankTest, MovePresetsToGroupAppendsTheSelectionInOrder)
{
    // g0: 0-3, g1: 4-5, g2: 6-127.
    setGroups ({ 4, 2 });
    int current = 2;

    EXPECT_TRUE (bank.movePresetsToGroup (1, 0, selectionOf ({ { 0, 1 }, { 2, 4 } }), current));
    EXPECT_THAT (order(), ElementsAre (1, 4, 5, 0, 2, 3, 6, 7));
    EXPECT_THAT (counts(), ElementsAre (1, 5, 122));
    EXPECT_EQ (current, 4);
    EXPECT_EQ (bank.getPresetName (current), "2");

    // Backwards, to a group before the source: the presets end that group.
    EXPECT_TRUE (bank.movePresetsToGroup (0, 1, selectionOf ({ { 3, 5 } }), current));
    EXPECT_THAT (order(), ElementsAre (1, 2, 3, 4, 5, 0, 6, 7));
    EXPECT_THAT (counts(), ElementsAre (3, 3, 122));
    EXPECT_EQ (current, 1);

    // Positions past the source group are ignored, not taken from the next group.
    EXPECT_TRUE (bank.movePresetsToGroup (2, 0, selectionOf ({ { 2, 10 } }), current));
    EXPECT_THAT (counts(), ElementsAre (2, 3, 123));
    EXPECT_EQ (bank.getPresetName (127), "3");
    EXPECT_EQ (bank.getPresetName (current), "2");
    expectCountsAddUp();
}

TEST_F (PresetBankTest, MovePresetsToGroupNoOps)
{
    setGroups ({ 4, 0 });

    const struct { const char* what; int target, source; juce::SparseSet<int> selection; } cases[] = {
        { "same group", 0, 0, selectionOf ({ { 0, 2 } }) },
        { "empty selection", 1, 0, {} },
        { "selection outside the group", 1, 0, selectionOf ({ { 4, 9 } }) },
        { "from an empty group", 0, 1, selectionOf ({ { 0, 1 } }) },
        { "target out of range", 3, 0, selectionOf ({ { 0, 1 } }) },
        { "source out of range", 0, -1, selectionOf ({ { 0, 1 } }) },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        int current = 1;
        EXPECT_FALSE (bank.movePresetsToGroup (c.target, c.source, c.selection, current));
        EXPECT_EQ (current, 1);
        EXPECT_THAT (counts(), ElementsAre (4, 0, 124));
        EXPECT_THAT (order(), ElementsAre (0, 1, 2, 3, 4, 5, 6, 7));
    }
}

TEST_F (PresetBankTest, MoveGroupCarriesItsPresets)
{
    const struct
    {
        const char* what;
        int from, to, current;
        std::vector<std::string> names;
        std::vector<int> order, counts;
        int newCurrent;
    } cases[] = {
        { "towards the end", 0, 1, 0, { "g1", "g0", "g2", "g3" }, { 2, 3, 4, 0, 1, 5, 6, 7 }, { 3, 2, 0, 123 }, 3 },
        { "towards the start", 1, 0, 3, { "g1", "g0", "g2", "g3" }, { 2, 3, 4, 0, 1, 5, 6, 7 }, { 3, 2, 0, 123 }, 1 },
        { "past an empty group", 0, 2, 1, { "g1", "g2", "g0", "g3" }, { 2, 3, 4, 0, 1, 5, 6, 7 }, { 3, 0, 2, 123 }, 4 },
        { "an empty group", 2, 0, 4, { "g2", "g0", "g1", "g3" }, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 0, 2, 3, 123 }, 4 },
        { "to the last place", 0, 3, 0, { "g1", "g2", "g3", "g0" }, { 2, 3, 4, 5, 6, 7, 8, 9 }, { 3, 0, 123, 2 }, 126 },
        { "same place", 1, 1, 2, { "g0", "g1", "g2", "g3" }, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 2, 3, 0, 123 }, 2 },
        { "out of range", 0, 4, 2, { "g0", "g1", "g2", "g3" }, { 0, 1, 2, 3, 4, 5, 6, 7 }, { 2, 3, 0, 123 }, 2 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        SetUp();
        setGroups ({ 2, 3, 0, 123 });
        int current = c.current;
        const auto currentName = bank.getPresetName (current);

        EXPECT_EQ (bank.moveGroup (c.from, c.to, current), c.from != c.to && c.to < 4);
        EXPECT_THAT (groupNames(), ElementsAreArray (c.names));
        EXPECT_THAT (order(), ElementsAreArray (c.order));
        EXPECT_THAT (counts(), ElementsAreArray (c.counts));
        EXPECT_EQ (current, c.newCurrent);
        EXPECT_EQ (bank.getPresetName (current), currentName);
    }
}
