#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "platform/KeyCodes.h"
#include "support/LogCapture.h"

#include <gmock/gmock.h>

#include <functional>

namespace qx::test {
namespace {

using EditorControllerTest = ControllerFixture;

// Ctrl+Z and Ctrl+Y (Ctrl exactly) walk the control's own history; the user's typing marks the control
// changed and asks for the delayed pass, the host's Value neither (it is coloured at once).
TEST_F(EditorControllerTest, TheUndoKeysAndWhatMarksTheControlChanged) {
    EXPECT_EQ(eventsOf(box), &control);
    const int passes = control.passCount();
    setValue("Dim x");
    EXPECT_FALSE(state.mbChanged);
    EXPECT_EQ(control.passCount(), passes + 1);
    EXPECT_FALSE(highlightTimer.Enabled());

    box.typeText("ab");
    EXPECT_TRUE(state.mbChanged);
    highlightTimer.advance(150);
    EXPECT_EQ(control.passCount(), passes + 2);
    box.pressKey(VK_Z, kCtrlMask);
    EXPECT_EQ(box.Text(), "Dim xa");
    box.pressKey(VK_Y, kCtrlMask);
    EXPECT_EQ(box.Text(), "Dim xab");
    box.pressKey(VK_Z, kCtrlMask | kShiftMask);
    EXPECT_EQ(box.Text(), "Dim xab");
    EXPECT_FALSE(state.mbBusy);
}

// The view items follow the stored settings and switch their captions; the line panel follows the caret.
TEST_F(EditorControllerTest, TheMenusViewItemsAndTheLinePanel) {
    EXPECT_TRUE(editBar.HighlightChecked());
    EXPECT_FALSE(status.PanelEnabled("Encoded"));
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_EQ(menu.popupCount(), 1);
    EXPECT_EQ(menu.ItemText("mnuFullView"), "Full View");
    menu.choose("mnuFullView");
    EXPECT_TRUE(state.mbFullView);
    EXPECT_EQ(shell.layOuts, 1);
    EXPECT_EQ(menu.ItemText("mnuFullView"), "Advanced View");

    setValue("a\r\nb\r\nc", 4);
    EXPECT_EQ(status.PanelText("Line"), "Line: 2");
    const int passes = control.passCount();
    menu.choose("mnuSyntaxHighlight");
    EXPECT_FALSE(state.mbSyntaxHighlight);
    EXPECT_EQ(menu.ItemText("mnuSyntaxHighlight"), "Enable Syntax Highlight");
    menu.choose("mnuSyntaxHighlight");
    EXPECT_TRUE(editBar.HighlightChecked() && state.mbSyntaxHighlight);
    EXPECT_EQ(menu.ItemText("mnuSyntaxHighlight"), "Disable Syntax Highlight");
    EXPECT_EQ(control.passCount(), passes + 1) << "switching on colours the text again";
}

// A left click closes the member list; the foreground check runs while the box has the focus.
TEST_F(EditorControllerTest, ALeftClickOrAnotherWindowInFrontClosesTheList) {
    control.setCodeType(1);
    box.typeText("x = tag.");
    ASSERT_TRUE(state.mbListShown && list()->Visible());
    EXPECT_EQ(list()->ListType(), 1);
    EXPECT_EQ(state.mlListStart, 8);
    box.mouseDown(kLeftButton, 0, 5, 5);
    EXPECT_FALSE(state.mbListShown || list()->Visible());

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
            EXPECT_EQ(messages.messages().value(0).title, "txtCode_Change");
        else
            EXPECT_THAT(log.text(), ::testing::HasSubstr("the platform failed")) << e.entry;
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
