#include "platform/WindowLock.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

class FakeWindow final : public LockableWindow {
public:
    void setUpdatesLocked(bool lockedNow) override {
        locked = lockedNow;
        ++calls;
    }
    bool locked = false;
    int calls = 0;
};

class WindowLockTest : public ::testing::Test {
protected:
    void TearDown() override { WindowLock::UnlockWindow(); }
    FakeWindow first;
    FakeWindow second;
};

TEST_F(WindowLockTest, LockingTheSameWindowTwiceNeedsOneUnlock) {
    WindowLock::LockWindow(&first);
    WindowLock::LockWindow(&first);
    EXPECT_TRUE(first.locked);
    EXPECT_EQ(first.calls, 1);
    WindowLock::UnlockWindow();
    EXPECT_FALSE(first.locked);
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
}

TEST_F(WindowLockTest, LockingASecondWindowUnlocksTheFirst) {
    WindowLock::LockWindow(&first);
    WindowLock::LockWindow(&second);
    EXPECT_FALSE(first.locked);
    EXPECT_TRUE(second.locked);
    EXPECT_EQ(WindowLock::lockedWindow(), &second);
    WindowLock::UnlockWindow();
    EXPECT_FALSE(second.locked);
}

TEST_F(WindowLockTest, UnlockingWithNothingLockedDoesNothing) {
    WindowLock::UnlockWindow();
    EXPECT_EQ(first.calls, 0);
    WindowLock::LockWindow(&first);
    WindowLock::UnlockWindow();
    WindowLock::UnlockWindow();
    EXPECT_EQ(first.calls, 2);
}

TEST_F(WindowLockTest, AForgottenWindowIsNotUnlockedLater) {
    WindowLock::LockWindow(&first);
    WindowLock::forget(&first);
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
    WindowLock::UnlockWindow();
    EXPECT_EQ(first.calls, 1);
}

} // namespace
} // namespace qx
