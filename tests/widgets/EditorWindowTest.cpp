#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/Twips.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;
using qx::Twips;

// The control on the offscreen screen, as a host shows it.
class EditorWindowTest : public ::testing::Test {
protected:
    EditorWindowTest() {
        editor.resize(600, 400);
        editor.show();
    }

    int px(int twips) { return Twips::toPixels(twips, &editor); }
    QRect boxGeometry() { return d.txtCode->geometry(); }

    qx::test::TempSettings settings;
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);
};

TEST_F(EditorWindowTest, TheBarsAndTheBoxStackUpInBothViews) {
    const int barHeight = px(615), statusHeight = px(375);
    EXPECT_TRUE(d.picEditBar->isVisible());
    EXPECT_EQ(d.picEditBar->geometry(), QRect(0, 0, 600, barHeight));
    EXPECT_EQ(boxGeometry(), QRect(0, barHeight, 600, 400 - barHeight - statusHeight));
    EXPECT_EQ(d.sbr->geometry(), QRect(0, 400 - statusHeight, 600, statusHeight));
    EXPECT_TRUE(d.sbr->isVisible());

    editor.setFullView(true);
    EXPECT_FALSE(d.picEditBar->isVisible());
    EXPECT_EQ(boxGeometry(), QRect(0, 0, 600, 400 - statusHeight));
    editor.setFullView(false);
    EXPECT_TRUE(d.picEditBar->isVisible());
    EXPECT_EQ(boxGeometry().top(), barHeight);
}

TEST_F(EditorWindowTest, AControlTooSmallForItsBarsLeavesTheBoxWhereItWas) {
    const QRect before = boxGeometry();
    editor.resize(300, px(615) + px(375) - 5);
    EXPECT_EQ(boxGeometry(), before);
    EXPECT_EQ(d.picEditBar->width(), 300) << "the bars still follow the control";
    editor.resize(300, px(615) + px(375));
    EXPECT_EQ(boxGeometry(), QRect(0, px(615), 300, 0));
}

TEST_F(EditorWindowTest, EditBarButtonsSitWhereTheyBelong) {
    const QSize button(px(735), px(375));
    EXPECT_EQ(d.picEditBar->button("cmdBack")->geometry(), QRect(QPoint(px(120), px(120)), button));
    EXPECT_EQ(d.picEditBar->button("cmdEditEncoded")->geometry(), QRect(QPoint(px(960), px(120)), button));
    EXPECT_EQ(d.picEditBar->button("cmdRTF")->geometry(), QRect(QPoint(px(1800), px(120)), button));
    EXPECT_EQ(d.chkSyntaxHighlight->geometry(), QRect(px(2820), px(180), px(2415), px(255)));
    const QStringList captions = {d.picEditBar->button("cmdBack")->text(),
                                  d.picEditBar->button("cmdEditEncoded")->text(),
                                  d.picEditBar->button("cmdRTF")->text(),
                                  d.picEditBar->button("cmdFind")->text(), d.chkSyntaxHighlight->text()};
    EXPECT_EQ(captions, (QStringList{"&Back", "E&dit", "&RTF", "F&ind", "S&yntax Highlighting"}));
}

TEST_F(EditorWindowTest, FindStaysAtTheRightEndOfTheBar) {
    const int margin = px(120);
    EXPECT_EQ(d.picEditBar->button("cmdFind")->x(), 600 - px(735) - margin);
    editor.resize(900, 400);
    EXPECT_EQ(d.picEditBar->button("cmdFind")->x(), 900 - px(735) - margin);
    EXPECT_EQ(d.picEditBar->button("cmdFind")->geometry().size(), QSize(px(735), px(375)));
    EXPECT_EQ(d.picEditBar->button("cmdFind")->y(), px(120)) << "only the left edge moves";
    editor.setFullView(true);
    editor.resize(700, 400);
    editor.setFullView(false);
    EXPECT_EQ(d.picEditBar->button("cmdFind")->x(), 700 - px(735) - margin);
}

