#include "platform/qt/ShowTopmost.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace qx {

namespace {
constexpr Qt::WindowFlags kTopmostFlags =
    Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;

// Makes the widget a topmost, non-activating window, keeping its place on the screen.
void makeTopmost(QWidget* popup) {
    const Qt::WindowFlags wanted = (popup->windowFlags() & ~Qt::WindowType_Mask) | kTopmostFlags;
    if (popup->windowFlags() != wanted) {
        const QRect frame = popup->geometry();
        const bool wasWindow = popup->isWindow();
        popup->setWindowFlags(wanted);
        if (wasWindow)
            popup->setGeometry(frame);
    }
    popup->setAttribute(Qt::WA_ShowWithoutActivating);
}
} // namespace

void ShowTopmost(QWidget* popup) {
    if (!popup)
        return;
    makeTopmost(popup);
    const QPointer<QWidget> keyboard = QApplication::focusWidget();
    popup->show();
    popup->raise();
    // Some window systems still hand a shown window the focus; give it back at once.
    if (keyboard && QApplication::focusWidget() != keyboard)
        keyboard->setFocus(Qt::OtherFocusReason);
}

} // namespace qx
