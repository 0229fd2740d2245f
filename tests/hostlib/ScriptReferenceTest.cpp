#include "hostlib/ScriptReference.h"
#include "support/LogCapture.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <utility>

using qx::Properties;
using qx::ScriptReference;

namespace {

const QString SampleFile = QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json");

QStringList namesOf(const Properties& list) {
    QStringList names;
    for (const qx::Property& item : list)
        names << item.Name();
    return names;
}

QStringList split(const QString& text) {
    Properties list;
    list.Build(text, 0, 0, ":");
    return namesOf(list);
}

// Records the database it was given, as a host's own reference object might.
class RecordingReference : public ScriptReference {
public:
    QObject* given = nullptr;
    void setDatabase(QObject* database) override {
        given = database;
        ScriptReference::setDatabase(database);
    }
};

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

class SampleReference : public ::testing::Test {
protected:
    qxDatabase database{SampleFile};
    ScriptReference reference;
    void SetUp() override { reference.setDatabase(&database); }
};

} // namespace

TEST_F(SampleReference, OffersHandlerNamesAndItems) {
    const QStringList visible = namesOf(*reference.HandlerNames("", true, 0));
    EXPECT_TRUE(visible.contains("VBS"));
    EXPECT_TRUE(visible.contains("DB"));
    EXPECT_FALSE(visible.contains("DEBUG"));
    EXPECT_FALSE(visible.contains("DB-QUERY"));
    EXPECT_TRUE(namesOf(*reference.HandlerNames("", false, 0)).contains("DEBUG"));
    // After a hyphen.
    EXPECT_EQ(namesOf(*reference.HandlerNames("db", true, 0)), QStringList({"QUERY", "EXECUTE"}));
    EXPECT_EQ(reference.HandlerNames("VBS", true, 0)->Count(), 0);
    EXPECT_EQ(reference.HandlerNames("D", true, 0)->Count(), 0);
    EXPECT_EQ(reference.HandlerItems("DB-QUERY"), "SQL:MAXROWS:FORMAT");
    EXPECT_EQ(reference.HandlerItems("nothing"), "");
}

TEST_F(SampleReference, FindsTheCommandAtTheStartOfTheContentAndItsArguments) {
    const QString content = "GetResult:\r\nmore text\r\n</QX>";
    const QString syntax = "GetResult:SQL=Statement;MaxRows=Count";
    EXPECT_EQ(reference.CommandSyntax("database", content), syntax);
    EXPECT_EQ(reference.CommandSyntax("database", "  getresult = x"), syntax);
    EXPECT_EQ(reference.CommandDescription("DATABASE", content),
              "Runs a query and returns its result object");
    EXPECT_EQ(split(reference.CommandValues("database", content)), QStringList({"SQL", "MaxRows"}));
    EXPECT_EQ(reference.CommandSyntax("database", "Unknown:"), "");
    EXPECT_EQ(reference.CommandSyntax("database", ""), "");
    EXPECT_EQ(reference.CommandValues("nothing", content), "");
    EXPECT_EQ(split(reference.ArgumentValues("web", "Page:Name", "Name")),
              QStringList({"Home", "Search", "Contact"}));
    EXPECT_EQ(reference.ArgumentValues("web", "Page:Name", "Other"), "");
    EXPECT_EQ(reference.ArgumentValues("web", "Nothing:Name", "Name"), "");
}

TEST(ScriptReferenceDatabase, OnlyAqxDatabaseIsUsed) {
    QObject plain;
    OtherDatabase derived(SampleFile);
    for (QObject* database : {static_cast<QObject*>(nullptr), &plain, static_cast<QObject*>(&derived)}) {
        RecordingReference reference;
        reference.setDatabase(database);
        EXPECT_EQ(reference.given, database);
        EXPECT_EQ(reference.HandlerNames("", false, 0)->Count(), 0);
        EXPECT_EQ(reference.HandlerItems("VBS"), "");
        EXPECT_EQ(reference.CommandSyntax("database", "GetResult:"), "");
    }
    EXPECT_EQ(qxDatabase().metaObject()->className(), std::string("qxDatabase"));
}

TEST(ScriptReferenceDatabase, ADeletedDatabaseGivesEmptyLists) {
    ScriptReference reference;
    {
        qxDatabase database(SampleFile);
        reference.setDatabase(&database);
        EXPECT_GT(reference.HandlerNames("", true, 0)->Count(), 0);
    }
    EXPECT_EQ(reference.HandlerNames("", true, 0)->Count(), 0);
}

