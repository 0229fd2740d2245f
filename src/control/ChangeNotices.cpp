#include "control/ChangeNotices.h"

#include "platform/EntryGuard.h"

namespace qx {

ChangeNotices::ChangeNotices(std::function<Observed()> observe, std::function<void(Notice, qint64)> announce)
    : mObserve(std::move(observe))
    , mAnnounce(std::move(announce)) {}

void ChangeNotices::Start() {
    mKnown = mObserve();
    mStarted = true;
}

ChangeNotices::Entry::Entry(ChangeNotices& notices, bool quiet) noexcept
    : mNotices(notices)
    , mQuiet(quiet) {
    ++mNotices.mDepth;
}

ChangeNotices::Entry::~Entry() {
    if (--mNotices.mDepth == 0 && !mQuiet)
        runEntry("Announcing changes", [this] { mNotices.publish(); });
}

// What the host knows is brought up to date before it is told, so that a host's call from a signal
// announces only what that call changed. A value such a call has moved on since is not announced again:
// the host has already heard the newer one.
void ChangeNotices::publish() {
    if (!mStarted)
        return;
    const Observed now = mObserve();
    const Observed before = std::exchange(mKnown, now);
    ++mAnnouncing;
    struct Done {
        int& count;
        ~Done() { --count; }
    } done{mAnnouncing};
    for (std::size_t i = 0; i < now.size() && mStarted; ++i)
        if (now[i] != before[i] && mKnown[i] == now[i])
            mAnnounce(Notice(i), now[i]);
}

} // namespace qx
