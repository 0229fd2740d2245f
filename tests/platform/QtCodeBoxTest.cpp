#include "CodeBoxTestSupport.h"

#include "platform/qt/QtCodeBox.h"
#include "text/TagMatch.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace qx {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// The formats Qt shows in a block: "start+length#rrggbb", with " b", " i" and " bg#rrggbb" when set.
QString shownIn(const QtCodeBox& box, int blockNumber) {
    QStringList shown;
    for (const QTextLayout::FormatRange& r :
         box.document()->findBlockByNumber(blockNumber).layout()->formats()) {
        QString s =
            QStringLiteral("%1+%2%3").arg(r.start).arg(r.length).arg(r.format.foreground().color().name());
        if (r.format.fontWeight() == QFont::Bold)
            s += " b";
        if (r.format.fontItalic())
            s += " i";
        if (r.format.hasProperty(QTextFormat::BackgroundBrush))
            s += " bg" + r.format.background().color().name();
        shown << s;
    }
    return shown.join(", ");
}

// A key sent with the text it types, as a keyboard layout sends it.
void sendKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

void compose(QWidget* widget, const QString& preedit, const QString& commit) {
    QInputMethodEvent shown(preedit, {});
    QApplication::sendEvent(widget, &shown);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QApplication::sendEvent(widget, &done);
}

class QtCodeBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.resize(400, 300);
        box.show();
        QApplication::setActiveWindow(&box);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        events.box = &box;
        setEvents(box, &events);
    }
    void TearDown() override {
        setEvents(box, nullptr);
        EXPECT_TRUE(events.editsMatch);
        EXPECT_EQ(events.copy, box.Text()) << "Edited told of every change";
    }
    void colour(int start, int end, Colour c) {
        box.SelectRange(start, end);
        box.setSelColor(c);
    }
    // The text as the blocks hold it, line breaks as CR LF.
    QString textFromBlocks() const {
        QStringList lines;
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next())
            lines << block.text();
        return lines.join("\r\n");
    }
    // Where a click or a drop lands just before the character at a document position.
    QPoint pointBefore(int docPos) const {
        QTextCursor cursor(box.document());
        cursor.setPosition(docPos);
        return box.cursorRect(cursor).center();
    }
    // Drags the data in over the point and drops it there, as the drag code delivers it: whether it was
    // taken.
    bool dropAt(QPoint at, const QMimeData& data) {
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &enter);
        QDropEvent drop(at, actions, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &drop);
        return drop.isAccepted();
    }

    QtCodeBox box;
    test::EventRecorder events;
};

// Lone CR and LF read as CR LF; pasted and composed text keeps to the separator rule as set text does.
TEST_F(QtCodeBoxTest, EveryLineBreakReadsAsCrLfHoweverTheTextCame) {
    box.setText("a\nb\r\r\nc");
    EXPECT_EQ(box.Text(), "a\r\nb\r\n\r\nc") << "a lone CR before CR LF is a line of its own";
    box.setSelStart(1);
    QApplication::clipboard()->setText("1\n2\uFDD0\u2029");
    box.paste();
    compose(&box, "", "\uFDD1d");
    EXPECT_EQ(box.Text(), "a1\r\n2\uFFFD\r\n\uFFFDd\r\nb\r\n\r\nc");
}

