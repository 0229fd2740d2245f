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
    };
    for (const QByteArray& bytes : bad) {
        writeFile(path("bad.dat"), bytes);
        Properties list = hostileList();
        EXPECT_THROW(list.LoadFromFile(path("bad.dat")), LibraryError) << bytes.toStdString();
        EXPECT_EQ(dump(list), dump(hostileList()));
    }
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
