#include "SpyCodeBox.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "platform/WindowLock.h"
#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

namespace qx::test {
namespace {

constexpr Colour kRed = 0x000000FF;
constexpr Colour kGreen = 0x0000FF00;

// A processor driven by the test: records every call (position, character) and runs a step on each.
class ScriptedProcessor final : public SyntaxProcessor {
public:
    std::function<void(int ch, clsSyntaxHighlight& engine)> step;
    std::vector<std::pair<int, int>> calls;

    void ProcessChar(int ch, clsSyntaxHighlight& engine) override {
        calls.emplace_back(engine.Current(), ch);
        if (step)
            step(ch, engine);
    }
};

std::vector<int> positionsColoured(const CodeBox& box, Colour colour) {
    std::vector<int> positions;
    for (int i = 0; i < int(box.Text().size()); ++i) {
        if (box.FormatAt(i).Color == colour)
            positions.push_back(i);
    }
    return positions;
}

std::vector<int> range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

struct RunRuleCase {
    int startAt; // where ResetStart(0) puts Start
    int runAt;   // Current when Highlight is called
    int endOffset;
    int startOffset;
    std::vector<int> coloured;
    int startAfter;
};

class RunRuleTest : public ::testing::TestWithParam<RunRuleCase> {};

TEST_P(RunRuleTest, ColoursTheRunAndMovesStart) {
    const RunRuleCase& c = GetParam();
    MemoryCodeBox box;
    box.setText(QStringLiteral("0123456789ABCDEFGHIJ"));
    ScriptedProcessor processor;
    int startAfter = -99;
    processor.step = [&](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == c.startAt)
            engine.ResetStart(0);
        if (engine.Current() == c.runAt) {
            engine.Highlight(kRed, false, false, c.endOffset, c.startOffset, kNoBackColor);
            startAfter = engine.Start();
        }
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(positionsColoured(box, kRed), c.coloured);
    EXPECT_EQ(startAfter, c.startAfter);
}

INSTANTIATE_TEST_SUITE_P(Examples, RunRuleTest,
                         ::testing::Values(
                             // Start 5, Current 10: the three examples of the rule.
                             RunRuleCase{5, 10, -1, 0, range(6, 9), 9},
                             RunRuleCase{5, 10, 0, 0, range(6, 10), 10}, RunRuleCase{5, 10, -2, -1, {9}, 5},
                             // An anchor of 0 takes in position 0; an anchor of 1 begins the run at 2.
                             RunRuleCase{0, 3, 0, 0, range(0, 3), 3}, RunRuleCase{1, 3, 0, 0, range(2, 3), 3},
                             // End offset -1 right after ResetStart(0) colours the current character alone.
                             RunRuleCase{7, 7, -1, 0, {7}, 6},
                             // A run that would end before position 0 is empty, not "to the end of the text".
                             RunRuleCase{0, 0, -2, -1, {}, 0}));

TEST(EngineFormat, BoldItalicAndBackgroundAreOnlyEverSet) {
    SpyCodeBox box;
    box.inner.setText(QStringLiteral("abcdef"));
    ScriptedProcessor processor;
    processor.step = [&](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == 3)
            engine.Highlight(kRed, true, true, 0, 0, 0x00123456);
        if (engine.Current() == 5) {
            engine.Highlight(kGreen, false, false, 0, -4, kNoBackColor); // over 2..5
            EXPECT_EQ(box.lastChange.Color, std::optional<Colour>(kGreen));
            EXPECT_FALSE(box.lastChange.Bold.has_value());
            EXPECT_FALSE(box.lastChange.Italic.has_value());
            EXPECT_FALSE(box.lastChange.BackColor.has_value());
        }
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(box.FormatAt(0), (CharFormat{kRed, true, true, 0x00123456}));
    EXPECT_EQ(box.FormatAt(2), (CharFormat{kGreen, true, true, 0x00123456}));
    EXPECT_EQ(box.FormatAt(4), (CharFormat{kGreen, false, false, kNoBackColor}));
}

TEST(EngineWalk, EmptyTextCallsTheProcessorOnceWithZero) {
    MemoryCodeBox box;
    ScriptedProcessor processor;
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(processor.calls, (std::vector<std::pair<int, int>>{{0, 0}}));
}

TEST(EngineWalk, PassMakesTheWholeTextPlainBlackFirst) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("x y z"));
    box.SelectRange(0, -1);
    box.SetCharFormat({.Color = kRed, .Bold = true, .Italic = true});
    box.setSelStart(0);
    clsVBSyntaxHighlight processor;
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(box.FormatAt(i), CharFormat{}) << i;
}

