#include "support/ControllerFixture.h"

namespace qx::test {
namespace {

// The favourites as the popup menu offers them; the file rules are the favourites unit's own.
class FavouritesMenuTest : public ControllerFixture {
protected:
    void addSelectionAs(const QString& name) {
        input.answer(name);
        menu.choose("mnuAddToFav");
    }
};

TEST_F(FavouritesMenuTest, AnAddedFavouriteIsTheLastItemAndInsertsAsOneStep) {
    EXPECT_TRUE(menu.FavouriteItems().isEmpty()) << "no file, no favourites";
    const QString snippet = QStringLiteral("<QX:DB-QUERY>\r\nselect 1\r\n</QX>");
    setValue(snippet + "\r\nrest", 0);
    box.setSelLength(int(snippet.size()));
    box.mouseDown(kRightButton, 0, 5, 5);
    ASSERT_TRUE(menu.ItemVisible("mnuAddToFav"));
    addSelectionAs("A & B");
    EXPECT_EQ(menu.FavouriteItems(), QStringList{"A & B"});

    setValue("x y", 2);
    state.mpcUndo->Clear();
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "x " + snippet + "y");
    EXPECT_EQ(state.mpcUndo->Count(), 1);
    control.Undo();
    EXPECT_EQ(box.Text(), "x y");
}

TEST_F(FavouritesMenuTest, FavouritesAreRefusedInEncodedValuesAndDisabledWhenLocked) {
    setValue("<QX:A>b</QX>", 0);
    box.setSelLength(12);
    addSelectionAs("tag");
    setValue("x=~64\"QUJD\" y", 8);
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_FALSE(menu.ItemEnabled("mnuFav1"));
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y");

    setValue("abc", 0);
    box.setLocked(true);
    box.mouseDown(kRightButton, 0, 5, 5);
    EXPECT_FALSE(menu.ItemEnabled("mnuFav1"));
    menu.choose("mnuFav1");
    EXPECT_EQ(box.Text(), "abc");
}

} // namespace
} // namespace qx::test
