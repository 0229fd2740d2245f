#pragma once

#include <QByteArray>
#include <QStringView>

namespace qx {

// The text in the Windows-1252 code page, at most maxBytes bytes. Each character the code page cannot hold
// (a surrogate pair counts as one) becomes '?'.
QByteArray toWindows1252(QStringView text, int maxBytes);

} // namespace qx
