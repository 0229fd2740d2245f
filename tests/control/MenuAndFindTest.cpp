#include "support/ControllerFixture.h"

#include "find/FindReplace.h"
#include "platform/KeyCodes.h"

namespace qx::test {
namespace {

class MenuAndFindTest : public ControllerFixture {
protected:
    void select(int start, int length) {
        box.setSelStart(start);
        box.setSelLength(length);
    }
    // Right-clicks and reports whether "Add To Favourites" is offered.
    bool offersAddToFavourites() {
        box.mouseDown(kRightButton, 0, 5, 5);
        return menu.ItemVisible("mnuAddToFav");
    }
    int keyDown(int vk, int shift = 0) {
        int code = vk;
        control.KeyDown(code, shift);
        return code;
    }
};

TEST_F(MenuAndFindTest, AddToFavouritesIsOfferedForWholeTagsOnly) {
    const struct {
        const char* selection;
        bool offered;
    } cases[] = {
        {"<QX:A>b</QX>", true},  {"<QX:A>b</QX><QX:C>d</QX>", true},
        {"<QX:A>b</QX", false},  {"<QX:A>b</QX></QX>", false},
        {"<qx:A>b</qx>", false}, {"", false},
    };
    for (const auto& c : cases) {
        setValue(QString::fromLatin1(c.selection) + " tail", 0);
        box.setSelLength(int(qstrlen(c.selection)));
        const int start = box.SelStart(), length = box.SelLength();
        EXPECT_EQ(offersAddToFavourites(), c.offered) << c.selection;
        EXPECT_EQ(box.SelStart(), start) << "opening the menu keeps the selection";
        EXPECT_EQ(box.SelLength(), length);
    }
}

TEST_F(MenuAndFindTest, ClipboardItems) {
    setValue("one two", 0);
    clipboard.setText("kept");
    menu.choose("mnuCopy");
    menu.choose("mnuCut");
    EXPECT_EQ(clipboard.Text(), "kept") << "an empty selection leaves the clipboard alone";

    select(0, 3);
    menu.choose("mnuCut");
    EXPECT_EQ(box.Text(), " two");
    EXPECT_EQ(clipboard.Text(), "one");
    EXPECT_EQ(state.mpcUndo->Count(), 1);
    select(1, 3);
    menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), " one");
    EXPECT_EQ(state.mpcUndo->Count(), 2);
    control.Undo();
    EXPECT_EQ(box.Text(), " two") << "the paste is one step of its own";

    clipboard.clear(); // an image, or nothing
    select(1, 3);
    menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), " two") << "a paste without text keeps the selection";
    EXPECT_EQ(box.SelLength(), 3);
}

TEST_F(MenuAndFindTest, CutAndPasteAreRefusedInsideEncodedValuesAndOnALockedBox) {
    setValue("x=~64\"QUJD\" y", 7);
    box.setSelLength(2);
    clipboard.setText("zz");
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_FALSE(menu.ItemEnabled("mnuCut"));
    EXPECT_FALSE(menu.ItemEnabled("mnuPaste"));
    menu.choose("mnuCut");
    menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y");

    setValue("abc", 0);
    box.typeText("d");
    box.setLocked(true);
    box.mouseDown(kRightButton, 0, 5, 5);
    for (const char* item : {"mnuCut", "mnuPaste", "mnuUndo", "mnuRedo"})
        EXPECT_FALSE(menu.ItemEnabled(item)) << item;
    box.setLocked(false);
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_TRUE(menu.ItemEnabled("mnuUndo"));
    EXPECT_FALSE(menu.ItemEnabled("mnuRedo")) << "nothing to redo";
}

TEST_F(MenuAndFindTest, FindItemsAndTheirShortcutsFollowFindMenusEnabled) {
    setValue("ab ab", 0);
    control.Find("ab", 0);
    box.setSelStart(0);
    EXPECT_EQ(keyDown(VK_F3), 0);
    EXPECT_EQ(box.SelStart(), 0) << "F3 found the first match again from the caret";
    EXPECT_EQ(keyDown(VK_F, kCtrlMask), 0);
    EXPECT_EQ(shell.findDialogOpens, 1);
    editBar.click("cmdFind");
    menu.choose("mnuFind");
    EXPECT_EQ(shell.findDialogOpens, 3);

    control.setFindMenusEnabled(false);
    EXPECT_FALSE(menu.ItemVisible("mnuFind"));
    EXPECT_FALSE(menu.ItemVisible("mnuFindNext"));
    EXPECT_EQ(keyDown(VK_F, kCtrlMask), VK_F);
    EXPECT_EQ(keyDown(VK_F3), VK_F3);
    EXPECT_EQ(shell.findDialogOpens, 3);
}

