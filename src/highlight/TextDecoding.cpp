#include "highlight/TextDecoding.h"

#include "hostlib/TextEncoding.h"

#include <QStringDecoder>

#include <utility>

namespace qx {

namespace {

bool startsWith(const QByteArray& bytes, std::initializer_list<unsigned char> mark) {
    if (bytes.size() < qsizetype(mark.size()))
        return false;
    qsizetype i = 0;
    for (unsigned char b : mark) {
        if (static_cast<unsigned char>(bytes[i++]) != b)
            return false;
    }
    return true;
}

QString decodeAfterMark(const QByteArray& bytes, qsizetype markLength, QStringConverter::Encoding encoding) {
    // Malformed sequences, and one cut off at the end, become U+FFFD. Only the mark already cut off is
    // dropped: a second one is a character of the text.
    QStringDecoder decoder(encoding,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QByteArrayView body = QByteArrayView(bytes).sliced(markLength);
    QString text = decoder.decode(body);
    // Qt's UTF-16 decoder gives nothing for a lone byte, where a longer odd tail gets its U+FFFD.
    if (encoding != QStringConverter::Utf8 && body.size() == 1)
        text += QChar::ReplacementCharacter;
    return text;
}

} // namespace

QString decodeScriptFile(const QByteArray& bytes) {
    if (startsWith(bytes, {0xEF, 0xBB, 0xBF}))
        return decodeAfterMark(bytes, 3, QStringConverter::Utf8);
    if (startsWith(bytes, {0xFF, 0xFE}))
        return decodeAfterMark(bytes, 2, QStringConverter::Utf16LE);
    if (startsWith(bytes, {0xFE, 0xFF}))
        return decodeAfterMark(bytes, 2, QStringConverter::Utf16BE);
    std::optional<QString> text = strictUtf8(bytes, false);
    return text ? *std::move(text) : fromWindows1252(bytes);
}

QString toCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            out += QLatin1String("\r\n");
            if (i + 1 < n && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace qx
