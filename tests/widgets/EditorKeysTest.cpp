// The real control driven by keys, clicks, the menu and the find dialog: Qt's events reach the rules.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "platform/qt/QtPopupMenu.h"
#include "widgets/frmFindReplace.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>

namespace qx::test {
namespace {

class EditorKeysTest : public ShownEditor {
protected:
    ~EditorKeysTest() override { delete frmFindReplace::instance(); }
};

// Shift+Tab (Backtab) outdents selected lines, Shift+Enter leaves CR LF; hiding the control unloads its list.
TEST_F(EditorKeysTest, KeysTheBoxRewritesAndHidingTheControl) {
    show("  a\r\n  b\r\n", 0);
    d.txtCode->SelectRange(0, 10);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(d.txtCode->SelText(), "a\r\nb\r\n");
    show("ab", 1);
    key(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(editor->Value(), "a\r\nb");
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    type(" = tag.");
    ASSERT_TRUE(d.state().mbListShown);
    editor->hide();
    EXPECT_EQ(d.controller().popups().List(), nullptr);
}

// Ctrl+E steps in, Back steps out with the edit; a visit that edits nothing puts the stored bytes back.
TEST_F(EditorKeysTest, StepsIntoEncodedValuesAndBack) {
    QSignalSpy areaChanges(editor, &qxcSCRIPTEditor::EncodingAreaChange);
    show("x=~64\"QUJD\"\r\nnext", 7);
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(editor->EditingEncodedArea());
    key(Qt::Key_End);
    type("D");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(d.txtCode->Text(), "x=~64\"QUJDRA==\"\r\nnext");
    EXPECT_TRUE(d.txtCode->hasFocus()) << "the keyboard is back in the box";
    EXPECT_EQ(areaChanges.size(), 3) << "in, out with the step, in again at the written value";

    show("x=~64\"YQpi\"", 7); // "a\nb"
    editor->setChanged(false);
    key(Qt::Key_E, Qt::ControlModifier);
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "x=~64\"YQpi\"");
    EXPECT_FALSE(editor->Changed());
}

// The right button opens the menu, Ctrl+F the one find dialog: it keeps its texts and outlives its control.
TEST_F(EditorKeysTest, TheMenuAndTheFindDialog) {
    QTest::mouseClick(d.txtCode->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_TRUE(d.mnuPopup->isVisible());
    d.mnuPopup->hide();
    show("one two one two", 0);
    QAction hostAction(&window); // the host's window-wide Ctrl+F and Ctrl+Q: the control keeps its Ctrl+F
    hostAction.setShortcuts({QKeySequence("Ctrl+F"), QKeySequence("Ctrl+Q")}), window.addAction(&hostAction);
    QSignalSpy hostTriggered(&hostAction, &QAction::triggered);
    key(Qt::Key_Q, Qt::ControlModifier), key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(hostTriggered.size(), 1);
    frmFindReplace* dialog = frmFindReplace::instance();
    ASSERT_NE(dialog, nullptr);
    dialog->txtFind->setText("two");
    EXPECT_EQ(d.txtCode->shownMatches().size(), 2) << "the view marks every match";
    dialog->move(d.txtCode->viewport()->mapToGlobal(QPoint(0, 0)));
    QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
    EXPECT_EQ(d.txtCode->SelStart(), 4);
    EXPECT_EQ(dialog->lblCount->text(), "1 of 2");
    EXPECT_GT(dialog->y(), d.txtCode->viewport()->mapToGlobal(QPoint(0, 0)).y()) << "moved off the match";
    dialog->txtReplace->setText("2");
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "one 2 one two");
    QTest::keyClick(dialog->txtFind, Qt::Key_F3);
    EXPECT_EQ(std::pair(d.txtCode->SelStart(), dialog->lblCount->text()), std::pair(10, QString("1 of 1")));
    dialog->txtFind->setText("ONE");
    QTest::keyClick(dialog->txtFind, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(std::pair(d.txtCode->SelStart(), dialog->lblCount->text()), std::pair(6, QString("2 of 2")));
    dialog->txtReplace->setText("1");
    QTest::mouseClick(dialog->cmdReplaceAll, Qt::LeftButton);
    EXPECT_EQ(std::pair(editor->Value(), dialog->lblCount->text()),
              std::pair(QString("1 2 1 two"), QString("Replaced: 2")));
    EXPECT_EQ(frmFindReplace::open(editor)->txtFind->text(), "ONE");
    QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    EXPECT_TRUE(d.txtCode->shownMatches().isEmpty());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dialog = frmFindReplace::open(editor);
    EXPECT_EQ(dialog->txtFind->text(), "");

    auto* host = new QWidget;
    dialog->setParent(host, dialog->windowFlags()); // owned elsewhere, as by a host form
    EXPECT_EQ(frmFindReplace::open(editor)->parentWidget(), &window);
    delete editor;
    EXPECT_FALSE(dialog->cmdFind->isEnabled() || dialog->cmdReplace->isEnabled());
    EXPECT_EQ(dialog->editor(), nullptr);
    delete host;
}

} // namespace
} // namespace qx::test
