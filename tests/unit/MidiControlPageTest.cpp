#include <gmock/gmock.h>

#include "framework/FloatParameter.h"
#include "gui/editor/MidiControlListComponent.h"
#include "support/MessagePump.h"
#include "support/ScriptedFileDialog.h"
#include "support/TestDesktop.h"

#include <thread>

namespace
{
// What the editor hears from the default-map box.
struct DefaultMapListener : DefaultResourceCheckBox::Listener
{
    void defaultResourceChanged (DefaultResourceCheckBox* box) override
    {
        heard.add (juce::String (box->isTicked() ? "ticked " : "unticked ") + box->getPath());
    }

    juce::StringArray heard;
};

struct CheckBoxSpy : CheckBox::Listener
{
    void checkBoxChanged (CheckBox*) override { ++changes; }
    int changes = 0;
};

// Clicks a widget's button the way JUCE delivers a click, without a window.
void click (juce::Button& button)
{
    button.triggerClick();
    MessagePump::run();
}

void click (CheckBox& box)
{
    click (*dynamic_cast<juce::Button*> (box.getChildComponent (0)));
}

// The MIDI page over automatable parameters "A" to "E", inside a stand-in
// editor under the framework's look and feel; file dialogs answer from the
// script.
struct MidiPageFixture : ::testing::Test
{
    MidiPageFixture()
    {
        for (int i = 0; i < 5; ++i)
        {
            auto* p = new FloatParameter (i, juce::String::charToString ((juce::juce_wchar) ('A' + i)), 0.0f, 1.0f, 0.0f);
            p->setAutomatable (true);
            parameters.addParameter (p);
        }

        midi.setOwnerName ("Quilvern");
        folder.createDirectory();
    }

    ~MidiPageFixture() override { folder.deleteRecursively(); }

    MidiControlComponent& createPage()
    {
        page = std::make_unique<MidiControlComponent> (midi, ".qvccmap", "*.qvccmap; *.qvc");
        desktop.addAndMakeVisible (*page);
        page->setBounds (0, 0, 620, 300);
        desktop.sendLookAndFeelChange();
        dialog.install (page->getFileDialog());
        dialog.install (page->getDefaultMapBox().getPathComponent().getFileDialog());
        return *page;
    }

    Parameter* param (const char* name) { return parameters.findParameterByName (name); }

    void assign (std::initializer_list<std::pair<int, const char*>> pairs)
    {
        for (const auto& [controller, name] : pairs)
            midi.assign (controller, param (name), true);

        MessagePump::run();
    }

    std::vector<int> listedControllers()
    {
        std::vector<int> controllers;
        auto& list = page->getList();

        for (int i = 0; i < list.getNumRows(); ++i)
            controllers.push_back (list.getRow (i)->controller);

        return controllers;
    }

    // The centre of a row of the list, in the stand-in editor's coordinates.
    juce::Point<int> rowCentre (int index)
    {
        auto& list = page->getList();
        const int perColumn = list.getRowsPerColumn();
        const juce::Point<int> inList ((index / perColumn) * list.getColumnWidth() + 40,
                                       ListComponent::headerHeight + (index % perColumn) * ListComponent::rowHeight + 10);
        return desktop.getLocalPoint (&list, inList);
    }

    using ListComponent = MidiControlComponent::ListComponent;

    ParameterManager parameters;
    MidiControl midi { parameters };
    TestDesktop desktop { 640, 400 };
    std::unique_ptr<MidiControlComponent> page;
    ScriptedFileDialog dialog;
    juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                            .getChildFile ("quilvern-midi-page-test-" + juce::Uuid().toString());
};
} // namespace

