#include "CodeBoxTestSupport.h"

#include <QInputMethodEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <random>

namespace qx {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kGreen = 0x00FF00;

void compose(QWidget* widget, const QString& preedit, const QString& commit) {
    QInputMethodEvent shown(preedit, {});
    QApplication::sendEvent(widget, &shown);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QApplication::sendEvent(widget, &done);
}

class QtCodeBoxTest : public test::CodeBoxFixture<QtCodeBox> {
protected:
    void colour(int start, int end, Colour c) { box.SelectRange(start, end), box.setSelColor(c); }
    // The colours Qt shows, by block: "1:0+3#rrggbb, ...; 2:...".
    QString shown() const {
        QStringList blocks;
        for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
            QStringList shown;
            for (const auto& [start, length, f] : block.layout()->formats())
                shown << QStringLiteral("%1+%2%3").arg(start).arg(length).arg(f.foreground().color().name());
            if (!shown.isEmpty())
                blocks << QString::number(block.blockNumber()) + ":" + shown.join(", ");
        }
        return blocks.join("; ");
    }
    // Where a click or a drop lands just before the character at a document position.
    QPoint pointBefore(int docPos) const {
        QTextCursor cursor(box.document());
        cursor.setPosition(docPos);
        return box.cursorRect(cursor).center();
    }
    // Drags the text in and drops it, as the drag code delivers it: whether it was taken.
    bool dropAt(QPoint at, const QString& text) {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.viewport(), &enter);
        QApplication::sendEvent(box.viewport(), &drop);
        return drop.isAccepted();
    }
};