// The box keeps a copy of the text in step with the document's edits, undo's included. Range reads look
// at it around the gap the last edit left, before Text() puts it together; long pastes make it grow.
TEST_F(QtCodeBoxTest, TextCopyAndRangeReadsAgreeWithTheBlocksAcrossRandomEdits) {
    std::mt19937 rng(7);
    const QStringList pieces = {
        "x", "\r\n", "Dim a", "\n", "\u00a0", "", "If\r\nThen\r\n", "\r", QString("line\r\n").repeated(1500)};
    box.setText("start\r\nof the\r\ntext");
    box.document()->setUndoRedoEnabled(true); // off in the box
    for (int step = 0; step < 500; ++step) {
        const int length = box.TextLength();
        const int op = int(rng() % 6);
        if (op <= 2) {
            box.SelectRange(int(rng() % (length + 1)), int(rng() % (length + 1)));
            box.setSelText(pieces[int(rng() % (step % 50 == 0 ? pieces.size() : pieces.size() - 1))]);
        } else if (op == 3) {
            QTest::keyClick(&box, rng() % 2 ? Qt::Key_Backspace : Qt::Key_Return);
        } else if (op == 4) {
            QTest::keyClicks(&box, "ab");
        } else {
            box.document()->undo();
        }
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
        ASSERT_EQ(text, textFromBlocks()) << "step " << step;
        ASSERT_EQ(box.TextLength(), text.size()) << "step " << step;
        const bool betweenCrLf = at > 0 && at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n';
        ASSERT_EQ(caret, betweenCrLf ? at - 1 : at) << "step " << step;
        const int start = qBound(0, from, int(text.size()));
        ASSERT_EQ(range, text.mid(start, qBound(start, to, int(text.size())) - start)) << "step " << step;
        ASSERT_EQ(before, at > 0 ? text[at - 1] : QChar()) << "step " << step;
        ASSERT_EQ(after, at < text.size() ? text[at] : QChar()) << "step " << step;
        ASSERT_EQ(selected, text.mid(box.SelStart(), box.SelLength())) << "step " << step;
    }
}

// An edit through another cursor can leave the caret's document position as it was while the line breaks
// before it change: the caret's text position must follow.
TEST_F(QtCodeBoxTest, TheSelectionFollowsALineBreakMadeBeforeItThroughAnotherCursor) {
    box.setText("abcdef");
    box.SelectRange(4, 5);
    ASSERT_EQ(box.SelStart(), 4);
    QTextCursor elsewhere(box.document());
    elsewhere.setPosition(1);
    elsewhere.setPosition(2, QTextCursor::KeepAnchor);
    elsewhere.insertText("\n");
    EXPECT_EQ(box.SelStart(), 5);
    EXPECT_EQ(box.SelText(), "e");
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

TEST_F(QtCodeBoxTest, TypingIntoAColouredBlockKeepsTheOtherCharactersColours) {
    box.setText("abc def");
    colour(0, 3, kRed);
    colour(4, 7, kGreen);
    box.setSelStart(1);
    QTest::keyClicks(&box, "xy");
    const QString typed = "0+1#ff0000, 3+2#ff0000, 6+3#00ff00";
    EXPECT_EQ(shownIn(box, 0), typed);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(shownIn(box, 0), "0+1#ff0000");
    EXPECT_EQ(shownIn(box, 1), "0+2#ff0000, 3+3#00ff00");
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(shownIn(box, 0), typed);
    // A composition's preedit replaces the block's formats; its commit gives them back.
    box.setSelStart(9);
    compose(&box, "zz", "zz");
    EXPECT_EQ(box.Text(), "axybc defzz");
    EXPECT_EQ(shownIn(box, 0), typed);
}

// Formats set while locked are compared where they changed; edits before the unlock move that stretch.
TEST_F(QtCodeBoxTest, ColoursSetWhileLockedLandWhereEditsMovedThem) {
    box.setText("one\r\ntwo\r\nthree");
    box.setUpdatesLocked(true);
    colour(10, 15, kRed); // "three"
    box.setSelStart(0);
    box.setSelText("a long first line\r\n");
    box.setUpdatesLocked(false);
    EXPECT_EQ(shownIn(box, 3), "0+5#ff0000");

    // A stretch cut short by a removal still reaches the block it ended in.
    box.setUpdatesLocked(true);
    colour(19, 27, kGreen); // "one\r\ntwo"
    box.SelectRange(0, 21);
    box.setSelText("");
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text(), "e\r\ntwo\r\nthree");
    EXPECT_EQ(shownIn(box, 0), "0+1#00ff00");
    EXPECT_EQ(shownIn(box, 1), "0+3#00ff00");
    EXPECT_EQ(shownIn(box, 2), "0+5#ff0000");
}