TEST(ScriptReferenceFile, IsReadAgainWhenItChangesAndBadFilesGiveEmptyLists) {
    QTemporaryDir dir;
    const QString path = dir.filePath("reference.json");
    qxDatabase database(path);
    ScriptReference reference;
    reference.setDatabase(&database);
    EXPECT_EQ(reference.HandlerNames("", false, 0)->Count(), 0) << "no file yet";
    const QDateTime time = QDateTime::currentDateTime().addSecs(-100);
    writeFile(path, referenceWith("FIRST"), time);
    EXPECT_EQ(namesOf(*reference.HandlerNames("", true, 0)), QStringList({"FIRST"}));
    writeFile(path, referenceWith("OTHER"), time.addSecs(10));
    EXPECT_EQ(namesOf(*reference.HandlerNames("", true, 0)), QStringList({"OTHER"}));
    EXPECT_EQ(split(reference.HandlerItems("other")), QStringList({"A:B", "C"}));

    const QByteArray good = referenceWith("H");
    const QByteArray header = R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": )";
    int step = 10;
    for (const QByteArray& bytes :
         {good.left(good.size() - 5), QByteArray("{}"), QByteArray("\xff\xfe"),
          QByteArray(R"({"format": "qxTagEditor2.reference", "version": 9, "handlers": []})"),
          header + R"([{"name": 5}]})", header + R"([{"name": "H", "hidden": "yes"}]})",
          header + R"([{"name": "H", "items": [1]}]})"}) {
        writeFile(path, bytes, time.addSecs(++step));
        EXPECT_EQ(reference.HandlerNames("", false, 0)->Count(), 0) << bytes.toStdString();
        EXPECT_EQ(reference.HandlerItems("H"), "");
    }
}

// A reference file that cannot be used gives empty lists and one warning naming the file and the fault,
// not one per request.
TEST(ScriptReferenceFile, UnusableFilesAreNamedInTheLogOnce) {
    QTemporaryDir dir;
    const QByteArray header = R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": )";
    const QByteArray good = referenceWith("H");
    const std::pair<QByteArray, const char*> cases[] = {
        {good.left(good.size() / 2), "at byte"},
        {QByteArray("\x00\x01\xff\xfe\x80garbage", 12), "at byte"},
        {QByteArray(5000, '[') + QByteArray(5000, ']'), "deeply nested"},
        {header + QByteArray(3000, '[') + QByteArray(3000, ']') + "}", "deeply nested"},
        {header + R"([{"name": "H", "commands": [{"name": "C", "arguments": [[[]]]}]}]})", "not an object"},
        {header + R"({"name": "H"}})", "not a list"},
    };
    int step = 0;
    for (const auto& [bytes, why] : cases) {
        SCOPED_TRACE(why);
        const QString path = dir.filePath(QString("reference%1.json").arg(++step));
        writeFile(path, bytes, QDateTime::currentDateTime().addSecs(-100));
        qxDatabase database(path);
        ScriptReference reference;
        reference.setDatabase(&database);
        const qx::test::LogCapture log;
        EXPECT_EQ(reference.HandlerNames("", false, 0)->Count(), 0);
        EXPECT_EQ(reference.HandlerItems("H"), "");
        ASSERT_EQ(log.warnings().size(), 1) << log.text();
        EXPECT_TRUE(log.warnings().front().contains(path)) << log.text();
        EXPECT_TRUE(log.warnings().front().contains(why)) << log.text();
    }

    const QString missing = dir.filePath("missing.json");
    qxDatabase database(missing);
    ScriptReference reference;
    reference.setDatabase(&database);
    const qx::test::LogCapture log;
    EXPECT_EQ(reference.HandlerNames("", false, 0)->Count(), 0);
    EXPECT_EQ(reference.HandlerItems("H"), "");
    database.setReferenceFile(dir.path());
    EXPECT_EQ(reference.HandlerItems("H"), "");
    EXPECT_EQ(log.warnings().size(), 2) << log.text();
    EXPECT_TRUE(log.warnings().value(0).contains(missing + "\" was not read")) << log.text();
    EXPECT_TRUE(log.warnings().value(1).contains("not a file")) << log.text();
}

TEST(ScriptReference, CommandNameIsTheFirstWord) {
    for (const auto& [content, name] : {std::pair<QString, QString>{"GetResult:rest", "GetResult"},
                                        {"\r\n  Page:Name", "Page"},
                                        {"Select Name=1", "Select"},
                                        {":x", ""}})
        EXPECT_EQ(ScriptReference::CommandName(content), name);
}

#include "ScriptReferenceTest.moc"
