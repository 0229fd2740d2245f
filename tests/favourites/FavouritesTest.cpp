#include "favourites/Favourites.h"
#include "platform/EditorState.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryMessageBox.h"
#include "support/TempSettings.h"

#include <QDir>
#include <QFile>
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
    {"another program's file", "\x00\x01binary\xff"},
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
