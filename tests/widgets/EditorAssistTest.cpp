#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "assist/AssistPopups.h"
#include "platform/ListPopup.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtStatusBar.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;

// The control as a user meets it: shown, with the keyboard in the code box.
class EditorAssistTest : public ::testing::Test {
protected:
    EditorAssistTest() {
        editor.resize(700, 500);
        editor.show();
        editor.activateWindow();
        d.txtCode->setFocus();
        QApplication::processEvents();
    }
    ~EditorAssistTest() override { editor.hide(); }

    void type(const QString& text) { QTest::keyClicks(d.txtCode, text); }

    qx::test::TempSettings settings;
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);
};

TEST_F(EditorAssistTest, TypingTagDotOpensTheMemberListBelowTheCaret) {
    editor.setCodeType(qxcSCRIPTEditor::ctVB);
    type("tag.");
    ASSERT_TRUE(d.state().mbListShown);
    qx::ListPopup* list = d.controller().popups().List();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ListCount(), 18);
    EXPECT_TRUE(list->Visible());

    const QPoint caretBottom = d.txtCode->viewport()->mapToGlobal(d.txtCode->cursorRect().bottomLeft());
    EXPECT_GE(list->Position().y(), caretBottom.y() - 1) << "the list opens below the caret's line";
    EXPECT_TRUE(d.txtCode->hasFocus()) << "the code box keeps the keyboard";
    EXPECT_TRUE(editor.Changed());

    // The list follows the typing and stays open.
    type("Pro");
    EXPECT_TRUE(d.state().mbListShown);
    EXPECT_EQ(list->Entry(list->ListIndex()), "ProcessName");
}

TEST_F(EditorAssistTest, HidingTheControlUnloadsThePopups) {
    editor.setCodeType(qxcSCRIPTEditor::ctVB);
    type("tag.");
    ASSERT_TRUE(d.state().mbListShown);
    editor.hide();
    EXPECT_FALSE(d.state().mbListShown);
    EXPECT_EQ(d.controller().popups().List(), nullptr);
}

TEST_F(EditorAssistTest, TypedCharactersAreRecordedForUndo) {
    type("ab");
    EXPECT_EQ(d.state().mpcUndo->Count(), 2);
    editor.Undo();
    EXPECT_EQ(editor.Value(), "a");
    EXPECT_EQ(d.txtCode->SelStart(), 1);
    QTest::keyClick(d.txtCode, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "");
    QTest::keyClick(d.txtCode, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "a");
    EXPECT_FALSE(d.state().mbBusy);
}

TEST_F(EditorAssistTest, ValueLeavesTheStacksAlone) {
    type("a");
    editor.setValue("something else");
    EXPECT_EQ(d.state().mpcUndo->Count(), 1);
    EXPECT_EQ(d.state().mpcRedo->Count(), 0);
    editor.Undo();
    EXPECT_EQ(editor.Value(), "") << "undo returns to the snapshot taken before the new value";
}

TEST_F(EditorAssistTest, TheLinePanelFollowsTheCaret) {
    editor.setValue("one\r\ntwo\r\nthree");
    d.txtCode->setSelStart(6);
    EXPECT_EQ(d.sbr->PanelText("Line"), "Line: 2");
}

} // namespace
