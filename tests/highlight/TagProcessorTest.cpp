#include "HighlightTestSupport.h"
#include "SpyCodeBox.h"
#include "highlight/HighlightRenderer.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsSyntaxHighlight.h"
#include "hostlib/Library.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class TagProcessorTest : public ::testing::Test {
protected:
    TempSettings settings;

    static std::string runs(const QString& text) {
        return colouredRuns(text, Language::Tag).join('|').toStdString();
    }
};

TEST_F(TagProcessorTest, ColoursCanBeChosen) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("\r\n<QX:A> ~64\"x\" \"q\""));
    clsQXSyntaxHighlight processor;
    EXPECT_EQ(processor.QuoteColour(), clsQXSyntaxHighlight::DefaultQuoteColour);
    processor.setTagColour(0x00000011);
    processor.setEncodeColour(0x00000022);
    processor.setQuoteColour(0x00000033);
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(HighlightRenderer(box.Text(), box.formats()).toGolden().toStdString(),
              "2 8 00000011 - \"<QX:A>\"\n9 15 00000022 - \"~64\\\"x\\\"\"\n16 17 00000033 - \"\\\"\"\n"
              "18 19 00000033 - \"\\\"\"\n");
}

TEST_F(TagProcessorTest, MachineSettingAddsScriptCommands) {
    const QString text = QStringLiteral("\r\n<QX:VBS>run=\"x\":");
    EXPECT_EQ(runs(text), "2 10 00000080 - \"<QX:VBS>\"|14 15 00009000 - \"\\\"\"|16 17 00009000 - \"\\\"\"");
    Library::instance().WriteRegistry(
        RegistryRoot::LocalMachine, QLatin1String(HighlightSettings::MachineKey),
        QLatin1String(HighlightSettings::ScriptCommandsValue), QStringLiteral("RUN:"));
    EXPECT_EQ(runs(text), "2 10 00000080 - \"<QX:VBS>\"|14 17 000000A0 - \"\\\"x\\\"\"");
}

TEST_F(TagProcessorTest, ValuesAreWalkedWithTheScriptListsOfThisPass) {
    const QString text = QStringLiteral("\r\n<QX:VBS>eval=\"\" foo \":");
    EXPECT_EQ(runs(text),
              "2 10 00000080 - \"<QX:VBS>\"|15 17 000000A0 - \"\\\"\\\"\"|22 23 00009000 - \"\\\"\"");
    Library::instance().WriteRegistry(
        RegistryRoot::LocalMachine, QLatin1String(HighlightSettings::MachineKey),
        QLatin1String(HighlightSettings::KeywordsValue), QStringLiteral("FOO:"));
    EXPECT_EQ(runs(text),
              "2 10 00000080 - \"<QX:VBS>\"|15 17 000000A0 - \"\\\"\\\"\"|18 21 00C00000 - \"foo\"|"
              "22 23 00009000 - \"\\\"\"");
}

TEST_F(TagProcessorTest, CharactersAbove255AreIgnoredEvenInsideTagNames) {
    EXPECT_EQ(runs(QStringLiteral("\r\n<QX:\u263AVBS>result=\"a\":")),
              "2 11 00000080 - \"<QX:\\u{263A}VBS>\"|18 21 000000A0 - \"\\\"a\\\"\"");
}

TEST_F(TagProcessorTest, AValueOverSeveralLinesIsReadAsPlainScriptReadsIt) {
    // The value's string ends at its first line feed; the closing quote then opens a string the walk
    // never closes, so it keeps its quote colour.
    EXPECT_EQ(runs(QStringLiteral("\r\n<QX:VBS>eval=\"\r\nx\r\n\":")),
              "2 10 00000080 - \"<QX:VBS>\"|15 18 000000A0 - \"\\\"\\r\\n\"|21 22 00009000 - \"\\\"\"");
}

TEST_F(TagProcessorTest, AFailingNestedWalkEndsItsCharacterAndTheWalkGoesOn) {
    SpyCodeBox box;
    box.inner.setText(QStringLiteral("\r\n<QX:VBS>result=\"If\":\"q\""));
    // The pass's black-out, the outer walk's reset, then the nested walk's reset fails: the value is not
    // walked and the walk goes on after its colon, where the next quote's run still begins at the value.
    box.failOnSelColor = 3;
    clsQXSyntaxHighlight processor;
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_EQ(
        HighlightRenderer(box.Text(), box.inner.formats()).toGolden().toStdString(),
        "2 10 00000080 - \"<QX:VBS>\"\n17 23 00009000 - \"\\\"If\\\":\\\"\"\n24 25 00009000 - \"\\\"\"\n");
}

} // namespace
} // namespace qx::test
