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

TEST(ListPlacement, BelowTheCaretWhereThereIsRoom) {
    EXPECT_EQ(PlaceListAtCaret(QRect(300, 400, 1, 16), 19, kList, kScreen), QPoint(300, 419));
}

TEST(ListPlacement, AboveTheCaretLineWhenNoRoomBelow) {
    // 1000 + 19 + 128 would end below 1080: the list's bottom rests on the caret line's top instead.
    EXPECT_EQ(PlaceListAtCaret(QRect(300, 1000, 1, 16), 19, kList, kScreen), QPoint(300, 872));
}

TEST(ListPlacement, PushedLeftAtTheRightEdge) {
    EXPECT_EQ(PlaceListAtCaret(QRect(1900, 400, 1, 16), 19, kList, kScreen), QPoint(1760, 419));
}

TEST(ListPlacement, StaysOnTheCaretsScreen) {
    const QRect second(1920, 0, 1280, 1024);
    EXPECT_EQ(PlaceListAtCaret(QRect(3190, 1010, 1, 16), 16, kList, second), QPoint(3040, 882));
    // A caret left of a screen that starts at a negative x keeps the list inside that screen.
    const QRect left(-1280, 0, 1280, 1024);
    EXPECT_EQ(PlaceListAtCaret(QRect(-1290, 100, 1, 16), 16, kList, left), QPoint(-1280, 116));
}

TEST(ListPlacement, ScreenTooShortForEitherSideEndsAtTheBottomEdge) {
    const QRect shortScreen(0, 0, 800, 150);
    const QPoint at = PlaceListAtCaret(QRect(10, 60, 1, 16), 19, kList, shortScreen);
    EXPECT_EQ(at.y(), 150 - 128);
}

TEST(TipLayout, MovedLeftUntilTheReserveIsFree) {
    // Left edge 100 pixels from the right edge, 192 reserved: it moves left by 92.
    const TipLayout layout = LayoutTip(QRect(1820, 500, 192, 18), kScreen, 192, 4, 188, rowsOfHundred);
    EXPECT_EQ(layout.frame.left(), 1728);
    EXPECT_EQ(layout.frame.width(), 192);
    EXPECT_EQ(layout.labelWidth, 188);
}

TEST(TipLayout, GrowsUpwardsKeepingItsBottomEdge) {
    const QRect before(200, 500, 192, 18);
    const TipLayout layout = LayoutTip(before, kScreen, 192, 4, 188, rowsOfHundred);
    // 300 pixels of text at 188 wide: two rows.
    EXPECT_EQ(layout.frame.height(), 2 * 14 + 4);
    EXPECT_EQ(layout.frame.bottom(), before.bottom());
    EXPECT_EQ(layout.frame.left(), 200);
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
