#include "hostlib/Registry.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

#include "support/LogCapture.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

using qx::LibraryError;
using qx::RegistryRoot;
using ::testing::HasSubstr;

namespace {

const QString UserKey = "Software\\Kelvane\\Script Editor";
const QString MachineKey = "Software/Kelvane/Markrunner/Script Editor";
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
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Syntax Highlighting", "1"), "1");
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(User, "Software/Kelvane/Script Editor", "FullView", ""), "1");
    EXPECT_EQ(lib.ReadRegistry(User, "SOFTWARE\\kelvane\\script editor\\", "fullview", ""), "1");
    lib.WriteRegistry(User, "software/KELVANE/Script Editor", "FULLVIEW", "0");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", ""), "0");
    EXPECT_EQ(fileText("user/settings.ini").count("FullView"), 1);
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Other", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(User, "Software\\Elsewhere", "FullView", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(Machine, UserKey, "FullView", "none"), "none");

    const QString text = "DIM:SUB, FUNCTION;\"quoted\" @at =eq [x] ü€\\back";
    for (const QString& name : {QString("Start VB Script Commands"), QString("a/b\\c%d"), QString()}) {
        lib.WriteRegistry(Machine, MachineKey, name, text + name);
        EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, name, ""), text + name);
    }
    lib.WriteRegistry(Machine, MachineKey, "Empty", "");
    EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, "Empty", "default"), "");

    // The file is looked up on every call.
    qputenv("QXTE_USER_SETTINGS", path("other.ini").toUtf8());
    EXPECT_EQ(qx::Registry::SettingsFile(User), path("other.ini"));
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "missing"), "missing");
}

// Hand-written values are read (unquoted commas too), and what the control does not know survives a write.
TEST_F(Registry, HandWrittenValuesAreReadAndKeptThroughAWrite) {
    writeFile("user/settings.ini", "[Other%20Program]\nColour=\"1, 2, 3\"\nText=\"a;b\"\n"
                                   "[Software]\nKelvane\\Script%20Editor\\Mine=x\\ny\n"
                                   "Kelvane\\Script%20Editor\\VB%20Types=Integer,Long,String\n");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "VB Types", ""), "Integer,Long,String");
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    QSettings settings(path("user/settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Other Program/Colour").toString(), "1, 2, 3");
    EXPECT_EQ(settings.value("Other Program/Text").toString(), "a;b");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Mine", ""), "x\ny");
    lib.WriteRegistry(User, UserKey, "FullView", "0"); // the file as written is accepted again
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", ""), "0");
}

TEST_F(Registry, AWriteThatCannotBeStoredIsAnError) {
    writeFile("blocker", "a file where a folder should be");
    qputenv("QXTE_USER_SETTINGS", path("blocker/settings.ini").toUtf8());
    EXPECT_THROW(lib.WriteRegistry(User, UserKey, "FullView", "1"), LibraryError);
}

// A settings file QSettings would not write back whole is never written: the write fails, says why and
// logs it, and the file keeps every byte. Its values are still read.
TEST_F(Registry, DamagedFilesAreLeftAsTheyAreAndTheWriteFails) {
    const QByteArray kept = "[Software]\nKelvane\\Script%20Editor\\FullView=1\n";
    QByteArray big = kept;
    for (int i = 0; big.size() < 64 * 1024; ++i)
        big += "Kelvane\\Other\\Value" + QByteArray::number(i) + "=" + QByteArray(40, 'x') + "\n";
    const std::pair<QByteArray, const char*> cases[] = {
        {kept + "a line without an equals sign\n", "line 3 is not of the form name=value"},
        {"; written by hand\n" + kept, "line 1 is a comment"},
        {kept + "Other=1 ; the old value was 2\n", "line 3 ends in a comment"},
        {kept + "Word=Caf\xe9\n", "not UTF-8"},
        {kept + "Word=Caf\xe9s\n", "not UTF-8"},
        {"\xef\xbb\xbf" + kept, "byte-order mark"},
        {kept + "Other=1\nOther=2\n", "line 4 sets a value that an earlier line sets"},
        {kept + "[OtherApp]\nk%20x=first\nk x=second\n", "line 5 sets a value that an earlier line sets"},
        {kept + "[Other%20App]\nk=1\n[Other App]\nk=2\n", "line 6 sets a value that an earlier line sets"},
        {kept + "[A]\nb\\c=1\n[A\\b]\nc=2\n", "line 6 sets a value that an earlier line sets"},
        {kept + "[Broken\nx=1\n", "line 3 opens a section without closing it"},
        {kept + "[Other] note\nx=1\n", "line 3 has text after its section name"},
        {kept + QByteArray("\x00\x01\x02\x03garbage\x7f\n", 13), "line 3 is not of the form name=value"},
        {big + "not a setting\n", "is not of the form name=value"},
    };
    for (const auto& [bytes, why] : cases) {
        SCOPED_TRACE(why);
        writeFile("user/settings.ini", bytes);
        const qx::test::LogCapture log;
        try {
            lib.WriteRegistry(User, UserKey, "Syntax Highlighting", "0");
            ADD_FAILURE() << "the write should fail";
        } catch (const LibraryError& error) {
            EXPECT_THAT(error.message().toStdString(), HasSubstr(why));
            EXPECT_THAT(error.message().toStdString(), HasSubstr(path("user/settings.ini").toStdString()));
        }
        EXPECT_EQ(fileText("user/settings.ini"), bytes) << "not a byte changed";
        EXPECT_THAT(log.text(), HasSubstr(why));
        EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "d"), "1");
    }
}

// Values that are not text, or a file that is not UTF-8, read with a warning naming the file; a value
// that is no text gives the default.
TEST_F(Registry, DamagedValuesReadAsTheDefaultWithAWarning) {
    const std::pair<QByteArray, QString> cases[] = {
        {"FullView=@Rect(1 2 3 4)", "d"},
        {"FullView=@Invalid()", "d"},
        {"FullView=@Variant(garbage)", "d"},
        {"FullView=1\nKelvane\\Script%20Editor\\Word=Caf\xe9", "1"},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line.toStdString());
        writeFile("user/settings.ini", "[Software]\nKelvane\\Script%20Editor\\" + line + "\n");
        const qx::test::LogCapture log;
        EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "d"), expected);
        EXPECT_THAT(log.text(), HasSubstr(path("user/settings.ini").toStdString()));
    }
}

TEST(RegistryDefaults, UseTheStandardLocations) {
    const qx::test::TempSettings settings;
    qputenv("QXTE_USER_SETTINGS", "");
    qputenv("QXTE_MACHINE_SETTINGS", "");
    EXPECT_TRUE(qx::Registry::SettingsFile(User).endsWith("/Kelvane/qxTagEditor2-user.ini"));
    EXPECT_EQ(qx::Registry::SettingsFile(Machine), "/etc/xdg/Kelvane/qxTagEditor2-machine.ini");
}

} // namespace
