#include "highlight/HighlightRenderer.h"
#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// "a <b>\r\nc" with "<b>" red and bold, "c" on a yellow background, and a control character.
HighlightRenderer sample() {
    MemoryCodeBox box;
    box.setText(QStringLiteral("a <b>\r\nc\x1b"));
    box.SelectRange(2, 5);
    box.SetCharFormat({.Color = 0x000000FF, .Bold = true});
    box.SelectRange(7, 9);
    box.SetCharFormat({.BackColor = 0x0000FFFF});
    return HighlightRenderer::fromBox(box);
}

TEST(HighlightRenderer, GoldenLinesGiveEveryAttribute) {
    EXPECT_EQ(sample().toGolden().toStdString(),
              "2 5 000000FF B \"<b>\"\n7 9 00000000 - back=0000FFFF \"c\\u{001B}\"\n");
    FormatRuns italic(2);
    italic.apply(0, 2, {.Color = 0x00C00000, .Italic = true});
    EXPECT_EQ(HighlightRenderer(QStringLiteral("\t\u00E9"), italic).toGolden().toStdString(),
              "0 2 00C00000 I \"\\t\\u{00E9}\"\n");
}

// HTML escapes the text and styles each coloured run; ANSI uses true colour, closes a styled run at each
// line end and never passes a control character through.
TEST(HighlightRenderer, HtmlAndAnsi) {
    const QString html = sample().toHtml(QStringLiteral("x<y>"));
    EXPECT_TRUE(html.contains(QLatin1String("<title>x&lt;y&gt;</title>")));
    EXPECT_TRUE(html.contains(
        QStringLiteral("a <span style=\"color:#ff0000;font-weight:bold\">&lt;b&gt;</span>\n"
                       "<span style=\"color:#000000;background-color:#ffff00\">c\uFFFD</span>")))
        << html.toStdString();
    EXPECT_EQ(sample().toAnsi(),
              QByteArray("a \x1b[0;38;2;255;0;0;1m<b>\x1b[0m\n\x1b[0;38;2;0;0;0;48;2;255;255;0mc") +
                  QStringLiteral("\uFFFD").toUtf8() + "\x1b[0m");
    FormatRuns grey(5);
    grey.apply(0, 5, {.Color = 0x00808080});
    EXPECT_EQ(HighlightRenderer(QStringLiteral("a\r\n\rb"), grey).toAnsi(),
              QByteArray("\x1b[0;38;2;128;128;128ma\x1b[0m\n\n\x1b[0;38;2;128;128;128mb\x1b[0m"));
}

} // namespace
} // namespace qx
