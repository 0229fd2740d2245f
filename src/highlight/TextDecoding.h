#pragma once

#include <QByteArray>
#include <QString>

namespace qx {

// The text of a script file: a byte-order mark picks UTF-8, UTF-16 LE or UTF-16 BE (the mark itself is
// dropped); without one the bytes are UTF-8 when valid, else Windows-1252.
QString decodeScriptFile(const QByteArray& bytes);

// Line breaks as a rich-edit box presents them: every CR LF, lone CR and lone LF becomes CR LF.
QString toCrLf(const QString& text);

} // namespace qx
