#include "hostlib/ScriptReference.h"
#include "support/LogCapture.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>

using qx::Properties;
using qx::ScriptReference;

namespace {

const QString SampleFile = QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json");

QString names(const std::unique_ptr<Properties>& list) {
    QStringList names;
    for (const qx::Property& item : *list)
        names << item.Name();
    return names.join(':');
}

class OtherDatabase : public qxDatabase {
    Q_OBJECT
public:
    using qxDatabase::qxDatabase;
};

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush(); // so that closing does not stamp the file again
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray referenceWith(const QString& handler) {
    return QStringLiteral(R"({"format": "qxTagEditor2.reference", "version": 1,
                             "handlers": [{"name": "%1", "items": ["A:B", "C"]}]})")
        .arg(handler)
        .toUtf8();
}

TEST(ScriptReference, OffersHandlersCommandsAndArgumentsOfTheSampleReference) {
    qxDatabase database(SampleFile);
    ScriptReference reference;
    reference.setDatabase(&database);
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "VBS:SCRIPT:DB:FIELD:IF:INCLUDE:DATABASE:WEB");
    EXPECT_TRUE(names(reference.HandlerNames("", false, 0)).endsWith(":DEBUG")) << "hidden";
    EXPECT_EQ(names(reference.HandlerNames(" db", true, 0)), "QUERY:EXECUTE") << "after a hyphen";
    EXPECT_EQ(names(reference.HandlerNames("D", true, 0)), "");
    EXPECT_EQ(reference.HandlerItems("DB-QUERY"), "SQL:MAXROWS:FORMAT");
    EXPECT_EQ(reference.HandlerItems("nothing"), "");

    const QString content = "GetResult:\r\nmore text\r\n</QX>";
    EXPECT_EQ(reference.CommandSyntax("database", content), "GetResult:SQL=Statement;MaxRows=Count");
    EXPECT_EQ(reference.CommandSyntax("database", "  getresult = x"),
              "GetResult:SQL=Statement;MaxRows=Count");
    EXPECT_EQ(reference.CommandDescription("DATABASE", content),
              "Runs a query and returns its result object");
    EXPECT_EQ(reference.CommandValues("database", content), "SQL:MaxRows");
    EXPECT_EQ(reference.CommandSyntax("database", "Unknown:"), "");
    EXPECT_EQ(reference.CommandValues("nothing", content), "");
    EXPECT_EQ(reference.ArgumentValues("web", "Page:Name", "Name"), "Home:Search:Contact");
    EXPECT_EQ(reference.ArgumentValues("web", "Page:Name", "Other"), "");
    for (const auto& [content, name] : {std::pair<QString, QString>{"\r\n  Page:Name", "Page"},
                                        {"Select Name=1", "Select"},
                                        {":x", ""},
                                        {"", ""}})
        EXPECT_EQ(ScriptReference::CommandName(content), name);
}

// Only the host's own database class names a reference file; one that is deleted names none.
TEST(ScriptReference, OnlyAqxDatabaseIsUsed) {
    QObject plain;
    OtherDatabase derived(SampleFile);
    auto* deleted = new qxDatabase(SampleFile);
    for (QObject* database : {static_cast<QObject*>(nullptr), &plain, static_cast<QObject*>(&derived),
                              static_cast<QObject*>(deleted)}) {
        ScriptReference reference;
        reference.setDatabase(database);
        if (database == deleted) {
            ASSERT_NE(names(reference.HandlerNames("", true, 0)), "");
            delete deleted;
        }
        EXPECT_EQ(names(reference.HandlerNames("", false, 0)), "");
        EXPECT_EQ(reference.CommandSyntax("database", "GetResult:"), "");
    }
}

TEST(ScriptReference, TheFileIsReadAgainWhenItChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath("reference.json");
    qxDatabase database(path);
    ScriptReference reference;
    reference.setDatabase(&database);
    const QDateTime time = QDateTime::currentDateTime().addSecs(-100);
    writeFile(path, referenceWith("FIRST"), time);
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "FIRST");
    writeFile(path, referenceWith("OTHER"), time.addSecs(10));
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "OTHER");
    EXPECT_EQ(reference.HandlerItems("other"), "\\*A\\cB:C");
}

// A reference file that cannot be used gives empty lists and one warning naming the file and the fault,
// not one per request.
TEST(ScriptReference, UnusableFilesGiveEmptyListsAndAreNamedInTheLogOnce) {
    QTemporaryDir dir;
    const QByteArray header = R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": )";
    const QByteArray good = referenceWith("H");
    const std::pair<QByteArray, const char*> cases[] = {
        {good.left(good.size() / 2), "at byte"},
        {QByteArray(5000, '[') + QByteArray(5000, ']'), "deeply nested"},
        {"{}", "format marker"},
        {R"({"format": "qxTagEditor2.reference", "version": 9})", "version 9"},
        {header + R"([{"name": 5}]})", "\"name\" is not text"},
        {header + R"([{"name": "H", "hidden": "yes"}]})", "not true or false"},
        {header + R"([{"name": "H", "items": [1]}]})", "something other than text"},
        {header + R"([{"name": "H", "commands": [{"name": "C", "arguments": [[[]]]}]}]})", "not an object"},
        {header + R"({"name": "H"}})", "not a list"},
        {"", "does not exist"},
        {"", "not a file"},
    };
    int step = 0;
    for (const auto& [bytes, why] : cases) {
        SCOPED_TRACE(why);
        QString path = dir.filePath(QString("reference%1.json").arg(++step));
        if (QByteArray(why) == "not a file")
            path = dir.path();
        else if (!bytes.isEmpty())
            writeFile(path, bytes, QDateTime::currentDateTime().addSecs(-100));
        qxDatabase database(path);
        ScriptReference reference;
        reference.setDatabase(&database);
        const qx::test::LogCapture log;
        EXPECT_EQ(names(reference.HandlerNames("", false, 0)), "");
        EXPECT_EQ(reference.HandlerItems("H"), "");
        ASSERT_EQ(log.warnings().size(), 1) << log.text();
        EXPECT_TRUE(log.warnings().front().contains(path)) << log.text();
        EXPECT_TRUE(log.warnings().front().contains(why)) << log.text();
    }
}

} // namespace

#include "ScriptReferenceTest.moc"
