// The list and tip popups: where they go, what they hold and how the list's selection moves.
#include "AssistFixture.h"
#include "platform/PopupPlacement.h"

using namespace qx;
using qx::test::nameSet;
using Popups = qx::test::AssistFixture;

namespace {

const QRect kScreen(0, 0, 1920, 1080);

// The list goes below the caret, or above its line when there is no room below, and stays on the caret's
// screen; a tip that would pass the screen's top goes below the caret's line.
TEST(PopupPlacement, ListsAndTipsStayOnTheCaretsScreen) {
    const QSize list(160, 128);
    EXPECT_EQ(PlaceListAtCaret(QRect(300, 1000, 1, 16), 19, list, kScreen), QPoint(300, 872));
    EXPECT_EQ(PlaceListAtCaret(QRect(-1290, 100, 1, 16), 16, list, QRect(-1280, 0, 1280, 1024)),
              QPoint(-1280, 116));
    EXPECT_EQ(PlaceListAtCaret(QRect(10, 60, 1, 16), 19, list, QRect(0, 0, 800, 150)), QPoint(10, 22));

    // A label wider than the room left: the tip ends at the screen's edge, its label re-wrapped narrower.
    const auto rowsOfHundred = [](int width) { return ((300 + width - 1) / width) * 14; };
    const TipLayout layout = LayoutTip(QRect(1500, 500, 10, 10), kScreen, 192, 4, 600, rowsOfHundred);
    EXPECT_EQ(layout.frame, QRect(1500, 510 - rowsOfHundred(416) - 4, 420, rowsOfHundred(416) + 4));
    EXPECT_EQ(layout.labelWidth, 416);

    const struct {
        QRect frame, caret, kept;
    } cases[] = {
        {{100, 150, 200, 40}, {100, 190, 1, 16}, {100, 150, 200, 40}}, // room above: unchanged
        {{100, -30, 200, 40}, {100, 10, 1, 16}, {100, 26, 200, 40}},   // none above: below the line
        {{100, 1060, 200, 40}, {100, 1000, 1, 16}, {100, 1040, 200, 40}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepTipOnScreen(c.frame, c.caret, kScreen), c.kept) << c.frame.y();
}

} // namespace

// Member lists go 10 x 24 + 45 = 285 twips (19 pixels) below the caret's top, items 240 twips (16 pixels).
// Opening again replaces the entries and moves the window, keeping its size.
TEST_F(Popups, TheListGoesItsKindsOffsetBelowTheCaret) {
    box.setFontSize(10);
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.OpenList(nameSet({"One", "Two"}), ListKind::ObjectMembers, {});
    EXPECT_EQ(list()->Position(), QPoint(300, 419));
    const QSize size = list()->Size();
    caret.setCaret(QRect(500, 600, 1, 16));
    box.setText("abc");
    box.setSelStart(3);
    popups.OpenList(nameSet({"Three"}), ListKind::HandlerItems, {});
    EXPECT_EQ(list()->entries(), QStringList{"THREE"});
    EXPECT_EQ(list()->Position(), QPoint(500, 616));
    EXPECT_EQ(list()->Size(), size);
    EXPECT_EQ(state.mlListStart, 3);
    EXPECT_EQ(list()->showCount(), 2);
}

TEST_F(Popups, TheSameTextAgainOrAnEmptyOneRewritesNothing) {
    popups.ShowTip("Syntax");
    popups.ShowTip("Syntax");
    EXPECT_EQ(tip()->captionWrites(), 1);
    const int writes = status.textWrites();
    popups.ShowTip(QString());
    EXPECT_TRUE(popups.TipShown());
    popups.ShowDescription(QString());
    EXPECT_EQ(status.textWrites(), writes);
}

TEST_F(Popups, ClosingActsOnlyWithTheListAndUnloadingDestroysTheForms) {
    popups.HideList(); // nothing created yet: harmless
    popups.ClosePopups();
    popups.UnloadPopups();
    EXPECT_EQ(popups.List(), nullptr);
    popups.ShowTip("Syntax");
    EXPECT_TRUE(state.mbTipLoaded); // created while no list form existed
    popups.ShowDescription("Description");
    EXPECT_EQ(status.PanelText("Status"), "Description");
    popups.ClosePopups();
    EXPECT_TRUE(popups.TipShown()); // a tip alone stays
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ClosePopups();
    EXPECT_FALSE(popups.TipShown() || state.mbListShown || list()->Visible() || tip()->Visible());
    EXPECT_EQ(status.PanelText("Status"), QString());

    popups.ShowTip("Syntax");
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.UnloadPopups();
    EXPECT_EQ(popups.List(), nullptr);
    EXPECT_EQ(popups.Tip(), nullptr);
    EXPECT_FALSE(state.mbTipLoaded || state.mbListShown || state.mbTipShown);
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ShowTip("Syntax");
    EXPECT_FALSE(state.mbTipLoaded); // the list's form came first
}

// Three rows a page; from -1 (nothing selected) Page Up takes the last, the other keys the first.
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
    list.ListSetByName(nameSet({"A", "B", "C", "D", "E"}));
    list.setVisibleRows(3);
    for (const auto& c : cases) {
        list.setListIndex(c.from);
        EXPECT_EQ(list.MoveSelection(c.move), c.moved) << c.from << " " << int(c.move);
        EXPECT_EQ(list.ListIndex(), c.to) << c.from << " " << int(c.move);
    }
    MemoryListPopup empty;
    EXPECT_FALSE(empty.MoveSelection(ListMove::Down));
}

// A double click needs an owner: it gives the focus back to it, then runs the handler.
TEST(ListPopup, DoubleClickGivesTheFocusBackThenRunsTheHandler) {
    MemoryListPopup list;
    Properties values;
    values.Add("first", 1);
    values.Add("second", 2);
    list.ListSetByValue(values);
    EXPECT_EQ(list.entries(), (QStringList{"1", "2"}));
    MemoryCodeBox box;
    bool focusedFirst = false;
    list.setOnDoubleClick([&] { focusedFirst = box.HasFocus(); });
    list.doubleClickEntry(1);
    EXPECT_EQ(list.ListIndex(), -1);
    list.setOwner(&box);
    list.doubleClickEntry(1);
    EXPECT_TRUE(focusedFirst);
    EXPECT_EQ(list.Text(), "2");
}
