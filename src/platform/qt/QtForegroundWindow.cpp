#include "platform/qt/QtForegroundWindow.h"

#include <QApplication>
#include <QWidget>

namespace qx {

// Qt knows an active window only while one of ours is in front; the application's own state can lag
// behind the focus event that asks, so it is not consulted.
WindowHandle QtForegroundWindow::Current() const {
    const QWidget* active = QApplication::activeWindow();
    return active ? handleOf(active) : kOtherApplication;
}

WindowHandle QtForegroundWindow::handleOf(const QWidget* widget) {
    return widget ? reinterpret_cast<WindowHandle>(widget->window()) : 0;
}

} // namespace qx
