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
    list.Keys("getv");
    EXPECT_EQ(list.Text(), "GetValue");
    list.Keys("");
    EXPECT_EQ(list.ListIndex(), 0);
    list.Keys("GetValueB");
    EXPECT_EQ(list.ListIndex(), 3);
    list.Keys("zz");
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.Text(), QString());
    list.Keys("GetValueBooleanX");
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(ListPopupTest, KeysOnAnEmptyListDoNothing) {
    MemoryListPopup empty;
    empty.Keys("a");
    EXPECT_EQ(empty.ListIndex(), -1);
    EXPECT_FALSE(empty.MoveSelection(ListMove::Down));
}

TEST_F(ListPopupTest, SelectionMovesAsTheListKeysDo) {
    list.setVisibleRows(3);
    EXPECT_TRUE(list.MoveSelection(ListMove::PageDown)); // nothing selected: the first
    EXPECT_EQ(list.ListIndex(), 0);
    list.MoveSelection(ListMove::PageDown);
    EXPECT_EQ(list.ListIndex(), 3);
    list.MoveSelection(ListMove::PageDown); // not beyond the last
    EXPECT_EQ(list.ListIndex(), 4);
    EXPECT_FALSE(list.MoveSelection(ListMove::Down));
    list.MoveSelection(ListMove::PageUp);
    EXPECT_EQ(list.ListIndex(), 1);
    list.MoveSelection(ListMove::PageUp); // not below the first
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_FALSE(list.MoveSelection(ListMove::Up));
    list.MoveSelection(ListMove::End);
    EXPECT_EQ(list.ListIndex(), 4);
    list.MoveSelection(ListMove::Home);
    EXPECT_EQ(list.ListIndex(), 0);

    list.setListIndex(-1);
    list.MoveSelection(ListMove::PageUp); // nothing selected: the last
    EXPECT_EQ(list.ListIndex(), 4);
    list.setListIndex(-1);
    list.MoveSelection(ListMove::Up);
    EXPECT_EQ(list.ListIndex(), 0);
    list.setListIndex(-1);
    list.MoveSelection(ListMove::Down);
    EXPECT_EQ(list.ListIndex(), 0);
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
