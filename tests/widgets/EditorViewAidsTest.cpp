#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "assist/AssistPopups.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"
#include "support/TempSettings.h"
#include "widgets/EditorPrivate.h"
#include "widgets/QtEditBar.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

using qx::EditorPrivate;

// A host window with a line edit before and after the control, the keyboard in the code box.
class EditorViewAidsTest : public ::testing::Test {
protected:
    EditorViewAidsTest() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(editor);
        layout->addWidget(after);
        window.resize(700, 500);
        window.show();
        QApplication::setActiveWindow(&window);
        d.txtCode->setFocus();
        QApplication::processEvents();
    }

    // Everything that the view aids must leave as it was.
    struct Snapshot {
        QString value;
        bool changed = false;
        int undo = 0;
        int redo = 0;
        QList<qx::CharFormat> formats;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() {
        Snapshot s{
            editor->Value(), editor->Changed(), d.state().mpcUndo->Count(), d.state().mpcRedo->Count(), {}};
        for (int i = 0; i <= s.value.size(); ++i)
            s.formats << d.txtCode->FormatAt(i);
        return s;
    }
    // The tag-marker extra selections as the text they cover.
    QStringList markedTags() const {
        QStringList marked;
        for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections()) {
            if (!s.format.property(QTextFormat::FullWidthSelection).toBool())
                marked << s.cursor.selectedText();
        }
        return marked;
    }
    int currentLineSelections() const {
        int lines = 0;
        for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections()) {
            if (s.format.property(QTextFormat::FullWidthSelection).toBool()) {
                EXPECT_FALSE(s.cursor.isNull()) << "a null cursor marks no line";
                EXPECT_EQ(s.cursor.blockNumber(), d.txtCode->textCursor().blockNumber());
                ++lines;
            }
        }
        return lines;
    }

    qx::test::TempSettings settings;
    QWidget window;
    QLineEdit* before = new QLineEdit;
    qxcSCRIPTEditor* editor = new qxcSCRIPTEditor;
    QLineEdit* after = new QLineEdit;
    EditorPrivate& d = EditorPrivate::of(*editor);
};

TEST_F(EditorViewAidsTest, LineNumbersAndTheCurrentLineLeaveTextFormatsAndHistoryAlone) {
    EXPECT_FALSE(editor->LineNumbers());
    EXPECT_FALSE(editor->HighlightCurrentLine());
    editor->setValue("<QX:DB>Connect:Source=Sales</QX>\r\nx = ~64\"QUJD\"\r\n");
    d.txtCode->setSelStart(int(editor->Value().size()));
    QTest::keyClicks(d.txtCode, "ab");
    editor->Undo();
    d.controller().HighlightPass(); // what the delayed pass after Undo does
    const Snapshot was = snapshot();
    ASSERT_EQ(was.undo, 1);
    ASSERT_EQ(was.redo, 1);
    ASSERT_NE(was.formats[1], qx::CharFormat()) << "the tag is coloured";
    const QRect box = d.txtCode->geometry();
    const int textLeft = d.txtCode->viewport()->geometry().left();

    editor->setLineNumbers(true);
    editor->setHighlightCurrentLine(true);
    QApplication::processEvents();
    EXPECT_EQ(snapshot(), was);
    EXPECT_EQ(d.txtCode->geometry(), box) << "the gutter lies inside the box";
    EXPECT_GE(d.txtCode->viewport()->geometry().left(), textLeft + d.txtCode->gutterWidth());
    EXPECT_GT(d.txtCode->gutterWidth(), 0);
    EXPECT_EQ(currentLineSelections(), 1);

    d.txtCode->setSelStart(int(editor->Value().indexOf("x =")));
    EXPECT_EQ(currentLineSelections(), 1) << "the background follows the caret";
    editor->setLineNumbers(false);
    editor->setHighlightCurrentLine(false);
    EXPECT_EQ(d.txtCode->viewport()->geometry().left(), textLeft);
    EXPECT_EQ(currentLineSelections(), 0);
    d.txtCode->setSelStart(2);
    EXPECT_EQ(snapshot(), was);
}

TEST_F(EditorViewAidsTest, TagMatchingMarksThePartnerAcrossNestingBesideTheCurrentLine) {
    editor->setHighlightCurrentLine(true);
    const QString text = "<QX:IF>Condition:x\r\n  <QX:FIELD>Name=A</QX>\r\n</QX> <QX:WEB>Page</QX>";
    editor->setValue(text);
    const struct {
        int caret;
        QStringList marked;
    } cases[] = {
        {0, {"<QX:IF>", "</QX>"}},
        {int(text.indexOf("<QX:FIELD>")) + 3, {"<QX:FIELD>", "</QX>"}},
        {int(text.indexOf("</QX>")) + 5, {"</QX>", "<QX:FIELD>"}},
        {int(text.indexOf("\r\n</QX>")) + 2, {"</QX>", "<QX:IF>"}},
        {int(text.indexOf("Page")) + 2, {}},
    };
    for (const auto& c : cases) {
        d.txtCode->setSelStart(c.caret);
        EXPECT_EQ(markedTags(), c.marked) << "caret at " << c.caret;
        EXPECT_EQ(currentLineSelections(), 1) << "caret at " << c.caret;
    }
    // The outer closer is the last line's: the marks stand on the document's own lines.
    d.txtCode->setSelStart(0);
    for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections()) {
        if (!s.format.property(QTextFormat::FullWidthSelection).toBool() &&
            s.cursor.selectedText() == "</QX>") {
            EXPECT_EQ(s.cursor.blockNumber(), 2);
        }
    }

    editor->setValue("<QX:IF>a<QX:FIELD>b</QX>");
    d.txtCode->setSelStart(0);
    EXPECT_TRUE(markedTags().isEmpty()) << "an unbalanced opener shows nothing";
    EXPECT_EQ(currentLineSelections(), 1);
    QTest::keyClicks(d.txtCode, "x");
    EXPECT_EQ(editor->Value(), "x<QX:IF>a<QX:FIELD>b</QX>");
    EXPECT_TRUE(markedTags().isEmpty());
}

