#include "CodeBoxTestSupport.h"

#include "platform/KeyCodes.h"
#include "platform/qt/QtCodeBox.h"
#include "text/TagMatch.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>

namespace qx {
namespace {

using test::EventRecorder;

// Records BeforeInput too ("BeforeInput Drop 3": the kind and the caret when asked), and answers it.
class InputRecorder : public EventRecorder {
public:
    bool BeforeInput(TextInput kind) override {
        static const char* const kNames[] = {"Drop", "SelectionPaste", "InputMethod", "MenuPaste", "MenuCut"};
        log << QStringLiteral("BeforeInput %1 %2").arg(kNames[int(kind)]).arg(box ? box->SelStart() : -1);
        if (onEvent)
            onEvent(log.last());
        return allow;
    }
    int asked() const {
        return int(std::count_if(log.begin(), log.end(),
                                 [](const QString& e) { return e.startsWith("BeforeInput"); }));
    }
    const CodeBox* box = nullptr;
    bool allow = true;
};

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// One coloured stretch of a block's layout: offset in the block, length, and its colour as 0x00BBGGRR.
struct Shown {
    int start;
    int length;
    Colour colour;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend void PrintTo(const Shown& s, std::ostream* os) {
        *os << "{" << s.start << "," << s.length << "," << std::hex << s.colour << std::dec << "}";
    }
};

std::vector<Shown> shownIn(const QtCodeBox& box, int blockNumber) {
    std::vector<Shown> result;
    const QTextBlock block = box.document()->findBlockByNumber(blockNumber);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        const QColor c = range.format.foreground().color();
        result.push_back({range.start, range.length, Colour(c.red() | c.green() << 8 | c.blue() << 16)});
    }
    return result;
}

// The text as the blocks hold it, line breaks as CR LF.
QString textFromBlocks(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines.join("\r\n");
}

class QtCodeBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(400, 300);
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        setEvents(box, &events);
        events.box = &box;
    }
    void TearDown() override { setEvents(box, nullptr); }

    void colour(int start, int end, Colour c) {
        box.SelectRange(start, end);
        box.setSelColor(c);
    }

    QtCodeBox box;
    InputRecorder events;
};

TEST_F(QtCodeBoxTest, EveryLineBreakReadsAsCrLf) {
    box.setText("a\nb\rc\r\nd");
    EXPECT_EQ(box.Text(), "a\r\nb\r\nc\r\nd");
    box.setText("a\r\r\nb");
    EXPECT_EQ(box.Text(), "a\r\n\r\nb") << "a lone CR before CR LF is a line of its own";
    box.setText("x\r\n");
    EXPECT_EQ(box.Text(), "x\r\n");
    box.SelectRange(1, 1);
    box.setSelText("1\n2\r3");
    EXPECT_EQ(box.Text(), "x1\r\n2\r\n3\r\n");
    EXPECT_EQ(box.SelStart(), 8);
}

TEST_F(QtCodeBoxTest, SpecialCharactersSurviveExactlyAndPositionsCountCrLfAsTwo) {
    const QString text = QString::fromUtf8("a\u00a0b\tc \u2028d \U0001F600 \u00e9");
    box.setText(text);
    EXPECT_EQ(box.Text(), text) << "no-break space, line separator and surrogates are kept";
    EXPECT_EQ(box.GetLineFromChar(int(text.size())), 0) << "U+2028 is no line break of the text";
    box.setText(QString::fromUtf8("a\u2029b"));
    EXPECT_EQ(box.Text(), "a\r\nb") << "a paragraph separator becomes a line break";

    box.setText("ab\r\ncd\r\nef");
    box.SelectRange(1, 5);
    EXPECT_EQ(box.SelText(), "b\r\nc");
    EXPECT_EQ(box.SelLength(), 4);
    box.setSelStart(3); // between CR and LF: before the break
    EXPECT_EQ(box.SelStart(), 2);
    box.setSelStart(8);
    EXPECT_EQ(box.textCursor().position(), 6);
}

