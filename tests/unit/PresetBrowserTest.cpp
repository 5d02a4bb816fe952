// The preset browser: its drop rules and drags (through the columns and
// through the mouse), its buttons, following the current preset, its file
// buttons and renaming in place.
#include <gmock/gmock.h>

#include "engine/QuilvernFactory.h"
#include "gui/browser/GroupListColumn.h"
#include "gui/browser/ItemComponent.h"
#include "gui/browser/List.h"
#include "gui/browser/PresetListColumn.h"
#include "gui/editor/BasePluginEditorOldStyle.h"
#include "gui/editor/OldStylePresetBrowserWindow.h"
#include "presets/BasePluginOldStyle.h"
#include "support/MessagePump.h"
#include "support/ScriptedFileDialog.h"
#include "support/TestDesktop.h"
#include "support/WithoutAudio.h"

#include <functional>
#include <thread>

namespace
{
using DropMode = ListColumn::DropMode;

class BrowserPlugin : public WithoutAudio<BasePluginOldStyle>
{
public:
    juce::String getPluginName() const override { return "Quilvern"; }
    juce::String getPluginCode() const override { return "QV"; }
};

// Presets named by their first index, in groups "G0", "G1", ... of the given
// sizes; the rest stay in "Not used".
void arrangeBank (BasePluginOldStyle& plugin, std::initializer_list<int> sizes)
{
    plugin.clearPresets();

    for (int i = 0; i < BasePluginOldStyle::numPresets; ++i)
        plugin.renamePreset (i, juce::String (i));

    auto bank = plugin.createBankXml();
    const auto presets = std::make_unique<juce::XmlElement> (*bank->getChildElement (0));
    bank->deleteAllChildElements();
    int next = 0;

    for (const int size : sizes)
    {
        auto* group = bank->createNewChildElement ("PresetGroup");
        group->setAttribute ("name", "G" + juce::String (bank->getNumChildElements() - 1));

        for (int i = 0; i < size; ++i)
            group->addChildElement (new juce::XmlElement (*presets->getChildElement (next++)));
    }

    plugin.readBankXml (*bank);
}

// The presets of the first four groups: "0 1 2 3 4|5 6 7 8 9||10 11 12".
std::string layoutOf (const BasePluginOldStyle& plugin)
{
    juce::StringArray groups;

    for (int g = 0; g < 4; ++g)
    {
        juce::StringArray names;

        for (int row = 0; row < plugin.getGroupSize (g); ++row)
            names.add (plugin.getPresetNameInGroup (g, row));

        groups.add (names.joinIntoString (" "));
    }

    return groups.joinIntoString ("|").toStdString();
}

const std::string untouched = "0 1 2 3 4|5 6 7 8 9||10 11 12";

// The browser's window on a stand-in editor, over a bank of groups of 5,
// 5, 0 and 3 presets; file dialogs answer from the script.
struct Browser
{
    Browser()
    {
        arrangeBank (plugin, { 5, 5, 0, 3 });
        plugin.selectPreset (0, false);
        window = std::make_unique<OldStylePresetBrowserWindow> (plugin);
        desktop.addAndMakeVisible (*window);
        window->setTopLeftPosition (0, 0);
        desktop.sendLookAndFeelChange();
        dialog.install (window->getFileDialog());
    }

    OldStylePresetsBrowser& browser() { return window->getBrowser(); }
    GroupListColumn& groups() { return *browser().getGroupColumn(); }
    PresetListColumn& presets() { return *browser().getPresetColumn(); }

    void openGroup (int group)
    {
        groups().selectRow (group);
        ASSERT_EQ (presets().getGroup(), group);
    }

    // Chooses rows of the open preset column as ctrl-clicks would.
    void choosePresets (const std::vector<int>& rows)
    {
        presets().selectRow (rows.front());

        for (size_t i = 1; i < rows.size(); ++i)
            presets().getList().selectRow (rows[i], false, false);
    }

    juce::String currentName() const { return plugin.getPresetName (plugin.getCurrentPreset()); }

