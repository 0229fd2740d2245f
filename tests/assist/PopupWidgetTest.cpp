#include "AssistFixture.h"
#include "platform/qt/QtCaretLocator.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace qx;
using qx::test::nameSet;

namespace {

// A code box in its own window, active and holding the keyboard.
class PopupWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        box.setGeometry(100, 100, 400, 300);
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.setFocus();
        ASSERT_TRUE(box.hasFocus());
    }
    void expectKeyboardStaysInTheBox() {
        QCoreApplication::processEvents();
        EXPECT_TRUE(box.hasFocus());
        EXPECT_EQ(QApplication::focusWidget(), &box);
        EXPECT_EQ(QApplication::activeWindow(), &box);
    }

    QtCodeBox box;
};

} // namespace

TEST_F(PopupWidgets, TheListShowsNextToTheCaretWithoutTakingTheFocus) {
    frmList list(&box);
    EXPECT_EQ(list.size(), QSize(160, 128)); // 2400 x 1920 twips at 96 dots per inch
    EXPECT_EQ(list.lst()->geometry(), QRect(1, 1, 158, 126)) << "inside the frame";
    EXPECT_DOUBLE_EQ(list.lst()->font().pointSizeF(), 9.75);
    EXPECT_FALSE(list.lst()->isSortingEnabled());

    list.setCaseAsSupplied(true);
    list.setForeColor(0x408F40);
    list.ListSetByName(nameSet({"Zeta", "Alpha", "Beta"}));
    list.Move(QPoint(300, 320));
    list.ShowTopmost();
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(list.Position(), QPoint(300, 320));
    EXPECT_EQ(list.Entry(0), "Zeta"); // in the order given
    EXPECT_EQ(list.lst()->palette().color(QPalette::Text), QColor(0x40, 0x8F, 0x40));
    EXPECT_GE(list.VisibleRows(), 1);
    expectKeyboardStaysInTheBox();
    EXPECT_FALSE(list.HasFocus());

    list.Keys("al");
    EXPECT_EQ(list.ListIndex(), 1);
    EXPECT_EQ(list.Text(), "Alpha");
    list.Keys("q");
    EXPECT_EQ(list.ListIndex(), -1);
}

TEST_F(PopupWidgets, ClickSelectsAndDoubleClickTypesASpaceIntoTheBox) {
    frmList list(&box);
    list.ListSetByName(nameSet({"One", "Two"}));
    list.ShowTopmost();
    QListWidget* lst = list.lst();
    const QPoint second = lst->visualItemRect(lst->item(1)).center();
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(list.ListIndex(), 1);
    expectKeyboardStaysInTheBox();

    QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(box.Text(), " ");
    expectKeyboardStaysInTheBox();

    bool handled = false;
    list.setOnDoubleClick([&] { handled = true; });
    QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, second);
    EXPECT_TRUE(handled);
    EXPECT_EQ(box.Text(), " ");
}

TEST_F(PopupWidgets, TheTipRestsAboveTheCaretWithoutTakingTheFocus) {
    frmSyntax tip(&box);
    const QtCaretLocator locator(&box);
    const CaretGeometry at = locator.Locate();
    EXPECT_EQ(at.caret.topLeft(), box.viewport()->mapToGlobal(box.cursorRect().topLeft()));
    EXPECT_DOUBLE_EQ(at.twipsPerPixelX, 15.0);

    tip.ShowAbove("Connect:Source=Name", at);
    EXPECT_TRUE(tip.Visible());
    EXPECT_EQ(tip.Frame().bottom(), at.caret.top() - 1);
    EXPECT_EQ(tip.Frame().left(), at.caret.left());
    EXPECT_EQ(tip.Frame().width(), tip.LabelWidth() + 4);
    EXPECT_EQ(tip.Label1()->text(), "Connect:Source=Name");
    EXPECT_TRUE(tip.Label1()->wordWrap());
    EXPECT_TRUE(QFontInfo(tip.Label1()->font()).fixedPitch());
    expectKeyboardStaysInTheBox();

    const int oneLine = tip.Frame().height();
    tip.ShowAbove(QString(60, 'x').replace(QRegularExpression("(x{9})"), "\\1 "), at);
    EXPECT_GT(tip.Frame().height(), oneLine);
    EXPECT_EQ(tip.Frame().bottom(), at.caret.top() - 1);
    expectKeyboardStaysInTheBox();
}

// The list is as wide as its longest entry needs, up to half the screen, and never scrolls sideways.
TEST_F(PopupWidgets, TheListWidthFitsItsLongestEntry) {
    frmList list(&box);
    const QString longName = QStringLiteral("CommandValueProcessedByTheServer");
    list.ListSetByName(nameSet({"Id", longName, "Name"}));
    list.ShowTopmost();
    QListWidget* lst = list.lst();
    EXPECT_GT(list.Size().width(), 160);
    EXPECT_EQ(list.Size().height(), 128);
    EXPECT_EQ(lst->horizontalScrollBar()->maximum(), 0) << "nothing to scroll to";
    EXPECT_GE(lst->visualItemRect(lst->item(1)).width(), lst->fontMetrics().horizontalAdvance(longName));
    EXPECT_LE(lst->visualItemRect(lst->item(1)).right(), lst->viewport()->width());

    const int halfScreen = box.screen()->availableGeometry().width() / 2;
    list.ListSetByName(nameSet({QString(500, 'W')}));
    EXPECT_EQ(list.Size().width(), std::max(160, halfScreen));
}

// A value longer than the tip is wide, with no space to break at, is wrapped inside the word.
TEST_F(PopupWidgets, TheTipShowsEveryCharacterOfALongUnbrokenValue) {
    frmSyntax tip(&box);
    const QString value = QStringLiteral("Connect:Source=Name;Timeout=Seconds;Retries=Count;Pool=Size");
    tip.ShowAbove(value, QtCaretLocator(&box).Locate());
    const QLabel* label = tip.Label1();
    const QStringList lines = tip.shownLines();
    EXPECT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), value);
    for (const QString& line : lines)
        EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
            << line.toStdString();
    EXPECT_GE(label->height(), lines.size() * label->fontMetrics().lineSpacing());
    EXPECT_TRUE(tip.rect().contains(label->geometry())) << "the tip holds the whole label";
}

// When the caret's line is at the top of the screen, the tip goes below it rather than off the screen.
TEST_F(PopupWidgets, TheTipStaysOnTheScreen) {
    frmSyntax tip(&box);
    CaretGeometry at = QtCaretLocator(&box).Locate();
    at.caret.moveTop(at.screen.top() + 2);
    tip.ShowAbove("Connect:Source=Name", at);
    EXPECT_GE(tip.Frame().top(), at.screen.top());
    EXPECT_GT(tip.Frame().top(), at.caret.bottom());
}
