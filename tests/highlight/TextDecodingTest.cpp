#include "highlight/TextDecoding.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

QByteArray bytes(std::initializer_list<unsigned char> list) {
    QByteArray b;
    for (unsigned char c : list)
        b.append(char(c));
    return b;
}

TEST(TextDecoding, ByteOrderMarksPickTheEncodingAndAreDropped) {
    EXPECT_EQ(decodeScriptFile(bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA9})), QStringLiteral("a\u00E9"));
    EXPECT_EQ(decodeScriptFile(bytes({0xFF, 0xFE, 'a', 0, 0x3A, 0x26})), QStringLiteral("a\u263A"));
    EXPECT_EQ(decodeScriptFile(bytes({0xFE, 0xFF, 0, 'a', 0x26, 0x3A})), QStringLiteral("a\u263A"));
}

TEST(TextDecoding, WithoutAMarkValidUtf8IsUtf8AndAnythingElseWindows1252) {
    EXPECT_EQ(decodeScriptFile(QByteArray("Dim x")), QStringLiteral("Dim x"));
    EXPECT_EQ(decodeScriptFile(bytes({'x', 0xE2, 0x80, 0x99})), QStringLiteral("x\u2019"));
    EXPECT_EQ(decodeScriptFile(bytes({0x93, 'q', 0x94, 0xE9, 0x81})),
              QStringLiteral("\u201Cq\u201D\u00E9\u0081"));
    EXPECT_EQ(decodeScriptFile(QByteArray()), QString());
}

TEST(TextDecoding, BrokenUtf16KeepsWhatItCanRead) {
    const QString text = decodeScriptFile(bytes({0xFF, 0xFE, 'a', 0, 'b'}));
    ASSERT_FALSE(text.isEmpty());
    EXPECT_EQ(text.front(), QLatin1Char('a'));
}

TEST(TextDecoding, EveryLineBreakBecomesCrLf) {
    EXPECT_EQ(toCrLf(QStringLiteral("a\nb\rc\r\nd\r\r\n")), QStringLiteral("a\r\nb\r\nc\r\nd\r\n\r\n"));
    EXPECT_EQ(toCrLf(QStringLiteral("\n")), QStringLiteral("\r\n"));
}

} // namespace
} // namespace qx