    BrowserPlugin plugin;
    TestDesktop desktop { 700, 420 };
    std::unique_ptr<OldStylePresetBrowserWindow> window;
    ScriptedFileDialog dialog;
};

//==============================================================================
// A place in the browser: a row of the group column or of a group's preset
// column (row -1: below the rows), at a pixel offset inside the row.
struct Spot
{
    bool onGroups;
    int group; // the preset column's group
    int row;
    int offset;
};

struct DragCase
{
    const char* name;
    bool fromGroups;
    int sourceGroup;
    std::vector<int> sourceRows; // in the source group's preset column
    Spot target;
    std::string expected;
};

const Spot top (bool groups, int group, int row) { return { groups, group, row, 2 }; }
const Spot middle (bool groups, int group, int row) { return { groups, group, row, 10 }; }
const Spot bottom (bool groups, int group, int row) { return { groups, group, row, 18 }; }

const std::vector<DragCase> dragCases {
    { "a preset before the first row of the next group", false, 0, { 2 }, top (false, 1, 0),
      "0 1 3 4|2 5 6 7 8 9||10 11 12" },
    { "several presets onto another group's row", false, 0, { 1, 3 }, middle (true, 3, 3),
      "0 2 4|5 6 7 8 9||10 11 12 1 3" },
    { "a group after the group below it", true, 0, {}, bottom (true, 0, 1), "5 6 7 8 9|0 1 2 3 4||10 11 12" },
    { "a group before the group above it", true, 3, {}, top (true, 0, 1), "0 1 2 3 4|10 11 12|5 6 7 8 9|" },
    { "the last preset before the next group's first row", false, 0, { 4 }, top (false, 1, 0), untouched },
    { "the first preset after the previous group's last row", false, 1, { 0 }, bottom (false, 0, 4), untouched },
    { "presets onto an empty group's column", false, 0, { 0, 1 }, { false, 2, -1, 0 }, "2 3 4|5 6 7 8 9|0 1|10 11 12" },
    { "a preset down inside its group", false, 0, { 0 }, bottom (false, 0, 2), "1 2 0 3 4|5 6 7 8 9||10 11 12" },
    { "a preset up inside its group", false, 1, { 4 }, top (false, 1, 1), "0 1 2 3 4|5 9 6 7 8||10 11 12" },
    { "presets onto their own column", false, 0, { 1, 2 }, { false, 0, -1, 0 }, untouched },
};

// Chooses what the case drags; returns the source column.
ListColumn& chooseSource (Browser& b, const DragCase& c)
{
    b.openGroup (c.sourceGroup);

    if (c.fromGroups)
        return b.groups();

    b.choosePresets (c.sourceRows);
    return b.presets();
}

juce::Point<int> pointIn (ListColumn& column, int row, int offset)
{
    auto& list = column.getList();
    const int y = row >= 0 ? list.getRowPosition (row, true).getY() + offset
                           : list.getRowPosition (column.getNumRows(), true).getY() + 10;
    return column.getLocalPoint (&list, juce::Point<int> (40, y));
}

void expectMoved (Browser& b, const DragCase& c, const juce::String& currentBefore)
{
    EXPECT_EQ (layoutOf (b.plugin), c.expected) << c.name;
    EXPECT_EQ (b.currentName(), currentBefore) << c.name;
}
} // namespace