TEST_F (MidiPageFixture, ClearAllAsksFirstNoKeepsTheMapYesEmptiesItAndDisablesTheButton)
{
    auto& p = createPage();
    EXPECT_FALSE (p.getClearButton().isEnabled());
    assign ({ { 20, "A" }, { 21, "B" }, { 90, "C" } });
    ASSERT_TRUE (p.getClearButton().isEnabled());
    desktop.show();

    desktop.clickCentreOf (p.getClearButton());
    auto* question = p.getConfirmation();
    ASSERT_NE (question, nullptr);
    ASSERT_TRUE (question->isShown());
    EXPECT_EQ (question->getTitle(), "Quilvern");
    EXPECT_EQ (question->getMessage(), "Do you really want to clear all assignations?");

    desktop.clickCentreOf (*question->getButton (1));
    MessagePump::run();
    EXPECT_FALSE (question->isShown());
    EXPECT_EQ (midi.getAssignedCount(), 3);
    EXPECT_THAT (listedControllers(), ::testing::ElementsAre (20, 21, 90));

    desktop.clickCentreOf (p.getClearButton());
    ASSERT_TRUE (p.getConfirmation()->isShown());
    EXPECT_EQ (p.getConfirmation()->getButton (0)->getButtonText(), "Yes");
    desktop.clickCentreOf (*p.getConfirmation()->getButton (0));
    MessagePump::run();
    EXPECT_EQ (midi.getAssignedCount(), 0);
    EXPECT_EQ (p.getList().getNumRows(), 0);
    EXPECT_FALSE (p.getClearButton().isEnabled());
}

TEST_F (MidiPageFixture, ButtonsCarryTheirNamesTooltipsAndImages)
{
    auto& p = createPage();
    const std::vector<std::tuple<juce::Button*, const char*, const char*>> buttons {
        { &p.getDeleteButton(), "Delete Assign", "Delete selected assignation" },
        { &p.getClearButton(), "Clear All", "Clear all map" },
        { &p.getLoadButton(), "Load Map", "Open map" },
        { &p.getSaveButton(), "Save Map", "Save current map" },
    };

    for (const auto& [button, name, tooltip] : buttons)
    {
        EXPECT_EQ (button->getName(), name);
        EXPECT_EQ (button->getTooltip(), tooltip);
        EXPECT_EQ (button->getBounds().getWidth(), 27) << name;
    }

    EXPECT_EQ (p.getLearnModeBox().getText(), "Midi Learn mode");
    EXPECT_EQ (p.getDefaultMapBox().getCheckBox().getText(), "Default map");
}

TEST_F (MidiPageFixture, SavingWritesTheMapWithTheMapExtensionWhateverNameWasChosen)
{
    struct Case
    {
        const char* chosen;
        const char* written;
    };

    const Case cases[] = {
        { "mine.xml", "mine.qvccmap" },
        { "mine", "mine.qvccmap" },
        { "mine.qvc", "mine.qvccmap" },
        { "Mine.QVCCMAP", "Mine.QVCCMAP" },
    };

    auto& p = createPage();
    assign ({ { 7, "B" }, { 64, "E" } });

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.chosen);
        folder.deleteRecursively();
        folder.createDirectory();
        dialog.answer = folder.getChildFile (c.chosen);
        click (p.getSaveButton());

        const auto written = folder.getChildFile (c.written);
        EXPECT_TRUE (written.existsAsFile());
        EXPECT_EQ (folder.getNumberOfChildFiles (juce::File::findFiles), 1);

        MidiControl reader (parameters);
        reader.loadMapFile (written);
        EXPECT_EQ (reader.getAssignment (7), param ("B"));
        EXPECT_EQ (reader.getAssignment (64), param ("E"));
    }

    const auto& request = dialog.requests.back();
    EXPECT_TRUE (request.saving);
    EXPECT_EQ (request.title, "Save Midi Control file as");
    EXPECT_EQ (request.patterns, "*.qvccmap");
}