TEST_F(MenuAndFindTest, FindSelectsAndFindNextGoesOn) {
    setValue("ab cd ab Ab abc", 0);
    EXPECT_EQ(control.FindNext(), 0) << "no search yet";
    EXPECT_EQ(box.SelLength(), 0);

    EXPECT_EQ(control.Find("ab"), 0);
    EXPECT_EQ(box.SelText(), "ab");
    EXPECT_EQ(control.Find("ab"), 6) << "with a selection, the search goes on after it";
    EXPECT_EQ(control.FindNext(), 9);
    EXPECT_EQ(control.Find("zz"), -1);
    EXPECT_EQ(control.FindNext(), 12) << "a failed Find leaves the last successful one";

    box.setSelStart(0);
    EXPECT_EQ(control.Find("Ab", -1, -1, FindReplace::kMatchCase), 9);
    box.setSelStart(0);
    EXPECT_EQ(control.Find("ab", 10, -1, FindReplace::kWholeWord), -1) << "after 10 only inside abc";
    EXPECT_EQ(control.Find("ab", 10), 12);
    box.setSelStart(0);
    EXPECT_EQ(control.Find("cd", 0, -1, FindReplace::kNoHighlight), 3);
    EXPECT_EQ(box.SelLength(), 0) << "no highlight";
}

TEST_F(MenuAndFindTest, BadArgumentsChangeNothing) {
    setValue("abc abc", 1);
    control.Find("abc");
    const QString last = state.msLastFind;
    const int start = box.SelStart(), length = box.SelLength();
    const struct {
        const char* what;
        int from, to;
    } cases[] = {{"abc", 99, -1}, {"abc", 5, 2}, {"abc", -2, -1}, {"abc", 0, -5}, {"", 0, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(control.Find(c.what, c.from, c.to), -1) << c.from << "," << c.to;
        EXPECT_EQ(control.Replace(c.what, "x", c.from, c.to), -1) << c.from << "," << c.to;
    }
    EXPECT_EQ(box.Text(), "abc abc");
    EXPECT_EQ(box.SelStart(), start);
    EXPECT_EQ(box.SelLength(), length);
    EXPECT_EQ(state.msLastFind, last);
}

TEST_F(MenuAndFindTest, ReplaceGoesOnFromTheCaretAndSkipsEncodedValues) {
    setValue("a a a a", 2);
    for (int i = 0; i < 3; ++i)
        control.DialogReplace("a", "b", false, false, messages);
    EXPECT_EQ(box.Text(), "a b b b");
    EXPECT_EQ(state.mpcUndo->Count(), 3) << "each press is one step";

    setValue("xyz", 1);
    box.setSelLength(1);
    EXPECT_EQ(control.Replace("q", "r"), -1);
    EXPECT_EQ(box.SelText(), "y") << "nothing found leaves the selection";
    MemoryMessageBox dialogMessages; // the find dialog's own, so the message belongs to it
    control.DialogReplace("q", "r", false, false, dialogMessages);
    ASSERT_EQ(dialogMessages.messages().size(), 1);
    EXPECT_EQ(dialogMessages.messages()[0].title, "Find");
    EXPECT_EQ(dialogMessages.messages()[0].text, "Text can not be found");
    EXPECT_TRUE(messages.messages().isEmpty());

    setValue("a=~64\"YWFh\" a", 0);
    EXPECT_EQ(control.Replace("Y", "Z"), -1) << "inside the stored value";
    EXPECT_EQ(control.Replace("a", "b"), 0);
    EXPECT_EQ(control.Replace("a", "b", 1), 12);
    EXPECT_EQ(box.Text(), "b=~64\"YWFh\" b");
    EXPECT_EQ(control.Find("YWFh", 0), 6) << "Find still finds it";

    box.setLocked(true);
    control.DialogReplace("b", "c", false, false, messages);
    EXPECT_EQ(box.Text(), "b=~64\"YWFh\" b");
}

// A CR LF pair is one line break: no match begins or ends between its halves, so Find selects what it
// answers and a host that replaces until -1 stops.
TEST_F(MenuAndFindTest, AMatchNeverSplitsALineBreak) {
    setValue("a\r\nb\r\nc", 0);
    for (const char* half : {"\r", "\n", "b\r", "\nb"}) {
        EXPECT_EQ(control.Find(half), -1) << half;
        EXPECT_EQ(control.Replace(half, ""), -1) << half;
    }
    EXPECT_EQ(control.Find("\r\nb"), 1);
    EXPECT_EQ(box.SelText(), "\r\nb");
    EXPECT_EQ(control.Replace("\r\n", " ", 0), 1);
    EXPECT_EQ(box.Text(), "a b\r\nc");
}

} // namespace
} // namespace qx::test
