// The colouring engine under a test-driven processor: what a run sets and what a pass puts back on the box.
#include "highlight/clsSyntaxHighlight.h"
#include "platform/WindowLock.h"
#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace qx {
namespace {

constexpr Colour kRed = 0x000000FF;
using Calls = std::vector<std::pair<int, int>>; // (position, character)

// Records every call and runs the test's step on each.
class ScriptedProcessor final : public SyntaxProcessor {
public:
    std::function<void(int ch, clsSyntaxHighlight& engine)> step;
    Calls calls;

    void ProcessChar(int ch, clsSyntaxHighlight& engine) override {
        calls.emplace_back(engine.Current(), ch);
        if (step)
            step(ch, engine);
    }
};

// The characters of the box in the colour, as a string of their positions' last digits.
std::string coloured(const CodeBox& box, Colour colour) {
    std::string positions;
    for (int i = 0; i < int(box.Text().size()); ++i) {
        if (box.FormatAt(i).Color == colour)
            positions += char('0' + i % 10);
    }
    return positions;
}

// A run never switches bold, italic or a background off; a pass starts plain black and ends with a call on 0.
TEST(Engine, ARunOnlySetsAttributesOnTextMadePlainBlackFirst) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("abcdefg"));
    box.SelectRange(0, -1);
    box.SetCharFormat({.Color = 0x00123456, .Bold = true, .Italic = true});
    ScriptedProcessor processor;
    processor.step = [&](int, clsSyntaxHighlight& engine) {
        if (engine.Current() == 3)
            engine.Highlight(kRed, true, true, 0, 0, 0x00ABCDEF);
        if (engine.Current() == 5)
            engine.Highlight(0x0000FF00, false, false, 0, -4, kNoBackColor); // over 2..5
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(processor.calls.back(), std::make_pair(7, 0));
    EXPECT_EQ(box.FormatAt(0), (CharFormat{kRed, true, true, 0x00ABCDEF}));
    EXPECT_EQ(box.FormatAt(2), (CharFormat{0x0000FF00, true, true, 0x00ABCDEF}));
    EXPECT_EQ(box.FormatAt(4), (CharFormat{0x0000FF00, false, false, kNoBackColor}));
    EXPECT_EQ(box.FormatAt(6), CharFormat{});
}

TEST(Engine, AFailingProcessorEndsTheWalkAndThePassStillPutsTheBoxBack) {
    MemoryCodeBox box, other;
    box.setText(QStringLiteral("0123456789"));
    box.SelectRange(2, 5);
    box.SetScrollPos({4, 7});
    WindowLock::LockWindow(&other);
    ScriptedProcessor processor;
    bool lockedDuring = false;
    processor.step = [&](int, clsSyntaxHighlight& engine) {
        // The pass locks this box's window, releasing another locked one first.
        lockedDuring = box.updatesLocked() && WindowLock::lockedWindow() == &box && !other.updatesLocked();
        if (engine.Current() == 3)
            engine.Highlight(kRed, false, false, 0, 0, kNoBackColor);
        if (engine.Current() == 5)
            throw std::runtime_error("processor failed");
    };
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_TRUE(lockedDuring);
    EXPECT_EQ(processor.calls.back(), std::make_pair(5, int('5'))); // no closing call
    EXPECT_EQ(coloured(box, kRed), "0123");
    EXPECT_EQ(coloured(box, 0), "456789"); // plain black after the failure
    EXPECT_TRUE(box.SelStart() == 2 && box.SelLength() == 3);
    EXPECT_EQ(box.GetScrollPos(), (ScrollPos{4, 7}));
    EXPECT_FALSE(WindowLock::lockedWindow() || box.updatesLocked() || other.updatesLocked());
}

} // namespace
} // namespace qx