TEST_F(QtCodeBoxTest, PastedAndInputMethodTextKeepsTheSeparatorRule) {
    box.setText("<>");
    box.setSelStart(1);
    QApplication::clipboard()->setText(QString::fromUtf8("a\uFDD0b\u2029c"));
    box.paste();
    EXPECT_EQ(box.Text(), QString::fromUtf8("<a\uFFFDb\r\nc>"));

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\uFDD1d"));
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.Text(), QString::fromUtf8("<a\uFFFDb\r\nc\uFFFDd>"));
}

TEST_F(QtCodeBoxTest, TextCopyStaysExactAcrossRandomEdits) {
    std::mt19937 rng(7);
    const QStringList pieces = {"x", "\r\n", "Dim a", "\n", "\u00a0", "", "If\r\nThen\r\n", "\r"};
    box.setText("start\r\nof the\r\ntext");
    box.document()->setUndoRedoEnabled(true); // off in the box; on here for the edits an undo makes
    for (int step = 0; step < 400; ++step) {
        const int length = int(box.Text().size());
        const int op = int(rng() % 6);
        if (op <= 2) {
            box.SelectRange(int(rng() % (length + 1)), int(rng() % (length + 1)));
            box.setSelText(pieces[int(rng() % pieces.size())]);
        } else if (op == 3) {
            QTest::keyClick(&box, rng() % 2 ? Qt::Key_Backspace : Qt::Key_Return);
        } else if (op == 4) {
            QTest::keyClicks(&box, "ab");
        } else {
            box.document()->undo();
        }
        ASSERT_EQ(box.Text(), textFromBlocks(*box.document())) << "step " << step;
    }
}

// The range reads look at the text where it lies, around the gap the last edit left; they must give what
// the whole text gives. Long pastes make the buffer grow.
TEST_F(QtCodeBoxTest, RangeReadsAgreeWithTheWholeTextAcrossEdits) {
    std::mt19937 rng(11);
    const QString longPiece = QString("line\r\n").repeated(1500);
    const QStringList pieces = {"x", "\r\n", "Dim a", "", "If\r\nThen\r\n", longPiece};
    box.setText("start\r\nof the\r\ntext");
    for (int step = 0; step < 200; ++step) {
        const int length = int(box.Text().size());
        if (rng() % 3 == 0) {
            QTest::keyClick(&box, rng() % 2 ? Qt::Key_Backspace : Qt::Key_X);
        } else {
            box.SelectRange(int(rng() % (length + 1)), int(rng() % (length + 1)));
            box.setSelText(pieces[int(rng() % (step % 50 == 0 ? pieces.size() : pieces.size() - 1))]);
        }
        // Reads before Text() is put together, then compared with it.
        const int at = int(rng() % (box.TextLength() + 1));
        const int from = at - int(rng() % 12);
        const int to = at + int(rng() % 12) - 2;
        const QString range = box.TextRange(from, to);
        const QChar before = box.CharAt(at - 1);
        const QChar after = box.CharAt(at);
        box.setSelStart(at);
        const int caret = box.SelStart();
        box.SelectRange(from, to);
        const QString selected = box.SelText();
        const QString text = box.Text();
        const bool betweenCrLf = at > 0 && at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n';
        ASSERT_EQ(caret, betweenCrLf ? at - 1 : at) << "step " << step;
        ASSERT_EQ(box.TextLength(), text.size()) << "step " << step;
        const int start = qBound(0, from, int(text.size()));
        ASSERT_EQ(range, text.mid(start, qBound(start, to, int(text.size())) - start)) << "step " << step;
        ASSERT_EQ(before, at > 0 ? text[at - 1] : QChar()) << "step " << step;
        ASSERT_EQ(after, at < text.size() ? text[at] : QChar()) << "step " << step;
        ASSERT_EQ(selected, text.mid(box.SelStart(), box.SelLength())) << "step " << step;
    }
    EXPECT_EQ(box.CharAt(-1), QChar());
}

// An edit made through another cursor can leave the caret's document position as it was while the line
// breaks before it change: the caret's text position must follow.
TEST_F(QtCodeBoxTest, TheSelectionFollowsALineBreakMadeBeforeItThroughAnotherCursor) {
    box.setText("abcdef");
    box.SelectRange(4, 5);
    ASSERT_EQ(box.SelStart(), 4);
    QTextCursor elsewhere(box.document());
    elsewhere.setPosition(1);
    elsewhere.setPosition(2, QTextCursor::KeepAnchor);
    elsewhere.insertText("\n");
    ASSERT_EQ(box.Text(), "a\r\ncdef");
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelText(), "e");
}

