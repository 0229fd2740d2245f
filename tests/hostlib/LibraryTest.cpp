#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Registry.h"
#include "hostlib/SettingsFileCheck.h"

#include "support/LogCapture.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using qx::LibraryError;
using qx::RegistryRoot;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

namespace {

qx::Library& lib = qx::Library::instance();

TEST(Library, FoldersFollowTheEnvironmentOrTheDefaultsAndFileExistsTakesFilesOnly) {
    const qx::test::TempSettings settings;
    qputenv("QXTE_USER_DATA_DIR", "/tmp/user-data//");
    qputenv("QXTE_COMMON_DIR", "/");
    EXPECT_EQ(lib.SpecialFolderPath(26, 0), "/tmp/user-data");
    EXPECT_EQ(lib.SpecialFolderPath(43, 0), "/");
    EXPECT_THROW(lib.SpecialFolderPath(5, 0), LibraryError);
    qputenv("QXTE_USER_DATA_DIR", "");
    EXPECT_FALSE(lib.SpecialFolderPath(26).isEmpty());
    // Without the variables: the first system folder (XDG_*_DIRS) that holds the file or the Kelvane folder.
    const QString a = settings.path() + "/a", b = settings.path() + "/b";
    QDir().mkpath(b + "/Kelvane"), QFile(b + "/Kelvane/qxTagEditor2-machine.ini").open(QIODevice::WriteOnly);
    qputenv("QXTE_COMMON_DIR", ""), qputenv("QXTE_MACHINE_SETTINGS", "");
    qputenv("XDG_DATA_DIRS", (a + ":" + b).toUtf8()), qputenv("XDG_CONFIG_DIRS", (a + ":" + b).toUtf8());
    EXPECT_EQ(lib.SpecialFolderPath(43), b);
    EXPECT_EQ(qx::Registry::SettingsFile(qx::RegistryRoot::LocalMachine),
              b + "/Kelvane/qxTagEditor2-machine.ini");
    qunsetenv("XDG_DATA_DIRS"), qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_TRUE(lib.FileExists(QX_DATA_DIR "\\reference\\sample-reference.json"));
    EXPECT_FALSE(lib.FileExists(QX_DATA_DIR "/reference"));
}

TEST(Library, InStrFunctionsGiveOneBasedPositionsAndCounts) {
    const QString set = " ><:=\"'";
    EXPECT_EQ(lib.InStrMultiple("DB QUERY", set, 0), 3);
    EXPECT_EQ(lib.InStrMultiple("a>b>c", ">", 3), 4);
    EXPECT_EQ(lib.InStrMultiple("a>b", ">", 9), 0);
    EXPECT_THROW(lib.InStrMultiple("abc", "b", -1), LibraryError);
    for (const auto& [start, found] : {std::pair{1, 5}, {5, 5}, {6, 10}, {11, 0}})
        EXPECT_EQ(lib.InStrMultipleFrom(start, "=~64\"QUJD\"", "\""), found) << start;
    const QString text = "<QX:a><qx:b></QX><QX:c>";
    EXPECT_EQ(lib.InStrCount(1, text, "<QX:", 0), 2);
    EXPECT_EQ(lib.InStrCount(1, text, "<QX:", 1), 3);
    EXPECT_EQ(lib.InStrCount(1, "aaaa", "aa", 0), 2);
    EXPECT_EQ(lib.InStrCount(1, "abc", "", 0), 0);
}

TEST(Library, ValReadsTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {"12abc", 12}, {"abc", 0},   {"", 0},        {"  \t42", 42}, {"1 2 3", 123}, {"-3.5e2x", -350},
        {"+.5", 0.5},  {"7e", 7},    {"1.2.3", 1.2}, {"&H1F", 31},   {"&o108", 8},   {"&Hxyz", 0},
        {"1d2", 100},  {"1e999", 0}, {"-", 0},       {"\xd9\xa3", 0}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(lib.Val(QString::fromUtf8(text)), number) << text;
}

// The fuzz replays check the round trips, wrapped lines and the reading of other bytes.
TEST(Library, Base64CarriesUtf8AndDecodingIsStrict) {
    // "Ń" is U+0144: its low byte would read as the Base64 digit "D".
    for (const char* bad : {"QUJD!", "QU=D", "QUJ", "QUJD====", "QUJ\xc5\x84", "-_-_"})
        EXPECT_THROW(lib.Base64Decode(QString::fromUtf8(bad)), LibraryError) << bad;
    // UTF-8 cannot carry a lone surrogate: it is stored as U+FFFD, and the text is logged once.
    const qx::test::LogCapture log;
    const QString lone = QString(QChar(0xD800)) + "😀a" + QChar(0xDC00);
    EXPECT_EQ(lib.Base64Decode(lib.Base64Encode(lone)), "\uFFFD😀a\uFFFD");
    EXPECT_EQ(log.warnings().size(), 1);
}

const QString UserKey = "Software\\Kelvane\\Script Editor";
constexpr RegistryRoot User = RegistryRoot::CurrentUser;
constexpr RegistryRoot Machine = RegistryRoot::LocalMachine;

class Registry : public ::testing::Test {
protected:
    void SetUp() override { qputenv("QXTE_USER_SETTINGS", path("user/settings.ini").toUtf8()); }
    QString path(const QString& name) const { return settings.path() + "/" + name; }
    QByteArray fileText(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& content) {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    qx::test::TempSettings settings;
};

// Key paths and value names are matched in any spelling and letter case; the first spelling is kept.
TEST_F(Registry, ValuesRoundTripUnderAnySpellingOfTheirNamesAndRootsAreKeptApart) {
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(User, "SOFTWARE/kelvane\\script editor\\", "fullview", ""), "1");
    lib.WriteRegistry(User, "software/KELVANE/Script Editor", "FULLVIEW", "0");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", ""), "0");
    EXPECT_EQ(fileText("user/settings.ini").count("FullView"), 1);
    EXPECT_EQ(lib.ReadRegistry(Machine, UserKey, "FullView", "none"), "none");
    for (const QString& name : {QString("a/b\\c%d"), QString("a%2Fb"), QString(), QString("Empty")}) {
        const QString text = name == "Empty" ? QString() : "DIM:SUB;\"q\" =eq [x] ü€\\" + name;
        lib.WriteRegistry(Machine, UserKey, name, text);
        EXPECT_EQ(lib.ReadRegistry(Machine, UserKey, name, "default"), text) << name.toStdString();
    }
    writeFile("blocker", "a file where a folder should be");
    qputenv("QXTE_USER_SETTINGS", path("blocker/settings.ini").toUtf8());
    EXPECT_THROW(lib.WriteRegistry(User, UserKey, "FullView", "1"), LibraryError);
}

// Names the first line whose value QSettings would drop, merge or misread, and whether values read right.
TEST(SettingsFileCheck, NamesTheLineQSettingsWouldLose) {
    const QByteArray kept = "[Software]\nKelvane\\Script%20Editor\\FullView=1\n";
    const struct {
        QByteArray bytes;
        const char* problem;
        bool readable;
    } cases[] = {
        {kept + "a line without an equals sign\n", "line 3 is not of the form name=value", false},
        {"a=\"x\ny\"\nb=1\\\r\nc\nno\n", "line 5 is not of the form name=value", false},
        {"; written by hand\n" + kept, "line 1 is a comment", true},
        {kept + "Other=1 ; the old value was 2\n", "line 3 ends in a comment", true},
        {kept + "Word=Caf\xe9s\n", "it is not UTF-8 text", false},
        {"\xef\xbb\xbf" + kept, "it starts with a byte-order mark", false},
        {kept + "Other=1\nOther=2\n", "line 4 sets a value that an earlier line sets", true},
        {kept + "[O]\nk%20x=1\nk x=2\n", "line 5 sets a value that an earlier line sets", true},
        {kept + "[A]\nb\\c=1\n[A\\b]\nc=2\n", "line 6 sets a value that an earlier line sets", true},
        {"x=1\n[general]\nx=2\n", "line 3 sets a value that an earlier line sets", true},
        {"x=1\n[%General]\nx=2\n[50%]\nx=3\n[Other%20Program]\nColour=\"1, 2; 3\"\n", "", true},
        {kept + "[Broken\nx=1\n", "line 3 opens a section without closing it", false},
        {kept + "[Other] note\nx=1\n", "line 3 has text after its section name", true},
    };
    for (const auto& c : cases) {
        const qx::SettingsFileCheck check = qx::checkSettingsFile(c.bytes);
        EXPECT_EQ(check.problem.toStdString(), c.problem) << c.bytes.toStdString();
        EXPECT_EQ(check.readable, c.readable) << c.bytes.toStdString();
    }
}

// Such a file is never written: the write fails, says why and logs it, and the file keeps every byte.
TEST_F(Registry, DamagedFilesAreLeftAsTheyAreAndTheWriteFails) {
    const QByteArray bytes = "[Software]\nKelvane\\Script%20Editor\\FullView=1\n; note\n";
    writeFile("user/settings.ini", bytes);
    const qx::test::LogCapture log;
    EXPECT_THAT([&] { lib.WriteRegistry(User, UserKey, "Syntax Highlighting", "0"); },
                ThrowsMessage<LibraryError>(AllOf(HasSubstr("line 3 is a comment"),
                                                  HasSubstr(path("user/settings.ini").toStdString()))));
    EXPECT_EQ(fileText("user/settings.ini"), bytes) << "not a byte changed";
    EXPECT_THAT(log.text(), HasSubstr("line 3 is a comment"));
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "d"), "1");
}

// Hand-written values are read; no text (the default is given) or a file not UTF-8 warns, naming the file.
TEST_F(Registry, HandWrittenAndDamagedValuesAreRead) {
    const struct {
        QByteArray line;
        QString expected;
        bool warns;
    } cases[] = {
        {"FullView=Integer,Long,String", "Integer,Long,String", false},
        {"FullView=@Rect(1 2 3 4)", "d", true},
        {"FullView=1\nKelvane\\Script%20Editor\\Word=Caf\xe9", "1", true},
    };
    for (const auto& c : cases) {
        writeFile("user/settings.ini", "[Software]\nKelvane\\Script%20Editor\\" + c.line + "\n");
        const qx::test::LogCapture log;
        EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "d"), c.expected) << c.line.toStdString();
        EXPECT_EQ(log.text().find(path("user/settings.ini").toStdString()) != std::string::npos, c.warns);
    }
}

} // namespace
