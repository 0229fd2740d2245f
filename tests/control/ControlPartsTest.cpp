// The controller's parts on their own: the change handler, the undo history, the foreground check and
// the layout.
#include "control/ChangeHandler.h"
#include "control/EditorLayout.h"
#include "control/ForegroundCheck.h"
#include "control/UndoHistory.h"
#include "hostlib/LibraryError.h"
#include "platform/WindowLock.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryMessageBox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// The completion trigger runs with repainting locked and the scroll position put back after it (a list
// that opens may scroll); then the control is marked changed and the delayed pass asked for. The
// control's own changes are ignored; a failure is reported and leaves both alone.
TEST(ChangeHandlerTest, AUserChangeRunsTheTriggerMarksChangedAndDelaysThePass) {
    MemoryCodeBox box;
    EditorState state;
    MemoryMessageBox messages;
    int passRequests = 0;
    ScrollPos seen{};
    std::function<void()> trigger;
    ChangeHandler handler{
        box, state, messages, {[&](ScrollPos s) { seen = s, trigger(); }, [&] { ++passRequests; }}};
    box.SetScrollPos({3, 40});
    bool lockedDuringTrigger = false;
    trigger = [&] {
        lockedDuringTrigger = box.updatesLocked();
        box.SetScrollPos({0, 0});
    };
    state.mbBusy = true;
    handler.Change();
    EXPECT_FALSE(state.mbChanged || lockedDuringTrigger || passRequests) << "the control's own change";
    state.mbBusy = false;
    handler.Change();
    EXPECT_TRUE(lockedDuringTrigger);
    EXPECT_EQ(seen, (ScrollPos{3, 40}));
    EXPECT_FALSE(box.updatesLocked());
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{3, 40}));
    EXPECT_EQ(box.refreshCount(), 1);
    EXPECT_TRUE(state.mbChanged);
    EXPECT_EQ(passRequests, 1);

    state.mbChanged = false;
    trigger = [] { throw LibraryError("the member file is corrupt"); };
    handler.Change();
    ASSERT_EQ(messages.messages().size(), 1);
    EXPECT_EQ(messages.messages()[0].icon, MessageBox::Icon::Exclamation);
    EXPECT_EQ(messages.messages()[0].title, "txtCode_Change");
    EXPECT_EQ(messages.messages()[0].text, "Error opening user\nError: 5\nDesc: the member file is corrupt");
    EXPECT_FALSE(state.mbChanged);
    EXPECT_EQ(passRequests, 1);
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
    EXPECT_EQ(box.refreshCount(), 2);
}

// Types as the key handling does: a snapshot just before each character reaches the text. The box's
// edits reach the history as they reach the control.
class UndoHistoryTest : public ::testing::Test, public CodeBoxEvents {
protected:
    UndoHistoryTest() { setEvents(box, this); }
    ~UndoHistoryTest() override { setEvents(box, nullptr); }
    void Edited(int position, const QString& removed, int added) override {
        history.Edited(position, removed, added);
    }
    void Change() override { busyDuringChange = state.mbBusy; }
    void type(const QString& text) {
        for (QChar c : text) {
            history.RecordSnapshot();
            box.setSelText(QString(c));
        }
    }

    MemoryCodeBox box;
    EditorState state;
    bool busyDuringChange = false;
    int afterSteps = 0;
    UndoHistory history{box, state, [this] { ++afterSteps; }};
};

// The stack keeps the latest hundred steps; a step restored is the control's own change; new typing
// empties Redo; a busy control records nothing.
TEST_F(UndoHistoryTest, KeepsTheLatestHundredStepsAndTypingEmptiesRedo) {
    history.Undo();
    history.Redo();
    EXPECT_EQ(afterSteps, 0) << "nothing to take";
    type(QString(101, u'x'));
    ASSERT_EQ(state.mpcUndo->Count(), 100);
    for (int i = 0; i < 150; ++i)
        history.Undo();
    EXPECT_EQ(box.Text(), "x");
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(state.mpcRedo->Count(), 100);
    EXPECT_EQ(afterSteps, 100);
    EXPECT_TRUE(busyDuringChange);
    EXPECT_FALSE(state.mbBusy);

    type("y");
    EXPECT_EQ(state.mpcRedo->Count(), 0);
    state.mbBusy = true;
    history.RecordSnapshot();
    EXPECT_EQ(state.mpcUndo->Count(), 1);
}

