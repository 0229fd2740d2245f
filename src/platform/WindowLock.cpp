#include "platform/WindowLock.h"

namespace qx {

namespace {
// One per thread, like the window system's own lock.
thread_local LockableWindow* tLockedWindow = nullptr;
} // namespace

void WindowLock::LockWindow(LockableWindow* window) {
    if (tLockedWindow) {
        if (tLockedWindow == window)
            return;
        UnlockWindow();
    }
    tLockedWindow = window;
    if (window)
        window->setUpdatesLocked(true);
}

void WindowLock::UnlockWindow() {
    if (!tLockedWindow)
        return;
    LockableWindow* window = tLockedWindow;
    tLockedWindow = nullptr;
    window->setUpdatesLocked(false);
}

LockableWindow* WindowLock::lockedWindow() {
    return tLockedWindow;
}

void WindowLock::forget(LockableWindow* window) {
    if (tLockedWindow == window)
        tLockedWindow = nullptr;
}

} // namespace qx