TEST_F(QtCodeBoxTest, ColoursReachTheBlocksAsLayoutFormatsAndSurviveRelayout) {
    box.setText("Dim abc\r\nx = 1");
    colour(4, 7, kRed);
    colour(9, 10, kGreen);
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{4, 3, kRed}}));
    EXPECT_EQ(shownIn(box, 1), (std::vector<Shown>{{0, 1, kGreen}}));
    box.resize(120, 80);
    QFont font = box.font();
    font.setPointSize(font.pointSize() + 4);
    box.setFont(font);
    QApplication::processEvents();
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{4, 3, kRed}}));
    EXPECT_EQ(shownIn(box, 1), (std::vector<Shown>{{0, 1, kGreen}}));
}

TEST_F(QtCodeBoxTest, TypingIntoAColouredBlockKeepsTheOtherCharactersColours) {
    box.setText("abc def");
    colour(0, 3, kRed);
    colour(4, 7, kGreen);
    box.setSelStart(1);
    QTest::keyClicks(&box, "xy");
    EXPECT_EQ(box.Text(), "axybc def");
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 1, kRed}, {3, 2, kRed}, {6, 3, kGreen}}));
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 1, kRed}}));
    EXPECT_EQ(shownIn(box, 1), (std::vector<Shown>{{0, 2, kRed}, {3, 3, kGreen}}));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 1, kRed}, {3, 2, kRed}, {6, 3, kGreen}}));
    // An input method commit gives the block its colours back too.
    box.setSelStart(9);
    QInputMethodEvent preedit("zz", {});
    QApplication::sendEvent(&box, &preedit);
    QInputMethodEvent commit;
    commit.setCommitString("zz");
    QApplication::sendEvent(&box, &commit);
    EXPECT_EQ(box.Text(), "axybc defzz");
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 1, kRed}, {3, 2, kRed}, {6, 3, kGreen}}));
}

// Formats set while locked are compared where they changed; edits made before the unlock move that stretch
// with the text.
TEST_F(QtCodeBoxTest, ColoursSetWhileLockedLandWhereEditsMovedThem) {
    box.setText("one\r\ntwo\r\nthree");
    box.setUpdatesLocked(true);
    colour(10, 15, kRed); // "three"
    box.setSelStart(0);
    box.setSelText("a long first line\r\n");
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text(), "a long first line\r\none\r\ntwo\r\nthree");
    EXPECT_EQ(shownIn(box, 3), (std::vector<Shown>{{0, 5, kRed}}));

    // A stretch cut short by a removal still reaches the block it ended in.
    box.setUpdatesLocked(true);
    colour(19, 27, kGreen); // "one\r\ntwo"
    box.SelectRange(0, 21);
    box.setSelText("");
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text(), "e\r\ntwo\r\nthree");
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 1, kGreen}}));
    EXPECT_EQ(shownIn(box, 1), (std::vector<Shown>{{0, 3, kGreen}}));
    EXPECT_EQ(shownIn(box, 2), (std::vector<Shown>{{0, 5, kRed}}));
}

// The tag-pair marks are left alone when their cursors moved with the text to where the pair stands, and
// set again otherwise. After every key they cover exactly the pair at the caret.
TEST_F(QtCodeBoxTest, TagPairMarksFollowEveryKeyBesideAndInsideTheMarkers) {
    box.setMatchTags(true);
    box.setText("<QX:IF>a\r\n<QX:FIELD>b</QX>\r\n</QX> c");
    const auto textPos = [&](int docPos) { return docPos + box.document()->findBlock(docPos).blockNumber(); };
    std::mt19937 rng(5);
    const char typed[] = {'x', '<', '>', '/'};
    const Qt::Key moves[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return};
    for (int step = 0; step < 300; ++step) {
        if (step % 7 == 0)
            box.setSelStart(int(rng() % (box.TextLength() + 1)));
        if (rng() % 2)
            QTest::keyClick(&box, typed[rng() % std::size(typed)]);
        else
            QTest::keyClick(&box, moves[rng() % std::size(moves)]);
        std::vector<std::pair<int, int>> marked;
        for (const QTextEdit::ExtraSelection& s : box.extraSelections())
            marked.emplace_back(textPos(s.cursor.selectionStart()), textPos(s.cursor.selectionEnd()));
        std::vector<std::pair<int, int>> expected;
        if (const auto pair = MatchTagAt(box.Text(), box.SelStart())) {
            for (const TextSpan& span : {pair->atCaret, pair->partner})
                expected.emplace_back(span.start, span.end());
        }
        ASSERT_EQ(marked, expected) << "step " << step << " in " << box.Text().toStdString();
    }
}

