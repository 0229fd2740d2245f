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

TEST(EditorLayoutTest, FullViewPutsTheBoxAtTheTopAboveTheStatusBar) {
    const EditorLayoutResult out = LayOutEditor(surface(400, 300, true));
    EXPECT_FALSE(out.editBarVisible);
    ASSERT_TRUE(out.codeBox);
    EXPECT_EQ(*out.codeBox, QRect(0, 0, 400, 275));
    EXPECT_EQ(out.statusBar, QRect(0, 275, 400, 25));
}

TEST(EditorLayoutTest, WithTheEditBarTheBoxStartsBelowIt) {
    const EditorLayoutResult out = LayOutEditor(surface(400, 300, false));
    EXPECT_TRUE(out.editBarVisible);
    EXPECT_EQ(out.editBar, QRect(0, 0, 400, 41));
    ASSERT_TRUE(out.codeBox);
    EXPECT_EQ(*out.codeBox, QRect(0, 41, 400, 300 - 41 - 25));
}

// The box starts at the bar's nominal height; its height gives way to the bar's actual height.
TEST(EditorLayoutTest, TheBarsActualHeightSetsOnlyTheBoxHeight) {
    EditorLayoutInput in = surface(400, 300, false);
    in.editBarHeight = 60;
    const EditorLayoutResult out = LayOutEditor(in);
    ASSERT_TRUE(out.codeBox);
    EXPECT_EQ(out.codeBox->top(), 41);
    EXPECT_EQ(out.codeBox->height(), 300 - 60 - 25);
    EXPECT_EQ(out.editBar.height(), 60);
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
