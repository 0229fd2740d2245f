#include "AssistFixture.h"

using namespace qx;
using qx::test::AssistFixture;

namespace {

class Popups : public AssistFixture {
protected:
    Properties names(const QStringList& list) {
        Properties set;
        for (const QString& name : list)
            set.Add(name, QString());
        return set;
    }
};

} // namespace

TEST_F(Popups, ObjectListsGoOneTextLineBelowTheCaretsTop) {
    box.setFontSize(10); // 10 x 24 + 45 = 285 twips: 19 pixels
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.OpenList(names({"a"}), ListKind::ObjectMembers, {});
    EXPECT_EQ(list()->Position(), QPoint(300, 419));
    EXPECT_EQ(AssistPopups::ListOffsetTwips(ListKind::HandlerNames, 12), 333);
    EXPECT_EQ(AssistPopups::ListOffsetTwips(ListKind::Values, 12), 240);
}

TEST_F(Popups, NearTheBottomTheListGoesAboveTheCaretsLine) {
    caret.setCaret(QRect(300, 1000, 1, 16));
    popups.OpenList(names({"a"}), ListKind::Values, {});
    EXPECT_EQ(list()->Position(), QPoint(300, 1000 - 128));
}

TEST_F(Popups, NearTheRightEdgeTheListStaysOnItsScreen) {
    caret.setScreen(QRect(1920, 0, 1280, 1024));
    caret.setCaret(QRect(3150, 300, 1, 16));
    popups.OpenList(names({"a"}), ListKind::Values, {});
    EXPECT_EQ(list()->Position(), QPoint(3200 - 160, 316));
}

TEST_F(Popups, OpeningTwiceReplacesTheEntriesAndMovesTheWindowKeepingItsSize) {
    popups.OpenList(names({"One", "Two"}), ListKind::HandlerItems, {});
    const QSize size = list()->Size();
    caret.setCaret(QRect(500, 600, 1, 16));
    box.setText("abc");
    box.setSelStart(3);
    popups.OpenList(names({"Three"}), ListKind::HandlerItems, {});
    EXPECT_EQ(list()->entries(), QStringList{"THREE"});
    EXPECT_EQ(list()->Position(), QPoint(500, 616));
    EXPECT_EQ(list()->Size(), size);
    EXPECT_EQ(mlListStart, 3);
    EXPECT_EQ(list()->showCount(), 2);
}

TEST_F(Popups, TheTipRestsOnTheCaretsTopAndGrowsUpwards) {
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.ShowTip("Short");
    ASSERT_TRUE(popups.TipShown());
    EXPECT_EQ(tip()->Frame(), QRect(300, 400 - 18, 192, 18));
    // 188 pixels hold 26 characters a row: 60 characters take three rows.
    popups.ShowTip(QString(60, 'x'));
    EXPECT_EQ(tip()->Frame(), QRect(300, 400 - 46, 192, 46));
    EXPECT_EQ(tip()->Frame().bottom(), 399);
}

TEST_F(Popups, TheTipKeepsTwoInchesFreeToTheRight) {
    caret.setCaret(QRect(1850, 400, 1, 16));
    popups.ShowTip("Syntax");
    EXPECT_EQ(tip()->Frame().left(), 1920 - 192);
    EXPECT_EQ(tip()->LabelWidth(), 188);
}

TEST_F(Popups, SettingTheSameTextAgainDoesNotRewriteTheCaption) {
    popups.ShowTip("Syntax");
    popups.ShowTip("Syntax");
    EXPECT_EQ(tip()->captionWrites(), 1);
    const int writes = status.textWrites();
    popups.ShowTip(QString()); // an empty text leaves the tip as it was
    EXPECT_TRUE(popups.TipShown());
    popups.ShowDescription(QString());
    EXPECT_EQ(status.textWrites(), writes);
}

TEST_F(Popups, SetSyntaxLaysTheTipOutWhereItStands) {
    popups.ShowTip("a");
    tip()->setFrame(QRect(1800, 300, 192, 18));
    tip()->setSyntax(QString(30, 'y'));
    EXPECT_EQ(tip()->Frame(), QRect(1728, 300 + 18 - 32, 192, 32));
}

TEST_F(Popups, HideTipEmptiesTheStatusPanelAndClosePopupsActsOnlyWithTheList) {
    popups.ShowTip("Syntax");
    popups.ShowDescription("Description");
    EXPECT_EQ(status.PanelText("Status"), "Description");
    popups.ClosePopups();
    EXPECT_TRUE(popups.TipShown()); // a tip alone stays
    popups.OpenList(names({"a"}), ListKind::Values, {});
    popups.ClosePopups();
    EXPECT_FALSE(popups.TipShown());
    EXPECT_FALSE(mbListShown);
    EXPECT_FALSE(list()->Visible());
    EXPECT_FALSE(tip()->Visible());
    EXPECT_EQ(status.PanelText("Status"), QString());
}

TEST_F(Popups, HidingBeforeAnythingWasCreatedIsHarmless) {
    popups.HideList();
    popups.HideTip();
    popups.ClosePopups();
    popups.UnloadPopups();
    EXPECT_EQ(popups.List(), nullptr);
    EXPECT_FALSE(popups.TipShown());
}

TEST_F(Popups, UnloadingDestroysTheFormsAndClearsTipLoaded) {
    popups.ShowTip("Syntax");
    EXPECT_TRUE(mbTipLoaded); // created while no list form existed
    popups.OpenList(names({"a"}), ListKind::Values, {});
    popups.UnloadPopups();
    EXPECT_EQ(popups.List(), nullptr);
    EXPECT_EQ(popups.Tip(), nullptr);
    EXPECT_FALSE(mbTipLoaded);
    EXPECT_FALSE(mbListShown);
    EXPECT_FALSE(mbTipShown);

    popups.OpenList(names({"a"}), ListKind::Values, {});
    popups.ShowTip("Syntax");
    EXPECT_FALSE(mbTipLoaded); // the list's form came first
}

TEST_F(Popups, ADoubleClickedEntryHandsTheFocusBack) {
    popups.OpenList(names({"Alpha", "Beta"}), ListKind::ObjectMembers, {});
    bool ran = false;
    list()->setOnDoubleClick([&] { ran = true; });
    box.focusOut();
    list()->doubleClickEntry(1);
    EXPECT_TRUE(box.HasFocus());
    EXPECT_TRUE(ran);
    EXPECT_EQ(list()->Text(), "Beta");
}
