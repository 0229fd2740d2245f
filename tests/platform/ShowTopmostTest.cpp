#include "platform/qt/ShowTopmost.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(ShowTopmostTest, ShowsAFramelessTopmostWindowWithoutTakingTheKeyboard) {
    QLineEdit owner;
    owner.show();
    QApplication::setActiveWindow(&owner);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    owner.setFocus();
    ASSERT_TRUE(owner.hasFocus());

    QWidget popup;
    popup.setGeometry(40, 50, 120, 80);
    ShowTopmost(&popup);

    EXPECT_TRUE(popup.isVisible());
    const Qt::WindowFlags flags = popup.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::ToolTip);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(popup.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(popup.geometry(), QRect(40, 50, 120, 80)) << "the window stays where it stood";
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.hasFocus());
    EXPECT_EQ(QApplication::activeWindow(), &owner);
}

TEST(ShowTopmostTest, AChildWidgetBecomesAWindowAndNullIsIgnored) {
    ShowTopmost(nullptr);
    QWidget parent;
    auto* child = new QWidget(&parent);
    ShowTopmost(child);
    EXPECT_TRUE(child->isWindow());
    EXPECT_TRUE(child->isVisible());
}

} // namespace
} // namespace qx
