#include "CodeBoxTestSupport.h"

#include "platform/qt/CodeFont.h"
#include "text/TagMatch.h"

#include <QFontInfo>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextLayout>

#include <random>

namespace qx {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

// The formats Qt shows in a block: "start+length#rrggbb", with " b", " i" and " bg#rrggbb" when set.
QString shownIn(const QtCodeBox& box, int blockNumber) {
    QStringList shown;
    for (const auto& [start, length, f] :
         box.document()->findBlockByNumber(blockNumber).layout()->formats()) {
        shown << QStringLiteral("%1+%2").arg(start).arg(length) + f.foreground().color().name() +
                     (f.fontWeight() == QFont::Bold ? " b" : "") + (f.fontItalic() ? " i" : "") +
                     (f.hasProperty(QTextFormat::BackgroundBrush) ? " bg" + f.background().color().name()
                                                                  : "");
    }
    return shown.join(", ");
}

void compose(QWidget* widget, const QString& preedit, const QString& commit) {
    QInputMethodEvent shown(preedit, {});
    QApplication::sendEvent(widget, &shown);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QApplication::sendEvent(widget, &done);
}

class QtCodeBoxTest : public test::CodeBoxFixture<QtCodeBox> {
protected:
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
        SCOPED_TRACE(step);
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
        ASSERT_EQ(text, textFromBlocks());
        ASSERT_EQ(box.TextLength(), text.size());
        const bool betweenCrLf = at > 0 && at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n';
        ASSERT_EQ(caret, betweenCrLf ? at - 1 : at);
        const int start = qBound(0, from, int(text.size()));
        ASSERT_EQ(range, text.mid(start, qBound(start, to, int(text.size())) - start));
        ASSERT_EQ(before, at > 0 ? text[at - 1] : QChar());
        ASSERT_EQ(after, at < text.size() ? text[at] : QChar());
        ASSERT_EQ(selected, text.mid(box.SelStart(), box.SelLength()));
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

// Blocks off screen get their formats when they are painted; a hidden box applies every attribute when it
// is shown again.
TEST_F(QtCodeBoxTest, FormatsWaitForTheBlocksToBeShown) {
    box.setText(QString("line\r\n").repeated(300));
    const int line250 = 250 * 6;
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

    box.setVisible(false);
    box.SelectRange(line250, line250 + 2);
    box.SetCharFormat({.Color = kGreen, .Bold = true, .Italic = true, .BackColor = 0x00FFFF});
    EXPECT_TRUE(box.hasPendingFormats());
    box.setVisible(true);
    EXPECT_FALSE(box.hasPendingFormats());
    EXPECT_EQ(shownIn(box, 250), "0+2#00ff00 b i bg#ffff00, 2+2#ff0000");
}

// Reads see a selection made while locked at once; the widget gets it once, on unlock, without scrolling.
TEST_F(QtCodeBoxTest, SelectionMadeWhileLockedReachesTheWidgetOnceOnUnlockWithoutScrolling) {
    const QString text = QString("line\r\n").repeated(300);
    setTextQuietly(text);
    QApplication::processEvents();
    box.setUpdatesLocked(true);
    for (int pos = 0; pos < 500; pos += 7)
        box.SelectRange(pos, pos + 3);
    box.SelectRange(1500, 1504); // far below the first page
    EXPECT_EQ(box.SelText(), text.mid(1500, 4));
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
    EXPECT_EQ(box.Text().mid(12, 3), "lXn");
    EXPECT_EQ(box.SelStart(), 14);
}

// Print Screen has no key code: no events.
TEST_F(QtCodeBoxTest, KeysMapToVirtualKeysAndShiftState) {
    box.setText("");
    QTest::keyClick(&box, Qt::Key_B, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_ParenLeft, Qt::ShiftModifier);
    QTest::keyClick(&box, Qt::Key_Period);
    QTest::keyClick(&box, Qt::Key_F1);
    QTest::keyClick(&box, Qt::Key_Print);
    QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
    // The test tool presses the modifier keys too, and types the letter's own text ("b").
    const QStringList expected = {
        "KeyDown 16 1",  "KeyDown 66 1", "KeyPress 98", "Change",      "KeyUp 66 1",    "KeyUp 16 0",
        "KeyDown 16 1",  "KeyDown 57 1", "KeyPress 40", "Change",      "KeyUp 57 1",    "KeyUp 16 0",
        "KeyDown 190 0", "KeyPress 46",  "Change",      "KeyUp 190 0", "KeyDown 112 0", "KeyUp 112 0",
        "KeyDown 17 2",  "KeyDown 90 2", "KeyUp 90 2",  "KeyUp 17 0"};
    EXPECT_EQ(events.withoutSelChange(), expected) << "Ctrl+Z raises no KeyPress";
}

// Keypad Enter, and a key that types a line or paragraph separator, break the line as Enter does; the key
// scheme's other clipboard and history chords, and Alt chords that would type, do nothing.
TEST_F(QtCodeBoxTest, EnterHoweverItIsTypedAndOtherChordsDoNothing) {
    for (const QString& text :
         {QString("\r"), QString(QChar::LineSeparator), QString(QChar::ParagraphSeparator)}) {
        SCOPED_TRACE(int(text.front().unicode()));
        setTextQuietly("ab");
        box.setSelStart(1);
        const bool keypad = text == "\r";
        QKeyEvent press(QEvent::KeyPress, keypad ? Qt::Key_Enter : Qt::Key_unknown,
                        keypad ? Qt::KeypadModifier : Qt::NoModifier, text);
        QApplication::sendEvent(&box, &press);
        EXPECT_EQ(box.Text(), "a\r\nb");
        EXPECT_EQ(box.SelStart(), 3);
        EXPECT_EQ(events.count("KeyPress 13"), 1);
    }
    QApplication::clipboard()->setText("P");
    events.log.clear();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> chords[] = {
        {Qt::Key_Y, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Insert, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_B, Qt::AltModifier}, // a button's mnemonic while the button is disabled
        {Qt::Key_D, Qt::AltModifier | Qt::ShiftModifier},
    };
    for (const auto& [key, modifiers] : chords)
        QTest::keyClick(&box, key, modifiers);
    EXPECT_EQ(box.Text(), "a\r\nb");
    EXPECT_EQ(events.count("Change"), 0);
    EXPECT_EQ(events.log.filter("KeyPress"), QStringList());
}

// The click moves the caret before MouseDown; a popup menu taking the focus is no focus event.
TEST_F(QtCodeBoxTest, MouseAndFocusEvents) {
    box.setText("abcdef");
    int caretAtMouseDown = -1;
    events.onEvent = [&](const QString& event) {
        if (event.startsWith("MouseDown"))
            caretAtMouseDown = box.SelStart();
    };
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, pointBefore(5));
    EXPECT_EQ(caretAtMouseDown, 5);
    QTest::mouseClick(box.viewport(), Qt::RightButton, Qt::ShiftModifier, pointBefore(5));
    ASSERT_TRUE(box.HasFocus());
    box.clearFocus();
    box.SetFocus();
    QFocusEvent menuOpens(QEvent::FocusOut, Qt::PopupFocusReason);
    QApplication::sendEvent(&box, &menuOpens);
    EXPECT_EQ(events.log.filter(QRegularExpression("Mouse|Focus")),
              (QStringList{"MouseDown 1 0", "MouseUp 1 0", "MouseDown 2 1", "MouseUp 2 1", "LostFocus",
                           "GotFocus"}));
}

TEST_F(QtCodeBoxTest, OnlyPlainTextGoesToTheClipboardAndComesFromIt) {
    box.setText("a\r\nb");
    box.SelectRange(0, -1);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
    EXPECT_EQ(QApplication::clipboard()->text(), "a\r\nb") << "line breaks are copied as CR LF";

    box.setSelStart(1);
    auto* address = new QMimeData;
    address->setUrls({QUrl("file:///tmp/x")});
    QApplication::clipboard()->setMimeData(address);
    QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.Text(), "a\r\nb") << "a bare address is not pasted";

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
    // A locked box takes no drop: nothing to ask about.
    events.log.clear();
    box.setLocked(true);
    QMimeData text;
    text.setText("X");
    dropAt(pointBefore(0), text);
    EXPECT_EQ(box.Text(), "abc\r\ndef");
    EXPECT_EQ(events.asked(), 0);
}

// A family without fixed pitch gives way to the system's fixed font, at the size asked for.
TEST(CodeFont, FallsBackToTheSystemsFixedFontAtTheSameSize) {
    const QFont font = FixedPitchFont("DejaVu Sans", 13.5);
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(font.pointSizeF(), 13.5);
}

} // namespace
} // namespace qx
