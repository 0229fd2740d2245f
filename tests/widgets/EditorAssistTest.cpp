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

// The keyboard alone drives the member list and the block indentation.
TEST_F(EditorAssistTest, TheKeyboardAcceptsAListEntryAndClosesTheList) {
    editor.setCodeType(qxcSCRIPTEditor::ctVB);
    type("x = tag.");
    ASSERT_TRUE(d.state().mbListShown);
    const QString first = d.controller().popups().List()->Entry(0);
    QTest::keyClick(d.txtCode, Qt::Key_Down);
    QTest::keyClick(d.txtCode, Qt::Key_Return);
    EXPECT_EQ(editor.Value(), "x = tag." + first);
    EXPECT_FALSE(d.state().mbListShown);
    EXPECT_FALSE(d.controller().popups().List()->Visible());

    editor.setValue("x = ");
    d.txtCode->setSelStart(4);
    type("tag.P");
    ASSERT_TRUE(d.state().mbListShown);
    QTest::keyClick(d.txtCode, Qt::Key_Escape);
    EXPECT_FALSE(d.state().mbListShown);
    EXPECT_EQ(editor.Value(), "x = tag.P");
}

TEST_F(EditorAssistTest, TabIndentsSelectedLinesAndKeepsThemSelected) {
    editor.setValue("a\r\nb\r\nc\r\n");
    d.txtCode->SelectRange(0, 8);
    QTest::keyClick(d.txtCode, Qt::Key_Tab);
    EXPECT_EQ(editor.Value(), "  a\r\n  b\r\n  c\r\n");
    EXPECT_EQ(d.txtCode->SelText(), "  a\r\n  b\r\n  c\r\n");
    EXPECT_TRUE(d.txtCode->hasFocus()) << "Tab stays in the box";
    QTest::keyClick(d.txtCode, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor.Value(), "a\r\nb\r\nc\r\n");
}

} // namespace