TEST_F (MidiPageFixture, LoadingAChosenMapReplacesTheListAndEndsLearnMode)
{
    auto& p = createPage();
    assign ({ { 1, "A" } });
    const auto file = folder.getChildFile ("live.qvccmap");
    file.replaceWithText ("<MidiControlMap name=\"Quilvern\"><assign CC=\"5\" param=\"C\"/>"
                          "<assign CC=\"100\" param=\"D\"/></MidiControlMap>");
    click (p.getLearnModeBox());
    ASSERT_TRUE (midi.isLearnMode());

    dialog.answer = juce::File();
    click (p.getLoadButton());
    EXPECT_THAT (listedControllers(), ::testing::ElementsAre (1));

    dialog.answer = file;
    click (p.getLoadButton());
    EXPECT_THAT (listedControllers(), ::testing::ElementsAre (5, 100));
    EXPECT_EQ (p.getList().getRow (1)->parameter, param ("D"));
    EXPECT_FALSE (midi.isLearnMode());
    EXPECT_FALSE (p.getLearnModeBox().isTicked());

    const auto& request = dialog.requests.back();
    EXPECT_FALSE (request.saving);
    EXPECT_EQ (request.title, "Open Midi Control file");
    EXPECT_EQ (request.patterns, "*.qvccmap; *.qvc");

    p.setFilePatterns ("*.qvccmap; *.qvc; *.old");
    click (p.getLoadButton());
    EXPECT_EQ (dialog.requests.back().patterns, "*.qvccmap; *.qvc; *.old");
}

TEST_F (MidiPageFixture, TheLearnModeBoxSwitchesLearnModeAndFollowsItsOtherSwitchesSilently)
{
    auto& p = createPage();
    CheckBoxSpy spy;
    p.getLearnModeBox().addListener (&spy);

    click (p.getLearnModeBox());
    EXPECT_TRUE (midi.isLearnMode());
    EXPECT_EQ (spy.changes, 1);

    // The editor's learn toggle.
    midi.setLearnMode (false);
    EXPECT_FALSE (p.getLearnModeBox().isTicked());
    midi.setLearnMode (true);
    EXPECT_TRUE (p.getLearnModeBox().isTicked());
    MessagePump::run();
    EXPECT_EQ (spy.changes, 1);

    // A host restoring a state on its own thread ends learn mode there; the
    // page follows on the message thread only.
    const auto map = juce::parseXML ("<MidiControlMap name=\"Quilvern\"/>");
    std::thread ([&] { midi.loadFromXml (*map); }).join();
    EXPECT_FALSE (midi.isLearnMode());
    EXPECT_TRUE (p.getLearnModeBox().isTicked());
    ASSERT_TRUE (MessagePump::runUntil ([&] { return ! p.getLearnModeBox().isTicked(); }));
    MessagePump::run();
    EXPECT_FALSE (p.getLearnModeBox().isTicked());
    EXPECT_EQ (spy.changes, 1);
    p.getLearnModeBox().removeListener (&spy);
}

TEST_F (MidiPageFixture, ARowClickedInLearnModeBecomesTheLearntPairWithoutAssigning)
{
    auto& p = createPage();
    assign ({ { 20, "A" }, { 21, "B" }, { 22, "E" } });
    desktop.show();

    // Outside learn mode a click only selects.
    desktop.click (rowCentre (1));
    EXPECT_EQ (p.getList().getSelectedIndex(), 1);
    EXPECT_TRUE (p.getDeleteButton().isEnabled());
    EXPECT_EQ (midi.getLearnParameter(), nullptr);

    // Whatever learn is waiting for, the clicked row shows its own pair
    // 21 / "B" and the waiting half gets nothing: neither "C", picked on the
    // face, nor the free controller 50, just moved.
    click (p.getLearnModeBox());
    const std::function<void()> waiting[] = { [&] { midi.setLearnParameter (param ("C")); },
                                              [&] { midi.setLearnController (50); } };

    for (const auto& startWaiting : waiting)
    {
        midi.setLearnMode (false);
        midi.setLearnMode (true);
        startWaiting();
        MessagePump::run();
        desktop.click (rowCentre (1));
        MessagePump::run();
        EXPECT_EQ (midi.getLearnController(), 21);
        EXPECT_EQ (midi.getLearnParameter(), param ("B"));
        EXPECT_EQ (midi.getControllerOf (param ("C")), -1);
        EXPECT_EQ (midi.getAssignment (50), nullptr);
        EXPECT_EQ (midi.getAssignedCount(), 3);
        EXPECT_EQ (p.getList().getSelectedIndex(), 1);
    }

    // A row whose assignment went away before the list was rebuilt gives
    // nothing back to the map.
    midi.removeAssignment (22);
    desktop.click (rowCentre (2));
    EXPECT_EQ (midi.getAssignment (22), nullptr);
    MessagePump::run();
    EXPECT_EQ (midi.getAssignedCount(), 2);

    // Below the last row nothing is selected, so nothing can be deleted.
    desktop.click (rowCentre (2));
    EXPECT_EQ (p.getList().getSelectedIndex(), -1);
    EXPECT_FALSE (p.getDeleteButton().isEnabled());
}