TEST_F(QtCodeBoxTest, FormatPassRaisesNoChangeAndLeavesUndoAndModifiedAlone) {
    box.setText("one\r\ntwo");
    box.document()->setUndoRedoEnabled(true); // off in the box; on here to see that colouring never enters it
    QTest::keyClicks(&box, "z");
    const bool undoBefore = box.document()->isUndoAvailable();
    const int revisionBefore = box.document()->revision();
    box.document()->setModified(false);
    events.log.clear();
    box.setUpdatesLocked(true);
    colour(0, -1, 0);
    colour(1, 3, kRed);
    box.SelectRange(5, 7);
    box.SetCharFormat({.Color = kGreen, .Bold = true});
    box.setUpdatesLocked(false);
    EXPECT_EQ(events.count("Change"), 0);
    EXPECT_EQ(box.document()->isUndoAvailable(), undoBefore);
    EXPECT_EQ(box.document()->revision(), revisionBefore);
    EXPECT_FALSE(box.document()->isModified());
    box.document()->undo();
    EXPECT_EQ(box.Text(), "one\r\ntwo") << "undo takes back the typing, not a format";
}

TEST_F(QtCodeBoxTest, ChangesWhileLockedReachTheBlocksOnUnlockAndOnlyChangedBlocksAreTouched) {
    box.setText("aa\r\nbb\r\ncc\r\ndd");
    box.setUpdatesLocked(true);
    colour(0, -1, 0);
    for (int line = 0; line < 4; ++line)
        colour(line * 4, line * 4 + 1, kRed);
    EXPECT_TRUE(shownIn(box, 2).empty()) << "nothing is applied while locked";
    EXPECT_TRUE(box.hasPendingFormats());
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.lastAppliedBlockCount(), 4);
    EXPECT_EQ(shownIn(box, 2), (std::vector<Shown>{{0, 1, kRed}}));

    // The same pass again, then one that differs in one line.
    for (int round = 0; round < 2; ++round) {
        box.setUpdatesLocked(true);
        colour(0, -1, 0);
        for (int line = 0; line < 4; ++line)
            colour(line * 4, line * 4 + (round == 1 && line == 3 ? 2 : 1), kRed);
        box.setUpdatesLocked(false);
        EXPECT_EQ(box.lastAppliedBlockCount(), round == 0 ? 0 : 1);
    }
    EXPECT_EQ(shownIn(box, 3), (std::vector<Shown>{{0, 2, kRed}}));
}

TEST_F(QtCodeBoxTest, BlocksOffScreenGetTheirFormatsWhenTheyArePainted) {
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
    box.setText(lines.join("\r\n"));
    const int line250 = 250 * 10; // "line NNN" plus CR LF
    box.setUpdatesLocked(true);
    colour(0, 4, kRed);
    colour(line250, line250 + 4, kRed);
    box.setUpdatesLocked(false);
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 4, kRed}}));
    EXPECT_TRUE(shownIn(box, 250).empty()) << "off screen: left for later";
    EXPECT_EQ(box.FormatAt(line250).Color, kRed);

    box.setSelStart(line250);
    box.ensureCursorVisible();
    box.viewport()->repaint();
    EXPECT_EQ(shownIn(box, 250), (std::vector<Shown>{{0, 4, kRed}}));
}

