#include "highlight/LineStates.h"

#include <algorithm>

namespace qx {

void LineStates::clear() {
    mEntries.clear();
    mKnown = false;
    mEdited = false;
}

void LineStates::Edited(int position, int removed, int added) {
    mLength += added - removed;
    if (!mEdited) {
        mEdited = true;
        mDirtyStart = position;
        mDirtyOldEnd = position + removed;
        mDirtyNewEnd = position + added;
        return;
    }
    // The union of the stretch edited before and this edit, in today's positions, mapped back.
    const int end = std::max(mDirtyNewEnd, position + removed);
    mDirtyOldEnd += end - mDirtyNewEnd;
    mDirtyNewEnd = end + added - removed;
    mDirtyStart = std::min(mDirtyStart, position);
}

size_t LineStates::lowerBound(int pos) const {
    return size_t(std::lower_bound(mEntries.begin(), mEntries.end(), pos,
                                   [](const Entry& e, int p) { return e.start < p; }) -
                  mEntries.begin());
}

std::optional<LineStates::Entry> LineStates::restartPoint() const {
    // The state at a line start depends only on the text before it, which no edit touched.
    const int limit = mEdited ? mDirtyStart : mLength;
    const size_t after = lowerBound(limit + 1);
    if (after == 0)
        return std::nullopt;
    return mEntries[after - 1];
}

bool LineStates::unchangedFrom(int pos, quint32 state) const {
    if (!mEdited || pos < mDirtyNewEnd)
        return false;
    const int oldPos = pos - mDirtyNewEnd + mDirtyOldEnd;
    const size_t i = lowerBound(oldPos);
    return i < mEntries.size() && mEntries[i].start == oldPos && mEntries[i].state == state;
}

void LineStates::finishPass(int from, std::vector<Entry> fresh, int stop, int length) {
    std::vector<Entry> kept;
    if (from >= 0) {
        const size_t head = lowerBound(from + 1);
        kept.reserve(mEntries.size() + fresh.size());
        kept.assign(mEntries.begin(), mEntries.begin() + qsizetype(head));
    }
    kept.insert(kept.end(), fresh.begin(), fresh.end());
    if (from >= 0 && stop >= 0) {
        const int oldStop = mEdited ? stop - mDirtyNewEnd + mDirtyOldEnd : stop;
        for (size_t i = lowerBound(oldStop + 1); i < mEntries.size(); ++i)
            kept.push_back({mEdited ? shifted(mEntries[i].start) : mEntries[i].start, mEntries[i].state});
    }
    mEntries = std::move(kept);
    mKnown = true;
    mEdited = false;
    mLength = length;
}

} // namespace qx
