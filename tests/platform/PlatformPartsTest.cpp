#include "hostlib/LoadFeedback.h"
#include "platform/WindowLock.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/BusyCursor.h"
#include "platform/qt/QtStatusBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace qx {
namespace {

// The CAPS panel is enabled while Caps Lock is on, as far as the case of the letters typed anywhere, against
// Shift, tells.
TEST(QtStatusBar, PanelsByKeyAndCapsFollowsTheTypedLetters) {
    QtStatusBar bar{QtStatusBar::EditorPanels()};
    QLineEdit edit;
    const auto type = [&](const QString& text, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, text);
        QCoreApplication::sendEvent(&edit, &press);
        return bar.PanelEnabled("CAPS");
    };
    EXPECT_FALSE(bar.PanelEnabled("CAPS"));
    EXPECT_TRUE(type("A"));
    EXPECT_TRUE(type("1")) << "a digit tells nothing";
    EXPECT_TRUE(type("\u05D0")) << "nor does a letter without case";
    EXPECT_FALSE(type("B", Qt::ShiftModifier));
}

// Locking the locked window again does nothing; a forgotten window is not unlocked later.
TEST(WindowLock, OneWindowAtATimeAndAForgottenWindowIsLeftAlone) {
    MemoryCodeBox first, second;
    WindowLock::LockWindow(&first);
    WindowLock::LockWindow(&first);
    EXPECT_EQ(first.updatesLockCount(), 1);
    WindowLock::LockWindow(&second);
    WindowLock::forget(&second);
    WindowLock::UnlockWindow();
    EXPECT_TRUE(second.updatesLocked());
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
}

TEST(BusyCursor, ShowsTheWaitCursorWhileALargeFileIsRead) {
    installBusyCursor();
    {
        const ScopedLoad outer("a", ScopedLoad::kAnnouncedBytes);
        { const ScopedLoad inner("b", ScopedLoad::kAnnouncedBytes); }
        ASSERT_TRUE(QGuiApplication::overrideCursor() &&
                    QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor)
            << "the outer read goes on";
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    uninstallBusyCursor();
}

} // namespace
} // namespace qx
