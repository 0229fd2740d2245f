#include "highlight/EffectiveCodeType.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(EffectiveCodeType, AutoLooksAtTheFirstFourCharactersOnly) {
    using namespace CodeTypes;
    EXPECT_EQ(EffectiveCodeType(Auto, QString()), VB);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("<QX")), VB);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("<QX:")), Kelvane);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("<QX:VBS>x")), Kelvane);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("<qx:VBS>")), VB);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("{\\rtf1\\ansi}")), Kelvane);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral(" <QX:A>")), VB);
    EXPECT_EQ(EffectiveCodeType(Auto, QStringLiteral("Dim x\r\n<QX:A>")), VB);
}

TEST(EffectiveCodeType, AStoredTypeOtherThanAutoIsTakenAsItIs) {
    using namespace CodeTypes;
    EXPECT_EQ(EffectiveCodeType(VB, QStringLiteral("<QX:A>")), VB);
    EXPECT_EQ(EffectiveCodeType(Kelvane, QStringLiteral("Dim x")), Kelvane);
    EXPECT_EQ(EffectiveCodeType(7, QStringLiteral("<QX:A>")), 7);
}

} // namespace
} // namespace qx