// The box's copy of the text and its range reads agree with the document across edits, undo's included,
// both while the copy holds a byte a character and after a character above U+00FF widened it.
TEST_F(QtCodeBoxTest, TextCopyAndRangeReadsAgreeWithTheBlocksAcrossRandomEdits) {
    std::mt19937 rng(7);
    const QStringList pieces = {"x",
                                "\r\n",
                                "Dim a",
                                "\n",
                                "\u00a0",
                                "",
                                "\u00e9",
                                "\r",
                                "If\r\nThen\r\n",
                                "\u20ac",
                                QString("line\r\n").repeated(1500)};
    box.setText("a\nb\r\r\nc");
    ASSERT_EQ(box.Text(), "a\r\nb\r\n\r\nc") << "lone CR and LF are line breaks";
    box.document()->setUndoRedoEnabled(true); // off in the box
    for (int step = 0; step < 500; ++step) {
        SCOPED_TRACE(step);
        const int length = box.TextLength();
        const int op = int(rng() % 6);
        if (step % 40 == 0) {
            const QString start =
                step % 80 ? QString::fromUtf16(u"\u2029a\rb\n\ufdd0\r\r\n") : "\u00ffa\rb\n";
            box.setText(start + pieces[int(rng() % (pieces.size() - 2))] + "\r");
        } else if (op <= 2) {
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
        const QChar before = box.CharAt(at - 1), after = box.CharAt(at);
        box.setSelStart(at);
        const int caret = box.SelStart();
        box.SelectRange(from, to);
        const QString selected = box.SelText(), text = box.Text();
        ASSERT_EQ(text, box.document()->toRawText().replace(QChar::ParagraphSeparator, "\r\n"));
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

// A new text shows from its start with the caret there, whatever was scrolled to or selected before, and
// leaves the document unmodified and without a history of its own.
TEST_F(QtCodeBoxTest, ANewTextIsShownFromItsStartWithTheCaretThere) {
    const QString lines = QString("Dim x = 1 ' %1\r\n").arg(QString(200, u'-')).repeated(300);
    box.setText(lines);
    box.SelectRange(int(lines.size()) - 20, int(lines.size()) - 2);
    box.ensureCursorVisible();
    ASSERT_GT(box.verticalScrollBar()->value(), 0);
    ASSERT_GT(box.horizontalScrollBar()->value(), 0);
    events.log.clear();
    box.setText(lines.mid(2));
    EXPECT_EQ(events.log.join(", ").toStdString(), "SelChange, Change");
    EXPECT_EQ(box.textCursor().position(), 0);
    EXPECT_FALSE(box.textCursor().hasSelection());
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
    EXPECT_FALSE(box.document()->isModified());
    EXPECT_FALSE(box.document()->isUndoAvailable());
}

// Typing, Enter, Backspace and a composition keep the other characters' colours.
TEST_F(QtCodeBoxTest, TypingIntoAColouredBlockKeepsTheOtherCharactersColours) {
    box.setText("abc def");
    colour(0, 3, kRed);
    colour(4, 7, kGreen);
    box.setSelStart(1);
    QTest::keyClicks(&box, "xy");
    const QString typed = "0:0+1#ff0000, 3+2#ff0000, 6+3#00ff00";
    EXPECT_EQ(shown(), typed);
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(shown(), "0:0+1#ff0000; 1:0+2#ff0000, 3+3#00ff00");
    QTest::keyClick(&box, Qt::Key_Backspace);
    box.setSelStart(9), compose(&box, "zz", "zz");
    EXPECT_EQ(box.Text(), "axybc defzz");
    EXPECT_EQ(shown(), typed);
    box.setSelStart(11), box.setSelText(QString(LayoutFormats::kLongestColouredLine - 11, u'x'));
    EXPECT_EQ(shown(), typed) << "a line as long as may be is coloured";
    EXPECT_FALSE(box.document()->firstBlock().layout()->cacheEnabled());
    QTest::keyClick(&box, Qt::Key_X);
    EXPECT_TRUE(shown().isEmpty()) << "a longer one is not";
    EXPECT_TRUE(box.document()->firstBlock().layout()->cacheEnabled()) << "and keeps its glyphs";
    EXPECT_EQ(box.FormatAt(0).Color, kRed);

    // A loaded long line keeps them from the layout Qt makes before the load returns, whatever its breaks.
    const QString line(LayoutFormats::kLongestColouredLine + 1, u'y');
    for (const QString& breaks : {QStringLiteral("\r\n"), QStringLiteral("\n")}) {
        box.setText("a" + breaks + line + breaks + "b" + breaks +
                    line.left(LayoutFormats::kLongestColouredLine));
        const QTextBlock second = box.document()->firstBlock().next();
        EXPECT_TRUE(second.layout()->cacheEnabled());
        EXPECT_FALSE(second.next().next().layout()->cacheEnabled()) << "a line at the limit";
    }
}

// Formats and selections made while locked reach the widget on unlock, where edits moved them.
TEST_F(QtCodeBoxTest, WhatIsDoneWhileLockedReachesTheWidgetOnUnlock) {
    box.setText("x\r\none\r\ntwo\r\nthree");
    box.setUpdatesLocked(true);
    colour(3, 11, kGreen); // "one\r\ntwo", cut short by the removal
    colour(13, 18, kRed);  // "three"
    box.SelectRange(0, 5), box.setSelText("");
    box.setSelStart(0), box.setSelText("a long first line\r\n");
    box.setUpdatesLocked(false);
    EXPECT_EQ(shown(), "1:0+1#00ff00; 2:0+3#00ff00; 3:0+5#ff0000");

    // Only changed blocks are touched: a first pass, the same pass again, one that differs in one line.
    box.setText("aa\r\nbb\r\ncc\r\ndd");
    std::vector<int> touched;
    for (const int lastLength : {1, 1, 2}) {
        const QString before = shown();
        box.setUpdatesLocked(true);
        colour(0, -1, 0);
        for (int line = 0; line < 4; ++line)
            colour(line * 4, line * 4 + (line == 3 ? lastLength : 1), kRed);
        EXPECT_EQ(shown(), before) << "nothing is applied while locked";
        EXPECT_TRUE(box.hasPendingFormats());
        box.setUpdatesLocked(false);
        touched.push_back(box.lastAppliedBlockCount());
    }
    EXPECT_EQ(touched, (std::vector<int>{4, 0, 1}));
    EXPECT_EQ(shown(), "0:0+1#ff0000; 1:0+1#ff0000; 2:0+1#ff0000; 3:0+2#ff0000");

    // Reads see a selection at once; the widget gets it once, on unlock, without scrolling.
    setTextQuietly(QString("line\r\n").repeated(300));
    QApplication::processEvents();
    box.setUpdatesLocked(true);
    for (int pos = 0; pos < 500; pos += 7)
        box.SelectRange(pos, pos + 3);
    box.SelectRange(1500, 1504); // far below the first page
    EXPECT_EQ(box.SelText(), "line");
    EXPECT_EQ(box.textCursor().position(), 0);
    box.SetScrollPos({0, 0});
    box.setUpdatesLocked(false);
    EXPECT_EQ(events.count("SelChange"), 1);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{0, 0}));
    EXPECT_EQ(box.textCursor().selectedText(), "line");
    box.setUpdatesLocked(true);
    box.SelectRange(13, 14), box.setSelText("X"); // over the held selection
    box.setUpdatesLocked(false);
    EXPECT_EQ(box.Text().mid(12, 3), "lXn");
    EXPECT_EQ(box.SelStart(), 14);

    // Blocks off screen get their formats when painted.
    box.setUpdatesLocked(true);
    colour(0, 4, kRed);
    colour(1500, 1504, kRed);
    box.setUpdatesLocked(false);
    EXPECT_EQ(shown(), "0:0+4#ff0000");
    box.setSelStart(1500), box.ensureCursorVisible(), box.viewport()->repaint();
    EXPECT_EQ(shown(), "0:0+4#ff0000; 250:0+4#ff0000");
}

// A host's dark palette repaints the text, the marks and the gutter, also of a box made under it.
TEST_F(QtCodeBoxTest, ADarkPaletteRepaintsWhatIsShownAndLeavesTheStoredColours) {
    box.setText("<QX:A>b</QX> def\r\nx");
    colour(0, 6, 0x800000);
    box.SelectRange(13, 16), box.SetCharFormat({.Bold = true, .BackColor = 0x00FFFF}); // black, in a format
    box.setHighlightCurrentLine(true), box.setLineNumbers(true), box.setSelStart(1);
    // The text's colours, a background, the marks' backgrounds (of `marked`), the gutter's background and
    // edge.
    const auto painted = [&](const QtCodeBox& marked) {
        QApplication::processEvents(); // the application's palette reaches its windows as a posted event
        box.viewport()->repaint();
        QStringList colours = {
            shown(), box.document()->begin().layout()->formats()[1].format.background().color().name()};
        for (const QTextEdit::ExtraSelection& mark : marked.extraSelections())
            colours << mark.format.background().color().name();
        const QImage gutter = box.findChild<QWidget*>("lineNumbers")->grab().toImage();
        return colours << gutter.pixelColor(1, 1).name() << gutter.pixelColor(gutter.width() - 1, 1).name();
    };
    QPalette light = QApplication::palette(), dark = light;
    dark.setColor(QPalette::Base, QColor(0x1E1E1E)), dark.setColor(QPalette::Text, QColor(0xE8E8E8));
    QApplication::setPalette(dark);
    const QStringList inDark = painted(box);
    QtCodeBox born;
    born.setHighlightCurrentLine(true);
    const QString bornLine = painted(born)[2];
    QApplication::setPalette(light);
    EXPECT_EQ(inDark[0], "0:0+6#7f7fbf, 13+3#e8e8e8");
    for (const QString& colour : inDark.mid(1) + QStringList{bornLine})
        EXPECT_LT(QColor(colour).lightness(), 80) << colour.toStdString();
    EXPECT_EQ(painted(box), QStringList({"0:0+6#000080, 13+3#000000", "#ffff00", "#dceafc", "#ffe082",
                                         "#ffe082", "#f0f0f0", "#d0d0d0"}));
    EXPECT_EQ(box.FormatAt(13), (CharFormat{0, true, false, 0x00FFFF})) << "FormatAt reports what was set";
    light.setColor(QPalette::Base, Qt::white), light.setColor(QPalette::Window, QColor(0xDDDDDD));
    for (const auto& [disabledBase, lockedLook] : {std::pair{0xEEEEEE, "#eeeeee"}, {0xFFFFFF, "#dddddd"}}) {
        light.setColor(QPalette::Disabled, QPalette::Base, QColor(disabledBase)), box.setPalette(light);
        for (const bool locked : {true, false}) { // a locked box has the read-only look
            box.setLocked(locked);
            EXPECT_EQ(box.viewport()->palette().color(QPalette::Base).name(),
                      locked ? lockedLook : "#ffffff");
        }
    }
}

// Input beside the plain keys and the events it raises, caret after "@"; BeforeInput may refuse it.
TEST_F(QtCodeBoxTest, InputBesideTheKeysAsksFirstAndRaisesItsEvents) {
    QStringList seen;
    events.onEvent = [&](const QString& event) {
        if (event.contains(QRegularExpression("^(Before|Mouse|Got|Lost|KeyPress)")))
            seen << event + " @" + QString::number(box.SelStart());
    };
    const auto send = [&](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(&box, &press);
    };
    const auto drop = [&] { seen << (dropAt(pointBefore(4), "X\nY") ? "taken" : "left"); };
    const auto click = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QTest::mouseClick(box.viewport(), button, modifiers, pointBefore(6));
    };
    QFocusEvent menuOpens(QEvent::FocusOut, Qt::PopupFocusReason);
    using M = Qt::KeyboardModifier;
    // Alt+B: a button's mnemonic while the button is disabled.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> chords[] = {
        {Qt::Key_Y, M::ControlModifier},
        {Qt::Key_Z, M::ControlModifier | M::ShiftModifier},
        {Qt::Key_V, M::ControlModifier | M::ShiftModifier},
        {Qt::Key_B, M::AltModifier}};
    const QString ime = "BeforeInput InputMethod 1 @1", menuPaste = "BeforeInput MenuPaste 1 @1";
    const QString text = "abc\r\ndef", enter = "a\r\nc\r\ndef";
    struct Case {
        const char* what;
        bool allow;
        std::function<void()> act;
        QString text, selected, seen;
    };
    const Case cases[] = {
        {"a composition over the selection asks as it replaces it", true, [&] { compose(&box, "zz", "zz"); },
         "azzc\r\ndef", "", ime},
        {"a refused one keeps the selection", false, [&] { compose(&box, "zz", "zz"); }, text, "b",
         ime + ", " + ime},
        {"one at the caret asks at the commit", true, [&] { box.setSelStart(2), compose(&box, "zz", "zz"); },
         "abzzc\r\ndef", "", "BeforeInput InputMethod 2 @2"},
        {"pasted and composed text keeps to the separator rule", true,
         [&] {
             QApplication::clipboard()->setText("1\n2\uFDD0\u2029"), box.paste(),
                 compose(&box, "", "\uFDD1d");
         },
         "a1\r\n2\uFFFD\r\n\uFFFDdc\r\ndef", "", menuPaste + ", BeforeInput InputMethod 8 @8"},
        {"a drop asks with the caret where the text lands", true, drop, "abc\r\nX\r\nYdef", "",
         "BeforeInput Drop 5 @5, taken"},
        {"a refused drop takes nothing from its source", false, drop, text, "b",
         "BeforeInput Drop 5 @5, left"},
        {"a paste no key raised asks", true, [&] { box.paste(); }, "aPc\r\ndef", "", menuPaste},
        {"and may be refused", false, [&] { box.paste(); }, text, "b", menuPaste},
        {"Enter on the keypad", true, [&] { send(Qt::Key_Enter, Qt::KeypadModifier, "\r"); }, enter, "",
         "KeyPress 13 @1"},
        {"a key typing a line separator", true,
         [&] { send(Qt::Key_unknown, {}, QChar(QChar::LineSeparator)); }, enter, "", "KeyPress 13 @1"},
        {"other clipboard and history chords and Alt chords do nothing", true,
         [&] {
             std::ranges::for_each(chords,
                                   [&](auto chord) { QTest::keyClick(&box, chord.first, chord.second); });
         },
         text, "b", ""},
        {"a click moves the caret before MouseDown", true,
         [&] { click(Qt::LeftButton, {}), click(Qt::RightButton, Qt::ShiftModifier); }, text, "",
         "MouseDown 1 0 @7, MouseUp 1 0 @7, MouseDown 2 1 @7, MouseUp 2 1 @7"},
        {"a popup menu taking the focus is no focus event", true,
         [&] { box.clearFocus(), box.SetFocus(), QApplication::sendEvent(&box, &menuOpens); }, text, "b",
         "LostFocus @1, GotFocus @1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        box.setText("abc\r\ndef");
        box.SelectRange(1, 2);
        QApplication::clipboard()->setText("P");
        events.allowInput = c.allow;
        seen.clear();
        c.act();
        EXPECT_EQ(box.Text(), c.text);
        EXPECT_EQ(box.SelText(), c.selected);
        EXPECT_EQ(seen.join(", "), c.seen);
        EXPECT_TRUE(box.textCursor().block().layout()->preeditAreaText().isEmpty());
    }
}

} // namespace
} // namespace qx
