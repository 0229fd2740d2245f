#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "platform/KeyCodes.h"
#include "support/LogCapture.h"

#include <gmock/gmock.h>

#include <functional>

namespace qx::test {
namespace {

using EditorControllerTest = ControllerFixture;

TEST_F(EditorControllerTest, StartsWithTheStoredViewAndTheCaptions) {
    EXPECT_TRUE(editBar.HighlightChecked());
    EXPECT_TRUE(state.mbSyntaxHighlight);
    EXPECT_FALSE(status.PanelEnabled("Encoded"));
    EXPECT_EQ(menu.ItemText("mnuFullView"), "Full View");
    EXPECT_EQ(menu.ItemText("mnuSyntaxHighlight"), "Disable Syntax Highlight");
    EXPECT_EQ(eventsOf(box), &control);
}

TEST_F(EditorControllerTest, CtrlZAndCtrlYWalkTheControlsOwnHistory) {
    box.typeText("ab");
    EXPECT_EQ(state.mpcUndo->Count(), 2);
    EXPECT_TRUE(state.mbChanged) << "the change handler marked the user's typing";

    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_EQ(box.Text(), "a");
    box.pressKey(VK_Y, kCtrlMask);
    EXPECT_EQ(box.Text(), "ab");
    // Only Ctrl exactly: with Shift too the key is not the control's.
    box.pressKey(VK_Z, kCtrlMask | kShiftMask);
    EXPECT_EQ(box.Text(), "ab");
    EXPECT_FALSE(state.mbBusy);
}

TEST_F(EditorControllerTest, TheChangeHandlerIgnoresTheHostsValueAndDelaysThePass) {
    const int passes = control.passCount();
    setValue("Dim x");
    EXPECT_FALSE(state.mbChanged);
    EXPECT_EQ(control.passCount(), passes + 1) << "Value is coloured at once";
    EXPECT_FALSE(highlightTimer.Enabled());

    box.typeText("y");
    EXPECT_TRUE(state.mbChanged);
    EXPECT_TRUE(highlightTimer.Enabled());
    highlightTimer.advance(150);
    EXPECT_EQ(control.passCount(), passes + 2);
}

TEST_F(EditorControllerTest, TypingAnObjectDotOpensTheMemberListAndALeftClickClosesIt) {
    control.setCodeType(1);
    box.typeText("x = tag.");
    ASSERT_TRUE(state.mbListShown);
    ASSERT_NE(list(), nullptr);
    EXPECT_TRUE(list()->Visible());
    EXPECT_EQ(list()->ListType(), 1);
    EXPECT_EQ(state.mlListStart, 8);

    box.mouseDown(kLeftButton, 0, 5, 5);
    EXPECT_FALSE(state.mbListShown);
    EXPECT_FALSE(list()->Visible());
}

TEST_F(EditorControllerTest, ThePopupMenusViewItems) {
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_EQ(menu.popupCount(), 1);

    menu.choose("mnuFullView");
    EXPECT_TRUE(state.mbFullView);
    EXPECT_EQ(shell.layOuts, 1);
    EXPECT_EQ(menu.ItemText("mnuFullView"), "Advanced View");

    setValue("Dim x");
    const int passes = control.passCount();
    menu.choose("mnuSyntaxHighlight");
    EXPECT_FALSE(editBar.HighlightChecked());
    EXPECT_FALSE(state.mbSyntaxHighlight);
    EXPECT_EQ(menu.ItemText("mnuSyntaxHighlight"), "Enable Syntax Highlight");
    menu.choose("mnuSyntaxHighlight");
    EXPECT_TRUE(state.mbSyntaxHighlight);
    EXPECT_EQ(control.passCount(), passes + 1) << "switching on colours the text again";
}

TEST_F(EditorControllerTest, TheLinePanelFollowsTheCaret) {
    setValue("a\r\nb\r\nc", 0);
    box.setSelStart(4);
    EXPECT_EQ(status.PanelText("Line"), "Line: 2");
    box.setSelStart(0);
    EXPECT_EQ(status.PanelText("Line"), "Line: 1");
}

TEST_F(EditorControllerTest, FocusRunsTheForegroundCheck) {
    box.focusIn();
    EXPECT_TRUE(foregroundTimer.Enabled());
    EXPECT_EQ(control.foregroundCheck().mhForegroundWindow, foreground.front);

    control.setCodeType(1);
    box.typeText("x = tag.");
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
    enum Outcome { Closed, Logged, Reported };
    const struct {
        const char* entry;
        Outcome outcome;
        std::function<void()> run;
    } entries[] = {
        {"KeyDown", Closed,
         [&] {
             int k = VK_A;
             control.KeyDown(k, 0);
             EXPECT_EQ(k, kKeyRefused);
         }},
        {"KeyPress", Closed,
         [&] {
             int c = 'a';
             control.KeyPress(c);
             EXPECT_EQ(c, kKeyRefused);
         }},
        {"KeyUp", Closed,
         [&] {
             int k = VK_A;
             control.KeyUp(k, 0);
         }},
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
        if (e.outcome == Closed) {
            EXPECT_FALSE(state.mbTipShown) << e.entry;
        }
        if (e.outcome == Reported) {
            EXPECT_EQ(messages.messages().value(0).title, "txtCode_Change");
        } else {
            EXPECT_THAT(log.text(), ::testing::HasSubstr("the platform failed")) << e.entry;
        }
    }
    EXPECT_EQ(box.Text(), "x = tag.");
}

// The text moves under an open list: Undo and Redo close it, so no key drives an orphaned list.
TEST_F(EditorControllerTest, UndoAndRedoCloseThePopups) {
    control.setCodeType(1);
    box.typeText("x = tag.");
    ASSERT_TRUE(state.mbListShown);
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_FALSE(state.mbListShown);
    Properties values;
    values.Add("Alpha", QString());
    control.popups().OpenList(values, ListKind::Values, {});
    control.popups().ShowTip("GetResult:SQL");
    box.pressKey(VK_Y, kCtrlMask);
    EXPECT_FALSE(state.mbListShown || state.mbTipShown);
    EXPECT_FALSE(list()->Visible());
    EXPECT_EQ(box.Text(), "x = tag.");
}

} // namespace
} // namespace qx::test
