#include "hostlib/Properties.h"
#include "hostlib/LibraryError.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

using qx::LibraryError;
using qx::Properties;
using qx::Property;

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
    list.Add("Level1", "<QX:VBS>a = \"x:y\"\r\nb = c\\d\r\n</QX>");
    list.Add("", "value of an empty name");
    list.Add("na:me=with\\all\r\nof\rit", "");
    list.Add("ünïcödé €", "= : \\c \\e \\\\ \\");
    list.Add("\\*", "\n");
    list.Add("trailing", "\\");
    EXPECT_EQ(dump(built(list.ToText())), dump(list));
    // Lists that plain text cannot hold take the escaped form.
    for (const QStringList& names : {QStringList{""}, QStringList{"a:b"}, QStringList{"\\*x", "y"},
                                     QStringList{"", ""}, QStringList{"x", ""}}) {
        Properties plain;
        for (const QString& name : names)
            plain.Add(name, QString());
        EXPECT_EQ(namesOf(built(plain.ToText())), names) << names.join('|').toStdString();
    }
    const Properties unknown = built("\\*a\\qb=x\\");
    EXPECT_EQ(dump(unknown), QStringList{"a\\qb\u2192x\\"}) << "unknown escapes are kept as written";
}

TEST(Properties, SplitTextNamesPiecesByTheirFirstWordAndKeepsThemWhole) {
    Properties list;
    const QString tag = "<QX:DB-QUERY>Select:Name, Total\r\nFrom Sales</QX>";
    list.SplitText(tag, ":");
    EXPECT_EQ(dump(list), QStringList({"QX\u2192<QX", "DB-QUERY\u2192DB-QUERY>Select",
                                       "Name\u2192Name, Total\r\nFrom Sales</QX>"}));
    Properties none;
    none.SplitText("", ":");
    EXPECT_EQ(none.Count(), 0);
    none.SplitText("<<>>", ":");
    EXPECT_EQ(namesOf(none), QStringList({""}));
}

Properties hostileList() {
    Properties list;
    list.Add("Favourite: \"quoted\"", "<QX:VBS>\r\nIf a = \"b\" Then\r\n\tx = 1\r\nEnd If\r\n</QX>");
    list.Add("", "lone\rcarriage return and lone\nline feed");
    list.Add("back\\slash", "C:\\Program Files\\Kelvane\\");
    list.Add("ünïcödé €漢字 😀", "{\"json\": [1, 2]}");
    // Qt's JSON reader drops a U+FEFF at the start of a string written without escapes.
    const QChar bom(0xFEFF);
    const QString odd = QString(bom) + QChar(0) + QChar(0xD800) + bom + QChar(0xDC00) + QChar(0xFFFF);
    list.Add(odd, odd)->SubProperties().Add(bom, bom + QString("mid") + bom);
    Property* nested = list.Add("nested", "");
    nested->SubProperties().Add("child", "c")->SubProperties().Add("grandchild", "g\r\n");
    nested->SubProperties().Add("", "");
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

// A version 1 file whose items are the given JSON.
QByteArray withItems(const QByteArray& items) {
    return R"({"format": "qxTagEditor2.properties", "version": 1, "items": )" + items + "}";
}

// Items nested depth levels deep, one item per level.
QByteArray nestedItems(int depth) {
    return QByteArray(R"([{"name": "level", "items": )").repeated(depth - 1) + R"([{"name": "leaf"}])" +
           QByteArray("}]").repeated(depth - 1);
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
    const QJsonObject root = QJsonDocument::fromJson(readFile(path("Kelvane/fav.dat"))).object();
    EXPECT_EQ(root.value("format").toString(), "qxTagEditor2.properties");
    EXPECT_EQ(root.value("version").toInt(), 1);
}

TEST_F(PropertiesFile, BadFilesAreReportedAndLeaveTheCollectionAlone) {
    hostileList().SaveFile(path("good.dat"));
    const QByteArray good = readFile(path("good.dat"));
    const QList<QByteArray> bad = {
        good.left(good.size() / 2),
        good.left(good.size() - 3),
        QByteArray(),
        "[1, 2, 3]",
        R"({"format": "qxTagEditor2.properties", "version": 2, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 0, "items": []})",
        R"({"format": "something else", "version": 1, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1})",
        R"({"format": "qxTagEditor2.properties", "version": "1", "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1.5, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1e300, "items": []})",
        withItems(R"([{"name": "a"}, 5])"),
        withItems(R"([{"value": "x"}])"),
        withItems(R"([{"name": "a", "items": [{"name": "b", "value": 7}]}])"),
        withItems(R"([{"name": "a", "value": ["list"]}])"),
        withItems(R"([{"name": "a", "items": {"name": "b"}}])"),
        withItems("[{\"name\": \"\xff\"}]"),
        QByteArray("\xff\xfe{\x00}\x00", 6),
        withItems(nestedItems(101)),
        QByteArray(100000, '[') + QByteArray(100000, ']'),
    };
    for (const QByteArray& bytes : bad) {
        SCOPED_TRACE(bytes.left(80).toStdString());
        writeFile(path("bad.dat"), bytes);
        Properties list = hostileList();
        try {
            list.LoadFromFile(path("bad.dat"));
            ADD_FAILURE() << "loaded";
        } catch (const LibraryError& error) {
            EXPECT_TRUE(error.message().contains(path("bad.dat"))) << error.what();
        }
        EXPECT_EQ(dump(list), dump(hostileList()));
    }
}

// Nesting has a limit, so that neither reading nor writing can run out of stack; a collection beyond it
// is not saved at all.
TEST_F(PropertiesFile, NestingDeeperThanTheLimitIsRefused) {
    writeFile(path("deep.dat"), withItems(nestedItems(100)));
    Properties list;
    list.LoadFromFile(path("deep.dat"));
    list.SaveFile(path("copy.dat"));
    Properties* level = &list;
    for (int depth = 1; depth < 100; ++depth)
        level = &level->Item(1)->SubProperties();
    EXPECT_EQ(namesOf(*level), QStringList{"leaf"});
    level->Item(1)->SubProperties().Add("one more", "");
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

TEST_F(PropertiesFile, UnusablePlacesAndKeysAreErrorsAndAFailedSaveKeepsTheOldFileWhole) {
    Properties list;
    list.Add("old", "");
    list.SaveFile(path("fav.dat"));
    const QByteArray before = readFile(path("fav.dat"));
    EXPECT_THROW(list.LoadFromFile(path("missing.dat")), LibraryError);
    EXPECT_THROW(list.LoadFromFile(dir.path()), LibraryError);
    EXPECT_THROW(list.LoadFromFile(path("fav.dat"), "secret"), LibraryError);
    EXPECT_THROW(list.SaveFile(path("x.dat"), "secret"), LibraryError);
    EXPECT_THROW(list.SaveFile(path("fav.dat/inside.dat")), LibraryError);
    EXPECT_THROW(list.SaveFile(dir.path()), LibraryError);
    for (int i = 0; i < 200; ++i)
        list.Add(QString::number(i), QString(100, 'x'));
    {
        const FileSizeLimit limit(64);
        EXPECT_THROW(list.SaveFile(path("fav.dat")), LibraryError);
    }
    EXPECT_EQ(readFile(path("fav.dat")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"fav.dat"}));
}

} // namespace
