#include "CodeBoxTestSupport.h"

#include "platform/KeyCodes.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"
#include "text/TextFind.h"

#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <type_traits>
#include <utility>

namespace qx {
namespace {

using test::EventRecorder;

Qt::Key qtKeyOf(int vk) {
    static const QHash<int, Qt::Key> keys = {{VK_RETURN, Qt::Key_Return}, {VK_BACK, Qt::Key_Backspace},
                                             {VK_DELETE, Qt::Key_Delete}, {VK_RIGHT, Qt::Key_Right},
                                             {VK_HOME, Qt::Key_Home},     {VK_END, Qt::Key_End}};
    return keys.value(vk, Qt::Key(vk));
}

// Plays the user with real key events on the Qt box and with the memory box's own simulation.
template <class Box> class CodeBoxContractTest : public ::testing::Test {
protected:
    static constexpr bool kQt = std::is_same_v<Box, QtCodeBox>;
    void SetUp() override {
        if constexpr (kQt) {
            box->resize(300, 200);
            box->show();
            QApplication::setActiveWindow(box.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
        }
        setEvents(*box, &events);
    }
    void TearDown() override { setEvents(*box, nullptr); }

    void setTextQuietly(const QString& text) {
        box->setText(text);
        events.log.clear();
    }
    void selectQuietly(int start, int length) {
        box->setSelStart(start);
        box->setSelLength(length);
        events.log.clear();
    }
    void type(const QString& text) {
        if constexpr (kQt)
            QTest::keyClicks(box.get(), text);
        else
            box->typeText(text);
    }
    void press(int vk) {
        if constexpr (kQt)
            QTest::keyClick(box.get(), qtKeyOf(vk));
        else
            box->pressKey(vk);
    }

    std::unique_ptr<Box> box = std::make_unique<Box>();
    EventRecorder events;
};

using Boxes = ::testing::Types<MemoryCodeBox, QtCodeBox>;
TYPED_TEST_SUITE(CodeBoxContractTest, Boxes);

const CharFormat kBlack{};
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

TYPED_TEST(CodeBoxContractTest, SetTextAndSetSelTextRaiseChangeOnlyForRealChanges) {
    auto& box = *this->box;
    box.setText("first");
    box.setSelStart(3);
    this->events.log.clear();
    box.setText("Dim x = 1");
    EXPECT_EQ(box.Text(), "Dim x = 1");
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(box.SelLength(), 0);
    EXPECT_EQ(this->events.count("Change"), 1);
    box.setText("Dim x = 1");
    EXPECT_EQ(this->events.count("Change"), 1) << "the same text is no change";

    // Change sees the new text with the caret after the inserted part.
    this->selectQuietly(4, 1);
    QString seenByChange;
    this->events.onEvent = [&](const QString& event) {
        if (event == "Change")
            seenByChange = QString("%1 %2").arg(box.SelStart()).arg(box.Text());
    };
    box.setSelText("total");
    EXPECT_EQ(this->events.count("Change"), 1);
    EXPECT_EQ(seenByChange, "9 Dim total = 1");
    EXPECT_EQ(box.SelLength(), 0);
    box.setSelText("");
    EXPECT_EQ(this->events.count("Change"), 1) << "nothing removed, nothing inserted";
    box.setSelText("\r\n");
    EXPECT_EQ(box.Text(), "Dim total\r\n = 1");
    EXPECT_EQ(box.SelStart(), 11);
    box.setText("");
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(this->events.count("Change"), 3);
}

// U+2029 is a line break (CR LF); the noncharacters Qt's document reserves become U+FFFD one for one; every
// other character, U+2028 included, comes back as set. Setting the text read back changes nothing.
TYPED_TEST(CodeBoxContractTest, SeparatorRuleIsTheSameInBothBoxes) {
    auto& box = *this->box;
    const std::pair<QString, QString> cases[] = {
        {"a\u2029b", "a\r\nb"},
        {"\u2029\u2029", "\r\n\r\n"},
        {"x\r\n\u2029y", "x\r\n\r\ny"},
        {"a\uFDD0b\uFDD1c", "a\uFFFDb\uFFFDc"},
        {"\uFDD1\u2029\uFDD0", "\uFFFD\r\n\uFFFD"},
        {"a\u2028b \uFDEF\uFFFF\uFEFF\uFFFC\u00A0\t\u0085",
         "a\u2028b \uFDEF\uFFFF\uFEFF\uFFFC\u00A0\t\u0085"},
    };
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(expected.toStdString());
        this->setTextQuietly(given);
        EXPECT_EQ(box.Text(), expected);
        box.setText(box.Text());
        EXPECT_EQ(box.Text(), expected);
        EXPECT_EQ(this->events.count("Change"), 0) << "the text read back is the same text";

        this->setTextQuietly("<>");
        box.setSelStart(1);
        box.setSelText(given);
        EXPECT_EQ(box.Text(), "<" + expected + ">");
        EXPECT_EQ(box.SelStart(), 1 + expected.size()) << "positions after the insertion stay put";
        EXPECT_EQ(box.GetLineFromChar(int(box.Text().size())), int(expected.count("\r\n")));
    }
}

TYPED_TEST(CodeBoxContractTest, SelectionIsClampedToTheTextAndSelChangeFollowsMoves) {
    auto& box = *this->box;
    this->setTextQuietly("abcdef");
    box.setSelStart(2);
    EXPECT_GE(this->events.count("SelChange"), 1);
    this->events.log.clear();
    box.setSelStart(2);
    EXPECT_EQ(this->events.count("SelChange"), 0) << "no move, no event";
    box.setSelLength(3);
    EXPECT_EQ(box.SelText(), "cde");
    box.setSelLength(99);
    EXPECT_EQ(box.SelLength(), 4);
    box.setSelStart(99);
    EXPECT_EQ(box.SelStart(), 6);
    EXPECT_EQ(box.SelLength(), 0);
    box.setSelStart(-4);
    EXPECT_EQ(box.SelStart(), 0);
    EXPECT_EQ(this->events.count("Change"), 0);
}

TYPED_TEST(CodeBoxContractTest, SelectRangeTakesStartAndEndAsTheSelectMessageDoes) {
    auto& box = *this->box;
    this->setTextQuietly("0123456789");
    // {start, end, SelStart, SelLength}, in turn: reversed ends select the same characters with the caret
    // at the lower end, and a start of -1 only collapses the selection where the caret is.
    const std::tuple<int, int, int, int> cases[] = {{0, -1, 0, 10}, {4, -1, 4, 6}, {2, 5, 2, 3}, {7, 3, 3, 4},
                                                    {-1, 0, 3, 0},  {8, 50, 8, 2}, {5, 5, 5, 0}};
    for (const auto& [start, end, selStart, selLength] : cases) {
        box.SelectRange(start, end);
        EXPECT_EQ(box.SelStart(), selStart) << start << ".." << end;
        EXPECT_EQ(box.SelLength(), selLength) << start << ".." << end;
    }
}

TYPED_TEST(CodeBoxContractTest, FormatsChangeOnlyTheAttributesTheyName) {
    auto& box = *this->box;
    this->setTextQuietly("abcdefgh");
    box.SelectRange(2, 6);
    box.setSelColor(kRed);
    box.SelectRange(4, 8);
    box.setSelBold(true);
    box.setSelItalic(true);
    EXPECT_EQ(box.FormatAt(1), kBlack);
    EXPECT_EQ(box.FormatAt(3), (CharFormat{.Color = kRed}));
    EXPECT_EQ(box.FormatAt(5), (CharFormat{.Color = kRed, .Bold = true, .Italic = true}));
    EXPECT_EQ(box.FormatAt(7), (CharFormat{.Bold = true, .Italic = true}));
    EXPECT_EQ(box.FormatAt(-1), kBlack);
    EXPECT_EQ(box.FormatAt(8), kBlack);
    EXPECT_EQ(this->events.count("Change"), 0) << "formats are no change of the text";

    // The character format message leaves unset attributes as they were.
    box.SelectRange(2, 6);
    box.SetCharFormat({.Color = kBlue, .BackColor = 0x00FFFF});
    EXPECT_EQ(box.FormatAt(3), (CharFormat{.Color = kBlue, .BackColor = 0x00FFFF}));
    EXPECT_EQ(box.FormatAt(5),
              (CharFormat{.Color = kBlue, .Bold = true, .Italic = true, .BackColor = 0x00FFFF}));
    box.SelectRange(4, 6);
    box.SetCharFormat({.Italic = false});
    EXPECT_EQ(box.FormatAt(5), (CharFormat{.Color = kBlue, .Bold = true, .BackColor = 0x00FFFF}));
    EXPECT_EQ(box.FormatAt(6), (CharFormat{.Bold = true, .Italic = true}));
    // An empty selection changes nothing already in the text.
    box.SelectRange(7, 7);
    box.SetCharFormat({.Color = kRed});
    EXPECT_EQ(box.FormatAt(7), (CharFormat{.Bold = true, .Italic = true}));
    EXPECT_EQ(box.FormatAt(6), (CharFormat{.Bold = true, .Italic = true}));
}

TYPED_TEST(CodeBoxContractTest, InsertedAndTypedTextIsPlainBlackAndColoursStayWithTheirCharacters) {
    auto& box = *this->box;
    this->setTextQuietly("abcdef");
    box.SelectRange(0, -1);
    box.setSelColor(kRed);
    box.SelectRange(3, 3);
    box.setSelText("XY");
    EXPECT_EQ(box.FormatAt(2).Color, kRed);
    EXPECT_EQ(box.FormatAt(3), kBlack);
    EXPECT_EQ(box.FormatAt(4), kBlack);
    EXPECT_EQ(box.FormatAt(5).Color, kRed);
    box.SelectRange(0, 2);
    box.setSelText("");
    EXPECT_EQ(box.FormatAt(0).Color, kRed);
    EXPECT_EQ(box.FormatAt(1), kBlack);
    box.SelectRange(5, 5);
    this->type("t");
    EXPECT_EQ(box.Text(), "cXYdetf");
    EXPECT_EQ(box.FormatAt(4).Color, kRed);
    EXPECT_EQ(box.FormatAt(5), kBlack) << "typed text is plain black";
    EXPECT_EQ(box.FormatAt(6).Color, kRed);
    box.setText("abcdef");
    EXPECT_EQ(box.FormatAt(1), kBlack) << "setText starts plain black";
}

TYPED_TEST(CodeBoxContractTest, GetLineFromCharCountsLineBreaks) {
    auto& box = *this->box;
    this->setTextQuietly("ab\r\ncd\r\n\r\nef");
    // Position 3 lies between CR and LF; positions past the end are on the last line.
    for (const auto& [pos, line] :
         {std::pair{0, 0}, {2, 0}, {3, 0}, {4, 1}, {8, 2}, {10, 3}, {12, 3}, {99, 3}})
        EXPECT_EQ(box.GetLineFromChar(pos), line) << pos;
    box.setSelStart(5);
    EXPECT_EQ(box.GetLineFromChar(-1), 1) << "-1 is the caret's line";
}

TYPED_TEST(CodeBoxContractTest, GetLineCopiesOneLineInTheSystemCodePage) {
    auto& box = *this->box;
    this->setTextQuietly(QString::fromUtf8("   If x\r\n\r\ncaf\u00e9 \u20ac \u0101\r\n") + QString(300, ' '));
    EXPECT_EQ(box.GetLine(0, 255), QByteArray("   If x"));
    EXPECT_EQ(box.GetLine(2, 255), QByteArray("caf\xe9 \x80 ?"));
    EXPECT_EQ(box.GetLine(3, 255), QByteArray(255, ' '));
    EXPECT_EQ(box.GetLine(0, 4), QByteArray("   I"));
    for (const auto& [line, size] : {std::pair{1, 255}, {4, 255}, {-1, 255}, {0, 0}})
        EXPECT_EQ(box.GetLine(line, size), QByteArray()) << line << " " << size;
}

TYPED_TEST(CodeBoxContractTest, FindHonoursWholeWordMatchCaseAndTheRange) {
    auto& box = *this->box;
    this->setTextQuietly("Tag tagged TAG_x tag\r\ntag");
    box.SelectRange(2, 4);
    EXPECT_EQ(box.Find("tag", 0, -1, 0), 0);
    EXPECT_EQ(box.Find("tag", 0, -1, kFindMatchCase), 4);
    EXPECT_EQ(box.Find("tag", 1, -1, kFindWholeWord), 17);
    EXPECT_EQ(box.Find("TAG", 1, -1, kFindWholeWord | kFindMatchCase), -1);
    EXPECT_EQ(box.Find("tag", 18, -1, kFindWholeWord), 22);
    EXPECT_EQ(box.Find("tag", 1, 6, 0), -1) << "the match must end inside the range";
    EXPECT_EQ(box.Find("tag", 1, 7, 0), 4);
    EXPECT_EQ(box.Find("", 0, -1, 0), -1);
    EXPECT_EQ(box.Find("missing", 0, -1, 0), -1);
    EXPECT_EQ(box.SelStart(), 2) << "Find does not move the selection";
    EXPECT_EQ(box.SelLength(), 2);
}

TYPED_TEST(CodeBoxContractTest, ScrollPositionRoundTrips) {
    auto& box = *this->box;
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QString("line %1 ").arg(i) + QString(100, 'x') + "\r\n";
    this->setTextQuietly(text);
    QApplication::processEvents();
    box.SetScrollPos({7, 40});
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{7, 40}));
    box.SetScrollPos({0, 3});
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{0, 3}));
}

