#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class ListColumn;
class ItemComponent;

// The rows of a ListColumn: a list box whose rows are ItemComponents and
// whose questions go to the column. Rows are dragged with the description
// "ListColumn"; the insert line of a pending drop is drawn over the rows.
class List : public juce::ListBox,
             private juce::ListBoxModel
{
public:
    List (ListColumn& column, bool multipleSelection);
    ~List() override;

    ListColumn& getColumn() const noexcept { return column; }
    // Re-reads the rows without treating a selection cut by it as a choice.
    // The list shows nothing before the first call.
    void refreshRows();
    // The row's item while it is on screen, else null.
    ItemComponent* getItem (int row) const;

    void paintOverChildren (juce::Graphics&) override;
    void lookAndFeelChanged() override;

private:
    int getNumRows() override;
    void paintListBoxItem (int, juce::Graphics&, int, int, bool) override {}
    juce::Component* refreshComponentForRow (int row, bool selected, juce::Component* existing) override;
    void selectedRowsChanged (int lastRowSelected) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent&) override;
    juce::var getDragSourceDescription (const juce::SparseSet<int>& rows) override;

    void paintInsertLine (juce::Graphics&, int row, bool after);
    void setSchemeColours();

    ListColumn& column;
    bool refreshing = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (List)
};
