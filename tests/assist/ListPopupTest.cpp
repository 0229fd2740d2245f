#include "hostlib/Properties.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryListPopup.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {

Properties setOf(const QStringList& names) {
    Properties set;
    for (const QString& name : names)
        set.Add(name, name.size());
    return set;
}

class ListPopupTest : public ::testing::Test {
protected:
    void SetUp() override {
        list.setCaseAsSupplied(true);
        list.ListSetByName(setOf({"Add", "GetResult", "GetValue", "GetValueBoolean", "Item"}));
    }
    MemoryListPopup list;
};

} // namespace

TEST_F(ListPopupTest, FillsInUpperCaseUnlessAskedAndResetsTheFlag) {
    EXPECT_EQ(list.Entry(1), "GetResult");
    EXPECT_FALSE(list.CaseAsSupplied());
    list.ListSetByName(setOf({"GetResult"}));
    EXPECT_EQ(list.entries(), QStringList{"GETRESULT"});
    list.setForeColor(0x000080);
    list.ListSetByValue(setOf({"abcd"}));
    EXPECT_EQ(list.entries(), QStringList{"4"});
    EXPECT_EQ(list.textColour(), 0x000080u);
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListPopupTest, KeysSelectTheFirstEntryBeginningWithTheTextInAnyCase) {
    const std::pair<const char*, int> cases[] = {
        {"getv", 2}, {"", 0}, {"GetValueB", 3}, {"zz", -1}, {"GetValueBooleanX", -1}};
    for (const auto& [keys, index] : cases) {
        list.Keys(keys);
        EXPECT_EQ(list.ListIndex(), index) << keys;
    }
    EXPECT_EQ(list.Text(), QString());
    MemoryListPopup empty;
    empty.Keys("a");
    EXPECT_EQ(empty.ListIndex(), -1);
    EXPECT_FALSE(empty.MoveSelection(ListMove::Down));
}

TEST_F(ListPopupTest, SelectionMovesAsTheListKeysDo) {
    struct Case {
        int from;
        ListMove move;
        int to;
        bool moved;
    };
    // Three rows a page; from -1 (nothing selected) Page Up takes the last, the other keys the first.
    const Case cases[] = {
        {-1, ListMove::PageDown, 0, true}, {0, ListMove::PageDown, 3, true}, {3, ListMove::PageDown, 4, true},
        {4, ListMove::Down, 4, false},     {4, ListMove::PageUp, 1, true},   {1, ListMove::PageUp, 0, true},
        {0, ListMove::Up, 0, false},       {0, ListMove::End, 4, true},      {4, ListMove::Home, 0, true},
        {-1, ListMove::PageUp, 4, true},   {-1, ListMove::Up, 0, true},      {-1, ListMove::Down, 0, true}};
    list.setVisibleRows(3);
    for (const Case& c : cases) {
        list.setListIndex(c.from);
        EXPECT_EQ(list.MoveSelection(c.move), c.moved) << c.from << " " << int(c.move);
        EXPECT_EQ(list.ListIndex(), c.to) << c.from << " " << int(c.move);
    }
}

TEST_F(ListPopupTest, DoubleClickGivesTheFocusBackThenRunsTheHandler) {
    MemoryCodeBox box;
    bool focusedFirst = false;
    list.setOnDoubleClick([&] { focusedFirst = box.HasFocus(); });
    list.doubleClickEntry(2); // no owner: nothing
    EXPECT_FALSE(focusedFirst);
    EXPECT_EQ(list.ListIndex(), -1);
    list.setOwner(&box);
    list.doubleClickEntry(2);
    EXPECT_TRUE(focusedFirst);
    EXPECT_EQ(list.Text(), "GetValue");
}

TEST_F(ListPopupTest, SizeIsTheClientAreaInPixels) {
    EXPECT_EQ(list.Size(), QSize(160, 128));
    EXPECT_EQ(MemoryListPopup(1440.0 / 144.0).Size(), QSize(240, 192));
}