TEST_F(EditorWindowTest, FontsAreTahomaForTheControlAndFixedPitchForTheScript) {
    EXPECT_EQ(editor.font().family(), "Tahoma");
    EXPECT_DOUBLE_EQ(d.txtCode->font().pointSizeF(), 11.25);
    EXPECT_TRUE(QFontInfo(d.txtCode->font()).fixedPitch());
}

TEST_F(EditorWindowTest, StatusPanelsStartWithTheirTexts) {
    qx::StatusPanels& panels = *d.sbr;
    for (const auto& [panel, text] : {std::pair{"Level", "1"},
                                      {"Encoded", "Encoded"},
                                      {"CAPS", "CAPS"},
                                      {"Line", "Line: "},
                                      {"Status", ""}})
        EXPECT_EQ(panels.PanelText(panel), text) << panel;
    EXPECT_FALSE(panels.PanelEnabled("Encoded")) << "the caret starts outside any encoded area";
    EXPECT_EQ(d.sbr->panel("Level")->width(), px(405));
    EXPECT_EQ(d.sbr->panel("Line")->width(), px(1000));
    EXPECT_GE(d.sbr->panel("Status")->width(), px(1440));
}

TEST_F(EditorWindowTest, ARightClickInTheBoxOpensTheMenu) {
    QTest::mouseClick(d.txtCode->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_TRUE(d.mnuPopup->isVisible());
    d.mnuPopup->hide();
    QTest::mouseClick(d.txtCode->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
    EXPECT_FALSE(d.mnuPopup->isVisible());
}

TEST_F(EditorWindowTest, AKeyOnTheControlsOwnSurfaceHasNoEffect) {
    editor.setValue(QStringLiteral("abc"));
    QTest::keyClick(&editor, Qt::Key_X);
    QTest::keyClick(d.picEditBar, Qt::Key_Delete);
    EXPECT_EQ(editor.Value(), "abc");
    EXPECT_FALSE(editor.Changed());
}

// A host form with the control and another field.
class EditorFocusTest : public ::testing::Test {
protected:
    EditorFocusTest() {
        auto* column = new QVBoxLayout(&form);
        editor = new qxcSCRIPTEditor;
        other = new QLineEdit;
        column->addWidget(editor);
        column->addWidget(other);
        form.resize(500, 400);
        form.show();
        QApplication::setActiveWindow(&form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        // The application's own state follows the window's activation through the event queue.
        EXPECT_TRUE(
            QTest::qWaitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }));
    }

    qx::test::TempSettings settings;
    QWidget form;
    qxcSCRIPTEditor* editor = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(EditorFocusTest, FocusOnTheControlReachesTheCodeBox) {
    editor->setFocus();
    EXPECT_TRUE(EditorPrivate::of(*editor).txtCode->hasFocus());
}

TEST_F(EditorFocusTest, TheCodeBoxsFocusDrivesTheForegroundCheck) {
    EditorPrivate& d = EditorPrivate::of(*editor);
    d.txtCode->setFocus();
    EXPECT_TRUE(d.tmrForegroundCheck.Enabled());
    EXPECT_EQ(d.controller().foregroundCheck().mhForegroundWindow, qx::QtForegroundWindow::handleOf(&form));
    other->setFocus();
    EXPECT_FALSE(d.tmrForegroundCheck.Enabled());
}

TEST_F(EditorFocusTest, FocusLeavingTheControlUnloadsThePopups) {
    EditorPrivate& d = EditorPrivate::of(*editor);
    d.txtCode->setFocus();
    const int before = d.controller().popupUnloads();
    other->setFocus();
    EXPECT_EQ(d.controller().popupUnloads(), before + 1);
    d.txtCode->setFocus();
    EXPECT_EQ(d.controller().popupUnloads(), before + 1) << "coming back unloads nothing";
    // Leaving the application is the foreground check's business.
    d.FocusChanged(d.txtCode, nullptr);
    EXPECT_EQ(d.controller().popupUnloads(), before + 1);
}

} // namespace
