#include "AssistFixture.h"

using namespace qx;
using qx::test::nameSet;
using Popups = qx::test::AssistFixture;

TEST_F(Popups, TheListGoesItsKindsOffsetBelowTheCaretOnTheCaretsScreen) {
    struct Case {
        QRect screen, caret;
        ListKind kind;
        QPoint at;
    };
    box.setFontSize(10); // member lists: 10 x 24 + 45 = 285 twips, 19 pixels; values: 240 twips, 16 pixels
    const QRect first(0, 0, 1920, 1080), second(1920, 0, 1280, 1024);
    for (const Case& c : {Case{first, QRect(300, 400, 1, 16), ListKind::ObjectMembers, QPoint(300, 419)},
                          Case{second, QRect(3150, 300, 1, 16), ListKind::Values, QPoint(3200 - 160, 316)}}) {
        caret.setScreen(c.screen);
        caret.setCaret(c.caret);
        popups.OpenList(nameSet({"a"}), c.kind, {});
        EXPECT_EQ(list()->Position(), c.at) << c.caret.y();
    }
    EXPECT_EQ(AssistPopups::ListOffsetTwips(ListKind::HandlerNames, 12), 333);
    EXPECT_EQ(AssistPopups::ListOffsetTwips(ListKind::Values, 12), 240);
}

TEST_F(Popups, OpeningTwiceReplacesTheEntriesAndMovesTheWindowKeepingItsSize) {
    popups.OpenList(nameSet({"One", "Two"}), ListKind::HandlerItems, {});
    const QSize size = list()->Size();
    caret.setCaret(QRect(500, 600, 1, 16));
    box.setText("abc");
    box.setSelStart(3);
    popups.OpenList(nameSet({"Three"}), ListKind::HandlerItems, {});
    EXPECT_EQ(list()->entries(), QStringList{"THREE"});
    EXPECT_EQ(list()->Position(), QPoint(500, 616));
    EXPECT_EQ(list()->Size(), size);
    EXPECT_EQ(mlListStart, 3);
    EXPECT_EQ(list()->showCount(), 2);
}

TEST_F(Popups, TheTipRestsOnTheCaretsTopGrowsUpwardsAndKeepsTwoInchesFree) {
    caret.setCaret(QRect(300, 400, 1, 16));
    popups.ShowTip("Short");
    ASSERT_TRUE(popups.TipShown());
    EXPECT_EQ(tip()->Frame(), QRect(300, 400 - 18, 192, 18));
    // 188 pixels hold 26 characters a row: 60 characters take three rows.
    popups.ShowTip(QString(60, 'x'));
    EXPECT_EQ(tip()->Frame(), QRect(300, 400 - 46, 192, 46));

    caret.setCaret(QRect(1850, 400, 1, 16));
    popups.ShowTip("Syntax");
    EXPECT_EQ(tip()->Frame().left(), 1920 - 192);
    EXPECT_EQ(tip()->LabelWidth(), 188);
    // Set directly, the syntax lays the tip out where it stands.
    tip()->setFrame(QRect(1800, 300, 192, 18));
    tip()->setSyntax(QString(30, 'y'));
    EXPECT_EQ(tip()->Frame(), QRect(1728, 300 + 18 - 32, 192, 32));
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

TEST_F(Popups, HideTipEmptiesTheStatusPanelAndClosePopupsActsOnlyWithTheList) {
    popups.HideList(); // nothing created yet: harmless
    popups.ClosePopups();
    EXPECT_EQ(popups.List(), nullptr);
    popups.ShowTip("Syntax");
    popups.ShowDescription("Description");
    EXPECT_EQ(status.PanelText("Status"), "Description");
    popups.ClosePopups();
    EXPECT_TRUE(popups.TipShown()); // a tip alone stays
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ClosePopups();
    EXPECT_FALSE(popups.TipShown());
    EXPECT_FALSE(mbListShown);
    EXPECT_FALSE(list()->Visible());
    EXPECT_FALSE(tip()->Visible());
    EXPECT_EQ(status.PanelText("Status"), QString());
}

TEST_F(Popups, UnloadingDestroysTheFormsAndClearsTipLoaded) {
    popups.UnloadPopups(); // nothing created yet: harmless
    popups.ShowTip("Syntax");
    EXPECT_TRUE(mbTipLoaded); // created while no list form existed
    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.UnloadPopups();
    EXPECT_EQ(popups.List(), nullptr);
    EXPECT_EQ(popups.Tip(), nullptr);
    EXPECT_FALSE(mbTipLoaded || mbListShown || mbTipShown);

    popups.OpenList(nameSet({"a"}), ListKind::Values, {});
    popups.ShowTip("Syntax");
    EXPECT_FALSE(mbTipLoaded); // the list's form came first
}
