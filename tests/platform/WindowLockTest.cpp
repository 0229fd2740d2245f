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

TEST_F(WindowLockTest, OneWindowAtATimeAndOneUnlockUndoesRepeatedLocks) {
    WindowLock::UnlockWindow();
    EXPECT_EQ(first.calls, 0) << "nothing locked, nothing to do";
    WindowLock::LockWindow(&first);
    WindowLock::LockWindow(&first);
    EXPECT_TRUE(first.locked);
    EXPECT_EQ(first.calls, 1);
    WindowLock::LockWindow(&second);
    EXPECT_FALSE(first.locked) << "locking a second window unlocks the first";
    EXPECT_TRUE(second.locked);
    EXPECT_EQ(WindowLock::lockedWindow(), &second);
    WindowLock::UnlockWindow();
    WindowLock::UnlockWindow();
    EXPECT_FALSE(second.locked);
    EXPECT_EQ(second.calls, 2);
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
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
