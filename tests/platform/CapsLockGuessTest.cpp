#include "platform/CapsLockGuess.h"

#include <QList>

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(CapsLockGuessTest, LetterCaseAgainstShiftTellsTheState) {
    EXPECT_EQ(CapsLockFromTypedChar(QLatin1Char('A'), false), true);
    EXPECT_EQ(CapsLockFromTypedChar(QLatin1Char('a'), true), true);
    EXPECT_EQ(CapsLockFromTypedChar(QLatin1Char('a'), false), false);
    EXPECT_EQ(CapsLockFromTypedChar(QLatin1Char('A'), true), false);
    EXPECT_EQ(CapsLockFromTypedChar(QChar(0x00C9), false), true) << "an accented capital";
}

TEST(CapsLockGuessTest, CharactersWithoutCaseTellNothing) {
    const QList<QChar> caseless = {QLatin1Char('1'), QLatin1Char(' '), QLatin1Char('.'), QChar(0x05D0)};
    for (QChar c : caseless)
        EXPECT_FALSE(CapsLockFromTypedChar(c, false).has_value()) << int(c.unicode());
}

} // namespace
} // namespace qx
