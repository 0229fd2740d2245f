#include "platform/qt/BusyCursor.h"

#include "hostlib/LoadFeedback.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

namespace qx {

namespace {

class BusyCursor final : public LoadFeedback {
public:
    void loadStarted(const QString&) override {
        if (!onGuiThread())
            return;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        ++mShown;
    }
    void loadFinished(const QString&) override {
        if (!onGuiThread() || mShown == 0)
            return;
        --mShown;
        QGuiApplication::restoreOverrideCursor();
    }

private:
    static bool onGuiThread() { return qGuiApp && QThread::currentThread() == qGuiApp->thread(); }

    int mShown = 0; // touched on the application's thread only
};

BusyCursor& busyCursor() {
    static BusyCursor cursor;
    return cursor;
}

} // namespace

void installBusyCursor() {
    installLoadFeedback(&busyCursor());
}

void uninstallBusyCursor() {
    if (installedLoadFeedback() == &busyCursor())
        installLoadFeedback(nullptr);
}

} // namespace qx
