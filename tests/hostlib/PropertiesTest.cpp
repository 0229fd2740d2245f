#include "hostlib/Properties.h"
#include "hostlib/LibraryError.h"

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
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

QStringList namesOf(const Properties& list) {
    QStringList names;
    for (const Property& item : list)
        names << item.Name();
    return names;
}

// A flat, comparable picture of a collection and all its sub-collections.
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

TEST(Properties, KeepOrderFindNamesInAnyCaseReplaceInPlaceAndCheckPositions) {
    Properties list;
    Property* first = list.Add("Alpha", 1);
    Property* beta = list.Add("beta", "two");
    list.Add("ALPHA", 3);
    EXPECT_EQ(namesOf(list), QStringList({"Alpha", "beta", "ALPHA"}));
    EXPECT_EQ(list.Item("alpha"), first);
    EXPECT_EQ(list.Item("gamma"), nullptr);
    EXPECT_EQ(list.Item(2), beta);
    EXPECT_EQ(list.Add("aLPHA", "new", true), first);
    EXPECT_EQ(first->Value().toString(), "new");
    Property* fresh = list.Add("Fresh", "y", true);
    EXPECT_EQ(fresh, list.Item(4));
    for (int position : {0, 5})
        EXPECT_THROW(list.Item(position), LibraryError) << position;
    list.Remove(1);
    EXPECT_EQ(list.Item(1), beta) << "the others keep their addresses";
    list.Remove(3);
    EXPECT_EQ(namesOf(list), QStringList({"beta", "ALPHA"}));
    EXPECT_THROW(list.Remove(3), LibraryError);
    list.Clear();
    EXPECT_EQ(list.begin(), list.end());
}

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
    // Lists that plain text cannot hold take the escaped form.
    for (const QStringList& names : {QStringList{""}, QStringList{"a:b"}, QStringList{"\\*x", "y"},
                                     QStringList{"", ""}, QStringList{"x", ""}}) {
        Properties plain;
        for (const QString& name : names)
            plain.Add(name, QString());
        EXPECT_EQ(namesOf(built(plain.ToText())), names) << names.join('|').toStdString();
    }
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

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file of the given version and items.
QByteArray fileOf(const QByteArray& items, const QByteArray& version = "1") {
    return R"({"format": "qxTagEditor2.properties", "version": )" + version + R"(, "items": )" + items + "}";
}

class PropertiesFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(PropertiesFile, RoundTripsHostileNestedContentAsVersionedJsonAndLoadingReplacesTheItems) {
    const Properties saved = hostileList();
    saved.SaveFile(dir.path() + "\\Kelvane\\fav.dat", ""); // a host's path: its folders are made
    Properties loaded;
    loaded.Add("replaced", "");
    loaded.LoadFromFile(path("Kelvane/fav.dat"), "");
    EXPECT_EQ(dump(loaded), dump(saved));
}

// Each check of the loader; the fuzz replays cover what merely is no JSON.
TEST_F(PropertiesFile, BadFilesAreReportedAndLeaveTheCollectionAlone) {
    const QByteArray bad[] = {
        fileOf("[{\"name\": \"cut off"),
        R"({"format": "something else", "version": 1, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1})",
        fileOf("[]", "2"),
        fileOf("[]", "0"),
        fileOf("[]", "\"1\""),
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

// Files nested 100 levels deep load and save; the fuzz seeds hold one. A deeper collection is not saved.
TEST_F(PropertiesFile, ACollectionNestedDeeperThanFilesMayBeIsNotSaved) {
    Properties list;
    Properties* level = &list;
    for (int depth = 0; depth <= 100; ++depth)
        level = &level->Add("level", "")->SubProperties();
    EXPECT_THROW(list.SaveFile(path("too-deep.dat")), LibraryError);
    EXPECT_FALSE(QFile::exists(path("too-deep.dat")));
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

} // namespace
