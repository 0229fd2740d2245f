#include "support/ControllerFixture.h"

#include "platform/KeyCodes.h"

#include <utility>
#include <vector>

namespace qx::test {
namespace {

using ViewKeysTest = ControllerFixture;

// The view's chords change no text: they are taken before the Tab rule and before the encoded-area guard,
// which would otherwise swallow them (inside an encoded value) or indent (Tab).
TEST_F(ViewKeysTest, ChordsReachTheShellInPlainTextAndInsideEncodedValues) {
    const struct {
        int vk;
        int shift;
        std::vector<bool> focusMoves;
        std::vector<int> zooms;
    } cases[] = {
        {VK_TAB, kCtrlMask, {true}, {}},     {VK_TAB, kCtrlMask | kShiftMask, {false}, {}},
        {VK_OEM_PLUS, kCtrlMask, {}, {1}},   {VK_OEM_PLUS, kCtrlMask | kShiftMask, {}, {1}}, // Ctrl++
        {VK_OEM_MINUS, kCtrlMask, {}, {-1}}, {VK_0, kCtrlMask, {}, {0}},
    };
    // The caret in plain text, then inside the encoded value.
    for (const int caretAt : {1, 7}) {
        for (const auto& c : cases) {
            setValue(QStringLiteral("x=~64\"QUJD\" y"), caretAt);
            shell.focusMoves.clear();
            shell.zooms.clear();
            box.pressKey(c.vk, c.shift);
            EXPECT_EQ(shell.focusMoves, c.focusMoves) << c.vk << " at " << caretAt;
            EXPECT_EQ(shell.zooms, c.zooms) << c.vk << " at " << caretAt;
            EXPECT_EQ(box.Text(), "x=~64\"QUJD\" y") << c.vk << " at " << caretAt;
            EXPECT_EQ(box.SelStart(), caretAt);
            EXPECT_EQ(state.mpcUndo->Count(), 0);
        }
    }
}

TEST_F(ViewKeysTest, OtherChordsKeepTheirOwnMeaning) {
    setValue(QStringLiteral("ab"), 1);
    box.pressKey(VK_TAB);
    EXPECT_EQ(box.Text(), "a  b") << "Tab still indents";
    box.pressKey(VK_TAB, kShiftMask);
    EXPECT_EQ(box.Text(), "ab");
    for (const auto& [vk, shift] : {std::pair{VK_OEM_MINUS, kCtrlMask | kShiftMask},
                                    {VK_0, kCtrlMask | kAltMask},
                                    {VK_OEM_PLUS, kAltMask},
                                    {VK_TAB, kAltMask | kCtrlMask}})
        box.pressKey(vk, shift);
    EXPECT_TRUE(shell.focusMoves.empty());
    EXPECT_TRUE(shell.zooms.empty());
}

} // namespace
} // namespace qx::test
