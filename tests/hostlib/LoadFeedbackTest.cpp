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

// Records what the loaders announce, and installs itself for the life of the test.
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

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A valid property file of at least `bytes` bytes.
QByteArray propertyFile(qint64 bytes) {
    QByteArray items = R"({"name": "first"})";
    while (items.size() < bytes)
        items += R"(, {"name": "Member", "value": "a value that takes some room"})";
    return R"({"format": "qxTagEditor2.properties", "version": 1, "items": [)" + items + "]}";
}

QByteArray referenceFile(qint64 bytes) {
    QByteArray handlers = R"({"name": "FIRST"})";
    while (handlers.size() < bytes)
        handlers += R"(, {"name": "X-HANDLER", "items": ["an item that takes some room"]})";
    return R"({"format": "qxTagEditor2.reference", "version": 1, "handlers": [)" + handlers + "]}";
}

class LoadFeedbackTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    RecordingFeedback feedback;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(LoadFeedbackTest, LargePropertyFilesAnnounceTheirReadingAlsoWhenItFails) {
    const QString big = path("big.tag");
    writeFile(big, propertyFile(ScopedLoad::kAnnouncedBytes));
    Properties list;
    list.LoadFromFile(big);
    EXPECT_GT(list.Count(), 1000);
    EXPECT_EQ(feedback.log, QStringList({"start " + big, "finish " + big}));

    feedback.log.clear();
    writeFile(path("small.tag"), propertyFile(100));
    list.LoadFromFile(path("small.tag"));
    EXPECT_TRUE(feedback.log.isEmpty()) << "a small file is read too fast to be felt";

    const QString broken = path("broken.tag");
    writeFile(broken, propertyFile(ScopedLoad::kAnnouncedBytes).chopped(2));
    EXPECT_THROW(list.LoadFromFile(broken), LibraryError);
    EXPECT_EQ(feedback.log, QStringList({"start " + broken, "finish " + broken}));
}

TEST_F(LoadFeedbackTest, ALargeReferenceFileIsAnnouncedOnceWhileItIsCached) {
    const QString big = path("reference.json");
    writeFile(big, referenceFile(ScopedLoad::kAnnouncedBytes));
    qxDatabase database(big);
    ScriptReference reference;
    reference.setDatabase(&database);
    EXPECT_EQ(reference.HandlerNames("", false)->Count(), 1);
    EXPECT_EQ(reference.HandlerItems("FIRST"), "");
    EXPECT_EQ(feedback.log, QStringList({"start " + big, "finish " + big}));
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
    EXPECT_TRUE(first.log.isEmpty());
    installLoadFeedback(nullptr);
    { const ScopedLoad load("file", ScopedLoad::kAnnouncedBytes * 2); }
    EXPECT_TRUE(first.log.isEmpty());
    EXPECT_EQ(second.log.size(), 2);
    installLoadFeedback(&second); // each recorder puts back the one it replaced
}

} // namespace
} // namespace qx
