#include "platform/qt/DocumentText.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// The text copy holds a byte a character until a wider character comes, and again once a new text
// without one replaces it all; its pieces read the same either way.
TEST(GapTextTest, HoldsOneByteACharacterWhileTheTextAllows) {
    GapText text;
    text.assign(u"caf\u00e9 line");
    EXPECT_FALSE(text.wide());
    text.replace(3, 1, u"\u00e9\u00ff");
    text.replace(0, 0, u"x");
    EXPECT_FALSE(text.wide());
    EXPECT_EQ(text.pieces().mid(0, text.size()), u"xcaf\u00e9\u00ff line");
    text.replace(2, 1, u"\u20ac");
    EXPECT_TRUE(text.wide());
    EXPECT_EQ(text.pieces().mid(0, text.size()), u"xc\u20acf\u00e9\u00ff line");
    EXPECT_EQ(text.pieces().indexOf(QChar(0x20ac), 0), 2);
    text.replace(1, 2, u"");
    EXPECT_TRUE(text.wide()) << "a text that had a wide character stays wide while edited";
    text.replace(0, text.size(), u"new \u00e9");
    EXPECT_FALSE(text.wide());
    EXPECT_EQ(text.pieces().mid(0, text.size()), u"new \u00e9");
}

} // namespace
} // namespace qx
