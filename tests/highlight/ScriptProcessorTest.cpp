#include "HighlightTestSupport.h"
#include "SpyCodeBox.h"
#include "highlight/HighlightRenderer.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "hostlib/Library.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

namespace qx::test {
namespace {

class ScriptProcessorTest : public ::testing::Test {
protected:
    TempSettings settings;

    static void setMachineValue(const char* name, const QString& text) {
        Library::instance().WriteRegistry(RegistryRoot::LocalMachine,
                                          QLatin1String(HighlightSettings::MachineKey), QLatin1String(name),
                                          text);
    }
    static std::string runs(const QString& text) {
        return colouredRuns(text, Language::Script).join('|').toStdString();
    }
};

TEST_F(ScriptProcessorTest, HostNamesAreColouredOnlyWhenAskedFor) {
    MemoryCodeBox box;
    box.setText(QStringLiteral("Database.Tag"));
    clsVBSyntaxHighlight processor;
    EXPECT_FALSE(processor.IncludeKelvaneTags());
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    EXPECT_TRUE(HighlightRenderer(box.Text(), box.formats()).colouredRuns().empty());
}

// Entries are matched in upper case, so a lower-case entry never matches; each needs its closing colon.
TEST_F(ScriptProcessorTest, MachineSettingsExtendTheListsOfEachNewProcessor) {
    setMachineValue(HighlightSettings::KeywordsValue, QStringLiteral("FOO:BAR:baz:"));
    setMachineValue(HighlightSettings::HostWordsValue, QStringLiteral("MYOBJ:"));
    EXPECT_EQ(runs(QStringLiteral("foo Bar baz MyObj.x\r\n")),
              "0 3 00C00000 - \"foo\"|4 7 00C00000 - \"Bar\"|12 17 00408F40 - \"MyObj\"");
    setMachineValue(HighlightSettings::KeywordsValue, QStringLiteral("QUX:FOO"));
    EXPECT_EQ(runs(QStringLiteral("foo qux\r\n")), "4 7 00C00000 - \"qux\"");
}

TEST_F(ScriptProcessorTest, CharactersAbove255AreSkippedWithoutEndingAWord) {
    // Inside a word the walk goes on (see the golden files); outside a token it does not move the start of
    // the next run: the operator's run takes it in.
    EXPECT_EQ(runs(QStringLiteral("\r\nx = \u2019=\r\n")),
              "4 5 00808080 - \"=\"|6 8 00808080 - \"\\u{2019}=\"");
}

TEST_F(ScriptProcessorTest, AFailureEndsOnlyTheCharacterBeingHandled) {
    SpyCodeBox box;
    box.inner.setText(QStringLiteral("If x Then y\r\n"));
    box.failOnCharFormat = 1; // the run of "If"
    clsVBSyntaxHighlight processor;
    clsSyntaxHighlight().ProcessSyntax(box, processor, true);
    const auto coloured = HighlightRenderer(box.Text(), box.inner.formats()).colouredRuns();
    ASSERT_EQ(coloured.size(), 1u);
    EXPECT_EQ(HighlightRenderer::goldenLine(coloured[0], box.Text()),
              QStringLiteral("5 9 00C00000 - \"Then\""));
}

TEST_F(ScriptProcessorTest, NumbersNeedDigitsAndAWholeExponent) {
    EXPECT_EQ(runs(QStringLiteral("\r\n7 2. 3.25 4e2 5E 6.7.8 9x\r\n")),
              "2 3 005F7030 - \"7\"|4 6 005F7030 - \"2.\"|7 11 005F7030 - \"3.25\"|12 15 005F7030 - \"4e2\"");
}

TEST_F(ScriptProcessorTest, AStringEndsAtLfNotAtALoneCr) {
    EXPECT_EQ(runs(QStringLiteral("\r\n\"a\rb\nc\r\n")), "2 7 000000A0 - \"\\\"a\\rb\\n\"");
}

} // namespace
} // namespace qx::test
