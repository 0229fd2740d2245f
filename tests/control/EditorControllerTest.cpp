#include "support/ControllerFixture.h"

#include "assist/AssistPopups.h"
#include "control/ChangeHandler.h"
#include "control/ForegroundCheck.h"
#include "find/FindReplace.h"
#include "hostlib/LibraryError.h"
#include "platform/KeyCodes.h"
#include "platform/PopupPlacement.h"
#include "platform/WindowLock.h"
#include "platform/memory/ManualTimer.h"
#include "support/LogCapture.h"

#include <gmock/gmock.h>

#include <QFile>

#include <functional>
#include <map>

namespace qx::test {
namespace {

// A user's change runs the trigger (repainting locked), marks Changed and asks for the pass; no others do.
TEST(ChangeHandlerTest, AUserChangeRunsTheTriggerMarksChangedAndDelaysThePass) {
    MemoryCodeBox box;
    EditorState state;
    MemoryMessageBox messages;
    int passRequests = 0;
    std::function<void()> trigger = [&] { EXPECT_TRUE(box.updatesLocked()), box.SetScrollPos({0, 0}); };
    ScrollPos seen{};
    ChangeHandler handler{
        box, state, messages, {[&](ScrollPos s) { seen = s, trigger(); }, [&] { ++passRequests; }}};
    box.SetScrollPos({3, 40});
    state.mbBusy = true;
    handler.Change();
    EXPECT_FALSE(state.mbChanged || passRequests || seen.x) << "the control's own change";
    state.mbBusy = false;
    handler.Change();
    EXPECT_TRUE(seen == (ScrollPos{3, 40}) && box.GetScrollPos() == (ScrollPos{3, 40}) &&
                !box.updatesLocked());
    EXPECT_TRUE(state.mbChanged && passRequests == 1 && box.refreshCount() == 1);
    state.mbChanged = false;
    trigger = [] { throw LibraryError("corrupt"); };
    handler.Change();
    EXPECT_EQ(messages.messages().value(0).icon, MessageBox::Icon::Exclamation);
    EXPECT_FALSE(state.mbChanged || passRequests != 1 || WindowLock::lockedWindow());
}

constexpr WindowHandle kHost = 100, kListForm = 200, kTipForm = 300;

struct FakePopups final : ForegroundCheck::Popups, ForegroundWindow {
    bool ListShown() const override { return listShown; }
    bool TipShown() const override { return tipShown; }
    WindowHandle ListWindow() const override { return listForm; }
    WindowHandle TipWindow() const override { return tipShown ? kTipForm : 0; }
    bool ListHasFocus() const override { return listHasFocus; }
    void ClosePopups() override { ++closes; }
    WindowHandle Current() const override { return front; }
    bool listShown = false, tipShown = false, listHasFocus = false;
    WindowHandle listForm = kListForm, front = kHost;
    int closes = 0;
};

// A tick closes shown popups when another window came in front; losing the focus, unless the list took it.
TEST(ForegroundCheckTest, ClosesThePopupsOnlyWhenAnotherWindowCameInFrontOrTookTheFocus) {
    const struct {
        const char* what;
        bool focused, listShown, tipShown;
        WindowHandle front;
        int closes;
    } cases[] = {
        {"another application", true, true, true, ForegroundWindow::kOtherApplication, 1},
        {"no shown popups", true, false, false, kHost + 1, 0},
        {"the box never had the focus", false, true, false, kHost + 1, 0},
        {"the shown list", true, true, false, kListForm, 0},
        {"the shown tip", true, true, true, kTipForm, 0},
        {"the hidden list's form", true, false, true, kListForm, 1},
    };
    for (const auto& c : cases) {
        ManualTimer timer;
        FakePopups popups;
        ForegroundCheck check{timer, popups, popups};
        if (c.focused)
            check.GotFocus();
        timer.setEnabled(true);
        popups.listShown = c.listShown, popups.tipShown = c.tipShown, popups.front = c.front;
        timer.fire();
        EXPECT_EQ(popups.closes, c.closes) << c.what;
    }
    ManualTimer timer;
    FakePopups popups;
    ForegroundCheck check{timer, popups, popups};
    popups.listForm = 0;
    check.LostFocus();
    popups.listForm = kListForm, popups.listHasFocus = true;
    check.LostFocus();
    EXPECT_EQ(popups.closes, 0);
    popups.listHasFocus = false;
    check.LostFocus();
    EXPECT_EQ(popups.closes, 1);
}

class EditorControllerTest : public ControllerFixture {
protected:
    void select(int start, int length) { box.setSelStart(start), box.setSelLength(length); }
    void rightClick() { box.mouseDown(kRightButton, 0, 5, 5); }
    int keyDown(int vk, int shift = 0) { return control.KeyDown(vk, shift), vk; }
};

// Value is coloured at once; typing sets Changed, asks for a pass; Ctrl+Z/Y walk the history, close popups.
TEST_F(EditorControllerTest, WhatMarksTheControlChangedAndTheUndoKeys) {
    control.setCodeType(1);
    const int passes = control.passCount();
    setValue("Dim x");
    EXPECT_FALSE(state.mbChanged || highlightTimer.Enabled() || QFile::exists(settings.path() + "/user.ini"))
        << "nor is a setting stored by making a control";
    EXPECT_EQ(control.passCount(), passes + 1);
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
    box.pressKey(VK_Z, kCtrlMask), box.pressKey(VK_Z, kCtrlMask | kShiftMask);
    EXPECT_EQ(box.Text(), "Dim x = tag.") << "Ctrl+Shift+Z redoes too";
    EXPECT_FALSE(state.mbTipShown);
    box.focusOut();
    editBar.click(EditBar::kHighlightCheckBox); // the user's switch is stored, the keyboard back in the text
    EXPECT_TRUE(box.HasFocus());
    EXPECT_TRUE(QFile::exists(settings.path() + "/user.ini"));
}

// The control's chords win over the window's shortcuts; others, and near misses, do not.
TEST_F(EditorControllerTest, TakesItsOwnChordsBeforeTheWindowsShortcuts) {
    for (const auto& [vk, shift, taken] : {std::tuple<int, int, bool>{VK_F, kCtrlMask, true},
                                           {VK_E, kCtrlMask, true},
                                           {VK_F3, 0, true},
                                           {VK_SPACE, kCtrlMask, true},
                                           {VK_OEM_PLUS, kCtrlMask | kShiftMask, true},
                                           {VK_Z, kCtrlMask | kShiftMask, true},
                                           {VK_LEFT, kAltMask, false},
                                           {VK_TAB, kCtrlMask, true},
                                           {VK_APPS, 0, true},
                                           {VK_F10, kShiftMask, true},
                                           {VK_F10, 0, false},
                                           {VK_G, kCtrlMask, true},
                                           {VK_F, kCtrlMask | kAltMask, false},
                                           {VK_F3, kCtrlMask, false},
                                           {0x51, kCtrlMask, false}})
        EXPECT_EQ(control.TakesChord(vk, shift), taken) << vk << " " << shift;
    control.setFindMenusEnabled(false);
    EXPECT_FALSE(control.TakesChord(VK_F, kCtrlMask)) << "the host's Ctrl+F while the find items are off";
}

// The history keeps the latest hundred steps; Undo is the control's own change.
TEST_F(EditorControllerTest, TheHistoryKeepsTheLatestHundredSteps) {
    box.typeText(QString(101, u'x'));
    ASSERT_EQ(state.mpcUndo->Count(), 100);
    state.mbChanged = false;
    for (int i = 0; i < 150; ++i)
        control.Undo();
    EXPECT_EQ(box.Text(), "x");
    EXPECT_EQ(state.mpcRedo->Count(), 100);
    EXPECT_FALSE(state.mbChanged || state.mbBusy);
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
    box.typeText(" = tag.");
    ASSERT_TRUE(state.mbListShown);
    foreground.front = 555; // another window came to the front
    foregroundTimer.advance(1000);
    EXPECT_FALSE(state.mbListShown);
    box.focusOut();
    EXPECT_FALSE(foregroundTimer.Enabled());
}

// A failing entry throws nothing to Qt, logs or reports, drops the busy flag, closes popups, refuses the key.
TEST_F(EditorControllerTest, AFailureUnderAnyEntryEndsItThereAndLeavesTheStateWhole) {
    control.setCodeType(1);
    setValue("x = tag.");
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
        {"BeforeInput", Closed, [&] { EXPECT_FALSE(control.BeforeInput(TextInput::Drop)); }},
        {"MayMoveText", Closed, [&] { EXPECT_FALSE(control.MayMoveText(0, 1)); }},
        {"menu", Closed, [&] { menu.choose("mnuSelectAll"); }},
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

// "Add To Favourites" is offered for whole tags only; a favourite or a paste is one step; Cut and Copy need a
// selection; Cut, Paste and favourites are refused in encoded values and on a locked box.
TEST_F(EditorControllerTest, MenuItems) {
    for (const auto& [selection, offered] : {std::pair{"<QX:A>b</QX><QX:C>d</QX>", true},
                                             {"x<QX:A>b</QX>", false},
                                             {"<QX:A>b</QX></QX>", false}}) {
        setValue(QString::fromLatin1(selection) + "tail", 0);
        box.setSelLength(int(qstrlen(selection)));
        rightClick();
        EXPECT_EQ(menu.ItemVisible("mnuAddToFav"), offered) << selection;
        EXPECT_EQ(box.SelText(), selection);
    }
    caret.setCaret(QRect(40, 60, 1, 16)); // the Menu key and Shift+F10 open the same menu at the caret
    setValue("<QX:A>b</QX> tail", 0), box.setSelLength(12);
    for (const auto& [vk, shift] : {std::pair{VK_APPS, 0}, {VK_F10, kShiftMask}}) {
        const int opened = menu.popupCount();
        EXPECT_EQ(keyDown(vk, shift), 0);
        EXPECT_TRUE(menu.popupCount() == opened + 1 && menu.poppedAt() == QPoint(40, 75));
        EXPECT_TRUE(menu.ItemVisible("mnuAddToFav")) << "the rule for the selection of the moment";
    }
    setValue("<QX:A>b</QX><QX:C>d</QX> tail", 0);
    box.setSelLength(24);
    input.answer("A & B");
    menu.choose("mnuAddToFav");
    EXPECT_EQ(menu.FavouriteItems(), QStringList{"A & B"});
    setValue("one two", 0);
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "<QX:A>b</QX><QX:C>d</QX>one two");
    control.Undo();
    EXPECT_EQ(box.Text(), "one two") << "one step";

    clipboard.setText("kept");
    menu.choose("mnuCopy"), menu.choose("mnuCut");
    EXPECT_EQ(clipboard.Text(), "kept") << "no selection";
    select(0, 3), menu.choose("mnuCut");
    EXPECT_EQ(clipboard.Text(), "one");
    select(1, 3), menu.choose("mnuPaste");
    EXPECT_EQ(box.Text(), " one");
    EXPECT_EQ(state.mpcUndo->Count(), 2);
    control.Undo();
    clipboard.clear(); // an image, or nothing
    select(1, 3), menu.choose("mnuPaste");
    EXPECT_EQ(box.SelText(), "two");
    rightClick();
    EXPECT_TRUE(menu.ItemEnabled("mnuUndo") && menu.ItemEnabled("mnuRedo"));
    box.setLocked(true), rightClick();
    EXPECT_FALSE(menu.ItemEnabled("mnuRedo")) << "locked";
    box.setLocked(false);
    clipboard.setText("zz");
    for (const auto& [caret, locked] : {std::pair{7, false}, {0, true}}) {
        setValue("x=~64\"QUJD\" y", caret);
        box.setSelLength(2), box.setLocked(locked), rightClick();
        EXPECT_FALSE(menu.ItemEnabled("mnuCut") || menu.ItemEnabled("mnuPaste") ||
                     menu.ItemEnabled("mnuFav1"));
        EXPECT_NE(menu.ItemEnabled("mnuUndo"), locked);
        menu.choose("mnuCut"), menu.choose("mnuPaste"), menu.choose("mnuFav1");
        EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y") << locked;
    }
}

// Each change is told once, when the action that made it is done, be it the user's or the host's; stepping
// in and out changes no text, and Value read from a notice leaves the user in their level.
TEST_F(EditorControllerTest, TellsTheHostOfEachChangeOnceWhenTheActionIsDone) {
    using N = Notice;
    auto heard = [&] {
        std::map<Notice, int> count;
        for (const auto& [notice, value] : std::exchange(shell.notices, {}))
            ++count[notice];
        return count;
    };
    setValue("a=~64\"QUJD\" b", 0);
    heard();
    box.typeText("x");
    EXPECT_EQ(heard(), (std::map<N, int>{
                           {N::Text, 1}, {N::Modified, 1}, {N::CursorPosition, 1}, {N::UndoAvailable, 1}}));
    control.SelectAll();
    EXPECT_EQ(heard(), (std::map<N, int>{{N::CursorPosition, 1}, {N::Selection, 1}}));
    control.Undo();
    EXPECT_EQ(heard(), (std::map<N, int>{{N::Text, 1},
                                         {N::CursorPosition, 1},
                                         {N::Selection, 1},
                                         {N::UndoAvailable, 1},
                                         {N::RedoAvailable, 1}}));
    box.setSelStart(8), control.EditEncoded();
    EXPECT_THAT(shell.notices, testing::Contains(std::pair(N::Level, qint64(2))));
    EXPECT_EQ(heard().count(N::Text), 0u);
    control.setChanged(false), heard();
    QString value;
    shell.onAnnounce = [&](Notice notice, qint64) {
        if (notice == N::Text)
            value = control.Value(), control.setChanged(false);
    };
    box.typeText("D");
    EXPECT_EQ(value, "a=~64\"REFCQw==\" b");
    EXPECT_EQ(state.mlLevel, 2) << "the user stays in the value";
    EXPECT_THAT(shell.notices, testing::Contains(std::pair(N::Modified, qint64(0)))) << "the host's change";
    EXPECT_EQ(heard().at(N::Modified), 1) << "and not the typing's true after it";
    control.GoBack(), control.setCodeType(1), control.setCodeType(1);
    const std::map<N, int> back = heard();
    EXPECT_EQ(back.count(N::Text), 0u);
    EXPECT_EQ(back.at(N::Level) + back.at(N::CodeType), 2);
}

// Lines count as the "Line" panel counts them (a lone LF too); Ctrl+G asks, and reports what is no number.
TEST_F(EditorControllerTest, GoToLineFromTheHostAndCtrlG) {
    state.mbSyntaxHighlight = false; // no colouring pass moves the selection
    control.setValue("a\r\nbb\nccc");
    EXPECT_EQ(status.PanelText("Line"), "Line: 1") << "shown with the new text";
    for (const auto& [line, caret] : {std::pair{2, 3}, {3, 6}, {99, 6}, {0, 0}}) {
        control.GoToLine(line);
        EXPECT_EQ(std::pair(box.SelStart(), box.SelLength()), std::pair(caret, 0)) << line;
    }
    input.answer(" 2 "), input.cancel(), input.answer("two");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keyDown(VK_G, kCtrlMask), 0);
    EXPECT_EQ(box.SelStart(), 3);
    EXPECT_EQ(input.questions().value(0).prompt, "Line number (1 - 3):");
    EXPECT_EQ(messages.messages().size(), 1);
}

// Find selects after the selection; a failed Find leaves the last one for F3; F3 and Ctrl+F count only while
// the find items are there; bad ranges and an empty text change nothing.
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
    EXPECT_EQ(std::pair(box.SelStart(), box.SelLength()), std::pair(0, 0));
    EXPECT_EQ(state.msLastFind, "cd");
}

