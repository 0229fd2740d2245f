// The library's Base64 routines: text travels as UTF-8 bytes.
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Logging.h"
#include "hostlib/TextEncoding.h"

namespace qx {

namespace {

// The text with each surrogate that is not half of a pair made U+FFFD, which UTF-8 can carry (it would
// otherwise become "?"). A text that had any is logged once.
QString withoutLoneSurrogates(const QString& text) {
    QString fixed;
    int replaced = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            if (replaced++ == 0)
                fixed = text;
            fixed[i] = QChar::ReplacementCharacter;
        }
    }
    if (replaced == 0)
        return text;
    qCWarning(lcEditor) << "Base64Encode: a text with" << replaced
                        << "lone surrogate(s) is encoded with U+FFFD in their places";
    return fixed;
}

} // namespace

QString Library::Base64Encode(const QString& text) const {
    return QString::fromLatin1(withoutLoneSurrogates(text).toUtf8().toBase64());
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
