#include "control/ForegroundCheck.h"
#include "platform/memory/ManualTimer.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

constexpr WindowHandle kHost = 100;
constexpr WindowHandle kOtherHostWindow = 101;
constexpr WindowHandle kListForm = 200;
constexpr WindowHandle kTipForm = 300;

class FakeForeground final : public ForegroundWindow {
public:
    WindowHandle Current() const override { return front; }
    WindowHandle front = kHost;
};

class FakePopups final : public ForegroundCheck::Popups {
public:
    bool ListShown() const override { return listShown; }
    bool TipShown() const override { return tipShown; }
    WindowHandle ListWindow() const override { return listForm; }
    WindowHandle TipWindow() const override { return tipForm; }
    bool ListHasFocus() const override { return listHasFocus; }
    void ClosePopups() override { ++closes; }

    bool listShown = false;
    bool tipShown = false;
    WindowHandle listForm = 0;
    WindowHandle tipForm = 0;
    bool listHasFocus = false;
    int closes = 0;
};

class ForegroundCheckTest : public ::testing::Test {
protected:
    ForegroundCheckTest() { timer.setInterval(1000); }

    void showList() {
        popups.listForm = kListForm;
        popups.listShown = true;
    }

    ManualTimer timer;
    FakeForeground foreground;
    FakePopups popups;
    ForegroundCheck check{timer, foreground, popups};
};

TEST_F(ForegroundCheckTest, FocusRecordsTheWindowInFrontAndStartsTheTimer) {
    EXPECT_EQ(check.mhForegroundWindow, 0u);
    check.GotFocus();
    EXPECT_EQ(check.mhForegroundWindow, kHost);
    EXPECT_TRUE(timer.Enabled());
    check.LostFocus();
    EXPECT_FALSE(timer.Enabled());
}

TEST_F(ForegroundCheckTest, AnotherApplicationInFrontClosesTheListWithinASecond) {
    check.GotFocus();
    showList();
    foreground.front = ForegroundWindow::kOtherApplication;
    timer.advance(999);
    EXPECT_EQ(popups.closes, 0);
    timer.advance(1);
    EXPECT_EQ(popups.closes, 1);
}

// One tick of the check after the given window came to the front.
TEST(ForegroundCheckTick, ClosesThePopupsOnlyWhenAnotherWindowCameInFrontOfShownPopups) {
    struct Case {
        const char* what;
        bool focused, listShown, listLoaded, tipShown;
        WindowHandle front;
        int closes;
    };
    const WindowHandle other = ForegroundWindow::kOtherApplication;
    const Case cases[] = {
        {"another application", true, true, true, true, other, 1},
        {"another window of the host", true, true, true, false, kOtherHostWindow, 1},
        {"the same window", true, true, true, false, kHost, 0},
        {"no shown popups", true, false, true, false, other, 0},
        {"the box never had the focus", false, true, true, false, other, 0},
        // Clicking into a shown popup brings it to the front; that is not another application.
        {"the shown list", true, true, true, false, kListForm, 0},
        {"the shown tip", true, true, true, true, kTipForm, 0},
        {"the hidden list's form", true, false, true, true, kListForm, 1},
    };
    for (const Case& c : cases) {
        ManualTimer timer;
        FakeForeground foreground;
        FakePopups popups;
        ForegroundCheck check{timer, foreground, popups};
        if (c.focused)
            check.GotFocus();
        timer.setEnabled(true);
        popups.listShown = c.listShown;
        popups.listForm = c.listLoaded ? kListForm : 0;
        popups.tipShown = c.tipShown;
        popups.tipForm = c.tipShown ? kTipForm : 0;
        foreground.front = c.front;
        timer.fire();
        EXPECT_EQ(popups.closes, c.closes) << c.what;
    }
}

TEST_F(ForegroundCheckTest, LosingTheFocusClosesThePopupsUnlessTheListTookIt) {
    check.GotFocus();
    check.LostFocus();
    EXPECT_EQ(popups.closes, 0) << "no list form yet";

    check.GotFocus();
    showList();
    popups.listHasFocus = true;
    check.LostFocus();
    EXPECT_EQ(popups.closes, 0);

    check.GotFocus();
    popups.listHasFocus = false;
    check.LostFocus();
    EXPECT_EQ(popups.closes, 1);
    EXPECT_FALSE(timer.Enabled());
}

} // namespace
} // namespace qx
