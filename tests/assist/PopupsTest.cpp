// The list and tip popups: where they go, what they hold and how the list's selection moves.
#include "AssistFixture.h"
#include "platform/PopupPlacement.h"

using namespace qx;
using qx::test::nameSet;
using Popups = qx::test::AssistFixture;

// The list goes below the caret, or above its line when there is no room below, and stays on the caret's
// screen. A tip wider than the room left ends at the screen's edge, its label re-wrapped narrower; one that
// would pass the screen's top goes below the caret's line.
TEST(PopupPlacement, ListsAndTipsStayOnTheCaretsScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize list(160, 128);
    EXPECT_EQ(PlaceListAtCaret(QRect(300, 1000, 1, 16), 19, list, screen), QPoint(300, 872));
    EXPECT_EQ(PlaceListAtCaret(QRect(-1290, 100, 1, 16), 16, list, QRect(-1280, 0, 1280, 1024)),
              QPoint(-1280, 116));
    EXPECT_EQ(PlaceListAtCaret(QRect(10, 60, 1, 16), 19, list, QRect(0, 0, 800, 150)), QPoint(10, 22));

    const auto rowsOfHundred = [](int width) { return ((300 + width - 1) / width) * 14; };
    const TipLayout layout = LayoutTip(QRect(1500, 500, 10, 10), screen, 192, 4, 600, rowsOfHundred);
    EXPECT_EQ(layout.frame, QRect(1500, 510 - rowsOfHundred(416) - 4, 420, rowsOfHundred(416) + 4));
    EXPECT_EQ(layout.labelWidth, 416);
    EXPECT_EQ(KeepTipOnScreen({100, 150, 200, 40}, {100, 190, 1, 16}, screen), QRect(100, 150, 200, 40));
    EXPECT_EQ(KeepTipOnScreen({100, -30, 200, 40}, {100, 10, 1, 16}, screen), QRect(100, 26, 200, 40));
    EXPECT_EQ(KeepTipOnScreen({100, 1060, 200, 40}, {100, 1000, 1, 16}, screen), QRect(100, 1040, 200, 40));
}

// Member lists go 10 x 24 + 45 = 285 twips (19 pixels) below the caret's top, items 240 twips (16 pixels).
// Opening again replaces the entries and moves the window, keeping its size.
TEST_F(Popups, TheListGoesItsKindsOffsetBelowTheCaret) {
    box.setFontSize(10);
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.OpenList(nameSet({"One", "Two"}), ListKind::ObjectMembers, {});
    EXPECT_EQ(list()->Position(), QPoint(300, 419));
    const QSize size = list()->Size();
    caret.setCaret(QRect(500, 600, 1, 16));
    setText("abc");
    popups.OpenList(nameSet({"Three"}), ListKind::HandlerItems, {});
    EXPECT_EQ(list()->entries(), QStringList{"THREE"});
    EXPECT_EQ(list()->Position(), QPoint(500, 616));
    EXPECT_EQ(list()->Size(), size);
    EXPECT_EQ(state.mlListStart, 3);
    EXPECT_EQ(list()->showCount(), 2);
}

// The same text again or an empty one rewrites nothing. Closing acts only with a list; the tip form counts
// as loaded only when it was made before the list's.
TEST_F(Popups, ClosingActsOnlyWithTheListAndUnloadingDestroysTheForms) {
    popups.HideList(); // nothing created yet: harmless
    popups.ClosePopups();
    popups.UnloadPopups();
    popups.ShowTip("Syntax");
    popups.ShowTip("Syntax");
    EXPECT_EQ(tip()->captionWrites(), 1);
    const int writes = status.textWrites();
    popups.ShowTip(QString());
    popups.ShowDescription(QString());
    EXPECT_EQ(status.textWrites(), writes);
    EXPECT_TRUE(state.mbTipLoaded);
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
    EXPECT_TRUE(popups.List() == nullptr && popups.Tip() == nullptr);
    EXPECT_FALSE(state.mbTipLoaded || state.mbListShown || state.mbTipShown);
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ShowTip("Syntax");
    EXPECT_FALSE(state.mbTipLoaded);
}

// Three rows a page; from -1 (nothing selected) Page Up takes the last, the other keys the first. A move
// that stays reports it; so does an empty list.
TEST(ListPopup, SelectionMovesAsTheListKeysDo) {
    const struct {
        int from;
        ListMove move;
        int to;
        bool moved;
    } cases[] = {
        {-1, ListMove::PageDown, 0, true}, {0, ListMove::PageDown, 3, true}, {3, ListMove::PageDown, 4, true},
        {4, ListMove::Down, 4, false},     {4, ListMove::PageUp, 1, true},   {1, ListMove::PageUp, 0, true},
        {0, ListMove::Up, 0, false},       {0, ListMove::End, 4, true},      {4, ListMove::Home, 0, true},
        {-1, ListMove::PageUp, 4, true},   {-1, ListMove::Up, 0, true},      {-1, ListMove::Down, 0, true}};
    MemoryListPopup list;
    EXPECT_FALSE(list.MoveSelection(ListMove::Down));
    Properties values; // listed by value
    for (int i = 1; i <= 5; ++i)
        values.Add(QString(QChar('a' + i)), i);
    list.ListSetByValue(values);
    EXPECT_EQ(list.entries(), (QStringList{"1", "2", "3", "4", "5"}));
    list.setVisibleRows(3);
    for (const auto& c : cases) {
        list.setListIndex(c.from);
        EXPECT_EQ(list.MoveSelection(c.move), c.moved) << c.from << " " << int(c.move);
        EXPECT_EQ(list.ListIndex(), c.to) << c.from << " " << int(c.move);
    }
}
