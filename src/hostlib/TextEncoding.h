#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace qx {

// Bytes of stored text: UTF-8 when they are valid UTF-8 (a leading byte-order mark is kept as a
// character), else Windows-1252, the encoding of older documents.
QString decodeStoredText(const QByteArray& bytes);

// The bytes as UTF-8, or nothing when they are not valid UTF-8 to the last byte (a sequence cut off at the
// end is invalid too). A leading byte-order mark is kept as a character when keepInitialBom, else dropped.
std::optional<QString> strictUtf8(QByteArrayView bytes, bool keepInitialBom);

// Windows-1252 bytes as text; the five unassigned bytes map to the control characters of the
// same value.
QString fromWindows1252(const QByteArray& bytes);

// The text in Windows-1252, at most maxBytes bytes. Each character the code page cannot hold (a surrogate
// pair counts as one) becomes '?'.
QByteArray toWindows1252(QStringView text, int maxBytes);

} // namespace qx
