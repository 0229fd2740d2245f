// The Qt list window beside a real code box: it never takes the keyboard from it.
#include "AssistFixture.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"

#include <QApplication>
#include <QListWidget>
#include <QScreen>
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

    QtCodeBox box;
};

} // namespace

// A double click types a space into the box unless a handler takes it; the list grows to half the screen.
TEST_F(PopupWidgets, TheListGivesTheFocusBackAndGrowsToHalfTheScreen) {
    frmList list(&box);
    list.ListSetByName(nameSet({"Zeta", "Alpha", "Beta"}));
    list.ShowTopmost();
    QListWidget* lst = list.lst();
    const QPoint second = lst->visualItemRect(lst->item(1)).center();
    QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(box.Text(), " ");
    QCoreApplication::processEvents();
    EXPECT_TRUE(QApplication::focusWidget() == &box && QApplication::activeWindow() == &box);
    bool handled = false;
    list.setOnDoubleClick([&] { handled = true; });
    QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, second);
    EXPECT_TRUE(handled && box.Text() == " ");
    list.ListSetByName(nameSet({QString(500, 'W')}));
    EXPECT_EQ(list.Size().width(), std::max(160, box.screen()->availableGeometry().width() / 2));
    frmSyntax tip(&box); // the tip shows without taking the keyboard either
    tip.ShowTopmost();
    QCoreApplication::processEvents();
    EXPECT_TRUE(tip.Visible() && QApplication::focusWidget() == &box);
}
