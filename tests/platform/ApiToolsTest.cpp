#include "platform/ApiTools.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

template <typename Box> class LineIndentTest : public ::testing::Test {
protected:
    Box box;

    int indentOfLineAt(const QString& text, int caret) {
        box.setText(text);
        box.setSelStart(caret);
        return LineIndent(box);
    }
};

using Boxes = ::testing::Types<MemoryCodeBox, QtCodeBox>;
TYPED_TEST_SUITE(LineIndentTest, Boxes);

TYPED_TEST(LineIndentTest, CountsLeadingSpacesOfTheCaretsLine) {
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("   word"), 5), 3);
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("a\r\n  b\r\n    c"), 5), 2);
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("a\r\n  b\r\n    c"), 0), 0);
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("a\r\n\r\n    c"), 3), 0) << "an empty line";
    EXPECT_EQ(this->indentOfLineAt(QString(), 0), 0) << "an empty text";
}

TYPED_TEST(LineIndentTest, StopsAtTheFirstOtherCharacter) {
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("  \t  x"), 0), 2);
    EXPECT_EQ(this->indentOfLineAt(QStringLiteral("      "), 6), 6) << "a line of spaces only";
}

TYPED_TEST(LineIndentTest, LooksAtNoMoreThan255Characters) {
    EXPECT_EQ(this->indentOfLineAt(QString(300, QLatin1Char(' ')), 0), 255);
    EXPECT_EQ(this->indentOfLineAt(QString(255, QLatin1Char(' ')) + QStringLiteral("x"), 0), 255);
    EXPECT_EQ(this->indentOfLineAt(QString(254, QLatin1Char(' ')) + QStringLiteral("x"), 0), 254);
}

// With a selection, the line of the selection's start counts.
TYPED_TEST(LineIndentTest, TakesTheLineWhereTheSelectionStarts) {
    this->box.setText(QStringLiteral(" a\r\n   b"));
    SelectRange(this->box, 1, 5);
    EXPECT_EQ(LineIndent(this->box), 1);
}

TEST(ApiToolsTest, SelectRangeTakesAStartAndALength) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("abcdef"));
    SelectRange(box, 1, 3);
    EXPECT_EQ(box.SelStart(), 1);
    EXPECT_EQ(box.SelText(), QStringLiteral("bcd"));
    SelectRange(box, 4, 0);
    EXPECT_EQ(box.SelStart(), 4);
    EXPECT_EQ(box.SelLength(), 0);
}

TEST(ApiToolsTest, ScrollPositionRoundTrips) {
    MemoryCodeBox box;
    SetScrollPosition(box, 12, 34);
    int x = -1;
    int y = -1;
    GetScrollPosition(box, x, y);
    EXPECT_EQ(x, 12);
    EXPECT_EQ(y, 34);
}

} // namespace
} // namespace qx