TYPED_TEST(CodeBoxContractTest, LockedBoxRefusesTypingButNotCode) {
    auto& box = *this->box;
    this->setTextQuietly("abc");
    box.setLocked(true);
    EXPECT_TRUE(box.Locked());
    box.setSelStart(1);
    this->type("x");
    this->press(VK_BACK);
    this->press(VK_DELETE);
    EXPECT_EQ(box.Text(), "abc");
    EXPECT_EQ(this->events.count("Change"), 0);
    EXPECT_EQ(this->events.count("KeyDown 88 1"), 0);
    EXPECT_EQ(this->events.count("KeyPress 120"), 1) << "the events still come";
    this->press(VK_RIGHT);
    EXPECT_EQ(box.SelStart(), 2) << "the caret still moves";
    box.setSelText("Z");
    EXPECT_EQ(box.Text(), "abZc");
    box.setLocked(false);
    EXPECT_FALSE(box.Locked());
    this->type("q");
    EXPECT_EQ(box.Text(), "abZqc");
}

TYPED_TEST(CodeBoxContractTest, TypedKeysRaiseTheirEventsInOrderAndHandlersMaySwallowOrReplaceThem) {
    auto& box = *this->box;
    this->setTextQuietly("");
    this->type("ab");
    EXPECT_EQ(box.Text(), "ab");
    const QStringList expected = {"KeyDown 65 0", "KeyPress 97", "Change", "KeyUp 65 0",
                                  "KeyDown 66 0", "KeyPress 98", "Change", "KeyUp 66 0"};
    EXPECT_EQ(this->events.withoutSelChange(), expected);
    // The caret move is reported after the change.
    EXPECT_EQ(this->events.log.value(this->events.log.indexOf("Change") + 1), "SelChange");

    this->setTextQuietly("");
    this->events.swallowKeyDown = VK_A;
    this->type("a");
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(this->events.withoutSelChange(), (QStringList{"KeyDown 65 0", "KeyUp 65 0"}));
    this->events.replaceFrom = 'b';
    this->events.replaceTo = 0;
    this->type("b");
    EXPECT_EQ(box.Text(), "");
    EXPECT_EQ(this->events.count("Change"), 0);
    this->events.replaceTo = 'X';
    this->type("b");
    EXPECT_EQ(box.Text(), "X");
    EXPECT_EQ(this->events.count("Change"), 1);
}

