#include "platform/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace qx;

namespace {
const QRect kScreen(0, 0, 1920, 1080);
const QSize kList(160, 128);
// A label whose text needs 100 pixels of width per 14-pixel row.
int rowsOfHundred(int width) {
    return ((300 + width - 1) / width) * 14;
}
} // namespace

TEST(ListPlacement, BelowTheCaretOrAboveItsLineAndAlwaysOnTheCaretsScreen) {
    struct Case {
        QRect caret;
        int offset;
        QRect screen;
        QPoint at;
    };
    const Case cases[] = {
        {QRect(300, 400, 1, 16), 19, kScreen, QPoint(300, 419)},
        // 1000 + 19 + 128 would end below 1080: the list's bottom rests on the caret line's top instead.
        {QRect(300, 1000, 1, 16), 19, kScreen, QPoint(300, 872)},
        {QRect(1900, 400, 1, 16), 19, kScreen, QPoint(1760, 419)},
        {QRect(3190, 1010, 1, 16), 16, QRect(1920, 0, 1280, 1024), QPoint(3040, 882)},
        // Left of a screen that starts at a negative x, the list stays inside that screen.
        {QRect(-1290, 100, 1, 16), 16, QRect(-1280, 0, 1280, 1024), QPoint(-1280, 116)},
        // Too short for either side: the list ends at the bottom edge.
        {QRect(10, 60, 1, 16), 19, QRect(0, 0, 800, 150), QPoint(10, 150 - 128)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceListAtCaret(c.caret, c.offset, kList, c.screen), c.at)
            << c.caret.x() << "," << c.caret.y();
}

TEST(TipLayout, NarrowedAtTheRightEdgeWithTheLabelWrappedAnew) {
    // A label wider than the reserve: the tip ends at the screen's edge, its label 4 narrower, re-wrapped.
    const QRect before(1500, 500, 10, 10);
    const TipLayout layout = LayoutTip(before, kScreen, 192, 4, 600, rowsOfHundred);
    EXPECT_EQ(layout.frame.left(), 1500);
    EXPECT_EQ(layout.frame.right(), kScreen.right());
    EXPECT_EQ(layout.labelWidth, 420 - 4);
    EXPECT_EQ(layout.frame.height(), rowsOfHundred(416) + 4);
    EXPECT_EQ(layout.frame.bottom(), before.bottom());
}

TEST(TipLayout, NeverLeavesTheScreenOnTheLeft) {
    const QRect narrow(100, 0, 150, 600);
    const TipLayout layout = LayoutTip(QRect(120, 300, 10, 10), narrow, 192, 4, 188, rowsOfHundred);
    EXPECT_EQ(layout.frame.left(), 100);
    EXPECT_EQ(layout.frame.right(), narrow.right());
    EXPECT_EQ(layout.labelWidth, 146);
}

TEST(Twips, FifteenToThePixelAtNinetySixDotsPerInch) {
    EXPECT_EQ(TwipsToPixels(240, 15.0), 16);
    EXPECT_EQ(TwipsToPixels(2880, 15.0), 192);
    EXPECT_EQ(TwipsToPixels(2880, 1440.0 / 144.0), 288);
    EXPECT_EQ(TwipsToPixels(-15, 15.0), -1);
}
