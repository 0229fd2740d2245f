#include "hostlib/LoadFeedback.h"

#include <atomic>

namespace qx {

namespace {
std::atomic<LoadFeedback*> gFeedback{nullptr};
}

LoadFeedback* installLoadFeedback(LoadFeedback* feedback) {
    return gFeedback.exchange(feedback);
}

LoadFeedback* installedLoadFeedback() {
    return gFeedback.load();
}

ScopedLoad::ScopedLoad(const QString& path, qint64 bytes) {
    if (bytes < kAnnouncedBytes)
        return;
    // The finish goes to the feedback that saw the start, even if another is installed meanwhile.
    mFeedback = gFeedback.load();
    mPath = path;
    if (mFeedback)
        mFeedback->loadStarted(mPath);
}

ScopedLoad::~ScopedLoad() {
    if (mFeedback)
        mFeedback->loadFinished(mPath);
}

} // namespace qx
