#include "hostlib/Registry.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

#include "ScopedEnv.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qx::Library;
using qx::LibraryError;
using qx::RegistryRoot;

namespace {

const QString UserKey = "Software\\Kelvane\\Script Editor";
const QString MachineKey = "Software/Kelvane/Markrunner/Script Editor";

class Registry : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScopedEnv user{"QXTE_USER_SETTINGS", dir.filePath("user/settings.ini")};
    ScopedEnv machine{"QXTE_MACHINE_SETTINGS", dir.filePath("machine.ini")};
    Library& lib = Library::instance();

    void writeIni(const QString& name, const QByteArray& content) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

} // namespace

TEST_F(Registry, MissingValuesGiveTheDefault) {
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "Syntax Highlighting", "1"), "1");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, MachineKey, "VB Keywords", ""), "");
    lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "0");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "Other", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, "Software\\Elsewhere", "FullView", "d"), "d");
}

TEST_F(Registry, BothKeyStylesNameTheSameKey) {
    lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "Syntax Highlighting", "0");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, "Software/Kelvane/Script Editor",
                               "Syntax Highlighting", "1"),
              "0");
    lib.WriteRegistry(RegistryRoot::LocalMachine, MachineKey, "VB Kelvane Words", "TAG:RESULT");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, "Software\\Kelvane\\Markrunner\\Script Editor\\",
                               "VB Kelvane Words", ""),
              "TAG:RESULT");
}

TEST_F(Registry, RootsAreKeptApart) {
    lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, UserKey, "FullView", "none"), "none");
    EXPECT_TRUE(QFile::exists(dir.filePath("user/settings.ini")));
}

TEST_F(Registry, KeysAndNamesIgnoreLetterCase) {
    lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, "SOFTWARE\\kelvane\\script editor", "fullview", ""),
              "1");
    lib.WriteRegistry(RegistryRoot::CurrentUser, "software\\KELVANE\\Script Editor", "FULLVIEW", "0");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", ""), "0");
    QFile file(dir.filePath("user/settings.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().count("FullView"), 1);
}

TEST_F(Registry, ValuesAndNamesRoundTrip) {
    const QString text = "DIM:SUB, FUNCTION;\"quoted\" @at =eq [x] ü€\\back";
    for (const QString& name : {QString("Start VB Script Commands"), QString("a/b\\c%d"), QString()}) {
        lib.WriteRegistry(RegistryRoot::LocalMachine, MachineKey, name, text + name);
        EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, MachineKey, name, ""), text + name);
    }
    lib.WriteRegistry(RegistryRoot::LocalMachine, MachineKey, "Empty", "");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, MachineKey, "Empty", "default"), "");
}

TEST_F(Registry, HandWrittenFilesAreRead) {
    writeIni("machine.ini", "[Software]\n"
                            "Kelvane\\Markrunner\\Script%20Editor\\VB%20Types=Integer,Long,String\n"
                            "Kelvane\\Markrunner\\Script%20Editor\\VB%20Keywords=\"DIM, SUB\"\n");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, MachineKey, "VB Types", ""),
              "Integer,Long,String");
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::LocalMachine, MachineKey, "VB Keywords", ""), "DIM, SUB");
}

TEST_F(Registry, FollowsTheEnvironmentOnEveryCall) {
    lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "1");
    {
        const ScopedEnv other("QXTE_USER_SETTINGS", dir.filePath("other.ini"));
        EXPECT_EQ(qx::Registry::SettingsFile(RegistryRoot::CurrentUser), dir.filePath("other.ini"));
        EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "missing"), "missing");
    }
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "missing"), "1");
}

TEST_F(Registry, AWriteThatCannotBeStoredIsAnError) {
    writeIni("blocker", "a file where a folder should be");
    const ScopedEnv blocked("QXTE_USER_SETTINGS", dir.filePath("blocker/settings.ini"));
    EXPECT_THROW(lib.WriteRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "1"), LibraryError);
    EXPECT_EQ(lib.ReadRegistry(RegistryRoot::CurrentUser, UserKey, "FullView", "d"), "d");
}

TEST(RegistryDefaults, UseTheStandardLocations) {
    const ScopedEnv user("QXTE_USER_SETTINGS", "");
    const ScopedEnv machine("QXTE_MACHINE_SETTINGS", "");
    EXPECT_TRUE(
        qx::Registry::SettingsFile(RegistryRoot::CurrentUser).endsWith("/Kelvane/qxTagEditor2-user.ini"));
    EXPECT_EQ(qx::Registry::SettingsFile(RegistryRoot::LocalMachine),
              "/etc/xdg/Kelvane/qxTagEditor2-machine.ini");
}