TEST (PresetBrowserDrops, TheTargetFollowsTheRowTheSourceAndThePlaceInTheRow)
{
    Browser b;
    b.openGroup (0);
    PresetListColumn otherGroup (b.plugin, 1), emptyGroup (b.plugin, 2);

    for (auto* column : { &otherGroup, &emptyGroup })
    {
        column->setBounds (0, 0, PresetListColumn::width, 200);
        column->refresh();
    }

    auto& groups = b.groups();
    auto& presets = b.presets();
    const ListColumn::DropTarget none {};

    struct Case
    {
        const char* name;
        ListColumn& target;
        int row, offset;
        int selectedPresets;
        ListColumn::DropTarget groupSource, presetSource;
    };

    const Case cases[] {
        { "group row, top edge", groups, 1, 2, 1, { DropMode::insertBefore, 1 }, { DropMode::onRow, 1 } },
        { "group row, upper half", groups, 1, 8, 1, { DropMode::insertBefore, 1 }, { DropMode::onRow, 1 } },
        { "group row, lower half", groups, 1, 10, 1, { DropMode::insertAfter, 1 }, { DropMode::onRow, 1 } },
        { "group row, bottom edge", groups, 1, 18, 1, { DropMode::insertAfter, 1 }, { DropMode::onRow, 1 } },
        { "below the groups", groups, -1, 0, 1, none, none },
        { "preset row, upper half", otherGroup, 2, 6, 1, none, { DropMode::insertBefore, 2 } },
        { "preset row, lower half", otherGroup, 2, 12, 1, none, { DropMode::insertAfter, 2 } },
        { "preset row, two presets dragged", otherGroup, 2, 6, 2, none, { DropMode::onColumn, -1 } },
        { "below the presets", otherGroup, -1, 0, 1, none, { DropMode::onColumn, -1 } },
        { "an empty group's column", emptyGroup, -1, 0, 2, none, { DropMode::onColumn, -1 } },
    };

    for (const auto& c : cases)
    {
        b.choosePresets (c.selectedPresets == 1 ? std::vector<int> { 1 } : std::vector<int> { 1, 2 });
        const auto point = pointIn (c.target, c.row, c.offset);
        EXPECT_EQ (c.target.findDropTarget (groups, point), c.groupSource) << c.name;
        EXPECT_EQ (c.target.findDropTarget (presets, point), c.presetSource) << c.name;
    }
}

TEST (PresetBrowserDrops, EachDragThroughTheColumns)
{
    for (const auto& c : dragCases)
    {
        Browser b;
        auto& source = chooseSource (b, c);
        const auto currentBefore = b.currentName();

        // The target column of another group stands where the browser would
        // open it while the drag passes that group's row.
        auto& spot = c.target;
        std::unique_ptr<PresetListColumn> other;
        ListColumn* target = &b.groups();

        if (! spot.onGroups)
        {
            target = &b.presets();

            if (spot.group != b.presets().getGroup())
            {
                other = std::make_unique<PresetListColumn> (b.plugin, spot.group);
                other->setBounds (b.presets().getBounds());
                other->refresh();
                target = other.get();
            }
        }

        target->performDrop (source, target->findDropTarget (source, pointIn (*target, spot.row, spot.offset)));
        expectMoved (b, c, currentBefore);
    }
}

//==============================================================================
namespace
{
// Presses, moves and releases the left button through the desktop's window.
struct Mouse
{
    explicit Mouse (TestDesktop& d) : desktop (d) {}

    void send (juce::Point<int> point, bool down)
    {
        const auto mods = down ? juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier) : juce::ModifierKeys();
        desktop.getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, point.toFloat(), mods,
                                             down ? 1.0f : 0.0f, 0.0f, time += 20);
        MessagePump::run (10);
    }

    void press (juce::Point<int> point) { send (point, false); send (point, true); }
    void moveTo (juce::Point<int> point) { send (point, true); }
    void release (juce::Point<int> point) { send (point, false); }

    TestDesktop& desktop;
    juce::int64 time = juce::Time::currentTimeMillis();
};

juce::Point<int> onDesktop (Browser& b, ListColumn& column, juce::Point<int> point)
{
    return b.desktop.getLocalPoint (&column, point);
}
} // namespace

TEST (PresetBrowserDrops, EachDragWithTheMouse)
{
    for (const auto& c : dragCases)
    {
        Browser b;
        b.desktop.show();
        MessagePump::run (50);
        auto& source = chooseSource (b, c);
        const auto currentBefore = b.currentName();
        const int sourceRow = c.fromGroups ? c.sourceGroup : c.sourceRows.front();
        const auto start = onDesktop (b, source, pointIn (source, sourceRow, 10));

        Mouse mouse (b.desktop);
        mouse.press (start);
        mouse.moveTo (start + juce::Point<int> (8, 0));

        // Held over a group's row, the drag opens that group's presets.
        const auto& spot = c.target;

        if (! spot.onGroups && spot.group != b.presets().getGroup())
        {
            mouse.moveTo (onDesktop (b, b.groups(), pointIn (b.groups(), spot.group, 10)));
            ASSERT_EQ (b.presets().getGroup(), spot.group) << c.name;
        }

        ListColumn& target = spot.onGroups ? static_cast<ListColumn&> (b.groups()) : b.presets();
        const auto end = onDesktop (b, target, pointIn (target, spot.row, spot.offset));
        mouse.moveTo (end);
        mouse.release (end);
        MessagePump::run (300);

        expectMoved (b, c, currentBefore);
        EXPECT_EQ (b.browser().getNumColumns(), 2) << c.name;
    }
}

