#include "assist/TagIndex.h"

#include "platform/CodeBox.h"

#include <algorithm>
#include <iterator>

namespace qx {

namespace {
// A build reads the text in pieces of this many characters.
constexpr int kScanChunk = 1 << 16;
} // namespace

std::size_t TagIndex::Positions::lowerBound(int position) const {
    std::size_t low = 0;
    std::size_t high = stored.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (at(middle) < position)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void TagIndex::Positions::moveShiftTo(std::size_t index) {
    if (shift != 0) {
        for (std::size_t i = index; i < shiftFrom; ++i)
            stored[i] -= shift;
        for (std::size_t i = shiftFrom; i < index; ++i)
            stored[i] += shift;
    }
    shiftFrom = index;
}

void TagIndex::Positions::scan(const CodeBox& box, int from, int to) {
    from = std::max(from, 0);
    const int span = int(marker.size());
    for (int start = from; start < to; start += kScanChunk) {
        const int end = std::min(to, start + kScanChunk);
        // Only the characters a marker starting before `end` can reach are read.
        const QString piece = box.TextRange(start, end + span - 1);
        for (qsizetype found = piece.indexOf(marker, 0, Qt::CaseInsensitive);
             found >= 0 && start + found < end;
             found = piece.indexOf(marker, found + 1, Qt::CaseInsensitive)) {
            const int position = start + int(found);
            const std::size_t place = lowerBound(position);
            if (place < stored.size() && at(place) == position)
                continue;
            if (place < shiftFrom) {
                stored.insert(stored.begin() + std::ptrdiff_t(place), position);
                ++shiftFrom;
            } else {
                stored.insert(stored.begin() + std::ptrdiff_t(place), position - shift);
            }
        }
    }
}

// A marker that overlapped the replaced characters is gone; those after them move; new ones can only
// start within a marker's length of the inserted characters.
void TagIndex::Positions::edited(const CodeBox& box, int position, int removed, int added) {
    const int span = int(marker.size());
    const std::size_t first = lowerBound(position - span + 1);
    const std::size_t last = lowerBound(position + removed);
    moveShiftTo(first);
    if (last > first)
        stored.erase(stored.begin() + std::ptrdiff_t(first), stored.begin() + std::ptrdiff_t(last));
    shift += added - removed;
    scan(box, position - span + 1, position + added);
}

void TagIndex::Edited(const CodeBox& box, int position, int removed, int added) {
    const int length = box.TextLength();
    if (!mBuilt) {
        // A new text is indexed as it comes, rather than on the first key that asks.
        if (position == 0 && added == length)
            ensureBuilt(box);
        return;
    }
    if (removed < 0 || mLength - removed + added != length) {
        mBuilt = false;
        return;
    }
    mOpeners.edited(box, position, removed, added);
    mClosers.edited(box, position, removed, added);
    mLength = length;
}

void TagIndex::ensureBuilt(const CodeBox& box) {
    const int length = box.TextLength();
    if (mBuilt && mLength == length)
        return;
    for (Positions* list : {&mOpeners, &mClosers}) {
        list->stored.clear();
        list->shiftFrom = 0;
        list->shift = 0;
        list->scan(box, 0, length);
    }
    mLength = length;
    mBuilt = true;
}

int TagIndex::LastOpener(const CodeBox& box, int end) {
    ensureBuilt(box);
    const std::size_t after = mOpeners.lowerBound(end - int(mOpeners.marker.size()) + 1);
    return after == 0 ? -1 : mOpeners.at(after - 1);
}

int TagIndex::LastCloser(const CodeBox& box, int end) {
    ensureBuilt(box);
    const std::size_t after = mClosers.lowerBound(end - int(mClosers.marker.size()) + 1);
    return after == 0 ? -1 : mClosers.at(after - 1);
}

int TagIndex::NextCloser(const CodeBox& box, int from) {
    ensureBuilt(box);
    const std::size_t next = mClosers.lowerBound(from);
    return next == mClosers.stored.size() ? -1 : mClosers.at(next);
}

int BoxCompletionText::size() const {
    return mBox.TextLength();
}

QChar BoxCompletionText::at(int pos) const {
    return mBox.CharAt(pos);
}

QString BoxCompletionText::span(int start, int end) const {
    return mBox.TextRange(start, end);
}

int BoxCompletionText::nextGreater(int from) const {
    const int closer = mTags.NextCloser(mBox, from);
    const int to = closer >= 0 ? closer + int(std::size(kTagCloser)) - 1 : mBox.TextLength();
    int chunk = 256;
    for (int start = std::max(from, 0); start < to; start += chunk, chunk = std::min(chunk * 2, kScanChunk)) {
        const qsizetype found = mBox.TextRange(start, std::min(to, start + chunk)).indexOf(u'>');
        if (found >= 0)
            return start + int(found);
    }
    return -1;
}

int BoxCompletionText::lineOf(int pos) const {
    return mBox.GetLineFromChar(pos);
}

} // namespace qx