TEST_F (MidiPageFixture, DeleteAssignRemovesTheSelectedRowsController)
{
    auto& p = createPage();
    assign ({ { 3, "A" }, { 4, "B" } });
    EXPECT_FALSE (p.getDeleteButton().isEnabled());

    p.getList().setSelectedIndex (1);
    p.getList().onRowClicked();
    click (p.getDeleteButton());

    EXPECT_EQ (midi.getAssignment (4), nullptr);
    EXPECT_THAT (listedControllers(), ::testing::ElementsAre (3));
    EXPECT_EQ (p.getList().getSelectedIndex(), -1);
    EXPECT_FALSE (p.getDeleteButton().isEnabled());
}

TEST_F (MidiPageFixture, TheDefaultMapBoxSetsTheStartUpMapAndItsPath)
{
    const auto chosen = folder.getChildFile ("start.qvccmap").getFullPathName();
    midi.setMapFile (chosen);
    midi.setUseMapFileAtStart (true);
    auto& p = createPage();
    auto& box = p.getDefaultMapBox();
    DefaultMapListener editor;
    box.addListener (&editor);

    EXPECT_TRUE (box.isTicked());
    EXPECT_EQ (box.getPath(), chosen);
    EXPECT_TRUE (box.getPathComponent().isEnabled());
    EXPECT_EQ (box.getPathComponent().getX(), box.getCheckBox().getRight() + 5);
    EXPECT_EQ (box.getPathComponent().getRight(), box.getWidth());
    EXPECT_EQ (box.getHeight(), juce::jmax (box.getCheckBox().getHeight(), box.getPathComponent().getHeight()));
    EXPECT_EQ (box.getPathComponent().getBounds().getCentreY(), box.getCheckBox().getBounds().getCentreY());

    click (box.getCheckBox());
    EXPECT_FALSE (midi.getUseMapFileAtStart());
    EXPECT_EQ (midi.getMapFile(), chosen);
    EXPECT_FALSE (box.getPathComponent().isEnabled());

    // Browse is out of reach while the box is clear.
    dialog.answer = folder.getChildFile ("other.qvccmap");
    click (box.getPathComponent().getBrowseButton());
    EXPECT_TRUE (dialog.requests.empty());

    click (box.getCheckBox());
    click (box.getPathComponent().getBrowseButton());
    EXPECT_TRUE (midi.getUseMapFileAtStart());
    EXPECT_EQ (midi.getMapFile(), dialog.answer.getFullPathName());
    EXPECT_EQ (dialog.requests.back().patterns, "*.qvccmap; *.qvc");

    const juce::StringArray expected { "unticked " + chosen, "ticked " + chosen,
                                       "ticked " + dialog.answer.getFullPathName() };
    EXPECT_EQ (editor.heard, expected);
    box.removeListener (&editor);
}

TEST_F (MidiPageFixture, WithoutAStartUpMapTheBoxIsClearAndThePathFieldDisabled)
{
    auto& box = createPage().getDefaultMapBox();
    EXPECT_FALSE (box.isTicked());
    EXPECT_TRUE (box.getPath().isEmpty());
    EXPECT_FALSE (box.getPathComponent().isEnabled());
}