// Replace goes on from the caret, one step a press, and skips encoded values (Find finds them) and locks.
TEST_F(EditorControllerTest, ReplaceGoesOnFromTheCaretAndSkipsEncodedValues) {
    setValue("a a a a", 2);
    for (int i = 0; i < 3; ++i)
        control.DialogReplace("a", "b", 0, messages);
    EXPECT_EQ(box.Text(), "a b b b");
    EXPECT_EQ(state.mpcUndo->Count(), 3);

    setValue("xyz", 1);
    box.setSelLength(1);
    EXPECT_EQ(control.Replace("q", "r"), -1);
    EXPECT_EQ(box.SelText(), "y") << "nothing found leaves the selection";
    MemoryMessageBox dialogMessages;
    control.DialogReplace("q", "r", 0, dialogMessages);
    ASSERT_EQ(dialogMessages.messages().size(), 1);
    EXPECT_EQ(dialogMessages.messages()[0].text, "Text can not be found");
    EXPECT_EQ(shell.requested, QStringList{"Find: Text can not be found"}) << "the dialog's own, too";

    setValue("a=~64\"YWFh\" a", 0);
    EXPECT_EQ(control.Replace("Y", "Z"), -1) << "inside the stored value";
    EXPECT_EQ(control.Replace("a", "b"), 0);
    EXPECT_EQ(control.Replace("a", "b", 1), 12);
    EXPECT_EQ(control.Find("YWFh", 0), 6);
    box.setLocked(true);
    control.DialogReplace("b", "c", 0, messages);
    EXPECT_EQ(box.Text(), "b=~64\"YWFh\" b");
}

