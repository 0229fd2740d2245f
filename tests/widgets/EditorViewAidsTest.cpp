// The view aids (line numbers, current line, pairs, find matches, zoom), Ctrl+Tab and the accessible names.
#include "ShownEditor.h"

#include "assist/AssistPopups.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/frmSyntax.h"
#include "text/TextFind.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QToolTip>
#include <QWheelEvent>

namespace qx::test {
namespace {

class EditorViewAidsTest : public ShownEditor {
protected:
    // The tag marks as the text they cover, and how many current-line marks stand on the caret's line.
    std::pair<QStringList, int> marks() const {
        std::pair<QStringList, int> found;
        for (const QTextEdit::ExtraSelection& s : d.txtCode->extraSelections()) {
            if (!s.format.property(QTextFormat::FullWidthSelection).toBool())
                found.first << s.cursor.selectedText();
            else if (s.cursor.blockNumber() == d.txtCode->textCursor().blockNumber())
                ++found.second;
        }
        return found;
    }
};

// The gutter lies inside the box, left of the text; the current line's background follows the caret.
TEST_F(EditorViewAidsTest, LineNumbersAndTheCurrentLine) {
    show("<QX:DB>x</QX>\r\nab", 0);
    const QRect box = d.txtCode->geometry();
    const int textLeft = d.txtCode->viewport()->geometry().left();
    editor->setLineNumbers(true);
    editor->setHighlightCurrentLine(true);
    QApplication::processEvents();
    EXPECT_EQ(d.txtCode->geometry(), box);
    EXPECT_GT(d.txtCode->gutterWidth(), 0);
    EXPECT_GE(d.txtCode->viewport()->geometry().left(), textLeft + d.txtCode->gutterWidth());
    d.txtCode->setSelStart(16);
    EXPECT_EQ(marks().second, 1);
    editor->setLineNumbers(false);
    editor->setHighlightCurrentLine(false);
    EXPECT_EQ(d.txtCode->viewport()->geometry().left(), textLeft);
    EXPECT_EQ(marks().second, 0);
}

// A new whole text while a tag pair is marked leaves no mark with a cursor into the old text (a mark made
// while the document cleared kept a cursor that was gone, and the heap was corrupted a few rounds later).
TEST_F(EditorViewAidsTest, ReplacingTheWholeTextWhileAPairIsMarkedLeavesNoStaleMark) {
    editor->setLineNumbers(true);
    editor->setHighlightCurrentLine(true);
    for (int round = 0; round < 4; ++round) {
        editor->setValue("<QX:db>x</QX>");
        EXPECT_EQ(marks(), std::pair(QStringList({"<QX:db>", "</QX>"}), 1));
        editor->setValue(QString());
        EXPECT_EQ(marks(), std::pair(QStringList(), 1));
        type("x = 1");
        key(Qt::Key_Return);
    }
    EXPECT_EQ(editor->Value(), "x = 1\r\n");
}

// Find matches are marked on screen only and follow scrolls, size, zoom, edits, options; bracket pairs too.
TEST_F(EditorViewAidsTest, FindMatchesOnScreenAndTheBracketPair) {
    constexpr int kLine = 16; // with its line break
    show(QStringList(200, QStringLiteral("Dim a(1) ' dim")).join(QStringLiteral("\r\n")), 5);
    QtCodeBox& box = *d.txtCode;
    EXPECT_EQ(box.shownTagPair(), (TagPair{{5, 1}, {7, 1}}));
    box.setMatchBrackets(false);
    EXPECT_EQ(box.shownTagPair(), std::nullopt);
    box.setMatchHighlight(QStringLiteral("Dim"), kFindMatchCase);
    const qsizetype onScreen = marks().first.size();
    EXPECT_TRUE(onScreen >= box.verticalScrollBar()->pageStep() && onScreen < 100) << onScreen;
    const std::tuple<const char*, int, int> options[] = {
        {"di", 0, 2}, {"di", kFindWholeWord, 0}, {"DIM", kFindMatchCase, 0}, {"Dim", kFindWholeWord, 2}};
    for (const auto& [what, option, perLine] : options) {
        box.setMatchHighlight(QLatin1String(what), option);
        EXPECT_EQ(marks().first.size(), perLine * onScreen) << what << option;
    }
    box.verticalScrollBar()->setValue(100);
    EXPECT_EQ(box.shownMatches().front(), (TextSpan{100 * kLine, 3}));
    EXPECT_EQ(box.extraSelections().front().cursor.blockNumber(), 100);
    box.SelectRange(101 * kLine, 101 * kLine);
    box.setSelText(QStringLiteral("Dim "));
    EXPECT_EQ(marks().first.size(), 2 * onScreen + 1);
    box.resize(box.width(), 2 * box.height());
    EXPECT_GT(marks().first.size(), 2 * onScreen + 1);
    box.zoomBy(20);
    EXPECT_LT(marks().first.size(), 2 * onScreen);
    box.setMatchHighlight({}, 0);
    EXPECT_TRUE(marks().first.isEmpty());
}

// Live findings are underlined on screen only, and the tooltip over one says what is wrong.
TEST_F(EditorViewAidsTest, LiveFindingsAreWavyUnderlinesWithTheirTooltip) {
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    show(QStringList(200, QStringLiteral("x = \"a")).join(QStringLiteral("\r\n")), 0);
    QtCodeBox& box = *d.txtCode;
    QSignalSpy changed(editor, &qxcSCRIPTEditor::diagnosticsChanged);
    EXPECT_EQ(editor->Diagnostics().size(), 200);
    EXPECT_TRUE(box.shownDiagnosticMarks().isEmpty());
    editor->setLiveDiagnostics(true);
    EXPECT_EQ(changed.size(), 1);
    const qsizetype onScreen = box.shownDiagnosticMarks().size();
    EXPECT_TRUE(onScreen > 3 && onScreen < 100) << onScreen;
    EXPECT_EQ(box.shownDiagnosticMarks().front(), (TextSpan{4, 2}));
    EXPECT_TRUE(marks().first.isEmpty()) << "drawn over the text, not set as extra selections";
    // Drawn under the string "a of the first line, and not under the "x = " before it.
    const QImage marked = box.viewport()->grab().toImage();
    editor->setLiveDiagnostics(false);
    const QImage plain = box.viewport()->grab().toImage();
    editor->setLiveDiagnostics(true);
    QTextCursor at(box.document());
    const auto drawnUnder = [&](int from, int to) {
        at.setPosition(from);
        const QRect start = box.cursorRect(at);
        at.setPosition(to);
        int drawn = 0;
        for (int y = start.top(); y <= start.bottom() + 4; ++y)
            for (int x = start.left() + 1; x < box.cursorRect(at).left(); ++x)
                drawn += marked.pixel(x, y) != plain.pixel(x, y);
        return drawn;
    };
    EXPECT_GT(drawnUnder(4, 6), 2);
    EXPECT_EQ(drawnUnder(1, 3), 0);
    box.verticalScrollBar()->setValue(100);
    EXPECT_EQ(box.shownDiagnosticMarks().front(), (TextSpan{100 * 8 + 4, 2}));
    QTextCursor on(box.document());
    on.setPosition(box.textCursor().block().document()->findBlockByNumber(101).position() + 5);
    QHelpEvent help(QEvent::ToolTip, box.cursorRect(on).center(), box.viewport()->mapToGlobal(QPoint()));
    QApplication::sendEvent(box.viewport(), &help);
    EXPECT_EQ(QToolTip::text(), "This string is not closed before the end of its line.");
    editor->setLiveDiagnostics(false);
    EXPECT_TRUE(box.shownDiagnosticMarks().isEmpty());
}

TEST_F(EditorViewAidsTest, ZoomChordsGrowAndRestoreTheFontAndThePopupsFollow) {
    show("abcdefgh", 8);
    const QFont normal = d.txtCode->font();
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    auto* tip = dynamic_cast<frmSyntax*>(d.controller().popups().Tip());
    ASSERT_NE(tip, nullptr);
    const int caretLeft = tip->Frame().left();
    key(Qt::Key_Equal, Qt::ControlModifier);
    key(Qt::Key_Plus, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_DOUBLE_EQ(d.txtCode->font().pointSizeF(), normal.pointSizeF() + 2);
    EXPECT_EQ(tip->Label1()->font().pointSizeF(), frmSyntax::kFontPoints * d.txtCode->zoomFactor());
    EXPECT_GT(tip->Frame().left(), caretLeft) << "the tip moves with the caret";
    QWheelEvent wheel(QPointF(5, 5), d.txtCode->viewport()->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(d.txtCode->viewport(), &wheel);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(editor->Zoom(), 3);
    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(d.txtCode->font(), normal);
}

TEST_F(EditorViewAidsTest, EveryInteractiveChildAndBothPopupsHaveAnAccessibleName) {
    d.controller().popups().ShowTip(QStringLiteral("Connect:Source=Name"));
    editor->setCodeType(qxcSCRIPTEditor::ctVB);
    type("tag.");
    ASSERT_NE(d.ListForm(), nullptr);
    QList<QWidget*> widgets = {d.txtCode, d.ListForm(), d.TipForm(), d.ListForm()->findChild<QListWidget*>()};
    for (QAbstractButton* button : editor->findChildren<QAbstractButton*>())
        widgets << button;
    for (QLabel* panel : d.sbr->findChildren<QLabel*>())
        widgets << panel;
    ASSERT_EQ(widgets.size(), 3 + 5 + 5 + 1);
    for (QWidget* widget : widgets)
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty())
            << widget->objectName().toStdString();
}

} // namespace
} // namespace qx::test