TEST_F(QtCodeBoxTest, ChangesWhileLockedReachTheBlocksOnUnlockAndOnlyChangedBlocksAreTouched) {
    box.setText("aa\r\nbb\r\ncc\r\ndd");
    const int touched[] = {4, 0, 1}; // the first pass, the same pass again, one that differs in one line
    for (int round = 0; round < 3; ++round) {
        box.setUpdatesLocked(true);
        colour(0, -1, 0);
        for (int line = 0; line < 4; ++line)
            colour(line * 4, line * 4 + (round == 2 && line == 3 ? 2 : 1), kRed);
        if (round == 0) {
            EXPECT_EQ(shownIn(box, 2), "") << "nothing is applied while locked";
            EXPECT_TRUE(box.hasPendingFormats());
        }
        box.setUpdatesLocked(false);
        EXPECT_EQ(box.lastAppliedBlockCount(), touched[round]);
    }
    EXPECT_EQ(shownIn(box, 2), "0+1#ff0000");
    EXPECT_EQ(shownIn(box, 3), "0+2#ff0000");
}

TEST_F(QtCodeBoxTest, BlocksOffScreenGetTheirFormatsWhenTheyArePainted) {
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
    box.setText(lines.join("\r\n"));
    const int line250 = 250 * 10; // "line NNN" and CR LF
    box.setUpdatesLocked(true);
    colour(0, 4, kRed);
    colour(line250, line250 + 4, kRed);
    box.setUpdatesLocked(false);
    EXPECT_EQ(shownIn(box, 0), "0+4#ff0000");
    EXPECT_EQ(shownIn(box, 250), "") << "off screen: left for later";
    box.setSelStart(line250);
    box.ensureCursorVisible();
    box.viewport()->repaint();
    EXPECT_EQ(shownIn(box, 250), "0+4#ff0000");
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
    EXPECT_EQ(box.SelText(), text.mid(1500, 4)) << "reads see the selection at once";
    EXPECT_EQ(box.textCursor().position(), 0) << "the widget's cursor has not moved yet";
    box.SetScrollPos({0, 0});
    box.setUpdatesLocked(false);
    EXPECT_EQ(events.count("SelChange"), 1);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{0, 0})) << "the restored scroll position stays";
    EXPECT_EQ(box.textCursor().selectedText(), text.mid(1500, 4));

    // An edit while locked uses the held selection.
    box.setUpdatesLocked(true);
    box.SelectRange(13, 14);
    box.setSelText("X");
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text().mid(8, 6), "line X");
    EXPECT_EQ(box.SelStart(), 14);
}

TEST_F(QtCodeBoxTest, AHiddenBoxAppliesEveryAttributeWhenShownAgain) {
    box.setText("abcd");
    box.setVisible(false);
    box.SelectRange(0, 2);
    box.SetCharFormat({.Color = kRed, .Bold = true, .Italic = true, .BackColor = 0x00FFFF});
    EXPECT_TRUE(box.hasPendingFormats());
    box.setVisible(true);
    EXPECT_FALSE(box.hasPendingFormats());
    EXPECT_EQ(shownIn(box, 0), "0+2#ff0000 b i bg#ffff00");
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
    EXPECT_EQ(events.withoutSelChange(), expected) << "Ctrl+Z raises no KeyPress";
}

TEST_F(QtCodeBoxTest, MouseButtonsMoveTheCaretBeforeMouseDown) {
    box.setText("abcdef");
    int caretAtMouseDown = -1;
    events.onEvent = [&](const QString& event) {
        if (event.startsWith("MouseDown"))
            caretAtMouseDown = box.SelStart();
    };
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, pointBefore(5));
    EXPECT_EQ(caretAtMouseDown, 5);
    QTest::mouseClick(box.viewport(), Qt::RightButton, Qt::ShiftModifier, pointBefore(5));
    EXPECT_EQ(events.log.filter("Mouse"),
              (QStringList{"MouseDown 1 0", "MouseUp 1 0", "MouseDown 2 1", "MouseUp 2 1"}));
}

TEST_F(QtCodeBoxTest, FocusEventsButNotForAPopupMenu) {
    box.SetFocus();
    ASSERT_TRUE(box.HasFocus());
    events.log.clear();
    box.clearFocus();
    box.SetFocus();
    QFocusEvent menuOpens(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&box, &menuOpens);
    EXPECT_EQ(events.log, (QStringList{"LostFocus", "GotFocus"}));
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

    // The clipboard keys were the question (see the contract test), Shift+Insert on the keypad too.
    QApplication::clipboard()->setText("P");
    events.log.clear();
    QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier | Qt::KeypadModifier);
    EXPECT_EQ(events.count("KeyPress 22"), 1);
    EXPECT_EQ(events.asked(), 0);
    // A paste that no key raised asks first.
    events.allowInput = false;
    box.paste();
    events.allowInput = true;
    box.paste();
    EXPECT_EQ(box.Text(), "aPP\r\nb");
    EXPECT_EQ(events.count("BeforeInput MenuPaste 2"), 2);
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
    EXPECT_EQ(events.log.filter("KeyPress"), QStringList());
}

