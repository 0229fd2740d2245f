#include "text/TagMatch.h"

#include <QString>
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace qx {
namespace {

// "|" is the caret, "[...]" the marker at the caret and "{...}" its partner; each case says why.
using Case = std::pair<const char*, const char*>;

struct Parsed {
    QString text;
    int caret = -1;
    std::optional<TagPair> expected;
};

Parsed parse(const char* marked) {
    Parsed p;
    int at[4] = {-1, -1, -1, -1};
    for (const char* c = marked; *c; ++c) {
        const char* brackets = "[]{}";
        if (const char* b = std::strchr(brackets, *c))
            at[b - brackets] = int(p.text.size());
        else if (*c == '|')
            p.caret = int(p.text.size());
        else
            p.text += QLatin1Char(*c);
    }
    if (at[0] >= 0)
        p.expected = TagPair{{at[0], at[1] - at[0]}, {at[2], at[3] - at[2]}};
    return p;
}

// The text in two pieces, as the Qt box's gap buffer holds it, matches the same at every cut.
void expectSameWhereverSplit(const Parsed& p) {
    for (int cut = 0; cut <= p.text.size(); ++cut) {
        const SplitText split{QStringView(p.text).first(cut), QStringView(p.text).sliced(cut)};
        EXPECT_EQ(MatchTagAt(split, p.caret), p.expected) << "cut at " << cut << ": " << p.text.toStdString();
    }
}

TEST(TagMatchTest, FindsThePartnerAcrossNestingOrNothing) {
    const Case cases[] = {
        {"[|<QX:A>]b{</QX>}", "caret on the opener's first character"},
        {"[<Q|X:A>]b{</QX>}", "caret inside the opener"},
        {"[<QX:A>|]b{</QX>}", "caret right after the opener"},
        {"{<QX:A>}b[</QX>|]", "caret right after the closer"},
        {"[|<QX:A>]<QX:B>c</QX>d<QX:E></QX>{</QX>}", "nested tags are skipped"},
        {"<QX:A><QX:B>c</QX>{<QX:E>}[|</QX>]</QX>", "the closer matches the nearest open tag"},
        {"<QX:A>b</QX>[|<QX:C>]d{</QX>}", "at a boundary the marker after the caret wins"},
        {"[|<qx:vbs>]x{</Qx>}", "any letter case"},
        {"[|<QX:DB-QUERY>]Select:Name{</QX>}", "the name runs to its >"},
        {"[|<QX:FORMAT] attr>x{</QX>}", "a name without > ends at the space"},
        {"<p>[|<QX:A>]\r\nline <b>two</b>\r\n{</QX>}</p>", "across lines and other tags"},
        // No brackets: no pair.
        {"<QX:A>b|c</QX>", "the caret is between the markers"},
        {"<p>|x</p>", "not the host's tag"},
        {"<QX:A></QX>|</QX>", "unbalanced: one closer too many"},
        {"</QX>|</QX>", "a closer with no opener before it"},
        {"<QX:A>b</QX|", "the closer is cut off"},
        {"Connect:Source=Name|;Timeout=Seconds", "colons in a value are no marker"},
    };
    for (const auto& [marked, why] : cases) {
        const Parsed p = parse(marked);
        EXPECT_EQ(MatchTagAt(p.text, p.caret), p.expected) << why << ": " << marked;
        expectSameWhereverSplit(p);
    }
    EXPECT_EQ(MatchTagAt(u"<QX:A></QX>", 99), std::nullopt);
}

} // namespace
} // namespace qx
