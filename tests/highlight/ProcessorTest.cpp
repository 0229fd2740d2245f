// What the golden files cannot show: the machine's settings that extend the processors' word lists.
#include "HighlightTestSupport.h"
#include "highlight/HighlightSettings.h"
#include "hostlib/Library.h"
#include "support/TempSettings.h"

#include <gtest/gtest.h>

#include <vector>

namespace qx::test {
namespace {

using namespace HighlightSettings;
constexpr Language kScript = Language::Script, kTag = Language::Tag;

// Each pass reads the machine's word lists afresh. Entries are matched in upper case, so a lower-case entry
// never matches, and each needs its closing colon.
TEST(Processors, MachineSettingsExtendTheWordListsOfEachPass) {
    const QString command = QStringLiteral("\r\n<QX:VBS>run=\"x\":"),
                  value = QStringLiteral("\r\n<QX:VBS>eval=\"\" foo \":");
    const struct {
        Language language;
        std::vector<std::pair<const char*, const char*>> settings;
        QString text;
        const char* runs;
    } cases[] = {
        {kScript,
         {{KeywordsValue, "FOO:BAR:baz:"}, {HostWordsValue, "MYOBJ:"}},
         "foo Bar baz MyObj.x\r\n",
         "0 3 00C00000 - \"foo\"|4 7 00C00000 - \"Bar\"|12 17 00408F40 - \"MyObj\""},
        {kScript, {{KeywordsValue, "QUX:FOO"}}, "foo qux\r\n", "4 7 00C00000 - \"qux\""},
        // A script command's value is a string of the script.
        {kTag,
         {{ScriptCommandsValue, "RUN:"}},
         command,
         "2 10 00000080 - \"<QX:VBS>\"|14 17 000000A0 - \"\\\"x\\\"\""},
        // Values are walked with the script word lists of this pass.
        {kTag,
         {{KeywordsValue, "FOO:"}},
         value,
         "2 10 00000080 - \"<QX:VBS>\"|15 17 000000A0 - \"\\\"\\\"\"|18 21 00C00000 - \"foo\"|22 23 00009000 "
         "- \"\\\"\""},
    };
    for (const auto& c : cases) {
        const TempSettings settings;
        for (const auto& [name, text] : c.settings)
            Library::instance().WriteRegistry(RegistryRoot::LocalMachine, QLatin1String(MachineKey),
                                              QLatin1String(name), QLatin1String(text));
        EXPECT_EQ(colouredRuns(c.text, c.language).join('|').toStdString(), c.runs) << c.text.toStdString();
    }
}

} // namespace
} // namespace qx::test
