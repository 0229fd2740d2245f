#include "platform/CapsLockGuess.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace qx {
namespace {

// Letter case against Shift tells the state; characters without case tell nothing.
TEST(CapsLockGuessTest, LetterCaseAgainstShiftTellsTheState) {
    const std::pair<QChar, std::optional<bool>> unshifted[] = {
        {'A', true}, {'a', false}, {QChar(0x00C9), true}, {'1', {}},
        {' ', {}},   {'.', {}},    {QChar(0x05D0), {}}};
    for (const auto& [c, caps] : unshifted)
        EXPECT_EQ(CapsLockFromTypedChar(c, false), caps) << int(c.unicode());
    EXPECT_EQ(CapsLockFromTypedChar('a', true), true);
    EXPECT_EQ(CapsLockFromTypedChar('A', true), false);
}

} // namespace
} // namespace qx
