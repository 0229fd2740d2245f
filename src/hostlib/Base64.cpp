// The library's Base64 routines: text travels as UTF-8 bytes.
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/TextEncoding.h"

namespace qx {

QString Library::Base64Encode(const QString& text) const {
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString Library::Base64Decode(const QString& base64) const {
    // Blanks and line breaks may wrap long Base64 text; every other character must belong to it.
    QByteArray compact;
    compact.reserve(base64.size());
    for (QChar ch : base64) {
        if (ch.unicode() >= 128) {
            throw LibraryError("Invalid Base64 text: it holds a character outside Base64");
        }
        if (!QStringLiteral(" \t\r\n").contains(ch)) {
            compact += static_cast<char>(ch.unicode());
        }
    }
    // Padding is required, so a cut-off text is caught too.
    const auto decoded = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    if (compact.size() % 4 != 0 || !decoded) {
        throw LibraryError("Invalid Base64 text");
    }
    return decodeStoredText(*decoded);
}

} // namespace qx