TEST (PresetBrowserDrops, AHeldDragNearTheBottomScrollsTheList)
{
    Browser b;
    b.openGroup (4); // "Not used": 115 presets
    auto& presets = b.presets();
    presets.selectRow (0);
    const auto& list = presets.getList();
    const juce::DragAndDropTarget::SourceDetails details (ListColumn::dragDescription, &presets.getList(),
                                                          { 40, presets.getHeight() - 8 });

    ASSERT_TRUE (presets.isInterestedInDragSource (details));
    presets.itemDragEnter (details);
    const int before = list.getViewport()->getViewPositionY();
    const int lastRowBefore = list.getRowContainingPosition (40, list.getHeight() - 12);
    presets.autoScrollStep();
    presets.autoScrollStep();
    EXPECT_GT (list.getViewport()->getViewPositionY(), before);

    // The insert line follows the row now under the pointer.
    const auto target = presets.getPendingDrop();
    EXPECT_NE (target.mode, DropMode::none);
    EXPECT_GT (target.row, lastRowBefore);
    presets.itemDragExit (details);
    EXPECT_EQ (presets.getPendingDrop().mode, DropMode::none);
}

//==============================================================================
TEST (PresetBrowserButtons, GroupButtonsFollowTheSelectedGroup)
{
    Browser b;
    auto& add = b.window->getAddGroupButton();
    auto& remove = b.window->getRemoveGroupButton();

    b.groups().selectRow (-1);
    EXPECT_FALSE (add.isEnabled());
    EXPECT_FALSE (remove.isEnabled());

    b.groups().selectRow (3);
    EXPECT_TRUE (add.isEnabled());
    EXPECT_FALSE (remove.isEnabled());

    // "Add Group" puts an empty group in the selected group's place.
    b.groups().selectRow (2);
    EXPECT_TRUE (remove.isEnabled());
    b.groups().selectRow (1);
    add.triggerClick();
    MessagePump::run();
    EXPECT_EQ (b.plugin.getGroupName (1), "New Group");
    EXPECT_EQ (b.plugin.getGroupName (2), "G1");
    EXPECT_EQ (layoutOf (b.plugin), "0 1 2 3 4||5 6 7 8 9|");
    EXPECT_EQ (b.groups().getList().getItem (1)->getText(), "New Group");
    EXPECT_TRUE (remove.isEnabled());

    // "Rem Group" removes the selected empty group.
    remove.triggerClick();
    MessagePump::run();
    EXPECT_EQ (layoutOf (b.plugin), untouched);
    EXPECT_EQ (b.groups().getList().getItem (1)->getText(), "G1");
    EXPECT_FALSE (remove.isEnabled());

    for (auto* button : { &b.window->getCopyButton(), &b.window->getPasteButton(), &b.window->getUpButton(),
                          &b.window->getDownButton(), &b.window->getPresetLoadButton(),
                          &b.window->getBankSaveButton() })
        EXPECT_TRUE (button->isEnabled()) << button->getName();
}

TEST (PresetBrowserButtons, UpAndDownStepThroughTheBankAndStopAtItsEnds)
{
    Browser b;
    auto& up = b.window->getUpButton();
    auto& down = b.window->getDownButton();

    up.triggerClick();
    MessagePump::run();
    EXPECT_EQ (b.plugin.getCurrentPreset(), 0);

    for (int i = 0; i < 5; ++i)
    {
        down.triggerClick();
        MessagePump::run();
    }

    EXPECT_EQ (b.plugin.getCurrentPreset(), 5);
    EXPECT_EQ (b.presets().getGroup(), 1);
    EXPECT_TRUE (b.presets().isRowSelected (0));
    EXPECT_TRUE (b.groups().isRowSelected (1));

    b.plugin.changeToPreset (BasePluginOldStyle::numPresets - 1);
    down.triggerClick();
    MessagePump::run();
    EXPECT_EQ (b.plugin.getCurrentPreset(), BasePluginOldStyle::numPresets - 1);
}