// A new whole text while a pair is marked: no mark may keep a cursor into the old text (the document
// holds its cursors aside while it clears, and a mark made then left it one that was gone; the sanitizer
// build saw the heap corrupted a few rounds later).
TEST_F(EditorViewAidsTest, ReplacingTheWholeTextWhileAPairIsMarkedLeavesNoStaleMark) {
    editor->setLineNumbers(true);
    editor->setHighlightCurrentLine(true);
    for (int round = 0; round < 4; ++round) {
        editor->setValue("<QX:db>x</QX>");
        EXPECT_EQ(markedTags(), QStringList({"<QX:db>", "</QX>"})) << "the caret at 0 marks the pair";
        editor->setValue(QString());
        EXPECT_TRUE(markedTags().isEmpty());
        EXPECT_EQ(currentLineSelections(), 1);
        QTest::keyClicks(d.txtCode, "x = 1");
        QTest::keyClick(d.txtCode, Qt::Key_Return);
    }
    EXPECT_EQ(editor->Value(), "x = 1\r\n");
}

TEST_F(EditorViewAidsTest, ZoomChordsGrowAndRestoreTheFontAndThePopupsFollow) {
    editor->setValue("abcdefgh");
    d.txtCode->setSelStart(8);
    const QFont normal = d.txtCode->font();
    const Snapshot was = snapshot();
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    auto* tip = dynamic_cast<qx::frmSyntax*>(d.controller().popups().Tip());
    ASSERT_NE(tip, nullptr);
    const int caretLeft = tip->Frame().left();

    QTest::keyClick(d.txtCode, Qt::Key_Equal, Qt::ControlModifier);
    QTest::keyClick(d.txtCode, Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(d.txtCode->font().pointSizeF(), normal.pointSizeF() + 2);
    EXPECT_EQ(editor->Zoom(), 2);
    EXPECT_DOUBLE_EQ(tip->Label1()->font().pointSizeF(),
                     qx::frmSyntax::kFontPoints * d.txtCode->zoomFactor());
    EXPECT_GT(tip->Frame().left(), caretLeft) << "the tip moves with the caret";
    EXPECT_EQ(tip->Frame().left(), d.txtCode->viewport()->mapToGlobal(d.txtCode->cursorRect().topLeft()).x());
    QTest::keyClick(d.txtCode, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(tip->Label1()->font().pointSizeF(),
                     qx::frmSyntax::kFontPoints * d.txtCode->zoomFactor());

    QWheelEvent wheel(QPointF(5, 5), d.txtCode->viewport()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(d.txtCode->viewport(), &wheel);
    EXPECT_EQ(editor->Zoom(), 3);

    QTest::keyClick(d.txtCode, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(d.txtCode->font(), normal);
    EXPECT_EQ(editor->Zoom(), 0);
    EXPECT_DOUBLE_EQ(tip->Label1()->font().pointSizeF(), qx::frmSyntax::kFontPoints);
    EXPECT_EQ(snapshot(), was) << "zooming types nothing";
}

TEST_F(EditorViewAidsTest, CtrlTabLeavesTheBoxWithoutTyping) {
    // Inside an encoded value too, where the keyboard may otherwise only move the caret.
    for (const int caret : {1, 8}) {
        editor->setValue("x = ~64\"QUJD\"");
        d.txtCode->setFocus();
        d.txtCode->setSelStart(caret);
        QTest::keyClick(d.txtCode, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_TRUE(after->hasFocus()) << caret;
        d.txtCode->setFocus();
        QTest::keyClick(d.txtCode, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(before->hasFocus()) << caret;
        EXPECT_EQ(editor->Value(), "x = ~64\"QUJD\"");
        EXPECT_EQ(d.state().mpcUndo->Count(), 0);
    }
}

TEST_F(EditorViewAidsTest, EveryInteractiveChildAndBothPopupsHaveAnAccessibleName) {
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    QTest::keyClicks(d.txtCode, "tag.");
    ASSERT_NE(d.ListForm(), nullptr);
    QList<QWidget*> widgets = {d.txtCode, d.ListForm(), d.TipForm()};
    for (QAbstractButton* button : editor->findChildren<QAbstractButton*>())
        widgets << button;
    for (QLabel* panel : d.sbr->findChildren<QLabel*>())
        widgets << panel;
    for (QListWidget* list : d.ListForm()->findChildren<QListWidget*>())
        widgets << list;
    ASSERT_EQ(widgets.size(), 3 + 5 + 5 + 1);
    for (QWidget* widget : widgets) {
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(face, nullptr);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
    }

    // The list's entries are its accessible children.
    auto* list = dynamic_cast<qx::frmList*>(d.controller().popups().List());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list->lst());
    ASSERT_EQ(face->childCount(), list->ListCount());
    for (int i = 0; i < list->ListCount(); ++i)
        EXPECT_EQ(face->child(i)->text(QAccessible::Name), list->Entry(i));
}

} // namespace
