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
    void showTip() {
        popups.tipForm = kTipForm;
        popups.tipShown = true;
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
    showTip();
    foreground.front = ForegroundWindow::kOtherApplication;
    timer.advance(999);
    EXPECT_EQ(popups.closes, 0);
    timer.advance(1);
    EXPECT_EQ(popups.closes, 1);
}

TEST_F(ForegroundCheckTest, AnotherWindowOfTheHostCountsAsWell) {
    check.GotFocus();
    showList();
    foreground.front = kOtherHostWindow;
    timer.fire();
    EXPECT_EQ(popups.closes, 1);
}

TEST_F(ForegroundCheckTest, NothingHappensWhileTheSameWindowIsInFront) {
    check.GotFocus();
    showList();
    timer.advance(5000);
    EXPECT_EQ(timer.ticks(), 5);
    EXPECT_EQ(popups.closes, 0);
}

TEST_F(ForegroundCheckTest, NothingHappensWithoutShownPopups) {
    check.GotFocus();
    popups.listForm = kListForm; // loaded but hidden
    foreground.front = ForegroundWindow::kOtherApplication;
    timer.fire();
    EXPECT_EQ(popups.closes, 0);
}

TEST_F(ForegroundCheckTest, NothingHappensBeforeTheBoxEverHadTheFocus) {
    showList();
    timer.setEnabled(true);
    foreground.front = ForegroundWindow::kOtherApplication;
    timer.fire();
    EXPECT_EQ(popups.closes, 0);
}

// Clicking into a shown popup brings it to the front; that is not another application.
TEST_F(ForegroundCheckTest, AShownPopupInFrontKeepsThePopupsOpen) {
    check.GotFocus();
    showList();
    foreground.front = kListForm;
    timer.fire();
    showTip();
    foreground.front = kTipForm;
    timer.fire();
    EXPECT_EQ(popups.closes, 0);
}

TEST_F(ForegroundCheckTest, AHiddenPopupsWindowInFrontCountsAsAnotherWindow) {
    check.GotFocus();
    showTip();
    popups.listForm = kListForm; // loaded, not shown
    foreground.front = kListForm;
    timer.fire();
    EXPECT_EQ(popups.closes, 1);
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
