#include "hostlib/LoadFeedback.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Properties.h"
#include "hostlib/ScriptReference.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace qx {
namespace {

// Records what the loaders announce, and installs itself for its life.
class RecordingFeedback : public LoadFeedback {
public:
    RecordingFeedback()
        : mPrevious(installLoadFeedback(this)) {}
    ~RecordingFeedback() override { installLoadFeedback(mPrevious); }
    void loadStarted(const QString& path) override { log << "start " + path; }
    void loadFinished(const QString& path) override { log << "finish " + path; }
    QStringList log;

private:
    LoadFeedback* mPrevious;
};

// Large files are announced, also when their reading fails; a reference file only when it is read, not
// while it is cached.
TEST(LoadFeedback, LargeFilesAreAnnouncedWhileTheyAreRead) {
    QTemporaryDir dir;
    RecordingFeedback feedback;
    const QByteArray filler(ScopedLoad::kAnnouncedBytes, 'x');
    const QByteArray big =
        R"({"format": "qxTagEditor2.properties", "version": 1, "items": [{"name": "a", "value": ")" + filler +
        "\"}]}";
    const QByteArray small = R"({"format": "qxTagEditor2.properties", "version": 1, "items": []})";
    const QByteArray reference =
        R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": [{"name": "H", "items": [")" +
        filler + "\"]}]}";
    const QStringList names = {"big.tag", "small.tag", "broken.tag", "reference.json"};
    const QByteArray contents[] = {big, small, big.chopped(2), reference};
    for (int i = 0; i < 4; ++i) {
        QFile file(dir.filePath(names[i]));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents[i]);
    }
    Properties list;
    list.LoadFromFile(dir.filePath("big.tag"));
    list.LoadFromFile(dir.filePath("small.tag"));
    EXPECT_THROW(list.LoadFromFile(dir.filePath("broken.tag")), LibraryError);
    qxDatabase database(dir.filePath("reference.json"));
    ScriptReference lists;
    lists.setDatabase(&database);
    EXPECT_EQ(lists.HandlerItems("H").size(), filler.size());
    EXPECT_EQ(lists.HandlerItems("H").size(), filler.size());
    QStringList expected;
    for (const char* name : {"big.tag", "broken.tag", "reference.json"})
        expected << "start " + dir.filePath(name) << "finish " + dir.filePath(name);
    EXPECT_EQ(feedback.log, expected);
}

TEST(LoadFeedback, TheFinishGoesWhereTheStartWentAndWithoutFeedbackNothingIsSaid) {
    RecordingFeedback first;
    RecordingFeedback second; // installed over the first
    EXPECT_EQ(installedLoadFeedback(), &second);
    {
        const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes);
        installLoadFeedback(&first);
    }
    EXPECT_EQ(second.log, QStringList({"start file", "finish file"}));
    installLoadFeedback(nullptr);
    { const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes * 2); }
    EXPECT_TRUE(first.log.isEmpty());
    EXPECT_EQ(second.log.size(), 2);
    installLoadFeedback(&second); // each recorder puts back the one it replaced
}

} // namespace
} // namespace qx
