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
    void rightClick() { box.mouseDown(kRightButton, 0, 5, 5); }
    int keyDown(int vk, int shift = 0) {
        control.KeyDown(vk, shift);
        return vk;
    }
};

// "Add To Favourites" is offered for whole tags only; opening the menu keeps the selection. An added
// favourite is the last item and inserts as one step, but not into an encoded value or a locked box.
TEST_F(MenuAndFindTest, Favourites) {
    EXPECT_TRUE(menu.FavouriteItems().isEmpty()) << "no file, no favourites";
    for (const auto& [selection, offered] : {std::pair{"<QX:A>b</QX>", true},
                                             {"<QX:A>b</QX><QX:C>d</QX>", true},
                                             {"<QX:A>b</QX", false},
                                             {"<QX:A>b</QX></QX>", false},
                                             {"<qx:A>b</qx>", false},
                                             {"", false}}) {
        setValue(QString::fromLatin1(selection) + " tail", 0);
        box.setSelLength(int(qstrlen(selection)));
        rightClick();
        EXPECT_EQ(menu.ItemVisible("mnuAddToFav"), offered) << selection;
        EXPECT_EQ(box.SelStart(), 0);
        EXPECT_EQ(box.SelLength(), int(qstrlen(selection)));
    }
    setValue("<QX:A>b</QX><QX:C>d</QX> tail", 0);
    box.setSelLength(24);
    input.answer("A & B");
    menu.choose("mnuAddToFav");
    EXPECT_EQ(menu.FavouriteItems(), QStringList{"A & B"});

    setValue("x y", 2);
    state.mpcUndo->Clear();
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "x <QX:A>b</QX><QX:C>d</QX>y");
    EXPECT_EQ(state.mpcUndo->Count(), 1);
    control.Undo();
    EXPECT_EQ(box.Text(), "x y");

    for (const bool locked : {false, true}) {
        setValue("x=~64\"QUJD\" y", locked ? 0 : 8);
        box.setLocked(locked);
        rightClick();
        EXPECT_FALSE(menu.ItemEnabled("mnuFav1"));
        menu.choose("mnuFav1");
        EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y");
    }
}

// Cut and Copy need a selection; a paste is one step of its own, and one without text keeps the
// selection. Cut and Paste are refused inside encoded values and on a locked box, Undo and Redo there too.
TEST_F(MenuAndFindTest, ClipboardItems) {
    setValue("one two", 0);
    clipboard.setText("kept");
    menu.choose("mnuCopy");
    menu.choose("mnuCut");
    EXPECT_EQ(clipboard.Text(), "kept");
    select(0, 3);
    menu.choose("mnuCut");
    EXPECT_EQ(box.Text(), " two");
    EXPECT_EQ(clipboard.Text(), "one");
    select(1, 3);
    menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), " one");
    EXPECT_EQ(state.mpcUndo->Count(), 2);
    control.Undo();
    EXPECT_EQ(box.Text(), " two");
    clipboard.clear(); // an image, or nothing
    select(1, 3);
    menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), " two");
    EXPECT_EQ(box.SelLength(), 3);

    rightClick();
    EXPECT_TRUE(menu.ItemEnabled("mnuUndo") && menu.ItemEnabled("mnuRedo"));
    setValue("x=~64\"QUJD\" y", 7);
    box.setSelLength(2);
    clipboard.setText("zz");
    for (const bool locked : {false, true}) {
        box.setLocked(locked);
        rightClick();
        for (const char* item : {"mnuCut", "mnuPaste"})
            EXPECT_FALSE(menu.ItemEnabled(item)) << item;
        EXPECT_NE(menu.ItemEnabled("mnuUndo"), locked);
        menu.choose("mnuCut");
        menu.choose("mnuPaste");
        EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y");
        select(0, 2);
    }
}

TEST_F(MenuAndFindTest, FindItemsAndTheirShortcutsFollowFindMenusEnabled) {
    setValue("ab ab", 0);
    control.Find("ab", 0);
    box.setSelStart(0);
    EXPECT_EQ(keyDown(VK_F3), 0);
    EXPECT_EQ(box.SelText(), "ab") << "F3 found the first match again from the caret";
    EXPECT_EQ(keyDown(VK_F, kCtrlMask), 0);
    editBar.click("cmdFind");
    menu.choose("mnuFind");
    EXPECT_EQ(shell.findDialogOpens, 3);

    control.setFindMenusEnabled(false);
    EXPECT_FALSE(menu.ItemVisible("mnuFind") || menu.ItemVisible("mnuFindNext"));
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

// Bad ranges and an empty text change nothing: not the text, the selection or the last search.
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

// The dialog's Replace goes on from the caret, one step per press, and tells its own message box when
// nothing is found; replacing skips encoded values, which Find still finds, and a locked box.
TEST_F(MenuAndFindTest, ReplaceGoesOnFromTheCaretAndSkipsEncodedValues) {
    setValue("a a a a", 2);
    for (int i = 0; i < 3; ++i)
        control.DialogReplace("a", "b", false, false, messages);
    EXPECT_EQ(box.Text(), "a b b b");
    EXPECT_EQ(state.mpcUndo->Count(), 3);

    setValue("xyz", 1);
    box.setSelLength(1);
    EXPECT_EQ(control.Replace("q", "r"), -1);
    EXPECT_EQ(box.SelText(), "y") << "nothing found leaves the selection";
    MemoryMessageBox dialogMessages;
    control.DialogReplace("q", "r", false, false, dialogMessages);
    ASSERT_EQ(dialogMessages.messages().size(), 1);
    EXPECT_EQ(dialogMessages.messages()[0].text, "Text can not be found");
    EXPECT_TRUE(messages.messages().isEmpty());

    setValue("a=~64\"YWFh\" a", 0);
    EXPECT_EQ(control.Replace("Y", "Z"), -1) << "inside the stored value";
    EXPECT_EQ(control.Replace("a", "b"), 0);
    EXPECT_EQ(control.Replace("a", "b", 1), 12);
    EXPECT_EQ(box.Text(), "b=~64\"YWFh\" b");
    EXPECT_EQ(control.Find("YWFh", 0), 6);
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
