// The real control driven as a user drives it: keys, clicks, the menu and the find dialog. The rules are
// the controller's (tests/control); here, that Qt's events reach them and that what they decide reaches the
// screen.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "platform/qt/QtPopupMenu.h"
#include "widgets/frmFindReplace.h"

#include <QAction>
#include <QSignalSpy>

namespace qx::test {
namespace {

class EditorKeysTest : public ShownEditor {
protected:
    ~EditorKeysTest() override { delete frmFindReplace::instance(); }
};

// Shift+Tab (Backtab) outdents selected lines and keeps them selected; Enter with Shift or Ctrl leaves
// CR LF, no line separator. Hiding the control unloads its member list; on a control that is not shown,
// the closing-tag correction's caret holds and the typed character lands there.
TEST_F(EditorKeysTest, KeysTheBoxRewritesAndAHiddenControl) {
    show("  a\r\n  b\r\n", 0);
    d.txtCode->SelectRange(0, 10);
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(d.txtCode->SelText(), "a\r\nb\r\n");
    for (const Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier}) {
        show("ab", 1);
        key(Qt::Key_Return, modifier);
        EXPECT_EQ(editor->Value(), "a\r\nb") << modifier;
    }
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    type(" = tag.");
    ASSERT_TRUE(d.state().mbListShown);
    editor->hide();
    EXPECT_EQ(d.controller().popups().List(), nullptr);
    editor->setCodeType(qxcSCRIPTEditor::ctKelvane);
    show("<QX:a>x</qx", 11);
    QTest::keyClick(d.txtCode, '>');
    EXPECT_EQ(editor->Value(), "<QX:a>x</QX>");
    EXPECT_EQ(d.txtCode->SelStart(), 12);
}

// Ctrl+E steps in, the Back button steps out with the edit and gives the keyboard back to the box; a visit
// that edits nothing puts the stored bytes back, although the box shows a lone LF as CR LF.
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
    ASSERT_EQ(d.txtCode->Text(), "a\r\nb");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "x=~64\"YQpi\"");
    EXPECT_FALSE(editor->Changed());
}

// The menu shows its items in order; Ctrl+F opens the find dialog, whose Find Next and Replace reach the
// control.
TEST_F(EditorKeysTest, TheMenuAndTheFindDialog) {
    show("<QX:A>b</QX>", 0);
    d.txtCode->SelectRange(0, -1);
    QTest::mouseClick(d.txtCode->viewport(), Qt::RightButton, {}, QPoint(20, 10));
    QStringList shown;
    for (const QAction* action : d.mnuPopup->actions())
        if (action->isVisible())
            shown << (action->isSeparator() ? QStringLiteral("-") : action->text());
    d.mnuPopup->hide();
    EXPECT_EQ(shown, (QStringList{"Undo", "Redo", "-", "Cut", "Copy", "Paste", "Select All", "-",
                                  "Find && Replace", "Find Next", "-", "Add To Favourites",
                                  "Disable Syntax Highlight", "Full View", "-"}));

    show("one two one two", 0);
    key(Qt::Key_F, Qt::ControlModifier);
    frmFindReplace* dialog = frmFindReplace::instance();
    ASSERT_NE(dialog, nullptr);
    dialog->txtFind->setText("two");
    QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
    EXPECT_EQ(d.txtCode->SelStart(), 4);
    dialog->txtReplace->setText("2");
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "one 2 one two");
}

// The one dialog keeps its texts while open, starts empty after Close, comes back in front of the
// control's window, and outlives its control.
TEST_F(EditorKeysTest, TheFindDialogsLife) {
    frmFindReplace* dialog = frmFindReplace::open(editor);
    dialog->txtFind->setText("kept");
    EXPECT_EQ(frmFindReplace::open(editor)->txtFind->text(), "kept");
    QTest::mouseClick(dialog->cmdClose, Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmFindReplace::instance(), nullptr);
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