TEST_F(QtCodeBoxTest, SelectionMadeWhileLockedReachesTheWidgetOnceOnUnlockWithoutScrolling) {
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QString("line %1\r\n").arg(i);
    box.setText(text);
    QApplication::processEvents();
    events.log.clear();
    box.setUpdatesLocked(true);
    for (int pos = 0; pos < 500; pos += 7)
        box.SelectRange(pos, pos + 3);
    box.SelectRange(1500, 1504); // far below the first page
    EXPECT_EQ(box.SelText(), box.Text().mid(1500, 4)) << "reads see the selection at once";
    EXPECT_EQ(box.textCursor().position(), 0) << "the widget's cursor has not moved yet";
    box.SetScrollPos({0, 0});
    box.setUpdatesLocked(false);
    EXPECT_EQ(events.count("SelChange"), 1);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{0, 0})) << "the restored scroll position stays";
    EXPECT_EQ(box.SelStart(), 1500);
    EXPECT_EQ(box.textCursor().selectedText(), box.Text().mid(1500, 4));

    // An edit while locked uses the held selection.
    box.setUpdatesLocked(true);
    box.SelectRange(13, 14);
    box.setSelText("X");
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text().mid(8, 6), "line X");
    EXPECT_EQ(box.SelStart(), 14);
}

TEST_F(QtCodeBoxTest, HiddenBoxAppliesAllAttributesWhenShownAgain) {
    box.setText("abcd");
    box.setVisible(false);
    box.SelectRange(0, 2);
    box.SetCharFormat({.Color = kRed, .Bold = true, .Italic = true, .BackColor = 0x00FFFF});
    EXPECT_TRUE(box.hasPendingFormats());
    box.setVisible(true);
    EXPECT_FALSE(box.hasPendingFormats());
    EXPECT_EQ(shownIn(box, 0), (std::vector<Shown>{{0, 2, kRed}}));
    const QList<QTextLayout::FormatRange> ranges = box.document()->firstBlock().layout()->formats();
    ASSERT_EQ(ranges.size(), 1);
    EXPECT_EQ(ranges[0].format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(ranges[0].format.fontItalic());
    EXPECT_EQ(ranges[0].format.background().color(), QColor(255, 255, 0));
}

TEST_F(QtCodeBoxTest, KeysMapToVirtualKeysAndShiftState) {
    box.setText("");
    QTest::keyClick(&box, Qt::Key_B, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_ParenLeft, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Period);
    QTest::keyClick(&box, Qt::Key_F1);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    // The test tool presses the modifier keys too, and types the letter's own text ("b").
    const QStringList expected = {
        "KeyDown 16 1",  "KeyDown 66 1", "KeyPress 98", "Change",      "KeyUp 66 1",    "KeyUp 16 0",
        "KeyDown 16 1",  "KeyDown 57 1", "KeyPress 40", "Change",      "KeyUp 57 1",    "KeyUp 16 0",
        "KeyDown 190 0", "KeyPress 46",  "Change",      "KeyUp 190 0", "KeyDown 112 0", "KeyUp 112 0",
        "KeyDown 17 2",  "KeyDown 90 2", "KeyUp 90 2",  "KeyUp 17 0"};
    EXPECT_EQ(events.withoutSelChange(), expected) << "Ctrl+Z raises no KeyPress and undoes nothing";

    // A key code changed by the handler types that character instead.
    box.setText("");
    events.replaceFrom = 'a';
    events.replaceTo = '\r';
    QTest::keyClicks(&box, "a");
    EXPECT_EQ(box.Text(), "\r\n");
}

TEST_F(QtCodeBoxTest, MouseButtonsMoveTheCaretBeforeMouseDown) {
    box.setText("abcdef");
    int caretAtMouseDown = -1;
    events.onEvent = [&](const QString& event) {
        if (event.startsWith("MouseDown"))
            caretAtMouseDown = box.SelStart();
    };
    const QRect end = box.cursorRect(box.document()->find("f"));
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, end.center());
    EXPECT_GE(caretAtMouseDown, 5);
    QTest::mouseClick(box.viewport(), Qt::RightButton, Qt::ShiftModifier, end.center());
    EXPECT_EQ(events.count("MouseDown 1 0"), 1);
    EXPECT_EQ(events.count("MouseUp 1 0"), 1);
    EXPECT_EQ(events.count("MouseDown 2 1"), 1);
}

