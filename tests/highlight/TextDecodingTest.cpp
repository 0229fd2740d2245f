#include "highlight/TextDecoding.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

QByteArray bytes(std::initializer_list<unsigned char> list) {
    return QByteArray(reinterpret_cast<const char*>(std::data(list)), qsizetype(list.size()));
}

// A mark picks the encoding and is dropped; else valid UTF-8 is UTF-8, the rest Windows-1252. A sequence cut
// off at the end is never held back: U+FFFD after a mark, else Windows-1252 keeps the last character.
TEST(TextDecoding, MarksUtf8OrWindows1252AndNoCharacterDroppedAtTheEnd) {
    const std::pair<QByteArray, QString> cases[] = {
        {bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9}), QStringLiteral("a\u00E9")},
        {bytes({0xFF, 0xFE, 'a', 0, 0x3A, 0x26}), QStringLiteral("a\u263A")},
        {bytes({0xFE, 0xFF, 0, 'a', 0x26, 0x3A}), QStringLiteral("a\u263A")},
        {bytes({'x', 0xE2, 0x80, 0x99}), QStringLiteral("x\u2019")},
        {bytes({0x93, 'q', 0x94, 0xE9, 0x81}), QStringLiteral("\u201Cq\u201D\u00E9\u0081")},
        {QByteArray(), QString()},
        {bytes({'x', 0xE2, 0x80}), QStringLiteral("x\u00E2\u20AC")},
        {bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3}), QStringLiteral("a\uFFFD")},
        {bytes({0xFF, 0xFE, 'a', 0, 'b'}), QStringLiteral("a\uFFFD")},
        {bytes({0xFF, 0xFE, 0xFF}), QStringLiteral("\uFFFD")},
        {bytes({0xEF, 0xBB, 0xBF, 0xEF, 0xBB, 0xBF, 'x'}), QStringLiteral("\uFEFFx")}}; // a second mark stays
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(decodeScriptFile(input), expected) << input.toHex().toStdString();
}

TEST(TextDecoding, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(toCrLf(QStringLiteral("a\nb\rc\r\nd\r\r\n")), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n"));
}

} // namespace
} // namespace qx
