#include "text/BracketMatch.h"

#include <QRegularExpression>
#include <QString>
#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(BracketMatchTest, FindsThePartnerInTheStatementOutsideStringsAndComments) {
    const std::pair<const char*, const char*> cases[] = {
        {"x = |[(a{) + (b)", "caret before the opener"},
        {"{(a + b[)|", "caret after the closer"},
        {"f{(a, g(b)[)|", "a nested pair is skipped"},
        {"f(a, [(|b{))", "inside a nested pair"},
        {"f(a)|[(b{)", "between two brackets the one at the caret wins"},
        {"x = (|a", "no closer"},
        {"x = a)|", "no opener"},
        {"s = \"a(|\" & x)", "in a string"},
        {"s = \"a\"\"(|\" & 1)", "after a \"\" the string goes on"},
        {"s = \"a\"\"(\" & [(|1{)", "after the string brackets count again"},
        {"f(1) ' (|note)", "in a comment"},
        {"y = 1\r\nRem (|x)", "Rem starts a comment"},
        {"x = 1: rem (|x)", "so it does as a later statement's first word"},
        {"Remark = f[(|1{)", "a longer word is no Rem"},
        {"Rem[(|1{)", "nor is Rem without a blank after it"},
        {"Call Rem [(|1{)", "nor after the statement's first word"},
        {"x = Rem [(|1{)", "nor after an operator"},
        {"x = f[(|a, _\r\nRem + b{)", "nor on a line that goes on from the one before"},
        {"x = f[(|a, _\r\n  b, _  \n c{)", "over \" _\" continuations"},
        {"x = f{(a, _\r\nb, _\rc[)|", "back over CR LF and a lone CR"},
        {"x = f(|a,\r\nb)", "a line break ends the statement"},
        {"x = f(a,\rb)|", "a lone CR too"},
        {"x = f(|a,_\nb)", "\"_\" needs a blank before it"},
    };
    static const QRegularExpression marks(QStringLiteral("[|[{]"));
    for (const auto& [marked, why] : cases) {
        // "|" is the caret, "[" stands before the bracket at the caret and "{" before its partner.
        QString text = QLatin1String(marked);
        int at[3] = {-1, -1, -1};
        for (qsizetype i; (i = text.indexOf(marks)) >= 0; text.remove(i, 1))
            at[QStringView(u"|[{").indexOf(text[i])] = int(i);
        const auto expected = at[1] < 0 ? std::nullopt : std::optional(TagPair{{at[1], 1}, {at[2], 1}});
        for (int cut = 0; cut <= text.size(); ++cut) { // the text in two pieces, as the gap buffer holds it
            const SplitText split{QStringView(text).first(cut), QStringView(text).sliced(cut)};
            EXPECT_EQ(MatchBracketAt(split, at[0]), expected) << why << ", cut at " << cut << ": " << marked;
        }
    }
    const QString far = QString(kBracketReach - 2, u'x') + u')';
    EXPECT_TRUE(MatchBracketAt(u'(' + far, 0));
    EXPECT_FALSE(MatchBracketAt(QStringLiteral("(x") + far, 0)) << "beyond the reach";
    EXPECT_FALSE(MatchBracketAt(QStringLiteral("(x") + far, kBracketReach + 1)) << "back beyond the reach";
    EXPECT_EQ(MatchBracketAt(u"()", 3), std::nullopt);
}

} // namespace
} // namespace qx
