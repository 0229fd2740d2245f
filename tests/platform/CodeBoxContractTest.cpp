#include "CodeBoxTestSupport.h"

#include "platform/ApiTools.h"
#include "text/TextFind.h"

#include <tuple>
#include <utility>

namespace qx {
namespace {

// The same cases on both boxes.
template <class Box> class CodeBoxContractTest : public test::CodeBoxFixture<Box> {};

using Boxes = ::testing::Types<MemoryCodeBox, QtCodeBox>;
TYPED_TEST_SUITE(CodeBoxContractTest, Boxes);

const CharFormat kBlack{};
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

TYPED_TEST(CodeBoxContractTest, SetTextAndSetSelTextRaiseChangeOnlyForRealChanges) {
    auto& box = this->box;
    box.setText("first");
    box.setSelStart(3);
    this->events.log.clear();
    box.setText("Dim x = 1");
    EXPECT_EQ(box.SelStart() + box.SelLength(), 0);
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
    EXPECT_EQ(seenByChange, "9 Dim total = 1");
    EXPECT_EQ(box.SelLength(), 0);
    box.setSelText("");
    EXPECT_EQ(this->events.count("Change"), 1) << "nothing removed, nothing inserted";
}

// U+2029 is a line break (CR LF); the noncharacters Qt's document reserves become U+FFFD one for one; every
// other character, U+2028, U+3000 and surrogate pairs included, comes back as set, and setting it again is
// no change.
TYPED_TEST(CodeBoxContractTest, SeparatorRuleIsTheSameInBothBoxes) {
    auto& box = this->box;
    const std::pair<QString, QString> cases[] = {
        {"a\u2029b", "a\r\nb"},
        {"\uFDD1\u2029a\uFDD0b", "\uFFFD\r\na\uFFFDb"},
        {"a\u2028b \uFDEF\uFFFF\uFEFF\uFFFC\u00A0\t\u0085\U0001F600",
         "a\u2028b \uFDEF\uFFFF\uFEFF\uFFFC\u00A0\t\u0085\U0001F600"},
        {QString(300, u'x') + "\u3000" + QString(300, u'y') + "\uFDD0",
         QString(300, u'x') + "\u3000" + QString(300, u'y') + "\uFFFD"},
    };
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(expected.toStdString());
        this->setTextQuietly(given);
        EXPECT_EQ(box.Text(), expected);
        box.setText(box.Text());
        EXPECT_EQ(this->events.count("Change"), 0);

        this->setTextQuietly("<>");
        box.setSelStart(1), box.setSelText(given);
        EXPECT_EQ(box.Text(), "<" + expected + ">");
        EXPECT_EQ(box.SelStart(), 1 + expected.size());
        EXPECT_EQ(box.GetLineFromChar(int(box.Text().size())), int(expected.count("\r\n")));
    }
}

TYPED_TEST(CodeBoxContractTest, SelectionIsClampedAndSelectRangeTakesStartAndEndAsTheSelectMessageDoes) {
    auto& box = this->box;
    this->setTextQuietly("0123456789");
    // {start, end, SelStart, SelLength}: reversed ends, an end of -1 (the text's end), a start of -1
    // (collapse at the caret).
    const std::tuple<int, int, int, int> cases[] = {
        {4, -1, 4, 6}, {7, 3, 3, 4}, {-1, 0, 3, 0}, {8, 50, 8, 2}};
    for (const auto& [start, end, selStart, selLength] : cases) {
        box.SelectRange(start, end);
        EXPECT_EQ(box.SelStart(), selStart) << start << ".." << end;
        EXPECT_EQ(box.SelLength(), selLength) << start << ".." << end;
    }

    // Positions are clamped to the text; SelChange follows moves, and no move is no event.
    this->selectQuietly(2, 0);
    box.setSelStart(2);
    EXPECT_EQ(this->events.count("SelChange"), 0);
    box.setSelLength(99);
    EXPECT_EQ(box.SelLength(), 8);
    EXPECT_EQ(this->events.count("SelChange"), 1);
}

TYPED_TEST(CodeBoxContractTest, FormatsChangeOnlyTheAttributesTheyName) {
    auto& box = this->box;
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
    EXPECT_EQ(this->events.count("Change"), 0) << "formats are no change of the text";

    box.SelectRange(2, 6);
    box.SetCharFormat({.Color = kBlue, .BackColor = 0x00FFFF});
    EXPECT_EQ(box.FormatAt(5),
              (CharFormat{.Color = kBlue, .Bold = true, .Italic = true, .BackColor = 0x00FFFF}));
    box.SelectRange(4, 6);
    box.SetCharFormat({.Italic = false});
    EXPECT_EQ(box.FormatAt(5), (CharFormat{.Color = kBlue, .Bold = true, .BackColor = 0x00FFFF}));
    EXPECT_EQ(box.FormatAt(6), (CharFormat{.Bold = true, .Italic = true}));
    box.SelectRange(7, 7);
    box.SetCharFormat({.Color = kRed});
    EXPECT_EQ(box.FormatAt(7).Color, kBlack.Color) << "an empty selection colours nothing";

    // Inserted and typed text is plain black; colours stay with their characters.
    box.SelectRange(0, -1);
    box.setSelColor(kRed);
    box.SelectRange(3, 3);
    box.setSelText("XY");
    EXPECT_EQ(box.FormatAt(3), kBlack);
    EXPECT_EQ(box.FormatAt(5).Color, kRed);
    box.SelectRange(5, 5);
    this->type("t");
    EXPECT_EQ(box.Text(), "abcXYtdefgh");
    EXPECT_EQ(box.FormatAt(5), kBlack) << "typed text is plain black";
    EXPECT_EQ(box.FormatAt(6).Color, kRed);
    box.setText("abcdef");
    EXPECT_EQ(box.FormatAt(1), kBlack) << "setText starts plain black";
}

TYPED_TEST(CodeBoxContractTest, LinesAreCountedAndCopiedInTheSystemCodePageAndIndentsMeasured) {
    auto& box = this->box;
    this->setTextQuietly("ab\r\ncd\r\n\r\nef");
    // Position 3 lies between CR and LF; positions past the end are on the last line.
    for (const auto& [pos, line] : {std::pair{2, 0}, {3, 0}, {4, 1}, {8, 2}, {10, 3}, {99, 3}})
        EXPECT_EQ(box.GetLineFromChar(pos), line) << pos;
    box.setSelStart(5);
    EXPECT_EQ(box.GetLineFromChar(-1), 1) << "-1 is the caret's line";

    this->setTextQuietly(QString::fromUtf8("   If x\r\n\r\ncaf\u00e9 \u20ac \u0101\r\n") + QString(300, ' '));
    EXPECT_EQ(box.GetLine(0, 255), QByteArray("   If x"));
    EXPECT_EQ(box.GetLine(2, 255), QByteArray("caf\xe9 \x80 ?"));
    EXPECT_EQ(box.GetLine(3, 255), QByteArray(255, ' '));
    for (const auto& [line, size] : {std::pair{1, 255}, {4, 255}, {0, 0}})
        EXPECT_EQ(box.GetLine(line, size), QByteArray()) << line << " " << size;
    box.setSelStart(int(box.Text().size()));
    EXPECT_EQ(LineIndent(box), 255) << "the caret line's leading spaces, no more than 255";
}

TYPED_TEST(CodeBoxContractTest, FindHonoursWholeWordMatchCaseAndTheRange) {
    auto& box = this->box;
    this->setTextQuietly("Tag tagged TAG_x tag\r\ntag");
    box.SelectRange(2, 4);
    EXPECT_EQ(box.Find("tag", 0, -1, kFindMatchCase), 4);
    EXPECT_EQ(box.Find("tag", 1, -1, kFindWholeWord), 17);
    EXPECT_EQ(box.Find("tag", 18, -1, kFindWholeWord), 22);
    EXPECT_EQ(box.Find("tag", 1, 6, 0), -1) << "the match must end inside the range";
    EXPECT_EQ(box.Find("tag", 1, 7, 0), 4);
    EXPECT_EQ(box.Find("\n", 0, -1, 0), -1) << "never half a line break";
    EXPECT_EQ(box.SelText(), "g ") << "Find does not move the selection";
}

TYPED_TEST(CodeBoxContractTest, LockedBoxRefusesTypingButNotCode) {
    auto& box = this->box;
    this->setTextQuietly("abc");
    box.setLocked(true);
    box.setSelStart(1);
    this->type("x");
    this->press(VK_BACK);
    EXPECT_EQ(box.Text(), "abc");
    EXPECT_EQ(this->events.count("Change"), 0);
    EXPECT_EQ(this->events.count("KeyPress 120"), 1) << "the events still come";
    box.setSelText("Z");
    EXPECT_EQ(box.Text(), "aZbc");
    box.setLocked(false);
    this->type("q");
    EXPECT_EQ(box.Text(), "aZqbc");
}

TYPED_TEST(CodeBoxContractTest, TypedKeysRaiseTheirEventsInOrderAndHandlersMaySwallowOrReplaceThem) {
    auto& box = this->box;
    this->setTextQuietly("");
    this->type("ab");
    EXPECT_EQ(box.Text(), "ab");
    const QStringList expected = {"KeyDown 65 0", "KeyPress 97", "Change", "KeyUp 65 0",
                                  "KeyDown 66 0", "KeyPress 98", "Change", "KeyUp 66 0"};
    EXPECT_EQ(this->events.withoutSelChange(), expected);
    EXPECT_EQ(this->events.log.value(this->events.log.indexOf("Change") + 1), "SelChange")
        << "the caret's move is reported after the change";

    this->setTextQuietly("");
    this->events.swallowKeyDown = VK_A;
    this->type("a");
    EXPECT_EQ(this->events.withoutSelChange(), (QStringList{"KeyDown 65 0", "KeyUp 65 0"}));
    this->events.replaceFrom = 'b';
    this->events.replaceTo = 0;
    this->type("b");
    EXPECT_EQ(box.Text(), "");
    this->events.replaceTo = 'X';
    this->type("b");
    EXPECT_EQ(box.Text(), "X");
    EXPECT_EQ(this->events.count("Change"), 1);
}

TYPED_TEST(CodeBoxContractTest, EnterBackspaceAndNavigationKeys) {
    auto& box = this->box;
    // Enter with Shift or Ctrl breaks the line as Enter does; Alt+Enter types nothing.
    for (const int shift : {int(kAltMask), 0, kShiftMask | kCtrlMask}) {
        SCOPED_TRACE(shift);
        this->setTextQuietly("ab");
        box.setSelStart(1);
        this->press(VK_RETURN, shift);
        EXPECT_EQ(box.Text(), shift == kAltMask ? "ab" : "a\r\nb");
        EXPECT_EQ(box.SelStart(), shift == kAltMask ? 1 : 3);
        EXPECT_EQ(this->events.count("KeyPress 13"), shift == kAltMask ? 0 : 1);
    }
    this->press(VK_END);
    EXPECT_EQ(box.SelStart(), 4);
    this->press(VK_HOME);
    EXPECT_EQ(box.SelStart(), 3) << "the start of the caret's line";
    this->press(VK_BACK);
    EXPECT_EQ(box.Text(), "ab") << "Backspace removes the whole line break";
    EXPECT_EQ(box.SelStart(), 1);
    this->press(VK_DELETE);
    EXPECT_EQ(box.Text(), "a");
}

TYPED_TEST(CodeBoxContractTest, ClipboardKeysRaiseKeyPress22And24AndTheBoxPastesOrCutsUnlessSwallowed) {
    auto& box = this->box;
    const std::tuple<int, int, int, const char*, const char*> cases[] = {
        {'V', kCtrlMask, 22, "aPc", "P"},
        {VK_INSERT, kShiftMask, 22, "aPc", "P"},
        {'X', kCtrlMask, 24, "ac", "b"},
        {VK_DELETE, kShiftMask, 24, "ac", "b"}};
    for (const auto& [vk, shift, code, text, clipboard] : cases) {
        for (const bool swallow : {false, true}) {
            SCOPED_TRACE(testing::Message() << vk << " " << shift << (swallow ? " swallowed" : ""));
            this->setTextQuietly("abc");
            box.SelectRange(1, 2);
            this->setClipboard("P");
            this->events.log.clear();
            this->events.replaceFrom = code;
            this->events.replaceTo = swallow ? 0 : code;
            this->press(vk, shift);
            const QStringList& log = this->events.log;
            const int down = int(log.indexOf(QStringLiteral("KeyDown %1 %2").arg(vk).arg(shift)));
            ASSERT_GE(down, 0) << log.join(", ").toStdString();
            EXPECT_EQ(log.value(down + 1), QStringLiteral("KeyPress %1").arg(code));
            EXPECT_EQ(box.Text(), swallow ? "abc" : text);
            EXPECT_EQ(this->clipboard(), swallow ? "P" : clipboard);
        }
    }
}

} // namespace
} // namespace qx
