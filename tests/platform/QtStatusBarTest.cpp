#include "platform/qt/QtStatusBar.h"
#include "platform/qt/Twips.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace qx {
namespace {

class QtStatusBarTest : public ::testing::Test {
protected:
    QtStatusBar bar{QtStatusBar::EditorPanels()};
    int px(int twips) { return Twips::toPixels(twips, &bar); }
};

TEST_F(QtStatusBarTest, PanelsStartWithTheirTextsAndFixedWidthsInOrderAndTheLastTakesTheRest) {
    const QStringList keys = {"Level", "Encoded", "CAPS", "Line", "Status"};
    const QStringList texts = {"1", "Encoded", "CAPS", "Line: ", ""};
    const int widths[] = {405, 800, 580, 1000, 1440};
    bar.resize(px(405 + 800 + 580 + 1000 + 1440) + 200, bar.height());
    bar.show();
    int left = -1;
    for (int i = 0; i < keys.size(); ++i) {
        QWidget* panel = bar.panel(keys[i]);
        EXPECT_EQ(bar.PanelText(keys[i]), texts[i]) << keys[i].toStdString();
        EXPECT_GT(panel->x(), left) << keys[i].toStdString();
        left = panel->x();
        if (i < 4) {
            EXPECT_EQ(panel->width(), px(widths[i])) << keys[i].toStdString();
        }
    }
    EXPECT_GT(bar.panel("Status")->width(), px(1440));
    EXPECT_EQ(bar.panel("Status")->minimumWidth(), px(1440));
    EXPECT_EQ(bar.panel("Status")->geometry().right(), bar.width() - 1);
    EXPECT_EQ(bar.panel("Level")->toolTip(), "Encoded Depth Level");
    EXPECT_EQ(bar.Height(), px(375));
}

TEST_F(QtStatusBarTest, TextsAndEnabledByKeyUnknownKeysIgnored) {
    bar.setPanelText("Line", "Line: 12");
    EXPECT_EQ(bar.PanelText("Line"), "Line: 12");
    bar.setPanelEnabled("Encoded", false);
    EXPECT_FALSE(bar.PanelEnabled("Encoded"));
    bar.setPanelText("Nope", "x");
    bar.setPanelEnabled("Nope", true);
    EXPECT_EQ(bar.PanelText("Nope"), QString());
    EXPECT_FALSE(bar.PanelEnabled("Nope"));
}

// A key that types text, as the keyboard delivers it.
void type(QWidget* target, Qt::Key key, const QString& text,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
}

// The CAPS panel is enabled while Caps Lock is on, as far as the typed letters tell.
TEST_F(QtStatusBarTest, CapsPanelFollowsTheTypedLetters) {
    QLineEdit edit;
    EXPECT_FALSE(bar.PanelEnabled("CAPS"));
    type(&edit, Qt::Key_A, "A");
    EXPECT_TRUE(bar.capsLockOn());
    EXPECT_TRUE(bar.PanelEnabled("CAPS"));
    type(&edit, Qt::Key_1, "1");
    EXPECT_TRUE(bar.PanelEnabled("CAPS")) << "a digit tells nothing";
    type(&edit, Qt::Key_B, "B", Qt::ShiftModifier);
    EXPECT_FALSE(bar.PanelEnabled("CAPS"));
}

} // namespace
} // namespace qx
