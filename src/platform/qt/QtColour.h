#pragma once

#include <qxTagEditor2/CodeBox.h>

#include <QColor>

namespace qx {

// Colours between the model's 0x00BBGGRR and Qt.
inline QColor qtColour(Colour c) {
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
inline Colour colourOf(const QColor& c) {
    return Colour(c.red()) | Colour(c.green()) << 8 | Colour(c.blue()) << 16;
}

} // namespace qx