// Wrapping, starting at the caret, Shift+F3 backwards, counting, and Replace All as one undo step that
// leaves encoded values alone.
TEST_F(EditorControllerTest, FindWrapsCountsGoesBackAndReplacesAll) {
    constexpr int wrap = FindReplace::kWrapAround, caret = FindReplace::kFromCaret;
    setValue("ab x ab x ab", 5);
    EXPECT_EQ(control.Find("ab"), 0);
    box.setSelStart(5);
    EXPECT_EQ(control.Find("ab", -1, -1, caret), 5);
    EXPECT_EQ(control.Find("ab", -1, -1, wrap), 10);
    EXPECT_EQ(control.Find("ab", -1, -1, wrap), 0) << "wrapped";
    EXPECT_EQ(control.Find("ab", -1, -1, 0), 5);
    EXPECT_EQ(control.CountMatches("AB"), (FindReplace::MatchCount{2, 3}));
    EXPECT_EQ(keyDown(VK_F3, kShiftMask), 0);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(control.FindPrevious(), -1) << "no wrap asked";
    control.DialogFindNext("ab", wrap, messages, true);
    EXPECT_EQ(box.SelStart(), 10) << "back from the top goes on from the end";
    EXPECT_EQ(control.CountMatches("x", FindReplace::kMatchCase), (FindReplace::MatchCount{0, 2}));
    EXPECT_EQ(control.CountMatches("").total, -1);

    setValue("ab =~64\"YWJh\" Ab", 0);
    EXPECT_EQ(control.ReplaceAll("", "z"), -1);
    EXPECT_EQ(control.ReplaceAll("q", "z"), 0);
    EXPECT_EQ(control.DialogReplaceAll("q", "z", 0, messages), 0);
    EXPECT_EQ(messages.messages().size(), 1) << "Text can not be found";
    EXPECT_EQ(control.ReplaceAll("A", "[a]"), 2);
    EXPECT_EQ(box.Text(), "[a]b =~64\"YWJh\" [a]b");
    control.Undo();
    EXPECT_EQ(box.Text(), "ab =~64\"YWJh\" Ab") << "one step";
    box.setLocked(true);
    EXPECT_EQ(control.DialogReplaceAll("a", "z", 0, messages), -1);
    EXPECT_EQ(box.Text(), "ab =~64\"YWJh\" Ab");
}

