#include "hostlib/ScriptReference.h"
#include "hostlib/LibraryError.h"
#include "hostlib/LoadFeedback.h"
#include "hostlib/ReferenceData.h"
#include "support/LogCapture.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using qx::Properties;
using qx::ScopedLoad;
using qx::ScriptReference;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

const QString SampleFile = QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json");

QString names(const std::unique_ptr<Properties>& list) {
    QStringList names;
    for (const qx::Property& item : *list)
        names << item.Name();
    return names.join(':');
}

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush(); // so that closing does not stamp the file again
    ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
}

const QByteArray Header = R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": )";

// Records what the loaders announce, and installs itself for its life.
class RecordingFeedback : public qx::LoadFeedback {
public:
    RecordingFeedback()
        : mPrevious(qx::installLoadFeedback(this)) {}
    ~RecordingFeedback() override { qx::installLoadFeedback(mPrevious); }
    void loadStarted(const QString& path) override { log << "start " + path; }
    void loadFinished(const QString& path) override { log << "finish " + path; }
    QStringList log;

private:
    qx::LoadFeedback* mPrevious;
};

// Large files are announced while they are read, and the finish goes where the start went; a reference
// file only when it is read, not while it is cached.
TEST(LoadFeedback, LargeFilesAreAnnouncedWhileTheyAreRead) {
    QTemporaryDir dir;
    RecordingFeedback first;
    RecordingFeedback second; // installed over the first
    const QByteArray filler = ", \"filler\": \"" + QByteArray(ScopedLoad::kAnnouncedBytes, 'x') + "\"}";
    const QString big = dir.filePath("big.tag"), reference = dir.filePath("reference.json");
    const QDateTime time = QDateTime::currentDateTime().addSecs(-100);
    writeFile(big, R"({"format": "qxTagEditor2.properties", "version": 1, "items": [])" + filler, time);
    writeFile(reference, Header + "[]" + filler, time);
    Properties().LoadFromFile(big);
    qxDatabase database(reference);
    ScriptReference lists;
    lists.setDatabase(&database);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(lists.HandlerItems("H"), "");
    { const ScopedLoad small("small", ScopedLoad::kAnnouncedBytes - 1); }
    {
        const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes);
        qx::installLoadFeedback(&first);
    }
    EXPECT_EQ(second.log, QStringList({"start " + big, "finish " + big, "start " + reference,
                                       "finish " + reference, "start file", "finish file"}));
    qx::installLoadFeedback(nullptr);
    { const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes * 2); }
    EXPECT_TRUE(first.log.isEmpty());
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
    for (const auto& [content, name] :
         {std::pair<QString, QString>{"\r\n  Page:Name", "Page"}, {"Select Name=1", "Select"}, {":x", ""}})
        EXPECT_EQ(ScriptReference::CommandName(content), name);
}

// A database that is deleted names no reference file.
TEST(ScriptReference, ADeletedDatabaseNamesNone) {
    auto* deleted = new qxDatabase(SampleFile);
    ScriptReference reference;
    reference.setDatabase(deleted);
    ASSERT_NE(names(reference.HandlerNames("", true, 0)), "");
    delete deleted;
    EXPECT_EQ(names(reference.HandlerNames("", false, 0)), "");
    EXPECT_EQ(reference.CommandSyntax("database", "GetResult:"), "");
}

TEST(ScriptReference, TheFileIsReadAgainWhenItChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath("reference.json");
    qxDatabase database(path);
    ScriptReference reference;
    reference.setDatabase(&database);
    const QDateTime time = QDateTime::currentDateTime().addSecs(-100);
    writeFile(path, Header + R"([{"name": "FIRST"}]})", time);
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "FIRST");
    writeFile(path, Header + R"([{"name": "OTHER", "items": ["A:B", "C"]}]})", time.addSecs(10));
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "OTHER");
    EXPECT_EQ(reference.HandlerItems("other"), "\\*A\\cB:C");
}

TEST(ReferenceData, RefusesWhatIsNoReferenceFileAndSaysWhy) {
    const std::pair<QByteArray, const char*> cases[] = {
        {Header + "[", "at byte"},
        {"{}", "format marker"},
        {R"({"format": "qxTagEditor2.reference", "version": 9})", "version 9"},
        {Header + R"([{"name": 5}]})", "\"name\" is not text"},
        {Header + R"([{"name": "H", "hidden": "yes"}]})", "not true or false"},
        {Header + R"([{"name": "H", "items": [1]}]})", "something other than text"},
        {Header + R"([{"name": "H", "commands": [{"name": "C", "arguments": [[[]]]}]}]})", "not an object"},
        {Header + R"({"name": "H"}})", "not a list"},
    };
    for (const auto& [bytes, why] : cases)
        EXPECT_THAT([&] { qx::ReferenceData::parse(bytes); },
                    ThrowsMessage<qx::LibraryError>(HasSubstr(why)));
}

// A reference file that cannot be used gives empty lists and one warning naming the file and the fault,
// not one per request.
TEST(ScriptReference, UnusableFilesGiveEmptyListsAndAreNamedInTheLogOnce) {
    QTemporaryDir dir;
    writeFile(dir.filePath("bad.json"), "{}", QDateTime::currentDateTime().addSecs(-100));
    for (const auto& [path, why] : {std::pair<QString, QString>{dir.filePath("bad.json"), "format marker"},
                                    {dir.filePath("none.json"), "does not exist"},
                                    {dir.path(), "not a file"}}) {
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
