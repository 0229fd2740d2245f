#include "favourites/Favourites.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryMessageBox.h"
#include "support/TempSettings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

using qx::Favourites;

namespace {

const QString kTag = QStringLiteral("<QX:DB-QUERY>\r\nSELECT a:b\r\n</QX>");

// One editor control's share of the favourites: its state, its input box and its message box.
struct Control {
    qx::EditorState state;
    qx::MemoryInputBox input;
    qx::MemoryMessageBox messages;
    Favourites favourites{state, input, messages};

    Control() { favourites.load(); }
    std::optional<Favourites::Added> add(const QString& name, const QString& text = kTag) {
        input.answer(name);
        return favourites.addToFavourites(text);
    }
    QStringList names() const {
        QStringList list;
        for (const Favourites::Item& item : favourites.items())
            list << item.name;
        return list;
    }
};

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FavouritesTest : public ::testing::Test {
protected:
    qx::test::TempSettings settings;
};

TEST_F(FavouritesTest, AddedFavouritesGoLastUnderUniqueNamesAndANewControlLoadsThem) {
    Control control;
    EXPECT_FALSE(control.favourites.reloadIfChanged()) << "no file, nothing to read";
    control.input.cancel();
    EXPECT_EQ(control.favourites.addToFavourites(kTag), std::nullopt);
    EXPECT_FALSE(QFile::exists(Favourites::FilePath())) << "Cancel adds nothing";

    const auto added = control.favourites.addToFavourites(kTag); // OK on the proposed name
    ASSERT_TRUE(added);
    EXPECT_EQ(added->name, "QX>DB-QUERY");
    EXPECT_TRUE(added->saved);
    for (const char* name : {"Tom & Jerry", "Query", "query", "Query", "", "50%1"})
        control.add(name, "<QX:A>a</QX>");
    EXPECT_EQ(control.add("50%1")->position, 8);
    const QStringList names = {"QX>DB-QUERY", "Tom & Jerry", "Query", "query (2)", "Query (3)", "",
                               "50%1",        "50%1 (2)"};
    EXPECT_EQ(control.names(), names);
    EXPECT_EQ(control.favourites.items()[1].caption, "Tom && Jerry");

    Control later;
    EXPECT_EQ(later.names(), names);
    EXPECT_EQ(later.favourites.snippet(1), kTag) << "line breaks kept as CR LF";
    EXPECT_EQ(later.favourites.snippet(8), kTag);
    EXPECT_EQ(later.favourites.snippet(0), std::nullopt);
    EXPECT_EQ(later.favourites.snippet(9), std::nullopt);
    EXPECT_TRUE(control.messages.messages().isEmpty());
}

TEST_F(FavouritesTest, ControlsAddingInTurnKeepEachOthersFavourites) {
    Control a;
    Control b;
    a.add("Same");
    b.add("Same");
    a.add("Mine");
    EXPECT_EQ(Control().names(), (QStringList{"Same", "Same (2)", "Mine"}));
    // b learns of a's last favourite when its menu next opens, and only then reads the file again.
    EXPECT_EQ(b.names(), (QStringList{"Same", "Same (2)"}));
    EXPECT_TRUE(b.favourites.reloadIfChanged());
    EXPECT_EQ(b.names(), (QStringList{"Same", "Same (2)", "Mine"}));
    EXPECT_FALSE(b.favourites.reloadIfChanged());
    EXPECT_FALSE(a.favourites.reloadIfChanged());
}

// A file that cannot be read (damaged, of a newer format, another program's) is left byte for byte and the
// favourite kept in the control; an empty file, or one of blanks, holds no favourites and is replaced.
TEST_F(FavouritesTest, AnUnreadableFileIsLeftByteForByteAndAnEmptyFileHoldsNoFavouritesAndIsReplaced) {
    const std::pair<QByteArray, bool> files[] = {
        {R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{"name": "Lo)", false},
        {R"({"format": "qxTagEditor2.properties", "version": 2, "items": []})", false},
        {QByteArray::fromHex("0001") + "binary\xff", false},
        {R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{}]})", false},
        {"", true},
        {" \r\n\t", true}};
    for (const auto& [bytes, readable] : files) {
        SCOPED_TRACE(bytes.toStdString());
        writeBytes(Favourites::FilePath(), bytes);
        Control control;
        EXPECT_EQ(control.favourites.fileUnreadable(), !readable);
        EXPECT_TRUE(control.messages.messages().isEmpty()) << "nothing is shown while the control is made";
        EXPECT_EQ(control.add("Mine")->saved, readable);
        EXPECT_FALSE(control.favourites.reloadIfChanged());
        EXPECT_EQ(control.names(), QStringList{"Mine"});
        if (readable) {
            EXPECT_EQ(Control().names(), QStringList{"Mine"});
        } else {
            EXPECT_EQ(readBytes(Favourites::FilePath()), bytes);
            ASSERT_EQ(control.messages.messages().size(), 1);
            EXPECT_TRUE(control.messages.messages()[0].text.contains(Favourites::FilePath()));
        }
    }
}

