// The Qt list and tip windows beside a real code box: they never take the keyboard from it.
#include "AssistFixture.h"
#include "platform/qt/QtCaretLocator.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

using namespace qx;
using qx::test::nameSet;

namespace {

class PopupWidgets : public ::testing::Test {
protected:
    void SetUp() override {
        box.setGeometry(100, 100, 400, 300);
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.setFocus();
    }
    void expectKeyboardStaysInTheBox() {
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), &box);
        EXPECT_EQ(QApplication::activeWindow(), &box);
    }

    QtCodeBox box;
};

} // namespace

// Entries show in the order given; a click selects, a double click types a space into the box unless a
// handler takes it. The list is as wide as its longest entry needs, up to half the screen, and never
// scrolls sideways.
TEST_F(PopupWidgets, TheListFitsItsEntriesAndClicksGiveTheFocusBack) {
    frmList list(&box);
    EXPECT_EQ(list.size(), QSize(160, 128)); // 2400 x 1920 twips at 96 dots per inch
    list.setCaseAsSupplied(true);
    list.setForeColor(0x408F40);
    list.ListSetByName(nameSet({"Zeta", "Alpha", "Beta"}));
    list.ShowTopmost();
    EXPECT_EQ(list.Entry(0), "Zeta");
    EXPECT_EQ(list.lst()->palette().color(QPalette::Text), QColor(0x40, 0x8F, 0x40));

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

    const QString longName = QStringLiteral("CommandValueProcessedByTheServer");
    list.ListSetByName(nameSet({"Id", longName, "Name"}));
    EXPECT_GT(list.Size().width(), 160);
    EXPECT_EQ(list.Size().height(), 128);
    EXPECT_EQ(lst->horizontalScrollBar()->maximum(), 0) << "nothing to scroll to";
    EXPECT_GE(lst->visualItemRect(lst->item(1)).width(), lst->fontMetrics().horizontalAdvance(longName));
    EXPECT_LE(lst->visualItemRect(lst->item(1)).right(), lst->viewport()->width());
    list.ListSetByName(nameSet({QString(500, 'W')}));
    EXPECT_EQ(list.Size().width(), std::max(160, box.screen()->availableGeometry().width() / 2));
}

// The tip rests on the caret's top in a fixed-pitch font; a value longer than the tip is wide, with no
// space to break at, is wrapped inside the word.
TEST_F(PopupWidgets, TheTipShowsEveryCharacterAboveTheCaret) {
    frmSyntax tip(&box);
    const CaretGeometry at = QtCaretLocator(&box).Locate();
    EXPECT_EQ(at.caret.topLeft(), box.viewport()->mapToGlobal(box.cursorRect().topLeft()));
    const QString value = QStringLiteral("Connect:Source=Name;Timeout=Seconds;Retries=Count;Pool=Size");
    tip.ShowAbove(value, at);
    EXPECT_EQ(tip.Frame().bottom(), at.caret.top() - 1);
    EXPECT_EQ(tip.Frame().left(), at.caret.left());
    EXPECT_EQ(tip.Frame().width(), tip.LabelWidth() + 4);
    const QLabel* label = tip.Label1();
    EXPECT_TRUE(QFontInfo(label->font()).fixedPitch());
    const QStringList lines = tip.shownLines();
    EXPECT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), value);
    for (const QString& line : lines)
        EXPECT_LE(label->fontMetrics().horizontalAdvance(line), label->contentsRect().width())
            << line.toStdString();
    EXPECT_GE(label->height(), lines.size() * label->fontMetrics().lineSpacing());
    EXPECT_TRUE(tip.rect().contains(label->geometry())) << "the tip holds the whole label";
    expectKeyboardStaysInTheBox();
}