TEST(EngineWalk, NestedWalkCoversStartToCurrentAndResumesAfterIt) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("abcdefghij"));
    ScriptedProcessor inner;
    inner.step = [](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == 4)
            engine.ResetStart(0);
    };
    ScriptedProcessor outer;
    int currentAfter = -1, startAfter = -1;
    outer.step = [&](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == 2)
            engine.ResetStart(0);
        if (engine.Current() == 6) {
            engine.ContinueSyntax(inner, engine.Start(), engine.Current());
            currentAfter = engine.Current();
            startAfter = engine.Start();
        }
    };
    clsSyntaxHighlight().ProcessSyntax(box, outer, true);
    EXPECT_EQ(inner.calls,
              (std::vector<std::pair<int, int>>{{2, 'c'}, {3, 'd'}, {4, 'e'}, {5, 'f'}, {6, 0}}));
    EXPECT_EQ(currentAfter, 6);
    EXPECT_EQ(startAfter, 4);
    std::vector<int> outerPositions;
    for (auto [pos, ch] : outer.calls)
        outerPositions.push_back(pos);
    EXPECT_EQ(outerPositions, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(EngineWalk, NestedWalkWithEndZeroOrBeyondTheTextStopsAtTheTextLength) {
    for (int end : {0, 1000}) {
        MemoryCodeBox box;
        box.setText(QStringLiteral("abc"));
        ScriptedProcessor inner;
        ScriptedProcessor outer;
        outer.step = [&](int ch, clsSyntaxHighlight& engine) {
            if (ch == 'a')
                engine.ContinueSyntax(inner, 1, end);
        };
        clsSyntaxHighlight().ProcessSyntax(box, outer, true);
        EXPECT_EQ(inner.calls, (std::vector<std::pair<int, int>>{{1, 'b'}, {2, 'c'}, {3, 0}})) << end;
        ASSERT_EQ(outer.calls.size(), 2u) << end; // 'a', then the closing 0
        EXPECT_EQ(outer.calls.back().second, 0);
    }
}

TEST(EngineWalk, ProcessorFailureEndsTheWalkAndThePassStillClosesItsSteps) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("0123456789"));
    box.SelectRange(0, -1);
    box.setSelColor(kGreen);
    box.SelectRange(2, 5);
    box.SetScrollPos({4, 7});
    ScriptedProcessor processor;
    processor.step = [](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == 3)
            engine.Highlight(kRed, false, false, 0, 0, kNoBackColor);
        if (engine.Current() == 5)
            throw std::runtime_error("processor failed");
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(processor.calls.back(), std::make_pair(5, int('5'))); // no closing call
    EXPECT_EQ(positionsColoured(box, kRed), range(0, 3));
    EXPECT_EQ(positionsColoured(box, 0), range(4, 9)); // plain black after the failure
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_EQ(box.SelLength(), 3);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{4, 7}));
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
    EXPECT_FALSE(box.updatesLocked());
}

TEST(EngineLock, LockSwitchesOffRepaintingForThePassOnlyReleasingAnotherLockedWindowFirst) {
    MemoryCodeBox other, box;
    box.setText(QStringLiteral("ab"));
    WindowLock::LockWindow(&other);
    ScriptedProcessor processor;
    bool lockedDuring = false, visibleDuring = false;
    processor.step = [&](int, clsSyntaxHighlight&) {
        lockedDuring = box.updatesLocked() && WindowLock::lockedWindow() == &box && !other.updatesLocked();
        visibleDuring = box.Visible();
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_TRUE(lockedDuring);
    EXPECT_TRUE(visibleDuring);
    EXPECT_FALSE(box.updatesLocked() || other.updatesLocked());
    EXPECT_EQ(WindowLock::lockedWindow(), nullptr);
}

TEST(EngineLock, WithoutTheLockTheBoxIsHiddenAndShownAgainEvenWhenTheProcessorFails) {
    SpyCodeBox box;
    box.inner.setText(QStringLiteral("ab"));
    ScriptedProcessor processor;
    bool hiddenDuring = false;
    processor.step = [&](int, clsSyntaxHighlight&) {
        hiddenDuring = !box.Visible();
        throw std::runtime_error("processor failed");
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, false);
    EXPECT_TRUE(hiddenDuring);
    EXPECT_TRUE(box.Visible());
    EXPECT_FALSE(box.log.join(QLatin1Char('|')).contains(QLatin1String("UpdatesLocked")));
}

// A bare caret gets plain black so typing goes on uncoloured; a selection keeps the format the pass gave it.
TEST(EngineCaret, TheCaretEndsPlainBlackASelectionAsColoured) {
    for (const auto& [start, length] : {std::pair{4, 0}, {0, 3}}) {
        SpyCodeBox box;
        box.inner.setText(QStringLiteral("Dim x"));
        box.SelectRange(start, start + length);
        clsVBSyntaxHighlight processor;
        clsSyntaxHighlight().ProcessSyntax(box, processor, true);
        ASSERT_EQ(box.log.last(), QStringLiteral("UpdatesLocked 0"));
        const QString last = box.log.mid(box.log.size() - 4, 3).join(QLatin1Char('|'));
        if (length == 0)
            EXPECT_EQ(last.toStdString(), "SelColor 0 at 4+0|SelBold 0 at 4+0|SelItalic 0 at 4+0");
        else
            EXPECT_TRUE(box.log[box.log.size() - 2].startsWith(QLatin1String("CharFormat"))) << start;
        EXPECT_EQ(box.FormatAt(0).Color, clsVBSyntaxHighlight::KeywordColour);
        EXPECT_EQ(box.SelStart(), start);
        EXPECT_EQ(box.SelLength(), length);
    }
}

TEST(EngineWalk, TouchesTheBoxOncePerRunNotPerCharacter) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("Dim someVeryLongName, other ' and a long comment\r\n"));
    const int before = box.formatCallCount();
    clsVBSyntaxHighlight processor;
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    // Whole text black (3), the walk's own reset (3), two runs, the caret (3).
    EXPECT_EQ(box.formatCallCount() - before, 11);
}

TEST(EngineWalk, HighlightOutsideAPassDoesNotTouchAnyBox) {
    clsSyntaxHighlight engine;
    ScriptedProcessor processor;
    processor.step = [](int, clsSyntaxHighlight& e) { e.Highlight(kRed, false, false, 0, 0, kNoBackColor); };
    engine.ContinueSyntax(processor, 0, 5);
    EXPECT_EQ(processor.calls, (std::vector<std::pair<int, int>>{{0, 0}}));
}

} // namespace
} // namespace qx::test
