#include "hostlib/LibraryError.h"
#include "hostlib/Properties.h"

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

// A flat, comparable picture of a collection and all its sub-collections.
QStringList dump(const Properties& list, const QString& indent = QString()) {
    QStringList lines;
    for (const Property& item : list) {
        lines << indent + item.Name() + QChar(0x2192) + item.Value().toString();
        lines << dump(item.SubProperties(), indent + "  ");
    }
    return lines;
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
    list.Add("last", QString());
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

// Items nested depth levels deep, one item per level.
QByteArray nestedItems(int depth) {
    QByteArray opening;
    QByteArray closing;
    for (int i = 1; i < depth; ++i) {
        opening += R"([{"name": "level", "items": )";
        closing += "}]";
    }
    return opening + R"([{"name": "leaf"}])" + closing;
}

int depthOf(const Properties& list) {
    int depth = 0;
    for (const Property& item : list)
        depth = qMax(depth, 1 + depthOf(item.SubProperties()));
    return depth;
}

class PropertiesFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(PropertiesFile, RoundTripsHostileNestedContentAsVersionedJson) {
    const Properties saved = hostileList();
    saved.SaveFile(path("fav.dat"), "");
    Properties loaded;
    loaded.LoadFromFile(path("fav.dat"), "");
    EXPECT_EQ(dump(loaded), dump(saved));

    const QByteArray bytes = readFile(path("fav.dat"));
    const QJsonObject root = QJsonDocument::fromJson(bytes).object();
    EXPECT_EQ(root.value("format").toString(), "qxTagEditor2.properties");
    EXPECT_EQ(root.value("version").toInt(), 1);
    EXPECT_TRUE(bytes.contains("\"name\": \"last\"")) << "indented, readable";
}

TEST_F(PropertiesFile, LoadingReplacesTheItemsAndBackslashPathsMakeTheirFolders) {
    Properties saved;
    saved.Add("only", "1");
    saved.SaveFile(dir.path() + "\\Kelvane\\qxTagFav.dat");
    EXPECT_TRUE(QFile::exists(path("Kelvane/qxTagFav.dat")));
    Properties list = hostileList();
    list.LoadFromFile(dir.path() + "\\Kelvane\\qxTagFav.dat");
    EXPECT_EQ(dump(list), dump(saved));
}

TEST_F(PropertiesFile, BadFilesAreReportedAndLeaveTheCollectionAlone) {
    hostileList().SaveFile(path("good.dat"));
    const QByteArray good = readFile(path("good.dat"));
    const QList<QByteArray> bad = {
        good.left(good.size() / 2),
        good.left(good.size() - 3),
        QByteArray(),
        "not json at all",
        "[1, 2, 3]",
        R"({"format": "qxTagEditor2.properties", "version": 2, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 0, "items": []})",
        R"({"format": "something else", "version": 1, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1})",
        withItems(R"([{"name": "a"}, 5])"),
        withItems(R"([{"value": "x"}])"),
        withItems(R"([{"name": "a", "items": [{"name": "b", "value": 7}]}])"),
        withItems("[{\"name\": \"\xff\"}]"),
        QByteArray("\x00\x01\x02\xff\xfe\x7f\x80"
                   "binary",
                   13),
        QByteArray("\xff\xfe{\x00}\x00", 6),
        withItems(R"([{"name": "a", "value": ["list"]}])"),
        withItems(R"([{"name": "a", "items": {"name": "b"}}])"),
        R"({"format": "qxTagEditor2.properties", "version": "1", "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1.5, "items": []})",
        R"({"format": "qxTagEditor2.properties", "version": 1e300, "items": []})",
        withItems(nestedItems(101)),
        withItems(nestedItems(5000)),
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
TEST_F(PropertiesFile, NestingDeeperThanTheLimitIsRefusedWithAClearError) {
    writeFile(path("deep.dat"), withItems(nestedItems(100)));
    Properties list;
    list.LoadFromFile(path("deep.dat"));
    EXPECT_EQ(depthOf(list), 100);
    list.SaveFile(path("copy.dat"));

    writeFile(path("deeper.dat"), withItems(nestedItems(101)));
    try {
        list.LoadFromFile(path("deeper.dat"));
        ADD_FAILURE() << "loaded";
    } catch (const LibraryError& error) {
        EXPECT_TRUE(error.message().contains("nested more than 100 levels")) << error.what();
    }
    EXPECT_EQ(depthOf(list), 100);

    Properties* level = &list;
    while (level->Count() > 0)
        level = &level->Item(1)->SubProperties();
    level->Add("one more", "");
    EXPECT_THROW(list.SaveFile(path("too-deep.dat")), LibraryError);
    EXPECT_FALSE(QFile::exists(path("too-deep.dat")));
}

TEST_F(PropertiesFile, UnusablePlacesAndKeysAreErrors) {
    Properties list;
    list.Add("kept", "1");
    EXPECT_THROW(list.LoadFromFile(path("missing.dat")), LibraryError);
    EXPECT_THROW(list.LoadFromFile(dir.path()), LibraryError);
    EXPECT_THROW(list.SaveFile(path("x.dat"), "secret"), LibraryError);
    EXPECT_FALSE(QFile::exists(path("x.dat")));
    EXPECT_EQ(list.Count(), 1);
    writeFile(path("plain"), "x");
    EXPECT_THROW(list.SaveFile(path("plain/inside.dat")), LibraryError);
    QDir(dir.path()).mkdir("folder");
    EXPECT_THROW(list.SaveFile(path("folder")), LibraryError);
}

TEST_F(PropertiesFile, AFailedSaveKeepsTheOldFileWhole) {
    Properties old;
    old.Add("old", "content");
    old.SaveFile(path("fav.dat"));
    const QByteArray before = readFile(path("fav.dat"));
    Properties big;
    for (int i = 0; i < 200; ++i)
        big.Add(QString("favourite %1").arg(i), QString(100, QChar('x')));
    {
        const FileSizeLimit limit(64);
        EXPECT_THROW(big.SaveFile(path("fav.dat")), LibraryError);
    }
    EXPECT_EQ(readFile(path("fav.dat")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"fav.dat"}));
}