TYPED_TEST(CodeBoxContractTest, EnterBackspaceAndNavigationKeys) {
    auto& box = *this->box;
    this->setTextQuietly("ab");
    this->selectQuietly(1, 0);
    this->press(VK_RETURN);
    EXPECT_EQ(box.Text(), "a\r\nb");
    EXPECT_EQ(box.SelStart(), 3);
    EXPECT_EQ(this->events.log.value(0), "KeyDown 13 0");
    EXPECT_EQ(this->events.log.value(1), "KeyPress 13");
    this->press(VK_BACK);
    EXPECT_EQ(box.Text(), "ab") << "Backspace removes the whole line break";
    EXPECT_EQ(box.SelStart(), 1);
    this->press(VK_END);
    EXPECT_EQ(box.SelStart(), 2);
    this->press(VK_HOME);
    EXPECT_EQ(box.SelStart(), 0);
    this->press(VK_DELETE);
    EXPECT_EQ(box.Text(), "b");
}

// Clipboard text as each box knows it: the system clipboard for the Qt box, its own for the memory box.
template <class Box> void setClipboard(Box& box, const QString& text) {
    if constexpr (std::is_same_v<Box, QtCodeBox>)
        QApplication::clipboard()->setText(text);
    else
        box.setClipboardText(text);
}

