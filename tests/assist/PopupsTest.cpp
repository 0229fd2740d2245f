// The list and tip popups: where they go, what they hold and how the list's selection moves.
#include "AssistFixture.h"

#include <tuple>

using namespace qx;
using qx::test::nameSet;
using Popups = qx::test::AssistFixture;

// Lists go 19 px below the caret's top, items 16 px; opening again replaces entries, moves, keeps the size.
TEST_F(Popups, TheListGoesItsKindsOffsetBelowTheCaret) {
    box.setFontSize(10);
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.OpenList(nameSet({"One", "Two"}), ListKind::ObjectMembers, {});
    EXPECT_EQ(list()->Position(), QPoint(300, 419));
    const QSize size = list()->Size();
    caret.setCaret(QRect(500, 600, 1, 16));
    popups.OpenList(nameSet({"Three"}), ListKind::HandlerItems, {});
    EXPECT_EQ(list()->entries(), QStringList{"THREE"});
    EXPECT_TRUE(list()->Position() == QPoint(500, 616) && list()->Size() == size);
}

// Closing acts only with a list open and clears the status panel; unloading destroys the forms.
TEST_F(Popups, ClosingActsOnlyWithTheListAndUnloadingDestroysTheForms) {
    popups.HideList(); // nothing created yet: harmless
    popups.ClosePopups();
    popups.UnloadPopups();
    popups.ShowTip("Syntax");
    popups.ShowDescription("Description");
    EXPECT_EQ(status.PanelText("Status"), "Description");
    popups.ClosePopups();
    EXPECT_TRUE(popups.TipShown()); // a tip alone stays
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ClosePopups();
    EXPECT_FALSE(popups.TipShown() || state.mbListShown || list()->Visible() || tip()->Visible());
    EXPECT_EQ(status.PanelText("Status"), QString());

    popups.ShowTip("Syntax");
    popups.UnloadPopups();
    EXPECT_TRUE(!popups.List() && !popups.Tip() && !state.mbListShown && !state.mbTipShown);
}

// Three rows a page: moves stop at the ends; from -1 (none selected) Page Up takes the last. (Keys: control.)
TEST(ListPopup, SelectionMovesStopAtTheEnds) {
    using enum ListMove;
    const std::tuple<int, ListMove, int> cases[] = {
        {3, PageDown, 4}, {4, Down, 4}, {1, PageUp, 0}, {0, Up, 0}, {-1, PageUp, 4}};
    MemoryListPopup list;
    EXPECT_FALSE(list.MoveSelection(Down));
    Properties values; // listed by value
    for (int i = 1; i <= 5; ++i)
        values.Add(QString(QChar('a' + i)), i);
    list.ListSetByValue(values);
    EXPECT_EQ(list.entries(), (QStringList{"1", "2", "3", "4", "5"}));
    list.setVisibleRows(3);
    for (const auto& [from, move, to] : cases) {
        list.setListIndex(from);
        list.MoveSelection(move);
        EXPECT_EQ(list.ListIndex(), to) << from << " " << int(move);
    }
}
