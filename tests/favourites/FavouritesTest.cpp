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

// Files that cannot be read as favourites, each to be left exactly as it is.
const struct Unreadable {
    const char* what;
    QByteArray bytes;
} kUnreadable[] = {
    {"damaged", R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{"name": "Lo)"},
    {"newer format", R"({"format": "qxTagEditor2.properties", "version": 2, "items": []})"},
    {"another program's file", QByteArray::fromHex("0001") + "binary\xff"},
    {"an item without a name", R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{}]})"},
};

class FavouritesTest : public ::testing::Test {
protected:
    qx::test::TempSettings settings;
};

TEST_F(FavouritesTest, NoFileMeansNoFavouritesAndNoFile) {
    Control control;
    EXPECT_TRUE(control.favourites.items().isEmpty());
    EXPECT_FALSE(control.favourites.reloadIfChanged());
    EXPECT_TRUE(control.messages.messages().isEmpty());
    EXPECT_FALSE(QFile::exists(Favourites::FilePath()));
    EXPECT_EQ(Favourites::FilePath(), settings.userDataDir() + "/Kelvane/qxTagFav.dat");
}

TEST_F(FavouritesTest, AnAddedFavouriteIsTheLastItemAndANewControlLoadsIt) {
    Control control;
    control.add("First", "<QX:A>a</QX>");
    const auto added = control.favourites.addToFavourites(kTag); // OK on the proposed name

    ASSERT_TRUE(added);
    EXPECT_EQ(added->position, 2);
    EXPECT_EQ(added->name, "QX>DB-QUERY");
    EXPECT_TRUE(added->saved);
    const auto& question = control.input.questions().last();
    EXPECT_EQ(question.prompt, "Enter the name to use for the favourites");
    EXPECT_EQ(question.title, "Kelvane Tag Favourite");
    EXPECT_EQ(question.defaultText, "QX>DB-QUERY");
    EXPECT_EQ(control.names(), (QStringList{"First", "QX>DB-QUERY"}));
    EXPECT_EQ(control.favourites.items().last().text, kTag);

    Control later;
    EXPECT_EQ(later.names(), (QStringList{"First", "QX>DB-QUERY"}));
    EXPECT_EQ(later.favourites.snippet(2), kTag); // line breaks kept as CR LF
    EXPECT_EQ(later.favourites.snippet(0), std::nullopt);
    EXPECT_EQ(later.favourites.snippet(3), std::nullopt);
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

TEST_F(FavouritesTest, NamesAreShownAsTypedAndNeverReplaceAnother) {
    Control control;
    for (const char* name : {"Tom & Jerry", "Query", "query", "Query", "50%1", "50%1", ""})
        control.add(name);

    EXPECT_EQ(control.names(),
              (QStringList{"Tom & Jerry", "Query", "query (2)", "Query (3)", "50%1", "50%1 (2)", ""}));
    EXPECT_EQ(control.favourites.items().first().caption, "Tom && Jerry");
    EXPECT_EQ(Control().names(), control.names());
}

TEST_F(FavouritesTest, CancelAddsNothingAndAnEmptyAnswerIsAName) {
    Control control;
    control.input.cancel();
    EXPECT_EQ(control.favourites.addToFavourites(kTag), std::nullopt);
    EXPECT_TRUE(control.favourites.items().isEmpty());
    EXPECT_FALSE(QFile::exists(Favourites::FilePath()));

    const auto added = control.add("");
    ASSERT_TRUE(added);
    EXPECT_TRUE(added->saved);
    EXPECT_EQ(Control().names(), QStringList{""});
}

TEST_F(FavouritesTest, AFileThatCannotBeReadIsLeftByteForByte) {
    for (const Unreadable& file : kUnreadable) {
        SCOPED_TRACE(file.what);
        writeBytes(Favourites::FilePath(), file.bytes);

        Control control;
        EXPECT_TRUE(control.favourites.fileUnreadable());
        EXPECT_TRUE(control.messages.messages().isEmpty()); // nothing is shown while the control is made
        const auto added = control.add("Mine");

        ASSERT_TRUE(added);
        EXPECT_FALSE(added->saved);
        EXPECT_EQ(control.names(), QStringList{"Mine"});
        EXPECT_EQ(readBytes(Favourites::FilePath()), file.bytes);
        ASSERT_EQ(control.messages.messages().size(), 1);
        EXPECT_TRUE(control.messages.messages()[0].text.contains(Favourites::FilePath()));
        EXPECT_FALSE(control.favourites.reloadIfChanged());
        EXPECT_EQ(control.names(), QStringList{"Mine"});
    }
}

TEST_F(FavouritesTest, AFileDamagedAfterStartIsLeftAndTheFavouritesKept) {
    Control control;
    control.add("Old");
    writeBytes(Favourites::FilePath(), kUnreadable[0].bytes);

    control.add("New");

    EXPECT_EQ(control.names(), (QStringList{"Old", "New"}));
    EXPECT_EQ(readBytes(Favourites::FilePath()), kUnreadable[0].bytes);
    EXPECT_EQ(control.messages.messages().size(), 1);

    // Once the file is readable again, the next addition saves what was kept.
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
    const auto added = control.add("Kept");

    ASSERT_TRUE(added);
    EXPECT_FALSE(added->saved);
    EXPECT_EQ(control.names(), QStringList{"Kept"});
    ASSERT_EQ(control.messages.messages().size(), 1);
    EXPECT_TRUE(control.messages.messages()[0].text.contains(Favourites::FilePath()));
    EXPECT_FALSE(control.favourites.reloadIfChanged());
    EXPECT_EQ(control.names(), QStringList{"Kept"});

    ASSERT_TRUE(QFile::remove(blocker));
    EXPECT_TRUE(control.add("Next")->saved);
    EXPECT_EQ(Control().names(), (QStringList{"Kept", "Next"}));
    EXPECT_EQ(control.messages.messages().size(), 1);
}

TEST_F(FavouritesTest, AnEmptyFileHoldsNoFavouritesAndIsReplaced) {
    for (const QByteArray& bytes : {QByteArray(), QByteArray(" \r\n\t")}) {
        writeBytes(Favourites::FilePath(), bytes);
        Control control;
        EXPECT_FALSE(control.favourites.fileUnreadable());
        EXPECT_TRUE(control.add("Mine")->saved);
        EXPECT_EQ(Control().names(), QStringList{"Mine"});
    }
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
    const struct {
        QString selection;
        QString proposal;
    } cases[] = {
        {kTag, "QX>DB-QUERY"},
        {"<QX:VBS>\r\nx = a:b\r\n</QX>", "QX>VBS"},
        {"<QX>", "QX>"},
        {"", ">"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Favourites::ProposedName(c.selection), c.proposal) << c.selection.toStdString();
}

} // namespace
