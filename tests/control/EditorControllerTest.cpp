#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "find/FindReplace.h"
#include "platform/KeyCodes.h"
#include "support/LogCapture.h"

#include <gmock/gmock.h>

#include <functional>

namespace qx::test {
namespace {

class EditorControllerTest : public ControllerFixture {
protected:
    void select(int start, int length) { box.setSelStart(start), box.setSelLength(length); }
    void rightClick() { box.mouseDown(kRightButton, 0, 5, 5); }
    int keyDown(int vk, int shift = 0) { return control.KeyDown(vk, shift), vk; }
};

// The host's Value is coloured at once and does not mark the control changed; the user's typing marks it
// and asks for the delayed pass. Ctrl+Z and Ctrl+Y (Ctrl exactly) walk the history and close the popups,
// since the text moves under them. The line panel follows the caret.
TEST_F(EditorControllerTest, WhatMarksTheControlChangedAndTheUndoKeys) {
    control.setCodeType(1);
    const int passes = control.passCount();
    setValue("Dim x");
    EXPECT_FALSE(state.mbChanged);
    EXPECT_EQ(control.passCount(), passes + 1);
    EXPECT_FALSE(highlightTimer.Enabled());
    box.typeText(" = tag.");
    EXPECT_TRUE(state.mbChanged);
    highlightTimer.advance(150);
    EXPECT_EQ(control.passCount(), passes + 2);

    ASSERT_TRUE(state.mbListShown);
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_EQ(box.Text(), "Dim x = tag");
    EXPECT_FALSE(state.mbListShown);
    control.popups().ShowTip("GetResult:SQL");
    box.pressKey(VK_Y, kCtrlMask);
    EXPECT_EQ(box.Text(), "Dim x = tag.");
    EXPECT_FALSE(state.mbTipShown);
    box.pressKey(VK_Z, kCtrlMask | kShiftMask);
    EXPECT_EQ(box.Text(), "Dim x = tag.");
    setValue("a\r\nb\r\nc", 4);
    EXPECT_EQ(status.PanelText("Line"), "Line: 2");
}

// The history keeps the latest hundred steps; a step restored is the control's own change; new typing
// empties Redo.
TEST_F(EditorControllerTest, TheHistoryKeepsTheLatestHundredSteps) {
    box.typeText(QString(101, u'x'));
    ASSERT_EQ(state.mpcUndo->Count(), 100);
    state.mbChanged = false;
    for (int i = 0; i < 150; ++i)
        control.Undo();
    EXPECT_EQ(box.Text(), "x");
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(state.mpcRedo->Count(), 100);
    EXPECT_FALSE(state.mbChanged || state.mbBusy);
    box.typeText("y");
    EXPECT_EQ(state.mpcRedo->Count(), 0);
}

// A left click closes the popups; the foreground check runs while the box has the focus.
TEST_F(EditorControllerTest, ALeftClickOrAnotherWindowInFrontClosesThePopups) {
    control.setCodeType(1);
    box.typeText("x = tag.");
    ASSERT_TRUE(state.mbListShown && list()->Visible());
    control.popups().ShowTip("GetResult:SQL");
    box.mouseDown(kLeftButton, 0, 5, 5);
    EXPECT_FALSE(state.mbListShown || list()->Visible() || state.mbTipShown);

    box.focusIn();
    EXPECT_EQ(control.foregroundCheck().mhForegroundWindow, foreground.front);
    box.typeText(" = tag.");
    ASSERT_TRUE(state.mbListShown);
    foreground.front = 555; // another window came to the front
    foregroundTimer.advance(1000);
    EXPECT_FALSE(state.mbListShown);
    box.focusOut();
    EXPECT_FALSE(foregroundTimer.Enabled());
}

// Every entry from the event loop survives a platform that fails under it: nothing is thrown to Qt, the
// failure is logged (the change handler reports it in its message box), the busy flag is down, the popups
// of a failed rule are closed, and a key or an input is refused.
TEST_F(EditorControllerTest, AFailureUnderAnyEntryEndsItThereAndLeavesTheStateWhole) {
    control.setCodeType(1);
    setValue("x = tag.");
    MemoryMessageBox dialogMessages;
    int key = 0; // a refused key comes back as kKeyRefused
    enum Outcome { Closed, Logged, Reported };
    const struct {
        const char* entry;
        Outcome outcome;
        std::function<void()> run;
        bool refusesKey = false;
    } entries[] = {
        {"KeyDown", Closed, [&] { control.KeyDown(key = VK_A, 0); }, true},
        {"KeyPress", Closed, [&] { control.KeyPress(key = 'a'); }, true},
        {"KeyUp", Closed, [&] { control.KeyUp(key = VK_A, 0); }},
        {"MouseDown", Closed, [&] { control.MouseDown(kRightButton, 0, 1, 1); }},
        {"MouseUp", Closed, [&] { control.MouseUp(kLeftButton, 0, 1, 1); }},
        {"SelChange", Closed, [&] { control.SelChange(); }},
        {"Edited", Closed, [&] { control.Edited(0, "", 1); }},
        {"BeforeInput", Closed, [&] { EXPECT_FALSE(control.BeforeInput(TextInput::Drop)); }},
        {"MayMoveText", Closed, [&] { EXPECT_FALSE(control.MayMoveText(0, 1)); }},
        {"Edit button", Closed, [&] { editBar.click("cmdEditEncoded"); }},
        {"menu", Closed, [&] { menu.choose("mnuSelectAll"); }},
        {"find dialog", Closed, [&] { control.DialogFindNext("x", false, false, dialogMessages); }},
        {"replace dialog", Closed, [&] { control.DialogReplace("x", "y", false, false, dialogMessages); }},
        {"timer", Logged, [&] { highlightTimer.fire(); }},
        {"Change", Reported, [&] { control.Change(); }},
    };
    for (const auto& e : entries) {
        control.popups().ShowTip("GetResult:SQL");
        control.RequestDelayedPass();
        LogCapture log;
        box.failing = true;
        EXPECT_NO_THROW(e.run()) << e.entry;
        box.failing = false;
        EXPECT_FALSE(state.mbBusy) << e.entry;
        EXPECT_TRUE(!e.refusesKey || key == kKeyRefused) << e.entry;
        EXPECT_TRUE(e.outcome != Closed || !state.mbTipShown) << e.entry;
        if (e.outcome == Reported)
            EXPECT_EQ(messages.messages().value(0).text,
                      "Error opening user\nError: 5\nDesc: the platform failed");
        else
            EXPECT_THAT(log.text(), ::testing::HasSubstr("the platform failed")) << e.entry;
    }
    EXPECT_EQ(box.Text(), "x = tag.");
}

// "Add To Favourites" is offered for whole tags only (starting with an opener, ending with a closer, as
// many of each); opening the menu keeps the selection. An added favourite inserts as one step, but not
// into an encoded value or a locked box.
TEST_F(EditorControllerTest, Favourites) {
    for (const auto& [selection, offered] : {std::pair{"<QX:A>b</QX><QX:C>d</QX>", true},
                                             {"x<QX:A>b</QX>", false},
                                             {"<QX:A>b</QX> ", false},
                                             {"<QX:A>b</QX></QX>", false}}) {
        setValue(QString::fromLatin1(selection) + "tail", 0);
        box.setSelLength(int(qstrlen(selection)));
        rightClick();
        EXPECT_EQ(menu.ItemVisible("mnuAddToFav"), offered) << selection;
        EXPECT_EQ(box.SelText(), selection);
    }
    setValue("<QX:A>b</QX><QX:C>d</QX> tail", 0);
    box.setSelLength(24);
    input.answer("A & B");
    menu.choose("mnuAddToFav");
    EXPECT_EQ(menu.FavouriteItems(), QStringList{"A & B"});

    setValue("x y", 2);
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "x <QX:A>b</QX><QX:C>d</QX>y");
    control.Undo();
    EXPECT_EQ(box.Text(), "x y") << "one step";
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
TEST_F(EditorControllerTest, ClipboardItems) {
    setValue("one two", 0);
    clipboard.setText("kept");
    menu.choose("mnuCopy");
    menu.choose("mnuCut");
    EXPECT_EQ(clipboard.Text(), "kept");
    select(0, 3);
    menu.choose("mnuCut");
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
    EXPECT_EQ(box.SelText(), "two");

    rightClick();
    EXPECT_TRUE(menu.ItemEnabled("mnuUndo") && menu.ItemEnabled("mnuRedo"));
    setValue("x=~64\"QUJD\" y", 7);
    box.setSelLength(2);
    clipboard.setText("zz");
    for (const bool locked : {false, true}) {
        box.setLocked(locked);
        rightClick();
        EXPECT_FALSE(menu.ItemEnabled("mnuCut") || menu.ItemEnabled("mnuPaste"));
        EXPECT_NE(menu.ItemEnabled("mnuUndo"), locked);
        menu.choose("mnuCut");
        menu.choose("mnuPaste");
        EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y");
        select(0, 2);
    }
}

// Find selects what it finds, after the selection when there is one; a failed Find leaves the last
// successful one for F3. F3 and Ctrl+F count only while the find items are there. Bad ranges and an
// empty text change nothing: not the text, the selection or the last search.
TEST_F(EditorControllerTest, FindAndFindNext) {
    setValue("ab cd ab Ab abc", 0);
    EXPECT_EQ(control.FindNext(), 0) << "no search yet";
    EXPECT_EQ(keyDown(VK_F, kCtrlMask), 0);
    EXPECT_EQ(shell.findDialogOpens, 1);
    EXPECT_EQ(control.Find("ab"), 0);
    EXPECT_EQ(box.SelText(), "ab");
    EXPECT_EQ(control.Find("ab"), 6);
    EXPECT_EQ(control.Find("zz"), -1);
    EXPECT_EQ(keyDown(VK_F3), 0);
    EXPECT_EQ(box.SelStart(), 9);
    EXPECT_EQ(control.Find("ab", 10), 12);
    box.setSelStart(0);
    EXPECT_EQ(control.Find("cd", 0, -1, FindReplace::kNoHighlight), 3);
    EXPECT_EQ(box.SelLength(), 0) << "no highlight";

    for (const auto& [what, from, to] :
         {std::tuple{"ab", 99, -1}, {"ab", 5, 2}, {"ab", -2, -1}, {"ab", 0, -5}, {"", 0, -1}}) {
        EXPECT_EQ(control.Find(what, from, to), -1) << from << "," << to;
        EXPECT_EQ(control.Replace(what, "x", from, to), -1) << from << "," << to;
    }
    control.setFindMenusEnabled(false);
    EXPECT_EQ(keyDown(VK_F, kCtrlMask), VK_F);
    EXPECT_EQ(keyDown(VK_F3), VK_F3);
    EXPECT_EQ(shell.findDialogOpens, 1);
    EXPECT_EQ(box.Text(), "ab cd ab Ab abc");
    EXPECT_EQ(QPair(box.SelStart(), box.SelLength()), QPair(0, 0));
    EXPECT_EQ(state.msLastFind, "cd");
}

// The dialog's Replace goes on from the caret, one step per press, and tells its own message box when
// nothing is found; replacing skips encoded values, which Find still finds, and a locked box.
TEST_F(EditorControllerTest, ReplaceGoesOnFromTheCaretAndSkipsEncodedValues) {
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
    EXPECT_EQ(control.Find("YWFh", 0), 6);
    box.setLocked(true);
    control.DialogReplace("b", "c", false, false, messages);
    EXPECT_EQ(box.Text(), "b=~64\"YWFh\" b");
}

} // namespace
} // namespace qx::test
