#include "highlight/LineStates.h"

#include "text/OwedShift.h"

#include <algorithm>

namespace qx {

void LineStates::clear() {
    mEntries.clear();
    mShiftFrom = 0;
    mShift = 0;
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
    size_t low = 0, high = mEntries.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (at(middle) < pos)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void LineStates::moveShiftTo(size_t index) {
    moveOwedShift(mEntries, mShiftFrom, mShift, index, [](Entry& e) -> int& { return e.start; });
}

std::optional<LineStates::Entry> LineStates::restartPoint() const {
    // The state at a line start depends only on the text before it, which no edit touched.
    const int limit = mEdited ? mDirtyStart : mLength;
    const size_t after = lowerBound(limit + 1);
    if (after == 0)
        return std::nullopt;
    return Entry{at(after - 1), mEntries[after - 1].state};
}

bool LineStates::unchangedFrom(int pos, quint32 state) const {
    if (!mEdited || pos < mDirtyNewEnd)
        return false;
    const int oldPos = pos - mDirtyNewEnd + mDirtyOldEnd;
    const size_t i = lowerBound(oldPos);
    return i < mEntries.size() && at(i) == oldPos && mEntries[i].state == state;
}

void LineStates::finishPass(int from, std::vector<Entry> fresh, int stop, int length) {
    if (from < 0) {
        mEntries = std::move(fresh);
        mShiftFrom = mEntries.size();
        mShift = 0;
    } else {
        // The entries after `from` up to the stop are replaced in place, those after it owe the edits' shift:
        // no copy of the whole list, whose length follows the text's, and no pass over it.
        const size_t head = lowerBound(from + 1);
        size_t tail = mEntries.size();
        if (stop >= 0)
            tail = lowerBound(stop - (mEdited ? mDirtyNewEnd - mDirtyOldEnd : 0) + 1);
        moveShiftTo(tail);
        if (stop >= 0)
            mShift += mEdited ? mDirtyNewEnd - mDirtyOldEnd : 0;
        mShiftFrom = head + fresh.size();
        const size_t common = std::min(fresh.size(), tail - head);
        const auto place = mEntries.begin() + qsizetype(head);
        std::copy_n(fresh.begin(), common, place);
        if (fresh.size() > common)
            mEntries.insert(place + qsizetype(common), fresh.begin() + qsizetype(common), fresh.end());
        else
            mEntries.erase(place + qsizetype(common), mEntries.begin() + qsizetype(tail));
    }
    mKnown = true;
    mEdited = false;
    mLength = length;
}

} // namespace qx
