#include "hostlib/Registry.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
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
    qx::Library& lib = qx::Library::instance();
};

// Key paths and value names are matched in any spelling and letter case; the first spelling is kept.
TEST_F(Registry, ValuesRoundTripUnderAnySpellingOfTheirNamesAndRootsAreKeptApart) {
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(User, "SOFTWARE/kelvane\\script editor\\", "fullview", ""), "1");
    lib.WriteRegistry(User, "software/KELVANE/Script Editor", "FULLVIEW", "0");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", ""), "0");
    EXPECT_EQ(fileText("user/settings.ini").count("FullView"), 1);
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Other", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(User, "Software\\Elsewhere", "FullView", "d"), "d");
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

// The first line whose value QSettings would drop, merge or misread is named, and whether the values can
// still be read right.
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
        {kept + "[OtherApp]\nk%20x=first\nk x=second\n", "line 5 sets a value that an earlier line sets",
         true},
        {kept + "[Other%20App]\nk=1\n[Other App]\nk=2\n", "line 6 sets a value that an earlier line sets",
         true},
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

// Hand-written values are read, unquoted commas too; values that are not text, or a file that is not
// UTF-8, read with a warning naming the file, and a value that is no text gives the default.
TEST_F(Registry, HandWrittenAndDamagedValuesAreRead) {
    const struct {
        QByteArray line;
        QString expected;
        bool warns;
    } cases[] = {
        {"FullView=Integer,Long,String", "Integer,Long,String", false},
        {"FullView=@Rect(1 2 3 4)", "d", true},
        {"FullView=@Invalid()", "d", true},
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
