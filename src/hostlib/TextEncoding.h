#pragma once

#include <QByteArray>
#include <QString>

namespace qx {

// Bytes of stored text: UTF-8 when they are valid UTF-8 (a leading byte-order mark is kept as a
// character), else Windows-1252, the encoding of older documents.
QString decodeStoredText(const QByteArray& bytes);

// Windows-1252 bytes as text; the five unassigned bytes map to the control characters of the
// same value.
QString fromWindows1252(const QByteArray& bytes);

} // namespace qx
