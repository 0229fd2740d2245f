#include "hostlib/Properties.h"
#include "hostlib/LibraryError.h"
#include "hostlib/LoadFeedback.h"
#include "hostlib/ReferenceData.h"
#include "hostlib/ScriptReference.h"
#include "support/LogCapture.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>

using qx::LibraryError;
using qx::Properties;
using qx::Property;
using qx::ScopedLoad;
using qx::ScriptReference;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

QStringList namesOf(const Properties& list) {
    QStringList names;
    for (const Property& item : list)
        names << item.Name();
    return names;
}

QStringList dump(const Properties& list, const QString& indent = QString()) {
    QStringList lines;
    for (const Property& item : list) {
        lines << indent + item.Name() + QChar(0x2192) + item.Value().toString();
        lines << dump(item.SubProperties(), indent + "  ");
    }
    return lines;
}

Properties built(const QString& text, const QString& separator = QStringLiteral(":")) {
    Properties list;
    list.Build(text, 0, 0, separator);
    return list;
}

TEST(Properties, FindNamesInAnyCaseReplaceInPlaceAndCheckPositions) {
    Properties list;
    Property* first = list.Add("Alpha", 1);
    list.Add("ALPHA", 3);
    EXPECT_EQ(list.Item("alpha"), first);
    EXPECT_EQ(list.Add("aLPHA", "new", true), first);
    EXPECT_EQ(first->Value().toString(), "new");
    Property* fresh = list.Add("Fresh", "y", true);
    EXPECT_EQ(fresh, list.Item(3));
    for (int position : {0, 4})
        EXPECT_THROW(list.Item(position), LibraryError) << position;
    list.Remove(1);
    EXPECT_EQ(namesOf(list), QStringList({"ALPHA", "Fresh"}));
}

// The fuzz replays check that any names and values survive ToText and Build.
TEST(Properties, BuildAddsOneItemPerPieceAndToTextComesBackExactly) {
    Properties list;
    list.Add("first", "");
    list.Build("LANGUAGE:TIMEOUT::C:\\x", 0, 0, ":");
    EXPECT_EQ(namesOf(list), QStringList({"first", "LANGUAGE", "TIMEOUT", "", "C", "\\x"}));
    EXPECT_EQ(built("").Count(), 0);
    EXPECT_EQ(namesOf(built("a||b", "||")), QStringList({"a", "b"}));
    EXPECT_THROW(list.Build("a", 0, 0, ""), LibraryError);
    EXPECT_EQ(built("SQL:MAXROWS:C\\Temp:two words").ToText(), "SQL:MAXROWS:C\\Temp:two words") << "readable";
    list.Clear();
    list.Add("na:me=with\\all\r\nof\rit", "");
    list.Add("ünïcödé €", "= : \\c \\e \\\\ \\");
    list.Add("\\*", "\n");
    EXPECT_EQ(dump(built(list.ToText())), dump(list));
    EXPECT_EQ(dump(built("\\*a\\qb=x\\")), QStringList{"a\\qb\u2192x\\"}) << "unknown escapes are kept";
}

Properties hostileList() {
    Properties list;
    list.Add("Favourite: \"quoted\"", "<QX:VBS>\r\nIf a = \"b\"\r\n</QX>\\\rlone ünïcödé €漢字 😀");
    // Qt's JSON reader drops a U+FEFF at the start of a string written without escapes.
    const QChar bom(0xFEFF);
    const QString odd = QString(bom) + QChar(0) + QChar(0xD800) + bom + QChar(0xDC00) + QChar(0xFFFF);
    list.Add(odd, odd)->SubProperties().Add(bom, bom + QString("mid"))->SubProperties().Add("", "g\r\n");
    return list;
}

void writeFile(const QString& path, const QByteArray& bytes, const QDateTime& modified = {}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.flush(); // so that closing does not stamp the file again
    ASSERT_TRUE(!modified.isValid() || file.setFileTime(modified, QFileDevice::FileModificationTime));
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray fileOf(const QByteArray& items, const QByteArray& version = "1") {
    return R"({"format": "qxTagEditor2.properties", "version": )" + version + R"(, "items": )" + items + "}";
}

class PropertiesFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(PropertiesFile, HostileContentRoundTripsAndBadFilesAreReportedAndLeaveTheCollectionAlone) {
    hostileList().SaveFile(dir.path() + "\\Kelvane\\fav.dat", ""); // a host's path: its folders are made
    Properties loaded;
    loaded.Add("replaced", "");
    loaded.LoadFromFile(path("Kelvane/fav.dat"), "");
    EXPECT_EQ(dump(loaded), dump(hostileList()));
    const QByteArray bad[] = {
        fileOf("[{\"name\": \"cut off"),
        R"({"format": "something else", "version": 1, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1})",
        fileOf("[]", "2"),
        fileOf("[]", "1.5"),
        fileOf(R"([{"value": "x"}])"),
        fileOf(R"([{"name": "a", "value": ["list"]}])"),
        fileOf(R"([{"name": "a", "items": {"name": "b"}}])"),
    };
    for (const QByteArray& bytes : bad) {
        SCOPED_TRACE(bytes.toStdString());
        writeFile(path("bad.dat"), bytes);
        Properties list = hostileList();
        EXPECT_THAT([&] { list.LoadFromFile(path("bad.dat")); },
                    ThrowsMessage<LibraryError>(HasSubstr(path("bad.dat").toStdString())));
        EXPECT_EQ(dump(list), dump(hostileList()));
    }
}

// Makes every write past a few bytes fail, as a full disk would, for the life of the object.
struct FileSizeLimit {
    rlimit old{};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
    }
};

