// The controller's parts on their own: the change handler, the foreground check and the layout.
#include "control/ChangeHandler.h"
#include "control/EditorLayout.h"
#include "control/ForegroundCheck.h"
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
    std::function<void()> trigger = [&] {
        EXPECT_TRUE(box.updatesLocked());
        box.SetScrollPos({0, 0});
    };
    ScrollPos seen{};
    ChangeHandler handler{
        box, state, messages, {[&](ScrollPos s) { seen = s, trigger(); }, [&] { ++passRequests; }}};
    box.SetScrollPos({3, 40});
    state.mbBusy = true;
    handler.Change();
    EXPECT_FALSE(state.mbChanged || passRequests || seen.x) << "the control's own change";
    state.mbBusy = false;
    handler.Change();
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
    EXPECT_EQ(messages.messages()[0].text, "Error opening user\nError: 5\nDesc: the member file is corrupt");
    EXPECT_FALSE(state.mbChanged || passRequests != 1);
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
    EXPECT_EQ(box.refreshCount(), 2);
}

constexpr WindowHandle kHost = 100, kListForm = 200, kTipForm = 300;

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
// Losing the focus closes them unless the list took it; both stop the timer.
TEST(ForegroundCheckTest, ClosesThePopupsOnlyWhenAnotherWindowCameInFrontOrTookTheFocus) {
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
        popups.listShown = c.listShown, popups.tipShown = c.tipShown;
        popups.listForm = c.listLoaded ? kListForm : 0;
        popups.tipForm = c.tipShown ? kTipForm : 0;
        popups.front = c.front;
        timer.fire();
        EXPECT_EQ(popups.closes, c.closes) << c.what;
    }
    for (const auto& [listForm, listHasFocus, closes] :
         {std::tuple{0, false, 0}, {200, true, 0}, {200, false, 1}}) {
        ManualTimer timer;
        FakePopups popups;
        ForegroundCheck check{timer, popups, popups};
        check.GotFocus();
        popups.listForm = WindowHandle(listForm), popups.listHasFocus = listHasFocus;
        check.LostFocus();
        EXPECT_EQ(popups.closes, closes) << listForm << listHasFocus;
        EXPECT_FALSE(timer.Enabled());
    }
}

// The box starts at the bar's nominal height and gives way to its actual height; a control too small for
// its bars leaves the box where it is. (The shown control's layout is the widgets' test.)
TEST(EditorLayoutTest, TheBoxFillsWhatTheBarsLeave) {
    const struct {
        int height, barHeight;
        std::optional<QRect> box;
    } cases[] = {{300, 60, QRect(0, 41, 400, 215)}, {66, 41, QRect(0, 41, 400, 0)}, {65, 41, std::nullopt}};
    for (const auto& c : cases)
        EXPECT_EQ(LayOutEditor({400, c.height, false, 41, c.barHeight, 25}).codeBox, c.box) << c.height;
}

} // namespace
} // namespace qx