TEST_F(QtCodeBoxTest, FocusEvents) {
    box.SetFocus();
    ASSERT_TRUE(box.HasFocus());
    events.log.clear();
    box.clearFocus();
    box.SetFocus();
    EXPECT_EQ(events.log, (QStringList{"LostFocus", "GotFocus"}));
    events.log.clear();
    QFocusEvent menuOpens(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&box, &menuOpens);
    EXPECT_TRUE(events.log.isEmpty()) << "a popup menu takes no focus from the control's point of view";
}

// A key sent with the text it types, as a keyboard layout sends it.
void sendKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

// Where a click or a drop lands just before the character at a document position.
QPoint pointBefore(const QtCodeBox& box, int docPos) {
    QTextCursor cursor(box.document());
    cursor.setPosition(docPos);
    return box.cursorRect(cursor).center();
}

// Drags the data in over the position and drops it there, as the drag code delivers it.
void dropAt(QtCodeBox& box, QPoint at, const QMimeData& data) {
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &enter);
    QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(box.viewport(), &drop);
}

TEST_F(QtCodeBoxTest, OnlyPlainTextGoesToTheClipboardAndComesFromIt) {
    box.setText("a\r\nb");
    box.SelectRange(0, -1);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
    EXPECT_EQ(QApplication::clipboard()->text(), "a\r\nb") << "line breaks are copied as CR LF";

    box.setSelStart(1);
    auto* html = new QMimeData;
    html->setHtml("<b>x</b>");
    QApplication::clipboard()->setMimeData(html);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    auto* address = new QMimeData;
    address->setUrls({QUrl("file:///tmp/x")});
    QApplication::clipboard()->setMimeData(address);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), "a\r\nb") << "rich text and bare addresses are not pasted";

    // The clipboard keys (see the contract test) were the question: they ask nothing more. Shift+Insert
    // on the keypad is one of them.
    QApplication::clipboard()->setText("1\n2");
    events.log.clear();
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(events.count("KeyPress 22"), 1);
    EXPECT_EQ(box.Text(), "a1\r\n2\r\nb");
    EXPECT_EQ(events.asked(), 0);
    box.setText("a\r\nb");
    box.setSelStart(1);

    // A paste that no key raised asks first.
    QApplication::clipboard()->setText("P");
    events.log.clear();
    events.allow = false;
    box.paste();
    EXPECT_EQ(box.Text(), "a\r\nb");
    events.allow = true;
    box.paste();
    EXPECT_EQ(box.Text(), "aP\r\nb");
    EXPECT_EQ(events.count("BeforeInput MenuPaste 1"), 2);
}

TEST_F(QtCodeBoxTest, OtherChordsDoNothingAndTheDocumentKeepsNoHistory) {
    box.setText("");
    QTest::keyClicks(&box, "ab");
    QApplication::clipboard()->setText("P");
    events.log.clear();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> chords[] = {
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Backspace, Qt::AltModifier},
        {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Return, Qt::AltModifier},
        {Qt::Key_B, Qt::AltModifier}, // a button's mnemonic while the button is disabled
        {Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier},
    };
    for (const auto& [key, modifiers] : chords)
        QTest::keyClick(&box, key, modifiers);
    box.undo();
    EXPECT_EQ(box.Text(), "ab");
    EXPECT_FALSE(box.document()->isUndoAvailable());
    EXPECT_EQ(events.count("Change"), 0);
    for (const QString& event : events.log)
        EXPECT_FALSE(event.startsWith("KeyPress")) << event.toStdString();
}

