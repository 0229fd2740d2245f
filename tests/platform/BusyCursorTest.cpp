#include "platform/qt/BusyCursor.h"
#include "hostlib/LoadFeedback.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

#include <gtest/gtest.h>

namespace qx {
namespace {

Qt::CursorShape shownCursor() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}

TEST(BusyCursor, ShowsTheWaitCursorWhileALargeFileIsReadOnTheApplicationsThread) {
    installBusyCursor();
    {
        const ScopedLoad outer("a", ScopedLoad::kAnnouncedBytes);
        EXPECT_EQ(shownCursor(), Qt::WaitCursor);
        {
            const ScopedLoad inner("b", ScopedLoad::kAnnouncedBytes);
            EXPECT_EQ(shownCursor(), Qt::WaitCursor);
        }
        EXPECT_EQ(shownCursor(), Qt::WaitCursor) << "the outer read is still going on";
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QThread* worker = QThread::create([] { const ScopedLoad load("c", ScopedLoad::kAnnouncedBytes); });
    worker->start();
    worker->wait();
    delete worker;
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    uninstallBusyCursor();
    EXPECT_EQ(installedLoadFeedback(), nullptr);
    {
        const ScopedLoad load("d", ScopedLoad::kAnnouncedBytes);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

} // namespace
} // namespace qx