TEST_F(PropertiesFile, UnusablePlacesKeysAndAFullDiskAreErrorsAndKeepTheOldFileWhole) {
    Properties list = hostileList();
    list.SaveFile(path("fav.dat"));
    const QByteArray before = readFile(path("fav.dat"));
    {
        const FileSizeLimit limit(64); // a small save: all of it is still in the write buffer
        EXPECT_THROW(list.SaveFile(path("fav.dat")), LibraryError);
    }
    EXPECT_EQ(readFile(path("fav.dat")), before);
    EXPECT_THROW(list.LoadFromFile(path("missing.dat")), LibraryError);
    EXPECT_THROW(list.LoadFromFile(dir.path()), LibraryError);
    EXPECT_THROW(list.LoadFromFile(path("fav.dat"), "secret"), LibraryError);
    EXPECT_THROW(list.SaveFile(path("x.dat"), "secret"), LibraryError);
    EXPECT_THROW(list.SaveFile(path("fav.dat/inside.dat")), LibraryError);
    EXPECT_THROW(list.SaveFile(dir.path()), LibraryError);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"fav.dat"}));
}

// Records what the loaders announce, and installs itself for its life.
struct RecordingFeedback : qx::LoadFeedback {
    qx::LoadFeedback* previous = qx::installLoadFeedback(this);
    ~RecordingFeedback() override { qx::installLoadFeedback(previous); }
    void loadStarted(const QString& path) override { log << "start " + path; }
    void loadFinished(const QString& path) override { log << "finish " + path; }
    QStringList log;
};

TEST(LoadFeedback, LargeReadsAreAnnouncedAndTheFinishGoesWhereTheStartWent) {
    RecordingFeedback first;
    RecordingFeedback second; // installed over the first
    { const ScopedLoad small("small", ScopedLoad::kAnnouncedBytes - 1); }
    {
        const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes);
        qx::installLoadFeedback(&first);
    }
    EXPECT_EQ(second.log, QStringList({"start file", "finish file"}));
    qx::installLoadFeedback(nullptr);
    { const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes * 2); }
    EXPECT_TRUE(first.log.isEmpty());
}

const QString SampleFile = QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json");
const QByteArray Header = R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": )";

QString names(const std::unique_ptr<Properties>& list) {
    return namesOf(*list).join(':');
}

// The fuzz replays check every list handed out against the file.
TEST(ScriptReference, OffersHandlersCommandsAndArgumentsOfTheSampleReference) {
    qxDatabase database(SampleFile);
    ScriptReference reference;
    reference.setDatabase(&database);
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "VBS:SCRIPT:DB:FIELD:IF:INCLUDE:DATABASE:WEB");
    EXPECT_TRUE(names(reference.HandlerNames("", false, 0)).endsWith(":DEBUG")) << "hidden";
    EXPECT_EQ(names(reference.HandlerNames(" db", true, 0)), "QUERY:EXECUTE") << "after a hyphen";
    EXPECT_EQ(reference.HandlerItems("DB-QUERY"), "SELECT:COUNT");
    const QString content = "GetResult:\r\nmore text\r\n</QX>";
    EXPECT_EQ(reference.CommandSyntax("database", content), "GetResult:SQL=Statement;MaxRows=Count");
    EXPECT_EQ(reference.CommandDescription("DATABASE", content),
              "Runs a query and returns its result object");
    EXPECT_EQ(reference.CommandValues("database", content), "SQL:MaxRows");
    EXPECT_EQ(reference.CommandSyntax("database", "Unknown:"), "");
    EXPECT_EQ(reference.ArgumentValues("web", "Page:Name", "Name"), "Home:Orders:Search:Contact");
    for (const auto& [content, name] :
         {std::pair<QString, QString>{"\r\n  Page:Name", "Page"}, {"Select Name=1", "Select"}, {":x", ""}})
        EXPECT_EQ(ScriptReference::CommandName(content), name);
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
    writeFile(path, Header + R"([{"name": "OTHER"}]})", time.addSecs(10));
    EXPECT_EQ(names(reference.HandlerNames("", true, 0)), "OTHER");
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
    for (const auto& c : cases)
        EXPECT_THAT([&] { qx::ReferenceData::parse(c.first); },
                    ThrowsMessage<LibraryError>(HasSubstr(c.second)));
}

// A reference file that cannot be used gives empty lists and one warning naming the file and the fault.
TEST(ScriptReference, UnusableFilesGiveEmptyListsAndAreNamedInTheLogOnce) {
    QTemporaryDir dir;
    writeFile(dir.filePath("bad.json"), "{}", QDateTime::currentDateTime().addSecs(-100));
    for (const auto& [path, why] : {std::pair<QString, QString>{dir.filePath("bad.json"), "format marker"},
                                    {dir.filePath("none.json"), "does not exist"}}) {
        qxDatabase database(path);
        ScriptReference reference;
        reference.setDatabase(&database);
        const qx::test::LogCapture log;
        EXPECT_EQ(names(reference.HandlerNames("", false, 0)), "");
        EXPECT_EQ(reference.HandlerItems("H"), "");
        ASSERT_EQ(log.warnings().size(), 1) << log.text();
        EXPECT_TRUE(log.warnings().front().contains(path) && log.warnings().front().contains(why))
            << log.text();
    }
}

} // namespace