template <class Box> QString clipboardOf(const Box& box) {
    if constexpr (std::is_same_v<Box, QtCodeBox>)
        return QApplication::clipboard()->text();
    else
        return box.clipboardText();
}

// A key with the shift state it is pressed with (the test tool presses the modifier keys around it).
template <class Box> void pressChord(Box& box, int vk, int shift) {
    if constexpr (std::is_same_v<Box, QtCodeBox>) {
        static const QHash<int, Qt::Key> keys = {
            {VK_RETURN, Qt::Key_Return}, {VK_INSERT, Qt::Key_Insert}, {VK_DELETE, Qt::Key_Delete}};
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, shift & kShiftMask);
        modifiers.setFlag(Qt::ControlModifier, shift & kCtrlMask);
        modifiers.setFlag(Qt::AltModifier, shift & kAltMask);
        QTest::keyClick(&box, keys.value(vk, Qt::Key(vk)), modifiers);
    } else {
        box.pressKey(vk, shift);
    }
}

TYPED_TEST(CodeBoxContractTest, ClipboardKeysRaiseKeyPress22And24AndTheBoxPastesOrCutsUnlessSwallowed) {
    auto& box = *this->box;
    struct Case {
        int vk;
        int shift;
        int code;
        const char* text;
        const char* clipboard;
    };
    const Case cases[] = {{'V', kCtrlMask, 22, "aPc", "P"},
                          {VK_INSERT, kShiftMask, 22, "aPc", "P"},
                          {'X', kCtrlMask, 24, "ac", "b"},
                          {VK_DELETE, kShiftMask, 24, "ac", "b"}};
    for (const Case& c : cases) {
        for (const bool swallow : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.vk << " " << c.shift << (swallow ? " swallowed" : ""));
            this->setTextQuietly("abc");
            box.SelectRange(1, 2);
            setClipboard(box, "P");
            this->events.log.clear();
            this->events.replaceFrom = c.code;
            this->events.replaceTo = swallow ? 0 : c.code;
            pressChord(box, c.vk, c.shift);
            const QStringList& log = this->events.log;
            const int down = int(log.indexOf(QStringLiteral("KeyDown %1 %2").arg(c.vk).arg(c.shift)));
            ASSERT_GE(down, 0) << log.join(", ").toStdString();
            EXPECT_EQ(log.value(down + 1), QStringLiteral("KeyPress %1").arg(c.code));
            EXPECT_EQ(box.Text(), swallow ? "abc" : c.text);
            EXPECT_EQ(clipboardOf(box), swallow ? "P" : c.clipboard);
        }
    }
}

TYPED_TEST(CodeBoxContractTest, EnterWithShiftOrCtrlBreaksTheLineAsEnterDoes) {
    auto& box = *this->box;
    for (const int shift : {int(kShiftMask), int(kCtrlMask), kShiftMask | kCtrlMask}) {
        SCOPED_TRACE(shift);
        this->setTextQuietly("ab");
        this->selectQuietly(1, 0);
        pressChord(box, VK_RETURN, shift);
        EXPECT_EQ(box.Text(), "a\r\nb");
        EXPECT_EQ(box.SelStart(), 3);
        EXPECT_EQ(this->events.count("KeyPress 13"), 1);
    }
    this->setTextQuietly("ab");
    pressChord(box, VK_RETURN, kAltMask);
    EXPECT_EQ(box.Text(), "ab") << "Alt+Enter types nothing";
    EXPECT_EQ(this->events.count("KeyPress 13"), 0);
}

} // namespace
} // namespace qx
