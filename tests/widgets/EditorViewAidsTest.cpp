// The view aids (line numbers, the current line, tag matching, zoom), Ctrl+Tab and the accessible names:
// none of them touches the text, its colours or the history.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QWheelEvent>

namespace qx::test {
namespace {

class EditorViewAidsTest : public ShownEditor {
protected:
    // Everything that the view aids must leave as it was.
    struct Snapshot {
        QString value;
        bool changed = false;
        int undo = 0;
        QList<CharFormat> formats;
        friend bool operator==(const Snapshot&, const Snapshot&) = default;
    };
    Snapshot snapshot() {
        Snapshot s{editor->Value(), editor->Changed(), d.state().mpcUndo->Count(), {}};
        for (int i = 0; i <= s.value.size(); ++i)
            s.formats << d.txtCode->FormatAt(i);
        return s;
    }
    bool fullWidth(const QTextEdit::ExtraSelection& s) const {
        return s.format.property(QTextFormat::FullWidthSelection).toBool();
    }
    // The tag-marker extra selections as the text they cover.
    QStringList markedTags() const {
        QStringList marked;
        for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections())
            if (!fullWidth(s))
                marked << s.cursor.selectedText();
        return marked;
    }
    // The current-line selections, each checked to stand on the caret's line.
    int currentLines() const {
        int lines = 0;
        for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections()) {
            if (fullWidth(s)) {
                EXPECT_EQ(s.cursor.blockNumber(), d.txtCode->textCursor().blockNumber());
                ++lines;
            }
        }
        return lines;
    }
};

TEST_F(EditorViewAidsTest, LineNumbersAndTheCurrentLineLeaveTextFormatsAndHistoryAlone) {
    editor->setValue("<QX:DB>Connect:Source=Sales</QX>\r\nx = ~64\"QUJD\"\r\n");
    d.txtCode->setSelStart(int(editor->Value().size()));
    type("ab");
    editor->Undo();
    d.controller().HighlightPass(); // what the delayed pass after Undo does
    const Snapshot was = snapshot();
    ASSERT_NE(was.formats[1], CharFormat()) << "the tag is coloured";
    const QRect box = d.txtCode->geometry();
    const int textLeft = d.txtCode->viewport()->geometry().left();

    editor->setLineNumbers(true);
    editor->setHighlightCurrentLine(true);
    QApplication::processEvents();
    EXPECT_EQ(snapshot(), was);
    EXPECT_EQ(d.txtCode->geometry(), box) << "the gutter lies inside the box";
    EXPECT_GE(d.txtCode->viewport()->geometry().left(), textLeft + d.txtCode->gutterWidth());
    EXPECT_GT(d.txtCode->gutterWidth(), 0);
    d.txtCode->setSelStart(int(editor->Value().indexOf("x =")));
    EXPECT_EQ(currentLines(), 1) << "the background follows the caret";
    editor->setLineNumbers(false);
    editor->setHighlightCurrentLine(false);
    EXPECT_EQ(d.txtCode->viewport()->geometry().left(), textLeft);
    EXPECT_EQ(currentLines(), 0);
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
        EXPECT_EQ(currentLines(), 1) << "caret at " << c.caret;
    }
    show("<QX:IF>a<QX:FIELD>b</QX>", 0);
    EXPECT_TRUE(markedTags().isEmpty()) << "an unbalanced opener shows nothing";
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
        EXPECT_EQ(currentLines(), 1);
        type("x = 1");
        key(Qt::Key_Return);
    }
    EXPECT_EQ(editor->Value(), "x = 1\r\n");
}

TEST_F(EditorViewAidsTest, ZoomChordsGrowAndRestoreTheFontAndThePopupsFollow) {
    show("abcdefgh", 8);
    const QFont normal = d.txtCode->font();
    const Snapshot was = snapshot();
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    auto* tip = dynamic_cast<frmSyntax*>(d.controller().popups().Tip());
    ASSERT_NE(tip, nullptr);
    const auto followsZoom = [&] {
        return tip->Label1()->font().pointSizeF() == frmSyntax::kFontPoints * d.txtCode->zoomFactor();
    };
    const int caretLeft = tip->Frame().left();
    key(Qt::Key_Equal, Qt::ControlModifier);
    key(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(d.txtCode->font().pointSizeF(), normal.pointSizeF() + 2);
    EXPECT_EQ(editor->Zoom(), 2);
    EXPECT_TRUE(followsZoom());
    EXPECT_GT(tip->Frame().left(), caretLeft) << "the tip moves with the caret";
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_TRUE(followsZoom());
    QWheelEvent wheel(QPointF(5, 5), d.txtCode->viewport()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(d.txtCode->viewport(), &wheel);
    EXPECT_EQ(editor->Zoom(), 3);
    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(d.txtCode->font(), normal);
    EXPECT_TRUE(followsZoom());
    EXPECT_EQ(snapshot(), was) << "zooming types nothing";
}

// Ctrl+Tab and Ctrl+Shift+Tab leave the box, inside an encoded value too, without typing.
TEST_F(EditorViewAidsTest, CtrlTabLeavesTheBoxWithoutTyping) {
    for (const int caret : {1, 8}) {
        show("x = ~64\"QUJD\"", caret);
        d.txtCode->setFocus();
        key(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_TRUE(after->hasFocus()) << caret;
        d.txtCode->setFocus();
        key(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_TRUE(before->hasFocus()) << caret;
        EXPECT_EQ(editor->Value(), "x = ~64\"QUJD\"");
        EXPECT_EQ(d.state().mpcUndo->Count(), 0);
    }
}

TEST_F(EditorViewAidsTest, EveryInteractiveChildAndBothPopupsHaveAnAccessibleName) {
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    type("tag.");
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
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
    }
    // The list's entries are its accessible children.
    auto* list = dynamic_cast<frmList*>(d.controller().popups().List());
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list->lst());
    ASSERT_EQ(face->childCount(), list->ListCount());
    EXPECT_EQ(face->child(2)->text(QAccessible::Name), list->Entry(2));
}

} // namespace
} // namespace qx::test