// Keypad Enter, and a key that types a line or paragraph separator, break the line as Enter does.
TEST_F(QtCodeBoxTest, EnterHoweverItIsTypedStartsANewLine) {
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, QString> cases[] = {
        {Qt::Key_Enter, Qt::KeypadModifier, "\r"},
        {Qt::Key_unknown, Qt::NoModifier, QString(QChar::LineSeparator)},
        {Qt::Key_unknown, Qt::NoModifier, QString(QChar::ParagraphSeparator)},
    };
    for (const auto& [key, modifiers, text] : cases) {
        SCOPED_TRACE(int(text.front().unicode()));
        box.setText("ab");
        box.setSelStart(1);
        events.log.clear();
        sendKey(&box, key, modifiers, text);
        EXPECT_EQ(box.Text(), "a\r\nb");
        EXPECT_EQ(box.SelStart(), 3);
        EXPECT_EQ(events.count("KeyPress 13"), 1);
    }
}

TEST_F(QtCodeBoxTest, InputMethodAsksOnceForEachCompositionThatChangesTheText) {
    // {over a selection, allowed, text, times asked}: a composition over the selection asks when it
    // replaces it, not again at the commit.
    const std::tuple<bool, bool, const char*, int> cases[] = {{false, true, "abzzc", 1},
                                                              {false, false, "abc", 1},
                                                              {true, true, "azzc", 1},
                                                              {true, false, "abc", 2}};
    for (const auto& [overSelection, allow, text, asked] : cases) {
        SCOPED_TRACE(testing::Message() << overSelection << allow);
        box.setText("abc");
        box.SelectRange(overSelection ? 1 : 2, 2);
        events.log.clear();
        events.allowInput = allow;
        QInputMethodEvent preedit("zz", {});
        QApplication::sendEvent(&box, &preedit);
        EXPECT_EQ(events.asked(), overSelection ? 1 : 0);
        QInputMethodEvent commit;
        commit.setCommitString("zz");
        QApplication::sendEvent(&box, &commit);
        EXPECT_EQ(box.Text(), text);
        EXPECT_EQ(events.asked(), asked);
        EXPECT_TRUE(box.textCursor().block().layout()->preeditAreaText().isEmpty());
        if (!allow) {
            EXPECT_EQ(box.SelLength(), overSelection ? 1 : 0) << "a refused composition keeps the selection";
        }
    }
}

TEST_F(QtCodeBoxTest, DropsAskFirstWithTheCaretWhereTheTextLands) {
    for (const bool allow : {true, false}) {
        SCOPED_TRACE(allow);
        box.setText("abc\r\ndef");
        box.SelectRange(0, 1);
        events.log.clear();
        events.allowInput = allow;
        QMimeData text;
        text.setText("X\nY");
        EXPECT_EQ(dropAt(pointBefore(4), text), allow) << "a refused drop takes nothing from its source";
        EXPECT_EQ(events.count("BeforeInput Drop 5"), 1) << events.log.join(", ").toStdString();
        EXPECT_EQ(box.Text(), allow ? "abc\r\nX\r\nYdef" : "abc\r\ndef");
        if (!allow) {
            EXPECT_EQ(box.SelText(), "a") << "a refused drop leaves the selection as it was";
        }
    }
    // Only plain text is dropped, and a locked box takes no drop: nothing to ask about.
    events.log.clear();
    QMimeData address;
    address.setUrls({QUrl("file:///tmp/x")});
    dropAt(pointBefore(0), address);
    box.setLocked(true);
    QMimeData text;
    text.setText("X");
    dropAt(pointBefore(0), text);
    EXPECT_EQ(box.Text(), "abc\r\ndef");
    EXPECT_EQ(events.asked(), 0);
}

} // namespace
} // namespace qx
