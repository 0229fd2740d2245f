#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "platform/CodeBoxTestSupport.h" // readable QString values
#include "platform/qt/QtCodeBox.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <utility>

namespace {

using qx::EditorPrivate;

// An encoded value: the caret at kInside stands in it.
const QString kEncoded = QStringLiteral("a=~64\"QUJD\" b");
constexpr int kInside = 7;

// Every way text reaches the code box of the control as a user meets it: shown, with the keyboard in the box.
class EditorInputPathsTest : public ::testing::Test {
protected:
    EditorInputPathsTest() {
        editor.resize(700, 500);
        editor.show();
        editor.activateWindow();
        d.txtCode->setFocus();
        QApplication::processEvents();
    }
    ~EditorInputPathsTest() override { editor.hide(); }

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
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(d.txtCode, key, modifiers);
    }

    qx::test::TempSettings settings;
    qxcSCRIPTEditor editor;
    EditorPrivate& d = EditorPrivate::of(editor);
};

TEST_F(EditorInputPathsTest, EnterHoweverItIsPressedLeavesCrLfInTheValue) {
    const std::pair<Qt::Key, Qt::KeyboardModifiers> enters[] = {
        {Qt::Key_Return, Qt::ShiftModifier},
        {Qt::Key_Return, Qt::ControlModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
    };
    for (const auto& [enter, modifiers] : enters) {
        SCOPED_TRACE(QKeySequence(enter | modifiers).toString().toStdString());
        editor.setValue("ab");
        d.txtCode->setSelStart(1);
        key(enter, modifiers);
        EXPECT_EQ(editor.Value(), "a\r\nb");
    }
}

// On a control that is not shown, the box holds the caret the key handling put; the typed character
// lands there too.
TEST_F(EditorInputPathsTest, TheClosingTagCorrectionLeavesTheCaretAfterTheTagWhenHidden) {
    editor.hide();
    editor.setValue("<QX:a>x</qx");
    d.txtCode->setSelStart(11);
    QTest::keyClick(d.txtCode, '>');
    EXPECT_EQ(editor.Value(), "<QX:a>x</QX>");
    EXPECT_EQ(d.txtCode->SelStart(), 12);
}

TEST_F(EditorInputPathsTest, UndoKeysReachOnlyTheControlsOwnHistory) {
    QTest::keyClicks(d.txtCode, "ab");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "a");
    EXPECT_FALSE(d.txtCode->document()->isUndoAvailable());
    key(Qt::Key_Backspace, Qt::AltModifier); // the box's own undo key in some key schemes
    d.txtCode->undo();
    EXPECT_EQ(editor.Value(), "a");
}

TEST_F(EditorInputPathsTest, DropsAndInputMethodCommitsLandOutsideEncodedValues) {
    editor.setValue("Dim a");
    drop(3, "X");
    EXPECT_EQ(editor.Value(), "DimX a");
    EXPECT_TRUE(editor.Changed());
    d.txtCode->setSelStart(6);
    commit(QString::fromUtf8("\u00e9"));
    EXPECT_EQ(editor.Value(), QString::fromUtf8("DimX a\u00e9"));
}

TEST_F(EditorInputPathsTest, PasteWithTheKeyboardIsOneUndoStep) {
    QApplication::clipboard()->setText("XY");
    QTest::keyClicks(d.txtCode, "ab");
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "abXY");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "ab");
}

TEST_F(EditorInputPathsTest, DropsAndInputMethodCommitsAreOneUndoStepEach) {
    editor.setValue("ab");
    drop(1, "X");
    ASSERT_EQ(editor.Value(), "aXb");
    d.txtCode->setSelStart(3);
    commit("yz");
    ASSERT_EQ(editor.Value(), "aXbyz");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "aXb");
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), "ab");
}

TEST_F(EditorInputPathsTest, NoInputPathChangesAnEncodedValue) {
    editor.setValue(kEncoded);
    QApplication::clipboard()->setText("X");
    d.txtCode->setSelStart(kInside);
    key(Qt::Key_V, Qt::ControlModifier);
    key(Qt::Key_Insert, Qt::ShiftModifier);
    key(Qt::Key_Return, Qt::ShiftModifier);
    d.txtCode->setSelStart(kInside);
    commit("X");
    drop(kInside, "X");
    d.txtCode->SelectRange(kInside, kInside + 1);
    key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(editor.Value(), kEncoded);
}

} // namespace
