#include "hostlib/Registry.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

#include "ScopedEnv.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using qx::LibraryError;
using qx::RegistryRoot;

namespace {

const QString UserKey = "Software\\Kelvane\\Script Editor";
const QString MachineKey = "Software/Kelvane/Markrunner/Script Editor";
constexpr RegistryRoot User = RegistryRoot::CurrentUser;
constexpr RegistryRoot Machine = RegistryRoot::LocalMachine;

class Registry : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ScopedEnv user{"QXTE_USER_SETTINGS", dir.filePath("user/settings.ini")};
    ScopedEnv machine{"QXTE_MACHINE_SETTINGS", dir.filePath("machine.ini")};
    qx::Library& lib = qx::Library::instance();

    QByteArray fileText(const QString& name) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString& name, const QByteArray& content) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

} // namespace

TEST_F(Registry, MissingValuesGiveTheDefaultAndRootsAreKeptApart) {
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Syntax Highlighting", "1"), "1");
    EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, "VB Keywords", ""), "");
    lib.WriteRegistry(User, UserKey, "FullView", "0");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "Other", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(User, "Software\\Elsewhere", "FullView", "d"), "d");
    EXPECT_EQ(lib.ReadRegistry(Machine, UserKey, "FullView", "none"), "none");
}

TEST_F(Registry, KeyStylesAndLetterCaseNameTheSameValue) {
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    EXPECT_EQ(lib.ReadRegistry(User, "Software/Kelvane/Script Editor", "FullView", ""), "1");
    EXPECT_EQ(lib.ReadRegistry(User, "SOFTWARE\\kelvane\\script editor\\", "fullview", ""), "1");
    lib.WriteRegistry(User, "software/KELVANE/Script Editor", "FULLVIEW", "0");
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", ""), "0");
    EXPECT_EQ(fileText("user/settings.ini").count("FullView"), 1);
}

TEST_F(Registry, ValuesAndNamesRoundTrip) {
    const QString text = "DIM:SUB, FUNCTION;\"quoted\" @at =eq [x] ü€\\back";
    for (const QString& name : {QString("Start VB Script Commands"), QString("a/b\\c%d"), QString()}) {
        lib.WriteRegistry(Machine, MachineKey, name, text + name);
        EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, name, ""), text + name);
    }
    lib.WriteRegistry(Machine, MachineKey, "Empty", "");
    EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, "Empty", "default"), "");
}

TEST_F(Registry, HandWrittenFilesAreRead) {
    writeFile("machine.ini", "[Software]\n"
                             "Kelvane\\Markrunner\\Script%20Editor\\VB%20Types=Integer,Long,String\n"
                             "Kelvane\\Markrunner\\Script%20Editor\\VB%20Keywords=\"DIM, SUB\"\n");
    EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, "VB Types", ""), "Integer,Long,String");
    EXPECT_EQ(lib.ReadRegistry(Machine, MachineKey, "VB Keywords", ""), "DIM, SUB");
}

TEST_F(Registry, FollowsTheEnvironmentOnEveryCall) {
    lib.WriteRegistry(User, UserKey, "FullView", "1");
    {
        const ScopedEnv other("QXTE_USER_SETTINGS", dir.filePath("other.ini"));
        EXPECT_EQ(qx::Registry::SettingsFile(User), dir.filePath("other.ini"));
        EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "missing"), "missing");
    }
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "missing"), "1");
}

TEST_F(Registry, AWriteThatCannotBeStoredIsAnError) {
    writeFile("blocker", "a file where a folder should be");
    const ScopedEnv blocked("QXTE_USER_SETTINGS", dir.filePath("blocker/settings.ini"));
    EXPECT_THROW(lib.WriteRegistry(User, UserKey, "FullView", "1"), LibraryError);
    EXPECT_EQ(lib.ReadRegistry(User, UserKey, "FullView", "d"), "d");
}

TEST(RegistryDefaults, UseTheStandardLocations) {
    const ScopedEnv user("QXTE_USER_SETTINGS", "");
    const ScopedEnv machine("QXTE_MACHINE_SETTINGS", "");
    EXPECT_TRUE(qx::Registry::SettingsFile(User).endsWith("/Kelvane/qxTagEditor2-user.ini"));
    EXPECT_EQ(qx::Registry::SettingsFile(Machine), "/etc/xdg/Kelvane/qxTagEditor2-machine.ini");
}
