#pragma once

#include <QString>

namespace qx {

// Paths reach the library as the editor builds them, often joined with "\" (for example the data
// folder followed by "\Kelvane\qxTagFav.dat"). On this system "\" is taken as a folder separator.
inline QString hostPath(const QString& path) {
    QString mapped = path;
    mapped.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return mapped;
}

} // namespace qx
