#pragma once

#include "platform/CodeBox.h"

namespace qx {

// Locks repainting of one window at a time: locking a second window releases the first, locking the
// locked window again does nothing, and one unlock releases whatever is locked.
class WindowLock {
public:
    static void LockWindow(LockableWindow* window);
    static void UnlockWindow();
    static LockableWindow* lockedWindow();
    // A window going away must not stay recorded as locked.
    static void forget(LockableWindow* window);
};

} // namespace qx
