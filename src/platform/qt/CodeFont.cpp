#include "platform/qt/CodeFont.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace qx {

QFont FixedPitchFont(const QString& family, double points) {
    QFont font(family);
    font.setPointSizeF(points);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (QFontInfo(font).fixedPitch())
        return font;
    QFont fallback = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fallback.setPointSizeF(points);
    return fallback;
}

} // namespace qx