// A dialog stays where it is unless it covers the match; then it goes below the match, or above it.
TEST(PlaceDialogClearOf, MovesOffTheMatchAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1000, 800), dialog(100, 100, 300, 200);
    EXPECT_EQ(PlaceDialogClearOf(dialog, QRect(500, 150, 40, 16), screen), QPoint(100, 100));
    EXPECT_EQ(PlaceDialogClearOf(dialog, QRect(150, 150, 40, 16), screen), QPoint(100, 174));
    EXPECT_EQ(PlaceDialogClearOf(dialog.translated(0, 500), QRect(150, 650, 40, 16), screen),
              QPoint(100, 442));
    EXPECT_EQ(PlaceDialogClearOf(QRect(900, 100, 300, 200), QRect(950, 150, 40, 16), screen),
              QPoint(700, 174));
}

// With GroupTypingUndo, the typed letters of a word are one step; a space, a caret move, a pause or another
// change each end the word's step.
TEST_F(EditorControllerTest, GroupedTypingIsOneStepPerWord) {
    setValue("", 0);
    state.mbGroupTypingUndo = true;
    box.typeText("abc de");
    EXPECT_EQ(state.mpcUndo->Count(), 3) << "abc, the space, de";
    keyDown(VK_LEFT), keyDown(VK_RIGHT);
    box.typeText("f");
    typingTimer.fire();
    box.typeText("g");
    keyDown(VK_TAB);
    box.typeText("h");
    EXPECT_EQ(state.mpcUndo->Count(), 7);
    control.Undo(), control.Undo(), control.Undo();
    EXPECT_EQ(box.Text(), "abc def");
    control.Undo();
    EXPECT_EQ(box.Text(), "abc de");
    state.mbGroupTypingUndo = false;
    box.typeText("ij");
    EXPECT_EQ(state.mpcUndo->Count(), 5);
}

} // namespace
} // namespace qx::test
