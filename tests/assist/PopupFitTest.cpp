#include "platform/PopupPlacement.h"

#include <gtest/gtest.h>

using namespace qx;

TEST(PopupFit, TheListWidensForItsLongestEntryUpToHalfTheScreen) {
    const struct {
        int described, needed, screen, width;
    } cases[] = {
        {160, 90, 1920, 160},   // short names: the described width
        {160, 300, 1920, 300},  // a long name widens the list
        {160, 2000, 1920, 960}, // but not beyond half the screen
        {160, 300, 200, 160},   // and never below the described width
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListWidthFor(c.described, c.needed, c.screen), c.width) << c.needed << " on " << c.screen;
}

TEST(PopupFit, ATipThatWouldPassTheScreenTopGoesBelowTheCaret) {
    const QRect screen(0, 0, 1920, 1080);
    const struct {
        QRect frame, caret, kept;
    } cases[] = {
        {{100, 150, 200, 40}, {100, 190, 1, 16}, {100, 150, 200, 40}}, // room above: unchanged
        {{100, -30, 200, 40}, {100, 10, 1, 16}, {100, 26, 200, 40}},   // none above: below the line
        {{100, 1060, 200, 40}, {100, 1000, 1, 16}, {100, 1040, 200, 40}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepTipOnScreen(c.frame, c.caret, screen), c.kept) << c.frame.y();
}
