// Stored text, script files and Base64: every byte of any input is accounted for.
//  - One Windows-1252 character per byte, and writing it back gives the bytes again (the five unassigned
//    bytes, which have no character of their own in the code page, come back as '?').
//  - Stored text is either the exact UTF-8 reading of the bytes or their Windows-1252 reading: nothing is
//    dropped, not even an unfinished sequence at the end.
//  - A script file without a byte-order mark reads the same way; with one, the text after the mark reads
//    exactly, or marks what it could not read with U+FFFD, or falls back to Windows-1252.
//  - Base64 of any bytes decodes to their stored-text reading, also when wrapped over lines; Base64 of a
//    Windows-1252 text (and of any text read above) gives that text back; any other input is refused with
//    the library's own error or decoded, nothing else.
#include "FuzzSupport.h"

#include "highlight/TextDecoding.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

using qx::fuzz::shown;

bool isUnassigned(unsigned char byte) {
    return byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D;
}

// Decodes with the library, turning its error into a broken property (valid Base64 must decode).
QString base64Decode(const QString& base64, const QByteArray& input) {
    try {
        return qx::Library::instance().Base64Decode(base64);
    } catch (const qx::LibraryError& error) {
        qx::fuzz::fail(__FILE__, __LINE__, "Base64Decode accepts valid Base64",
                       QStringLiteral("error \"%1\" for Base64 of %2").arg(error.message(), shown(input)));
    }
}

QString wrapped(const QString& base64) {
    QString out;
    for (qsizetype i = 0; i < base64.size(); i += 76)
        out += base64.mid(i, 76) + QStringLiteral("\r\n");
    return QStringLiteral(" ") + out;
}

void checkWindows1252(const QByteArray& bytes) {
    const QString text = qx::fromWindows1252(bytes);
    QX_FUZZ_CHECK(text.size() == bytes.size(), QStringLiteral("%1 gave %2").arg(shown(bytes), shown(text)));
    QByteArray expected = bytes;
    for (char& byte : expected) {
        if (isUnassigned(static_cast<unsigned char>(byte)))
            byte = '?';
    }
    const int limit = int(bytes.size() / 2);
    QX_FUZZ_CHECK(qx::toWindows1252(text, int(bytes.size())) == expected,
                  QStringLiteral("writing %1 back gave %2")
                      .arg(shown(text), shown(qx::toWindows1252(text, int(bytes.size())))));
    QX_FUZZ_CHECK(qx::toWindows1252(text, limit) == expected.left(limit),
                  QStringLiteral("the first %1 bytes of %2").arg(limit).arg(shown(text)));
}

// Any UTF-16 text (the bytes read as UTF-16 LE) written as Windows-1252: one byte per character, a surrogate
// pair counting as one, each byte the character itself or '?'.
void checkWriting(const QByteArray& bytes) {
    QString text(bytes.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), bytes.constData(), size_t(text.size()) * sizeof(QChar));
    const QByteArray written = qx::toWindows1252(text, int(text.size()) + 1);
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i, ++characters) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    QX_FUZZ_CHECK(written.size() == characters, QStringLiteral("%1 characters of %2 gave %3 bytes")
                                                    .arg(characters)
                                                    .arg(shown(text))
                                                    .arg(written.size()));
    const QString back = qx::fromWindows1252(written);
    for (qsizetype i = 0, j = 0; i < text.size(); ++i, ++j) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        QX_FUZZ_CHECK(back[j] == text[i] || written[j] == '?',
                      QStringLiteral("character %1 of %2 was written as byte %3")
                          .arg(i)
                          .arg(shown(text))
                          .arg(int(static_cast<unsigned char>(written[j]))));
        if (pair)
            ++i;
    }
}

void checkStoredText(const QByteArray& bytes, const QString& windows1252) {
    const QString stored = qx::decodeStoredText(bytes);
    QX_FUZZ_CHECK(stored == windows1252 || stored.toUtf8() == bytes,
                  QStringLiteral("%1 read as %2: neither its UTF-8 nor its Windows-1252 reading")
                      .arg(shown(bytes), shown(stored)));

    const QString base64 = QString::fromLatin1(bytes.toBase64());
    const QString decoded = base64Decode(base64, bytes);
    QX_FUZZ_CHECK(decoded == stored, QStringLiteral("Base64 of %1 decoded to %2, stored text reads %3")
                                         .arg(shown(bytes), shown(decoded), shown(stored)));
    QX_FUZZ_CHECK(base64Decode(wrapped(base64), bytes) == stored,
                  QStringLiteral("wrapped Base64 of %1").arg(shown(bytes)));

    const qx::Library& library = qx::Library::instance();
    for (const QString& text : {windows1252, stored}) {
        const QString back = base64Decode(library.Base64Encode(text), bytes);
        QX_FUZZ_CHECK(back == text,
                      QStringLiteral("Base64 round trip of %1 gave %2").arg(shown(text), shown(back)));
    }
}

bool startsWith(const QByteArray& bytes, const char* mark) {
    return bytes.startsWith(QByteArray(mark));
}

void checkScriptFile(const QByteArray& bytes, const QString& windows1252) {
    const QString text = qx::decodeScriptFile(bytes);
    qsizetype markLength = 0;
    QByteArray reencoded;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        markLength = 3;
        reencoded = text.toUtf8();
    } else if (startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF")) {
        markLength = 2;
        const bool little = bytes[0] == '\xFF';
        for (QChar c : text) {
            const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
            reencoded += little ? low : high;
            reencoded += little ? high : low;
        }
    }
    if (markLength == 0) {
        QX_FUZZ_CHECK(
            text == windows1252 || text.toUtf8() == bytes,
            QStringLiteral("script file %1 read as %2: neither its UTF-8 nor its Windows-1252 reading")
                .arg(shown(bytes), shown(text)));
        return;
    }
    const QByteArray rest = bytes.mid(markLength);
    QX_FUZZ_CHECK(reencoded == rest || text.contains(QChar::ReplacementCharacter) || text == windows1252 ||
                      text == qx::fromWindows1252(rest),
                  QStringLiteral("script file %1 read as %2: bytes after the mark were lost without a trace")
                      .arg(shown(bytes), shown(text)));
}

// Anything as Base64 text: decoded or refused with the library's error, never anything else.
void checkAnyBase64(const QByteArray& bytes) {
    try {
        (void)qx::Library::instance().Base64Decode(QString::fromLatin1(bytes));
    } catch (const qx::LibraryError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString windows1252 = qx::fromWindows1252(bytes);
    checkWindows1252(bytes);
    checkWriting(bytes);
    checkStoredText(bytes, windows1252);
    checkScriptFile(bytes, windows1252);
    checkAnyBase64(bytes);
    return 0;
}
