#include "highlight/EffectiveCodeType.h"

namespace qx {

int EffectiveCodeType(int codeType, const QString& text) {
    if (codeType != CodeTypes::Auto)
        return codeType;
    const QStringView head = QStringView(text).left(4);
    if (head == QLatin1String("<QX:") || head == QLatin1String("{\\rt"))
        return CodeTypes::Kelvane;
    return CodeTypes::VB;
}

} // namespace qx
