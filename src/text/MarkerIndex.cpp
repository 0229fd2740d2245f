#include "text/MarkerIndex.h"

#include "text/OwedShift.h"

#include <algorithm>

namespace qx {

namespace {
// A build reads the text in pieces of this many characters.
constexpr int kScanChunk = 1 << 16;

// A scan looks for one character of the marker, with the fast search for a single character, and compares
// the rest around it: the one that text holds least often, by this ranking, else the first.
qsizetype anchorOf(const QString& marker) {
    for (const char16_t rare : {u'~', u'{', u'\\', u'/', u'<'})
        if (const qsizetype at = marker.indexOf(QChar(rare)); at >= 0)
            return at;
    return 0;
}
} // namespace

MarkerIndex::MarkerIndex(QString marker, Qt::CaseSensitivity sensitivity)
    : mMarker(std::move(marker))
    , mSensitivity(sensitivity)
    , mAnchor(anchorOf(mMarker)) {}

std::size_t MarkerIndex::lowerBound(int position) const {
    std::size_t low = 0;
    std::size_t high = mPositions.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (at(middle) < position)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void MarkerIndex::moveShiftTo(std::size_t index) {
    moveOwedShift(mPositions, mShiftFrom, mShift, index, [](int& position) -> int& { return position; });
}

void MarkerIndex::build(const TextSource& text) {
    mPositions.clear();
    mShiftFrom = 0;
    mShift = 0;
    mLength = text.size();
    scan(text, 0, mLength);
    mBuilt = true;
}

// The markers found lie between the entries around them (the caller has removed those the range held), so
// they go in as one block: a paste of many markers moves the later entries once.
void MarkerIndex::scan(const TextSource& text, int from, int to) {
    from = std::max(from, 0);
    const int span = int(mMarker.size());
    std::vector<int> found;
    for (int start = from; start < to; start += kScanChunk) {
        const int end = std::min(to, start + kScanChunk);
        // Only the characters a marker starting before `end` can reach are read.
        const QString piece = text.span(start, end + span - 1);
        const QChar key = mMarker[mAnchor];
        for (qsizetype k = piece.indexOf(key, mAnchor, mSensitivity); k >= 0 && start + k - mAnchor < end;
             k = piece.indexOf(key, k + 1, mSensitivity))
            if (QStringView(piece).sliced(k - mAnchor).startsWith(mMarker, mSensitivity))
                found.push_back(start + int(k - mAnchor));
    }
    if (found.empty())
        return;
    // The entries before the block owe no shift, those after it still do.
    const std::size_t place = lowerBound(found.front());
    moveShiftTo(place);
    mPositions.insert(mPositions.begin() + std::ptrdiff_t(place), found.begin(), found.end());
    mShiftFrom += found.size();
}

// A marker that overlapped the replaced characters is gone; those after them move; new ones can only
// start within a marker's length of the inserted characters.
void MarkerIndex::Edited(const TextSource& text, int position, int removed, int added) {
    if (!mBuilt) {
        if (position == 0 && added == text.size())
            build(text);
        return;
    }
    if (removed < 0 || mLength - removed + added != text.size()) {
        mBuilt = false;
        return;
    }
    const int span = int(mMarker.size());
    const std::size_t first = lowerBound(position - span + 1);
    const std::size_t last = lowerBound(position + removed);
    moveShiftTo(first);
    if (last > first)
        mPositions.erase(mPositions.begin() + std::ptrdiff_t(first),
                         mPositions.begin() + std::ptrdiff_t(last));
    mShift += added - removed;
    mLength = text.size();
    scan(text, position - span + 1, position + added);
}

void MarkerIndex::ensureBuilt(const TextSource& text) {
    if (!mBuilt || mLength != text.size())
        build(text);
}

int MarkerIndex::LastBefore(const TextSource& text, int end) {
    ensureBuilt(text);
    const std::size_t after = lowerBound(end - int(mMarker.size()) + 1);
    return after == 0 ? -1 : at(after - 1);
}

int MarkerIndex::FirstFrom(const TextSource& text, int from) {
    ensureBuilt(text);
    const std::size_t next = lowerBound(from);
    return next == mPositions.size() ? -1 : at(next);
}

} // namespace qx
