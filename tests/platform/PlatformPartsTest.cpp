#include "hostlib/LoadFeedback.h"
#include "platform/WindowLock.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/BusyCursor.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/ShowTopmost.h"
#include "platform/qt/Twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QThread>

#include <gtest/gtest.h>

namespace qx {
namespace {

// The last panel takes the room the fixed ones leave; the CAPS panel is enabled while Caps Lock is on, as
// far as the case of the letters typed anywhere, against Shift, tells.
TEST(QtStatusBar, TheLastPanelStretchesAndCapsFollowsTheTypedLetters) {
    QtStatusBar bar{QtStatusBar::EditorPanels()};
    bar.resize(Twips::toPixels(5000, &bar), bar.height());
    bar.show();
    EXPECT_EQ(bar.panel("Line")->width(), Twips::toPixels(1000, &bar));
    EXPECT_EQ(bar.panel("Status")->geometry().right(), bar.width() - 1);
    EXPECT_EQ(bar.Height(), Twips::toPixels(375, &bar));
    EXPECT_EQ(bar.panel("Level")->toolTip(), "Encoded Depth Level");
    bar.setPanelText("Line", "Line: 12");
    EXPECT_EQ(bar.PanelText("Line"), "Line: 12");
    bar.setPanelText("Nope", "x"); // unknown keys are ignored
    bar.setPanelEnabled("Nope", true);
    EXPECT_FALSE(bar.PanelEnabled("Nope"));

    QLineEdit edit;
    const auto type = [&](Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(&edit, &press);
        return bar.PanelEnabled("CAPS");
    };
    EXPECT_FALSE(bar.PanelEnabled("CAPS"));
    EXPECT_TRUE(type(Qt::Key_A, "A", Qt::NoModifier));
    EXPECT_TRUE(type(Qt::Key_1, "1", Qt::NoModifier)) << "a digit tells nothing";
    EXPECT_TRUE(type(Qt::Key_unknown, "\u05D0", Qt::NoModifier)) << "nor does a letter without case";
    EXPECT_FALSE(type(Qt::Key_B, "B", Qt::ShiftModifier));
}

// Locking the locked window again does nothing, a second window's lock releases the first, and a window
// that is forgotten is not unlocked later.
TEST(WindowLock, OneWindowAtATimeAndAForgottenWindowIsLeftAlone) {
    MemoryCodeBox first;
    MemoryCodeBox second;
    WindowLock::LockWindow(&first);
    WindowLock::LockWindow(&first);
    EXPECT_EQ(first.updatesLockCount(), 1);
    WindowLock::LockWindow(&second);
    EXPECT_FALSE(first.updatesLocked());
    EXPECT_EQ(WindowLock::lockedWindow(), &second);
    WindowLock::forget(&second);
    WindowLock::UnlockWindow();
    EXPECT_TRUE(second.updatesLocked());
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
}

// A popup is shown as a frameless topmost window where it stood, without taking the keyboard.
TEST(ShowTopmost, ShowsAFramelessTopmostWindowInPlace) {
    ShowTopmost(nullptr); // ignored
    QWidget popup;
    popup.setGeometry(40, 50, 120, 80);
    ShowTopmost(&popup);
    EXPECT_EQ(popup.geometry(), QRect(40, 50, 120, 80));
    EXPECT_EQ(popup.windowFlags() & Qt::WindowType_Mask, Qt::ToolTip);
    EXPECT_TRUE(popup.windowFlags().testFlags(Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(popup.testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST(BusyCursor, ShowsTheWaitCursorWhileALargeFileIsReadOnTheApplicationsThread) {
    installBusyCursor();
    {
        const ScopedLoad outer("a", ScopedLoad::kAnnouncedBytes);
        { const ScopedLoad inner("b", ScopedLoad::kAnnouncedBytes); }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor) << "the outer read goes on";
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    QThread* worker = QThread::create([] { const ScopedLoad load("c", ScopedLoad::kAnnouncedBytes); });
    worker->start();
    worker->wait();
    delete worker;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "other threads leave the cursor alone";
    uninstallBusyCursor();
    EXPECT_EQ(installedLoadFeedback(), nullptr);
}

} // namespace
} // namespace qx