TEST (PresetBrowserButtons, CopyAndPasteGoThroughTheBank)
{
    Browser b;
    b.plugin.changeToPreset (6);
    b.window->getCopyButton().triggerClick();
    MessagePump::run();
    b.plugin.changeToPreset (11);
    b.window->getPasteButton().triggerClick();
    MessagePump::run();

    EXPECT_EQ (b.plugin.getPresetName (11), "6_copy");
    EXPECT_EQ (b.presets().getList().getItem (1)->getText(), "6_copy");
}

TEST (PresetBrowserSelection, ChoosingTheCurrentPresetAgainDoesNotApplyIt)
{
    struct Counter : BasePluginOldStyle::PresetManagerListener
    {
        void presetChanged() override { ++changes; }
        int changes = 0;
    } counter;

    Browser b;
    b.plugin.addPresetListener (&counter);
    b.openGroup (1);
    b.presets().selectRow (2);
    EXPECT_EQ (b.plugin.getCurrentPreset(), 7);
    EXPECT_EQ (counter.changes, 1);

    b.presets().getList().deselectAllRows();
    b.presets().selectRow (2);
    EXPECT_EQ (counter.changes, 1);
    b.plugin.removePresetListener (&counter);
}

//==============================================================================
TEST (PresetBrowserFollowing, AProgramChangeOnTheAudioThreadShowsOnTheMessageThread)
{
    auto plugin = createQuilvern (juce::File());
    auto* editor = dynamic_cast<BasePluginEditorOldStyle*> (plugin->getEditorComponent());
    ASSERT_NE (editor, nullptr);
    MessagePump::run();
    auto& browser = editor->getPresetBrowserWindow()->getBrowser();
    arrangeBank (*plugin, { 5, 5, 0, 3 });
    plugin->changeToPreset (0);
    MessagePump::run();
    ASSERT_EQ (browser.getPresetColumn()->getGroup(), 0);

    plugin->prepareToPlay (44100.0, 64);
    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        juce::MidiBuffer midi;
        midi.addEvent (juce::MidiMessage::programChange (1, 12), 3);
        plugin->processBlock (buffer, midi);
    });
    audio.join();

    EXPECT_EQ (plugin->getCurrentPreset(), 12);
    EXPECT_EQ (browser.getPresetColumn()->getGroup(), 0);

    MessagePump::run();
    auto* presets = browser.getPresetColumn();
    EXPECT_EQ (presets->getGroup(), 3);
    EXPECT_EQ (presets->getSelectedRows().size(), 1);
    EXPECT_TRUE (presets->isRowSelected (2));
    EXPECT_TRUE (browser.getGroupColumn()->isRowSelected (3));
    plugin->releaseResources();
}

TEST (PresetBrowserFollowing, AListScrollsToTheCurrentPreset)
{
    Browser b;
    b.plugin.changeToPreset (127);
    MessagePump::run();

    auto& list = b.presets().getList();
    EXPECT_EQ (b.presets().getGroup(), 4);
    EXPECT_TRUE (list.getLocalBounds().contains (list.getRowPosition (114, true)));
}