constexpr WindowHandle kHost = 100;
constexpr WindowHandle kListForm = 200;
constexpr WindowHandle kTipForm = 300;

class FakePopups final : public ForegroundCheck::Popups, public ForegroundWindow {
public:
    bool ListShown() const override { return listShown; }
    bool TipShown() const override { return tipShown; }
    WindowHandle ListWindow() const override { return listForm; }
    WindowHandle TipWindow() const override { return tipForm; }
    bool ListHasFocus() const override { return listHasFocus; }
    void ClosePopups() override { ++closes; }
    WindowHandle Current() const override { return front; }

    bool listShown = false, tipShown = false, listHasFocus = false;
    WindowHandle listForm = 0, tipForm = 0, front = kHost;
    int closes = 0;
};

// One tick after the given window came to the front closes the popups only when another window came in
// front of shown popups; clicking into a shown popup brings it to the front, which is not another window.
TEST(ForegroundCheckTest, ClosesThePopupsOnlyWhenAnotherWindowCameInFrontOfShownPopups) {
    const struct {
        const char* what;
        bool focused, listShown, listLoaded, tipShown;
        WindowHandle front;
        int closes;
    } cases[] = {
        {"another application", true, true, true, true, ForegroundWindow::kOtherApplication, 1},
        {"another window of the host", true, true, true, false, kHost + 1, 1},
        {"the same window", true, true, true, false, kHost, 0},
        {"no shown popups", true, false, true, false, kHost + 1, 0},
        {"the box never had the focus", false, true, true, false, kHost + 1, 0},
        {"the shown list", true, true, true, false, kListForm, 0},
        {"the shown tip", true, true, true, true, kTipForm, 0},
        {"the hidden list's form", true, false, true, true, kListForm, 1},
    };
    for (const auto& c : cases) {
        ManualTimer timer;
        FakePopups popups;
        ForegroundCheck check{timer, popups, popups};
        if (c.focused)
            check.GotFocus();
        timer.setEnabled(true);
        popups.listShown = c.listShown;
        popups.listForm = c.listLoaded ? kListForm : 0;
        popups.tipShown = c.tipShown;
        popups.tipForm = c.tipShown ? kTipForm : 0;
        popups.front = c.front;
        timer.fire();
        EXPECT_EQ(popups.closes, c.closes) << c.what;
    }
}

TEST(ForegroundCheckTest, LosingTheFocusClosesThePopupsUnlessTheListTookIt) {
    for (const auto& [listForm, listHasFocus, closes] :
         {std::tuple{0, false, 0}, {200, true, 0}, {200, false, 1}}) {
        ManualTimer timer;
        FakePopups popups;
        ForegroundCheck check{timer, popups, popups};
        check.GotFocus();
        popups.listForm = WindowHandle(listForm);
        popups.listHasFocus = listHasFocus;
        check.LostFocus();
        EXPECT_EQ(popups.closes, closes) << listForm << listHasFocus;
        EXPECT_FALSE(timer.Enabled());
    }
}

// The box starts at the bar's nominal height and gives way to its actual height; a control too small for
// its bars leaves the box where it is, the bars following the view all the same.
TEST(EditorLayoutTest, TheBoxFillsWhatTheBarsLeave) {
    const struct {
        int height;
        bool fullView;
        int barHeight;
        std::optional<QRect> box;
    } cases[] = {
        {300, true, 41, QRect(0, 0, 400, 275)},
        {300, false, 41, QRect(0, 41, 400, 234)},
        {300, false, 60, QRect(0, 41, 400, 215)},
        {66, false, 41, QRect(0, 41, 400, 0)},
        {50, false, 41, std::nullopt},
        {20, true, 41, std::nullopt},
    };
    for (const auto& c : cases) {
        const EditorLayoutResult out = LayOutEditor({400, c.height, c.fullView, 41, c.barHeight, 25});
        EXPECT_EQ(out.codeBox, c.box) << c.height << " " << c.fullView << " " << c.barHeight;
        EXPECT_EQ(out.editBarVisible, !c.fullView);
        EXPECT_EQ(out.editBar, QRect(0, 0, 400, c.barHeight));
        EXPECT_EQ(out.statusBar, QRect(0, c.height - 25, 400, 25));
    }
    EXPECT_EQ(FindButtonLeft(400, 49, 8), 343);
}

} // namespace
} // namespace qx
