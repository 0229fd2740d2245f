#include "diagnostics/DiagnosticsChecker.h"
#include "Marked.h"
#include "highlight/HighlightSettings.h"
#include "hostlib/Library.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

#include <utility>

namespace qx {
namespace {

using test::unmarked;
using test::withMarks;

// Script stands in tag markup where the colouring finds it: in the values of script commands in a script
// block.
TEST(DiagnosticsCheckerTest, TagMarkupHoldsScriptInTheValuesOfScriptCommands) {
    const test::TempSettings settings;
    Library::instance().WriteRegistry(
        RegistryRoot::LocalMachine, QLatin1String(HighlightSettings::MachineKey),
        QLatin1String(HighlightSettings::ScriptCommandsValue), QStringLiteral("RUN:"));
    const DiagnosticsChecker checker;
    const std::pair<const char*, const char*> cases[] = {
        {"<QX:VBS>\r\nRESULT=\"«If» a Then\r\nx = «\"y»\r\n\":\r\n</QX>", "a value is script"},
        {"<QX:SCRIPT>Event:Name=E EVAL=\"For i = 1 To 2 : Next\":</QX>", "blocks pair inside a value"},
        {"<QX:VBS>run=\"«Next»\":</QX>", "the machine's own script command"},
        {"<QX:VBS>x=\"If a Then\":</QX>", "not a script command"},
        {"<QX:DB>RESULT=\"If a Then\":</QX>", "not in a script block"},
        {"<QX:VBS>Value=~64\"QUJD\" RESULT=\"Next\":</QX><QX:SCRIPTX>RESULT=\"Next\":</QX>",
         "an encoded value ends a block; a longer name opens none"},
        {"<QX:VBS>RESULT \"a\" = \"«Next»\":</QX>", "a command waits for its ="},
        {"=~64\"a<b><QX:VBS>\"RESULT=\"Next\":</QX>", "a tag inside an encoded area opens no block"},
        {"<QX:VBS>RES€ULT=\"«Next»\":</QX>", "characters above 255 are skipped, as the colouring skips them"},
        {"<QX:VBS>RESULT=\"«If» a Then\":</QX>End If<QX:VBS>EVAL=\"«End If»\":</QX>",
         "each value on its own"},
        {"<QX:VBS>RESULT=\"x = \"\":\r\n«If» a Then\":</QX>", "a quote after a quote does not end a value"},
        {"«<QX:VBS>»RESULT=\"If a Then", "a value still open at the end is not checked"},
    };
    for (const auto& [marked, why] : cases)
        EXPECT_EQ(withMarks(unmarked(marked), checker.check(unmarked(marked), false, nullptr)), marked)
            << why;
}

TEST(DiagnosticsCheckerTest, PlainScriptHasNoTagsAndFindingsComeByStart) {
    const DiagnosticsChecker checker;
    const QString text = QStringLiteral("<QX:A>\r\nIf a Then\r\n=~64\"QUJ\"");
    EXPECT_EQ(withMarks(text, checker.check(text, true, nullptr)), "<QX:A>\r\n«If» a Then\r\n=~64\"QUJ\"");
    EXPECT_EQ(withMarks(text, checker.check(text, false, nullptr)), "«<QX:A>»\r\nIf a Then\r\n=~64\"«QUJ»\"");
    const QList<Diagnostic> found =
        checker.check(u"<QX:VBS>EVAL=\"Next\":</QX></QX>=~64\"Q\"", false, nullptr);
    ASSERT_EQ(found.size(), 3);
    EXPECT_TRUE(found[0].start < found[1].start && found[1].start < found[2].start);
}

} // namespace
} // namespace qx
