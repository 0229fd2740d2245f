#include "control/EditorLayout.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

EditorLayoutInput surface(int width, int height, bool fullView) {
    EditorLayoutInput in;
    in.width = width;
    in.height = height;
    in.fullView = fullView;
    in.codeBoxTop = 41;
    in.editBarHeight = 41;
    in.statusHeight = 25;
    return in;
}

// The box starts at the bar's nominal height; its height gives way to the bar's actual height.
TEST(EditorLayoutTest, TheBoxFillsWhatTheBarsLeaveInEitherView) {
    struct Case {
        bool fullView;
        int barHeight;
        QRect box;
    };
    for (const Case& c : {Case{true, 41, QRect(0, 0, 400, 275)}, Case{false, 41, QRect(0, 41, 400, 234)},
                          Case{false, 60, QRect(0, 41, 400, 300 - 60 - 25)}}) {
        EditorLayoutInput in = surface(400, 300, c.fullView);
        in.editBarHeight = c.barHeight;
        const EditorLayoutResult out = LayOutEditor(in);
        EXPECT_EQ(out.editBarVisible, !c.fullView);
        EXPECT_TRUE(c.fullView || out.editBar == QRect(0, 0, 400, c.barHeight));
        ASSERT_TRUE(out.codeBox);
        EXPECT_EQ(*out.codeBox, c.box) << c.fullView << " " << c.barHeight;
        EXPECT_EQ(out.statusBar, QRect(0, 275, 400, 25));
    }
}

TEST(EditorLayoutTest, AControlTooSmallForItsBarsLeavesTheBoxAlone) {
    EXPECT_FALSE(LayOutEditor(surface(400, 50, false)).codeBox);
    EXPECT_FALSE(LayOutEditor(surface(400, 20, true)).codeBox);
    EXPECT_TRUE(LayOutEditor(surface(400, 66, false)).codeBox) << "a box of no height still fits";
    // The bars follow the view even when the box cannot.
    EXPECT_FALSE(LayOutEditor(surface(400, 20, true)).editBarVisible);
    EXPECT_TRUE(LayOutEditor(surface(400, 20, false)).editBarVisible);
}

TEST(EditorLayoutTest, FindButtonKeepsItsMarginFromTheRightEnd) {
    EXPECT_EQ(FindButtonLeft(400, 49, 8), 343);
    EXPECT_EQ(FindButtonLeft(30, 49, 8), -27) << "a narrow bar pushes it past the left edge";
}

} // namespace
} // namespace qx
