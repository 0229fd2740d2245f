#include "platform/qt/QtForegroundWindow.h"

#include <QApplication>
#include <QWidget>

namespace qx {

WindowHandle QtForegroundWindow::Current() const {
    if (QGuiApplication::applicationState() != Qt::ApplicationActive)
        return kOtherApplication;
    const QWidget* active = QApplication::activeWindow();
    return active ? handleOf(active) : kOtherApplication;
}

WindowHandle QtForegroundWindow::handleOf(const QWidget* widget) {
    return widget ? reinterpret_cast<WindowHandle>(widget->window()) : 0;
}

} // namespace qx
