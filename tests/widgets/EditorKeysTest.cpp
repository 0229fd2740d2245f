// The real control driven as a user drives it: keys, clicks, drops, input methods, the menu and the find
// dialog. The rules are the controller's (tests/control); here, that Qt's events reach them and that what
// they decide reaches the screen.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "hostlib/Library.h"
#include "platform/ListPopup.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"
#include "widgets/QtEditBar.h"
#include "widgets/frmFindReplace.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>

namespace qx::test {
namespace {

const QString kEncoded = QStringLiteral("x=~64\"QUJD\" y");
constexpr int kInside = 8;

class EditorKeysTest : public ShownEditor {
protected:
    ~EditorKeysTest() override { delete frmFindReplace::instance(); }

    // Drags plain text in over the character at a position of a one-line value and drops it there.
    void drop(int pos, const QString& text) {
        QTextCursor cursor(d.txtCode->document());
        cursor.setPosition(pos);
        const QPoint at = d.txtCode->cursorRect(cursor).center();
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(d.txtCode->viewport(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(d.txtCode->viewport(), &dropped);
    }
    void commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(d.txtCode, &event);
    }
    QPushButton* button(const char* name) { return d.picEditBar->button(QLatin1String(name)); }
};

// The member list opens below the caret's line and follows the typing; the keyboard picks an entry,
// Escape closes the list, and hiding the control unloads it.
TEST_F(EditorKeysTest, TheMemberListFromTheKeyboard) {
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    type("x = tag.");
    ASSERT_TRUE(d.state().mbListShown);
    ListPopup* list = d.controller().popups().List();
    EXPECT_EQ(list->ListCount(), 18);
    const QPoint caretBottom = d.txtCode->viewport()->mapToGlobal(d.txtCode->cursorRect().bottomLeft());
    EXPECT_GE(list->Position().y(), caretBottom.y() - 1);
    EXPECT_TRUE(d.txtCode->hasFocus()) << "the code box keeps the keyboard";
    type("Pro");
    EXPECT_EQ(list->Entry(list->ListIndex()), "ProcessName");
    key(Qt::Key_Down);
    const QString second = list->Entry(list->ListIndex());
    key(Qt::Key_Return);
    EXPECT_EQ(editor->Value(), "x = tag." + second);
    EXPECT_FALSE(list->Visible());

    type(" + tag.P");
    key(Qt::Key_Escape);
    EXPECT_FALSE(d.state().mbListShown);
    type(" + tag.");
    ASSERT_TRUE(d.state().mbListShown);
    editor->hide();
    EXPECT_EQ(d.controller().popups().List(), nullptr);
}

// Tab and Shift+Tab (Backtab) indent selected lines and keep them selected; Enter however it is pressed
// leaves CR LF; the platform's own undo keys never reach the document's history.
TEST_F(EditorKeysTest, TabEnterAndTheUndoKeys) {
    show("a\r\nb\r\n", 0);
    d.txtCode->SelectRange(0, 6);
    key(Qt::Key_Tab);
    EXPECT_EQ(editor->Value(), "  a\r\n  b\r\n");
    EXPECT_EQ(d.txtCode->SelText(), "  a\r\n  b\r\n");
    key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(editor->Value(), "a\r\nb\r\n");
    for (const auto& [enter, modifiers] : {std::pair{Qt::Key_Return, Qt::ShiftModifier},
                                           {Qt::Key_Return, Qt::ControlModifier},
                                           {Qt::Key_Enter, Qt::KeypadModifier}}) {
        show("ab", 1);
        key(enter, modifiers);
        EXPECT_EQ(editor->Value(), "a\r\nb");
    }
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor->Value(), "ab");
    EXPECT_FALSE(d.txtCode->document()->isUndoAvailable());
    key(Qt::Key_Backspace, Qt::AltModifier); // the box's own undo key in some key schemes
    d.txtCode->undo();
    EXPECT_EQ(editor->Value(), "ab");
}

// A paste, a drop and an input-method commit are one undo step each; inside an encoded value none of
// them, nor a cut or a line break, changes it.
TEST_F(EditorKeysTest, EveryInputPathIsOneStepAndNoneReachesAnEncodedValue) {
    show("ab", 2);
    QApplication::clipboard()->setText("XY");
    key(Qt::Key_V, Qt::ControlModifier);
    drop(1, "X");
    d.txtCode->setSelStart(5);
    commit(QString::fromUtf8("\u00e9"));
    EXPECT_EQ(editor->Value(), QString::fromUtf8("aXbXY\u00e9"));
    EXPECT_TRUE(editor->Changed());
    for (const char* back : {"aXbXY", "abXY", "ab"}) {
        key(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(editor->Value(), back);
    }

    show(kEncoded, kInside);
    QApplication::clipboard()->setText("X");
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    key(Qt::Key_Return, Qt::ShiftModifier);
    d.txtCode->setSelStart(kInside);
    commit("X");
    drop(kInside, "X");
    d.txtCode->SelectRange(kInside, kInside + 1);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor->Value(), kEncoded);
}

// On a control that is not shown, the box holds the caret the key handling put; the typed character
// lands there too.
TEST_F(EditorKeysTest, TheClosingTagCorrectionLeavesTheCaretAfterTheTagWhenHidden) {
    editor->hide();
    show("<QX:a>x</qx", 11);
    QTest::keyClick(d.txtCode, '>');
    EXPECT_EQ(editor->Value(), "<QX:a>x</QX>");
    EXPECT_EQ(d.txtCode->SelStart(), 12);
}

// Ctrl+E steps in, the Back button steps out with the edit; a visit that edits nothing puts the stored
// bytes back, although the box shows a lone LF as CR LF.
TEST_F(EditorKeysTest, StepsIntoEncodedValuesAndBack) {
    QSignalSpy areaChanges(editor, &qxcSCRIPTEditor::EncodingAreaChange);
    show("x=~64\"QUJD\"\r\nnext", 7);
    key(Qt::Key_E, Qt::ControlModifier);
    EXPECT_EQ(d.txtCode->Text(), "ABC");
    EXPECT_EQ(d.sbr->PanelText("Level"), "2");
    EXPECT_TRUE(button("cmdBack")->isEnabled() && !button("cmdEditEncoded")->isEnabled());
    key(Qt::Key_End);
    type("D");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(d.txtCode->Text(), "x=~64\"QUJDRA==\"\r\nnext");
    EXPECT_EQ(d.txtCode->SelText(), "QUJDRA==");
    EXPECT_EQ(d.sbr->PanelText("Level"), "1");
    EXPECT_TRUE(d.txtCode->hasFocus()) << "the keyboard is back in the box";
    EXPECT_EQ(areaChanges.size(), 3) << "in, out with the step, in again at the written value";

    const QString stored = "x=~64\"" + Library::instance().Base64Encode("a\nb") + "\"";
    show(stored, 7);
    editor->setChanged(false);
    key(Qt::Key_E, Qt::ControlModifier);
    ASSERT_EQ(d.txtCode->Text(), "a\r\nb");
    QTest::mouseClick(button("cmdBack"), Qt::LeftButton);
    EXPECT_EQ(editor->Value(), stored);
    EXPECT_FALSE(editor->Changed());
}

// The menu shows its items in order and keeps the selection; Ctrl+F opens the find dialog, whose Find
// Next and F3 find, and whose Replace is one undo step.
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
    EXPECT_EQ(d.txtCode->SelLength(), 12);

    show("one two one two", 0);
    key(Qt::Key_F, Qt::ControlModifier);
    frmFindReplace* dialog = frmFindReplace::instance();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->editor(), editor);
    dialog->txtFind->setText("two");
    QTest::mouseClick(dialog->cmdFind, Qt::LeftButton);
    EXPECT_EQ(d.txtCode->SelStart(), 4);
    key(Qt::Key_F3);
    EXPECT_EQ(d.txtCode->SelStart(), 12);
    dialog->txtReplace->setText("2");
    d.txtCode->setSelStart(0);
    QTest::mouseClick(dialog->cmdReplace, Qt::LeftButton);
    EXPECT_EQ(editor->Value(), "one 2 one two");
    editor->Undo();
    EXPECT_EQ(editor->Value(), "one two one two");
}

// The one dialog keeps its texts while open, starts empty after Close, and outlives its control.
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
    delete editor;
    EXPECT_FALSE(dialog->cmdFind->isEnabled() || dialog->cmdReplace->isEnabled());
    EXPECT_EQ(dialog->editor(), nullptr);
    delete host;
}

} // namespace
} // namespace qx::test
