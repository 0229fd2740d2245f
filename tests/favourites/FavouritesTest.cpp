#include "favourites/Favourites.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/qt/QtInputBox.h"
#include "support/TempSettings.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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

// Whether the control said once that the favourites file could not be used, naming the file.
bool said(const Control& control) {
    const auto& messages = control.messages.messages();
    return messages.size() == 1 && messages[0].text.contains(Favourites::FilePath());
}

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

TEST_F(FavouritesTest, AddedFavouritesGoLastUnderUniqueNamesAndOtherControlsSeeThem) {
    Control control;
    Control other;
    EXPECT_FALSE(control.favourites.reloadIfChanged()) << "no file, nothing to read";
    control.input.cancel();
    EXPECT_EQ(control.favourites.addToFavourites(kTag), std::nullopt);
    EXPECT_FALSE(QFile::exists(Favourites::FilePath())) << "Cancel adds nothing";
    const auto added = control.favourites.addToFavourites(kTag); // OK on the proposed name
    ASSERT_TRUE(added);
    EXPECT_EQ(added->name, "QX>DB-QUERY");
    EXPECT_EQ(Favourites::ProposedName("<QX>"), "QX>");
    EXPECT_TRUE(added->saved);
    for (const char* name : {"Query", "query", "Query", "", "50%1"})
        control.add(name, "<QX:A>a</QX>");
    EXPECT_EQ(other.add("50%1")->position, 7) << "an addition reads the file first";
    const QStringList names = {"QX>DB-QUERY", "Query", "query (2)", "Query (3)", "", "50%1", "50%1 (2)"};
    EXPECT_EQ(other.names(), names);
    EXPECT_EQ(other.favourites.snippet(1), kTag) << "line breaks kept as CR LF";
    EXPECT_EQ(other.favourites.snippet(0), std::nullopt);
    EXPECT_EQ(other.favourites.snippet(8), std::nullopt);
    // The first control learns of the last favourite when its menu next opens, and only then reads again.
    EXPECT_EQ(control.names().size(), 6);
    EXPECT_TRUE(control.favourites.reloadIfChanged());
    EXPECT_FALSE(control.favourites.reloadIfChanged());
    EXPECT_FALSE(other.favourites.reloadIfChanged());
    EXPECT_EQ(Control().names(), names);
    EXPECT_TRUE(control.messages.messages().isEmpty());
}

TEST_F(FavouritesTest, AFileOfBlanksHoldsNoFavouritesAndIsReplaced) {
    writeBytes(Favourites::FilePath(), " \r\n\t");
    Control control;
    EXPECT_FALSE(control.favourites.fileUnreadable());
    EXPECT_TRUE(control.add("Mine")->saved);
    EXPECT_EQ(Control().names(), QStringList{"Mine"});
}

// What could not be saved stays in the control, is said once with the file's path, and is saved with the
// next addition that can be. An unreadable file is left byte for byte; nothing is shown on making a control.
TEST_F(FavouritesTest, WhatCouldNotBeSavedIsKeptAndSavedLater) {
    const QByteArray damaged =
        R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{"name": "Lo)";
    writeBytes(Favourites::FilePath(), damaged);
    Control control;
    EXPECT_TRUE(control.favourites.fileUnreadable());
    EXPECT_TRUE(control.messages.messages().isEmpty());
    EXPECT_FALSE(control.add("New")->saved);
    EXPECT_FALSE(control.favourites.reloadIfChanged());
    EXPECT_EQ(readBytes(Favourites::FilePath()), damaged);
    EXPECT_TRUE(said(control));
    QFile::remove(Favourites::FilePath());
    EXPECT_TRUE(control.add("Third")->saved);
    EXPECT_EQ(Control().names(), (QStringList{"New", "Third"}));

    // A data folder below a regular file cannot be created, whoever runs the test.
    const QString blocker = settings.path() + "/blocker";
    writeBytes(blocker, "a file, not a folder");
    qputenv("QXTE_USER_DATA_DIR", (blocker + "/data").toUtf8());
    Control other;
    EXPECT_FALSE(other.add("Kept")->saved);
    ASSERT_TRUE(QFile::remove(blocker));
    EXPECT_TRUE(other.add("Next")->saved);
    EXPECT_EQ(Control().names(), (QStringList{"Kept", "Next"}));
    EXPECT_TRUE(said(other));
}

// A later version's keys, of the file and of its items, are written back as they were read.
TEST_F(FavouritesTest, KeysOfALaterVersionSurviveAnAddition) {
    const QByteArray owner = R"({"id": 7})";
    const QByteArray item = R"({"name": "Old", "value": "x", "icon": "star", "uses": [1, null, true],
                               "items": [{"name": "child", "value": "", "colour": 255}]})";
    writeBytes(Favourites::FilePath(), R"({"format": "qxTagEditor2.properties", "version": 1, "owner": )" +
                                           owner + R"(, "items": [)" + item + "]}");
    Control().add("New");
    const QJsonObject after = QJsonDocument::fromJson(readBytes(Favourites::FilePath())).object();
    EXPECT_EQ(after.value("owner"), QJsonDocument::fromJson(owner).object());
    EXPECT_EQ(after.value("items")[0], QJsonDocument::fromJson(item).object());
}

// Two processes adding at once keep every favourite: the test runs itself twice more as overlapping adders.
TEST(FavouritesProcesses, AddingAtOnceLosesNothing) {
    const QString adder = qEnvironmentVariable("QX_FAVOURITES_ADDER");
    if (!adder.isEmpty()) {
        const QString ready = qEnvironmentVariable("QXTE_USER_DATA_DIR") + "/ready-";
        QFile(ready + adder).open(QIODevice::WriteOnly);
        for (QDeadlineTimer wait(10000); !QFile::exists(ready + "a") || !QFile::exists(ready + "b");)
            ASSERT_FALSE(wait.hasExpired());
        Control control;
        for (int i = 0; i < 20; ++i)
            EXPECT_TRUE(control.add(adder + QString::number(i))->saved);
        return;
    }
    const qx::test::TempSettings settings;
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    QProcess adders[2];
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QX_FAVOURITES_ADDER", QString("ab")[i]);
        adders[i].setProcessEnvironment(environment);
        adders[i].start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    }
    for (QProcess& process : adders)
        EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0)
            << process.readAll().toStdString();
    EXPECT_EQ(Control().names().size(), 40) << Control().names().join(' ').toStdString();
}

// OK on an emptied field is an answer of its own, never taken for Cancel.
TEST(QtInputBox, CancelIsTellableFromAnEmptyAnswer) {
    const std::pair<std::function<void(QInputDialog&)>, std::optional<QString>> cases[] = {
        {[](QInputDialog& d) { d.accept(); }, QString("QX>VBS")},
        {[](QInputDialog& d) { d.setTextValue({}), d.accept(); }, QString("")},
        {[](QInputDialog& d) { d.reject(); }, std::nullopt},
    };
    for (const auto& c : cases) {
        QWidget parent;
        qx::QtInputBox box(&parent);
        QTimer::singleShot(0, [&] { c.first(*parent.findChild<QInputDialog*>()); }); // once it is shown
        EXPECT_EQ(box.Ask("Enter the name", "Title", "QX>VBS"), c.second);
    }
}

} // namespace
