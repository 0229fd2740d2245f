#include "hostlib/TextEncoding.h"

#include <QStringDecoder>
#include <array>
#include <utility>

namespace qx {

namespace {

// Characters of the bytes 0x80 to 0x9F; the rest of Windows-1252 matches Latin-1.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte for a character of the code page, or '?'. The five unassigned bytes are not produced.
char toByte(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i) {
        if (HighControls[i] == u && !(u >= 0x80 && u <= 0x9F))
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toWindows1252(QStringView text, int maxBytes) {
    QByteArray bytes;
    if (maxBytes <= 0)
        return bytes;
    bytes.reserve(qMin(qsizetype(maxBytes), text.size()));
    for (qsizetype i = 0; i < text.size() && bytes.size() < maxBytes; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.append(c.isSurrogate() ? '?' : toByte(c.unicode()));
    }
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text += (code >= 0x80 && code <= 0x9F) ? QChar(HighControls[code - 0x80]) : QChar(code);
    }
    return text;
}

std::optional<QString> strictUtf8(QByteArrayView bytes, bool keepInitialBom) {
    // Stateless: a sequence cut off at the end is an error, not input held back for a later call.
    QStringDecoder::Flags flags = QStringDecoder::Flag::Stateless;
    if (keepInitialBom)
        flags |= QStringDecoder::Flag::ConvertInitialBom;
    QStringDecoder utf8(QStringDecoder::Utf8, flags);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

QString decodeStoredText(const QByteArray& bytes) {
    std::optional<QString> text = strictUtf8(bytes, true);
    return text ? *std::move(text) : fromWindows1252(bytes);
}

} // namespace qx