//==============================================================================
TEST (PresetBrowserFiles, PresetAndBankRoundTripsThroughTheButtons)
{
    const juce::TemporaryFile folderFile;
    const auto folder = folderFile.getFile();
    ASSERT_TRUE (folder.createDirectory());
    Browser b;
    b.plugin.changeToPreset (6);

    // Saving adds the extension and remembers the folder.
    b.dialog.answer = folder.getChildFile ("Mine");
    b.window->getPresetSaveButton().triggerClick();
    MessagePump::run();
    const auto saved = folder.getChildFile ("Mine.qvprs");
    EXPECT_TRUE (saved.existsAsFile());
    EXPECT_EQ (b.plugin.getRecentDirectory(), folder.getFullPathName());

    b.dialog.answer = folder.getChildFile ("Live");
    b.window->getBankSaveButton().triggerClick();
    MessagePump::run();
    EXPECT_TRUE (folder.getChildFile ("Live.qvprsb").existsAsFile());

    const auto& requests = b.dialog.requests;
    ASSERT_EQ (requests.size(), 2u);
    EXPECT_TRUE (requests[0].saving);
    EXPECT_EQ (requests[0].title, "Save current settings as preset");
    EXPECT_EQ (requests[0].patterns, "*.qvprs");
    EXPECT_EQ (requests[1].title, "Save preset bank");
    EXPECT_EQ (requests[1].patterns, "*.qvprsb");
    EXPECT_EQ (requests[1].startingLocation, folder);

    // Changes undone by loading the files again; the columns show it.
    b.plugin.renamePreset (6, "Changed");
    b.plugin.moveGroup (0, 1);
    b.dialog.answer = folder.getChildFile ("Live.qvprsb");
    b.window->getBankLoadButton().triggerClick();
    MessagePump::run();
    EXPECT_EQ (layoutOf (b.plugin), untouched);
    EXPECT_EQ (b.plugin.getPresetName (6), "6");
    b.plugin.changeToPreset (6);

    b.plugin.renamePreset (6, "Changed");
    b.dialog.answer = saved;
    b.window->getPresetLoadButton().triggerClick();
    MessagePump::run();
    EXPECT_EQ (b.plugin.getPresetName (6), "6");
    EXPECT_EQ (b.presets().getList().getItem (1)->getText(), "6");

    EXPECT_FALSE (requests[2].saving);
    EXPECT_EQ (requests[2].title, "Load preset bank");
    EXPECT_EQ (requests[2].patterns, "*.qvprsb");
    EXPECT_EQ (requests[3].title, "Load single preset");
    EXPECT_EQ (requests[3].patterns, "*.qvprs");

    // Cancelling changes nothing.
    b.plugin.renamePreset (6, "Changed");
    b.dialog.answer = juce::File();
    b.window->getPresetLoadButton().triggerClick();
    MessagePump::run();
    EXPECT_EQ (b.plugin.getPresetName (6), "Changed");
    folder.deleteRecursively();
}

//==============================================================================
namespace
{
ModalTextEditor* startRenaming (ListColumn& column, int row)
{
    column.startRenaming (row);
    auto* item = column.getList().getItem (row);
    return item != nullptr && item->getLabel().isBeingEdited() ? item->getLabel().getEditor() : nullptr;
}

void commit (ModalTextEditor* editor, const juce::String& text)
{
    ASSERT_NE (editor, nullptr);
    editor->setText (text);
    editor->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
}
} // namespace

TEST (PresetBrowserRenaming, ANameTheBankTakesShowsAndARefusedOneLeavesTheRow)
{
    Browser b;
    b.desktop.show();
    MessagePump::run (50);

    b.openGroup (3);
    commit (startRenaming (b.groups(), 3), "Leads");
    EXPECT_EQ (b.plugin.getGroupName (3), "Leads");
    EXPECT_EQ (b.groups().getList().getItem (3)->getText(), "Leads");

    b.choosePresets ({ 2 });
    commit (startRenaming (b.presets(), 2), "Slow sweep");
    EXPECT_EQ (b.plugin.getPresetName (12), "Slow sweep");
    EXPECT_EQ (b.presets().getList().getItem (2)->getText(), "Slow sweep");

    // The bank changes while a name is edited; the rows it no longer has
    // refuse the new name and keep their own.
    b.openGroup (4);
    auto* editor = startRenaming (b.groups(), 4);
    b.plugin.removeEmptyGroup (2);
    commit (editor, "Pads");
    EXPECT_EQ (b.groups().getList().getItem (4)->getText(), "Not used");
    EXPECT_EQ (b.plugin.getGroupName (3), "Not used");

    // A preset row its group lost names no preset of the next group.
    b.openGroup (1);
    b.choosePresets ({ 4 });
    editor = startRenaming (b.presets(), 4);
    juce::SparseSet<int> last;
    last.addRange ({ 4, 5 });
    b.plugin.movePresetsToGroup (2, 1, last);
    commit (editor, "Wobble");
    EXPECT_EQ (b.presets().getList().getItem (4)->getText(), "9");

    for (int i = 0; i < BasePluginOldStyle::numPresets; ++i)
        EXPECT_NE (b.plugin.getPresetName (i), "Wobble") << i;
}
