#include "highlight/HighlightRenderer.h"
#include "platform/memory/MemoryCodeBox.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// "a <b>\r\nc" with "<b>" red and bold, "c" on a yellow background, and a control character; one italic run.
TEST(HighlightRenderer, GoldenLinesGiveEveryAttributeAndHtmlEscapes) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("a <b>\r\nc\x1b"));
    box.SelectRange(2, 5);
    box.SetCharFormat({.Color = 0x000000FF, .Bold = true});
    box.SelectRange(7, 9);
    box.SetCharFormat({.BackColor = 0x0000FFFF});
    const HighlightRenderer sample = HighlightRenderer::fromBox(box);
    EXPECT_EQ(sample.toGolden().toStdString(),
              "2 5 000000FF B \"<b>\"\n7 9 00000000 - back=0000FFFF \"c\\u{001B}\"\n");
    EXPECT_TRUE(
        sample.toHtml(QStringLiteral("x"))
            .contains(QStringLiteral("a <span style=\"color:#ff0000;font-weight:bold\">&lt;b&gt;</span>\n")));
    EXPECT_TRUE(HighlightRenderer(QStringLiteral("x\ry"), FormatRuns(3)).toHtml({}).contains("x\ny"))
        << "a lone CR";
    FormatRuns italic(2);
    italic.apply(0, 2, {.Color = 0x00C00000, .Italic = true});
    EXPECT_EQ(HighlightRenderer(QStringLiteral("\t\u00E9"), italic).toGolden().toStdString(),
              "0 2 00C00000 I \"\\t\\u{00E9}\"\n");
}

} // namespace
} // namespace qx