TEST_F(QtCodeBoxTest, EnterHoweverItIsTypedStartsANewLine) {
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    // Shift and Ctrl with Enter: see the contract test.
    const Case cases[] = {
        {Qt::Key_Enter, Qt::KeypadModifier, "\r"},
        {Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier, "\r"},
        {Qt::Key_unknown, Qt::NoModifier, QString(QChar::LineSeparator)},
        {Qt::Key_unknown, Qt::NoModifier, QString(QChar::ParagraphSeparator)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key | c.modifiers).toString().toStdString());
        box.setText("ab");
        box.setSelStart(1);
        events.log.clear();
        sendKey(&box, c.key, c.modifiers, c.text);
        EXPECT_EQ(box.Text(), "a\r\nb");
        EXPECT_EQ(box.document()->blockCount(), 2);
        EXPECT_EQ(box.SelStart(), 3);
        EXPECT_EQ(events.count("KeyPress 13"), 1);
    }
    // A handler that types a line separator instead of a key gets a new line too.
    box.setText("ab");
    box.setSelStart(1);
    events.replaceFrom = 'x';
    events.replaceTo = QChar::LineSeparator;
    QTest::keyClicks(&box, "x");
    EXPECT_EQ(box.Text(), "a\r\nb");
}

TEST_F(QtCodeBoxTest, InputMethodAsksOnceForEachCompositionThatChangesTheText) {
    struct Case {
        bool overSelection;
        bool allow;
        const char* text;
        int asked;
    };
    const Case cases[] = {
        {false, true, "abzzc", 1},
        {false, false, "abc", 1},
        {true, true, "azzc", 1}, // asked when the composition replaces the selection, not again at the commit
        {true, false, "abc", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.overSelection << c.allow);
        box.setText("abc");
        if (c.overSelection)
            box.SelectRange(1, 2);
        else
            box.setSelStart(2);
        events.log.clear();
        events.allow = c.allow;
        QInputMethodEvent preedit("zz", {});
        QApplication::sendEvent(&box, &preedit);
        EXPECT_EQ(events.asked(), c.overSelection ? 1 : 0);
        QInputMethodEvent commit;
        commit.setCommitString("zz");
        QApplication::sendEvent(&box, &commit);
        EXPECT_EQ(box.Text(), c.text);
        EXPECT_EQ(events.asked(), c.asked);
        EXPECT_TRUE(box.textCursor().block().layout()->preeditAreaText().isEmpty());
        if (!c.allow) {
            EXPECT_EQ(events.count("Change"), 0);
            EXPECT_EQ(box.SelLength(), c.overSelection ? 1 : 0)
                << "a refused composition keeps the selection";
        }
    }
}

TEST_F(QtCodeBoxTest, DropsAskFirstWithTheCaretWhereTheTextLands) {
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        box.setText("abc\r\ndef");
        box.SelectRange(0, 1);
        events.log.clear();
        events.allow = allow;
        QMimeData text;
        text.setText("X\nY");
        dropAt(box, pointBefore(box, 4), text);
        EXPECT_EQ(events.count("BeforeInput Drop 5"), 1) << events.log.join(", ").toStdString();
        EXPECT_EQ(box.Text(), allow ? "abc\r\nX\r\nYdef" : "abc\r\ndef");
        EXPECT_EQ(events.count("Change"), allow ? 1 : 0);
        if (!allow) {
            EXPECT_EQ(box.SelText(), "a") << "a refused drop leaves the selection as it was";
        }
    }
    // Only plain text is dropped, and a locked box takes no drop: nothing to ask about.
    events.log.clear();
    events.allow = true;
    QMimeData address;
    address.setUrls({QUrl("file:///tmp/x")});
    dropAt(box, pointBefore(box, 0), address);
    box.setLocked(true);
    QMimeData text;
    text.setText("X");
    dropAt(box, pointBefore(box, 0), text);
    EXPECT_EQ(box.Text(), "abc\r\ndef");
    EXPECT_EQ(events.asked(), 0);
}

TEST_F(QtCodeBoxTest, MiddleClickPastesTheSelectionOnlyWhenAllowed) {
    if (!QApplication::clipboard()->supportsSelection())
        GTEST_SKIP() << "this platform has no selection clipboard";
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        box.setText("abc");
        QApplication::clipboard()->setText("S", QClipboard::Selection);
        events.log.clear();
        events.allow = allow;
        QTest::mouseClick(box.viewport(), Qt::MiddleButton, Qt::NoModifier, pointBefore(box, 2));
        EXPECT_EQ(events.count("BeforeInput SelectionPaste 2"), 1) << events.log.join(", ").toStdString();
        EXPECT_EQ(box.Text(), allow ? "abSc" : "abc");
    }
}

} // namespace
} // namespace qx
