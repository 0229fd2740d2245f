#pragma once

#include <QString>
#include <QtGlobal>

namespace qx {

// Lets a long file read announce itself, so that the window can show that it is busy (a wait cursor)
// while the host library reads a large reference file or member file.
class LoadFeedback {
public:
    virtual ~LoadFeedback() = default;
    // A read of the file begins, and has ended (also when it failed). Both are called on the thread that
    // reads, one finish for each start, while the reader holds its locks: they must not process events or
    // read through the host library themselves.
    virtual void loadStarted(const QString& path) = 0;
    virtual void loadFinished(const QString& path) = 0;
};

// Installs the feedback of the whole process (nullptr: none) and returns the one installed before. The
// object is not owned; it must stay alive while installed.
LoadFeedback* installLoadFeedback(LoadFeedback* feedback);
LoadFeedback* installedLoadFeedback();

// Announces a file read to the installed feedback for the life of the object, when the file is large
// enough for the read to be felt (kAnnouncedBytes or more).
class ScopedLoad {
public:
    static constexpr qint64 kAnnouncedBytes = 1024 * 1024;

    ScopedLoad(const QString& path, qint64 bytes);
    ~ScopedLoad();
    ScopedLoad(const ScopedLoad&) = delete;
    ScopedLoad& operator=(const ScopedLoad&) = delete;

private:
    LoadFeedback* mFeedback = nullptr;
    QString mPath;
};

} // namespace qx
