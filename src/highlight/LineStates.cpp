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
    if (from < 0) {
        mEntries = std::move(fresh);
    } else {
        // The entries after `from` up to the stop are replaced in place, those after it move with the edits:
        // no copy of the whole list, whose length follows the text's.
        const size_t head = lowerBound(from + 1);
        size_t tail = mEntries.size();
        if (stop >= 0) {
            const int delta = mEdited ? mDirtyNewEnd - mDirtyOldEnd : 0;
            tail = lowerBound(stop - delta + 1);
            if (delta != 0)
                for (size_t i = tail; i < mEntries.size(); ++i)
                    mEntries[i].start += delta;
        }
        const size_t common = std::min(fresh.size(), tail - head);
        const auto at = mEntries.begin() + qsizetype(head);
        std::copy_n(fresh.begin(), common, at);
        if (fresh.size() > common)
            mEntries.insert(at + qsizetype(common), fresh.begin() + qsizetype(common), fresh.end());
        else
            mEntries.erase(at + qsizetype(common), mEntries.begin() + qsizetype(tail));
    }
    mKnown = true;
    mEdited = false;
    mLength = length;
}

} // namespace qx
