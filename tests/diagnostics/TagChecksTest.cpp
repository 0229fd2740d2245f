#include "diagnostics/TagChecks.h"
#include "Marked.h"
#include "diagnostics/NameSuggestion.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/ScriptReference.h"

#include <qxTagEditor2/qxDatabase.h>

#include <gtest/gtest.h>

#include <tuple>

namespace qx {
namespace {

using test::unmarked;
using test::withMarks;
using Severity = Diagnostic::Severity;

// The bundled sample data: DB (Connect, Disconnect), DB-QUERY (Select, Count), DEBUG (hidden), ...
struct SampleReference {
    qxDatabase database{QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json")};
    ScriptReference reference;
    SampleReference() { reference.setDatabase(&database); }
};

TEST(TagChecksTest, EveryOpenerNeedsItsCloserAndEveryCloserAnOpener) {
    const std::pair<const char*, const char*> cases[] = {
        {"<QX:A>b</QX> <qx:a>b</Qx>", "paired, in any letter case"},
        {"«<QX:A>»b", "an opener with its name"},
        {"«<QX:A»\r\nb", "a name not ended by >"},
        {"«<QX:DB-QUERY>»<QX:B>c</QX>", "the nested tag takes the closer"},
        {"<QX:A>b</QX>«</QX>»", "a closer with nothing open"},
        {"«<QX:A>»b</QX", "a closer cut short by the end of the text"},
        {"«<QX:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA»A>",
         "a name is read as TagMatch reads it"},
    };
    for (const auto& [marked, why] : cases) {
        const QList<Diagnostic> found = CheckTags(unmarked(marked), nullptr);
        EXPECT_EQ(withMarks(unmarked(marked), found), marked) << why;
        for (const Diagnostic& d : found)
            EXPECT_EQ(d.severity, Severity::Error) << why;
    }
    EXPECT_EQ(CheckTags(u"<QX:A>", nullptr).value(0).message, u"\"<QX:A>\" has no matching \"</QX>\".");
    EXPECT_EQ(CheckTags(u"</QX>", nullptr).value(0).message, u"\"</QX>\" has no matching \"<QX:\".");
}

TEST(TagChecksTest, HandlersAndCommandsMustBeInTheReferenceData) {
    SampleReference sample;
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"<QX:DB>Connect:x</QX><QX:db>connect</QX><QX:DB></QX>", "", "known, in any letter case; no command"},
        {"<QX:DB-QUERY>Select:x</QX><QX:DEBUG>Trace</QX>", "", "a child handler; a hidden one"},
        {"<QX:«DBX»>Connect</QX>", "There is no handler \"DBX\"; did you mean \"DB\"?", "close to a name"},
        {"<QX:«DB-QUERX»>x</QX>", "There is no handler \"DB-QUERX\"; did you mean \"DB-QUERY\"?",
         "a child's name"},
        {"<QX:«Zzz»>x</QX>", "There is no handler \"Zzz\".", "close to nothing"},
        {"<QX:DB>«Conect»:x</QX>", "DB has no command \"Conect\"; did you mean \"Connect\"?",
         "as the syntax writes it"},
        {"<QX:db>\r\n  «Xyzzy»=1</QX>", "db has no command \"Xyzzy\".", "after blanks, up to a delimiter"},
        {"<QX:DB>«Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa»</QX>",
         "DB has no command \"Aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\".", "a long word is read whole"},
    };
    for (const auto& [marked, message, why] : cases) {
        const QList<Diagnostic> found = CheckTags(unmarked(marked), &sample.reference);
        EXPECT_EQ(withMarks(unmarked(marked), found), marked) << why;
        if (!found.isEmpty()) {
            EXPECT_EQ(found[0].message.toStdString(), message) << why;
            EXPECT_EQ(found[0].severity, Severity::Warning) << why;
        }
    }
    ScriptReference noData;
    EXPECT_TRUE(CheckTags(u"<QX:DBX>x</QX>", &noData).isEmpty()) << "a reference without data checks no name";
}

TEST(TagChecksTest, OnlyACloseNameIsSuggested) {
    const QStringList names{"Connect", "DB", "DB-QUERY"};
    const std::pair<const char*, const char*> cases[] = {
        {"conect", "Connect"},  {"Cnnct", "Connect"},    {"Conn", ""}, {"DX", "DB"}, {"XY", ""},
        {"DB-QUE", "DB-QUERY"}, {"D-QUERY", "DB-QUERY"}, {"Sel", ""},
    };
    for (const auto& [typed, closest] : cases)
        EXPECT_EQ(ClosestName(QString::fromUtf8(typed), names).toStdString(), closest) << typed;
}

TEST(TagChecksTest, AnEncodedValueMustDecodeAsSteppingInDoes) {
    const char* cases[] = {
        "=~64\"QUJD\" =~64\"QU\r\n JD\" =~64\"\"",
        "=~64\"«QUJ»\"",
        "=~64\"«QUJD!»\"",
        "=~64\"«QUJDä=»\"",
        "=~64\"QUJD<b>\" x\"",
        "=~64\"«QUJ»\" =~64\"QUJD\"",
    };
    for (const char* marked : cases) {
        const QList<Diagnostic> found = CheckEncodedValues(unmarked(marked));
        EXPECT_EQ(withMarks(unmarked(marked), found), marked);
    }
    EXPECT_EQ(CheckEncodedValues(u"=~64\"QUJ\"").value(0).message,
              u"This encoded value is not valid Base64.");
    // The decode itself is the judge: the quick look at plain Base64 must agree with it.
    for (const char* content :
         {"QQ==", "QUI=", "QR==", "QUK=", "Q===", "QQ=A", "====", "QUJD QQ==", "QUJDQQ=", "+/+/"}) {
        bool decodes = true;
        try {
            Library::instance().Base64Decode(QString::fromLatin1(content));
        } catch (const LibraryError&) {
            decodes = false;
        }
        EXPECT_EQ(CheckEncodedValues(QStringLiteral("=~64\"%1\"").arg(QLatin1String(content))).isEmpty(),
                  decodes)
            << content;
    }
}

} // namespace
} // namespace qx
