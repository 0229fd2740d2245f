#include "platform/qt/QtCaretLocator.h"

#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>

namespace qx {

CaretGeometry QtCaretLocator::Locate() const {
    CaretGeometry geometry;
    if (!mBox)
        return geometry;
    const QRect cursor = mBox->cursorRect();
    geometry.caret = QRect(mBox->viewport()->mapToGlobal(cursor.topLeft()), cursor.size());
    const QScreen* screen = QGuiApplication::screenAt(geometry.caret.topLeft());
    if (!screen)
        screen = mBox->screen();
    if (!screen)
        return geometry;
    geometry.screen = screen->availableGeometry();
    geometry.twipsPerPixelX = 1440.0 / screen->logicalDotsPerInchX();
    geometry.twipsPerPixelY = 1440.0 / screen->logicalDotsPerInchY();
    return geometry;
}

} // namespace qx