// What could not be saved stays in the control and is saved with the next addition that can be.
TEST_F(FavouritesTest, AFileDamagedAfterStartIsLeftAndTheFavouritesKept) {
    Control control;
    control.add("Old");
    const QByteArray damaged =
        R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{"name": "Lo)";
    writeBytes(Favourites::FilePath(), damaged);
    control.add("New");
    EXPECT_EQ(control.names(), (QStringList{"Old", "New"}));
    EXPECT_EQ(readBytes(Favourites::FilePath()), damaged);
    EXPECT_EQ(control.messages.messages().size(), 1);

    QFile::remove(Favourites::FilePath());
    EXPECT_TRUE(control.add("Third")->saved);
    EXPECT_EQ(Control().names(), (QStringList{"New", "Third"}));
}

TEST_F(FavouritesTest, AFailedSaveKeepsTheFavouriteAndSaysWhere) {
    // A data folder below a regular file cannot be created, whoever runs the test.
    const QString blocker = settings.path() + "/blocker";
    writeBytes(blocker, "a file, not a folder");
    qputenv("QXTE_USER_DATA_DIR", (blocker + "/data").toUtf8());
    Control control;
    EXPECT_FALSE(control.add("Kept")->saved);
    EXPECT_EQ(control.names(), QStringList{"Kept"});
    ASSERT_EQ(control.messages.messages().size(), 1);
    EXPECT_TRUE(control.messages.messages()[0].text.contains(Favourites::FilePath()));
    EXPECT_FALSE(control.favourites.reloadIfChanged());
    EXPECT_EQ(control.names(), QStringList{"Kept"});

    ASSERT_TRUE(QFile::remove(blocker));
    EXPECT_TRUE(control.add("Next")->saved);
    EXPECT_EQ(Control().names(), (QStringList{"Kept", "Next"}));
}

// A later version's keys, of the file and of its items, are written back as they were read.
TEST_F(FavouritesTest, KeysOfALaterVersionSurviveAnAddition) {
    const QJsonObject before = QJsonDocument::fromJson(R"({
        "format": "qxTagEditor2.properties", "version": 1, "owner": {"id": 7},
        "items": [{"name": "Old", "value": "x", "icon": "star", "uses": [1, null, true],
                   "items": [{"name": "child", "value": "", "colour": 255}]}]})")
                                   .object();
    writeBytes(Favourites::FilePath(), QJsonDocument(before).toJson());

    Control().add("New");

    const QJsonObject after = QJsonDocument::fromJson(readBytes(Favourites::FilePath())).object();
    EXPECT_EQ(after.value("owner"), before.value("owner"));
    EXPECT_EQ(after.value("items").toArray().at(0), before.value("items").toArray().at(0));
}

// Two processes adding at the same moment keep every favourite. The test runs itself twice more as the
// adders, which wait for each other so that their additions overlap.
TEST(FavouritesProcesses, AddingAtOnceLosesNothing) {
    constexpr int kEach = 20;
    const QString adder = qEnvironmentVariable("QX_FAVOURITES_ADDER");
    if (!adder.isEmpty()) {
        const QString ready = qEnvironmentVariable("QXTE_USER_DATA_DIR") + "/ready-";
        QFile(ready + adder).open(QIODevice::WriteOnly);
        for (QDeadlineTimer wait(10000); !QFile::exists(ready + "a") || !QFile::exists(ready + "b");) {
            ASSERT_FALSE(wait.hasExpired());
            QThread::yieldCurrentThread();
        }
        Control control;
        for (int i = 0; i < kEach; ++i)
            EXPECT_TRUE(control.add(adder + QString::number(i))->saved);
        return;
    }
    const qx::test::TempSettings settings;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter = QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name());
    QProcess adders[2];
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QX_FAVOURITES_ADDER", i == 0 ? "a" : "b");
        adders[i].setProcessEnvironment(environment);
        adders[i].setProcessChannelMode(QProcess::MergedChannels);
        adders[i].start(QCoreApplication::applicationFilePath(), {filter});
    }
    for (QProcess& process : adders) {
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    }
    QStringList expected;
    for (const char* adder : {"a", "b"})
        for (int i = 0; i < kEach; ++i)
            expected << adder + QString::number(i);
    QStringList names = Control().names();
    names.sort();
    expected.sort();
    EXPECT_EQ(names.join(' ').toStdString(), expected.join(' ').toStdString());
}

TEST(FavouritesNames, ProposalJoinsTheFirstTwoPieces) {
    const std::pair<QString, QString> cases[] = {
        {"<QX:VBS>\r\nx = a:b", "QX>VBS"}, {"<QX>", "QX>"}, {"", ">"}};
    for (const auto& [selection, proposal] : cases)
        EXPECT_EQ(Favourites::ProposedName(selection), proposal) << selection.toStdString();
}

} // namespace