TEST_F (MidiPageFixture, TheListFillsColumnsLikeANewspaper)
{
    struct Case
    {
        int width, height, rows;
        int perColumn, columns, columnWidth;
    };

    // Rows per column: (height - 13 scroll bar - 19 header - 6) / 20.
    const Case cases[] = {
        { 602, 200, 0, 8, 3, 201 },
        { 602, 200, 16, 8, 3, 201 },
        { 602, 200, 17, 8, 3, 201 },
        { 602, 200, 25, 8, 4, 201 },
        { 300, 98, 5, 3, 3, 100 },
        { 300, 97, 16, 2, 8, 100 },
        { 300, 20, 4, 1, 4, 100 }, // too low for a whole row: one still
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (juce::String (c.width) + " x " + juce::String (c.height) + ", " + juce::String (c.rows) + " rows");
        MidiControlComponent::ListComponent list;
        list.setLookAndFeel (&desktop.lookAndFeel);
        list.setSize (c.width, c.height);

        std::vector<MidiControlComponent::ListComponent::Row> rows;

        for (int i = 0; i < c.rows; ++i)
            rows.push_back ({ i, param ("A") });

        list.setRows (rows);
        EXPECT_EQ (list.getRowsPerColumn(), c.perColumn);
        EXPECT_EQ (list.getNumColumns(), c.columns);
        EXPECT_EQ (list.getColumnWidth(), c.columnWidth);

        auto& bar = list.getScrollBar();
        EXPECT_EQ (bar.getHeight(), 13);
        EXPECT_EQ (bar.isEnabled(), c.columns > 3);
        EXPECT_EQ (bar.getMaximumRangeLimit(), c.columns * c.columnWidth);
        EXPECT_EQ (bar.getCurrentRangeSize(), 3 * c.columnWidth);
        EXPECT_DOUBLE_EQ (bar.getSingleStepSize(), c.columnWidth / 12.0);
        list.setLookAndFeel (nullptr);
    }
}

TEST_F (MidiPageFixture, APointPicksRowPlusColumnTimesRowsPerColumnClampedToTheLayout)
{
    MidiControlComponent::ListComponent list;
    list.setLookAndFeel (&desktop.lookAndFeel);
    list.setSize (602, 200); // 8 rows per column, columns 201 wide
    std::vector<MidiControlComponent::ListComponent::Row> rows;

    for (int i = 0; i < 30; ++i) // four columns
        rows.push_back ({ i, param ("A") });

    list.setRows (rows);

    struct Case
    {
        int x, y, expected;
    };

    const Case cases[] = {
        { 5, 10, -1 },         // the header
        { 5, 19, 0 },
        { 200, 38, 0 },
        { 201, 39, 9 },
        { 450, 19 + 3 * 20, 19 },
        { 600, 999, 23 },      // below the last laid-out row: the last
        { -20, 60, 2 },
    };

    for (const auto& c : cases)
        EXPECT_EQ (list.getIndexAt ({ c.x, c.y }), c.expected) << c.x << ", " << c.y;

    // Scrolled one column on, the same point lies one column further.
    list.getScrollBar().setCurrentRangeStart (201);
    EXPECT_EQ (list.getIndexAt ({ 5, 19 }), 8);
    EXPECT_EQ (list.getIndexAt ({ 600, 999 }), 31); // beyond the last row
    list.setSelectedIndex (31);
    EXPECT_EQ (list.getSelectedIndex(), -1);
    EXPECT_EQ (list.getSelectedController(), -1);

    // Selecting a row scrolls its column into view.
    list.setSelectedIndex (2);
    EXPECT_EQ (list.getScrollPosition(), 0);
    list.setSelectedIndex (29);
    EXPECT_EQ (list.getScrollPosition(), 201);
    EXPECT_EQ (list.getSelectedController(), 29);
    list.setLookAndFeel (nullptr);
}
