#include "platform/memory/MemoryTipPopup.h"

#include <QStringList>

#include <algorithm>

namespace qx {

int MemoryTipPopup::rowsFor(const QString& text, int width) {
    const int perRow = std::max(width / kCharWidth, 1);
    int rows = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines)
        rows += std::max<int>((line.size() + perRow - 1) / perRow, 1);
    return rows;
}

} // namespace qx
