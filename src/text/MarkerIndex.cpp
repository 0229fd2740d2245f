#include "text/MarkerIndex.h"

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
    , mAnchor(anchorOf(mMarker))
    // A character without case ("<", "/") is found by the fast search whatever the marker's sensitivity.
    , mAnchorSensitivity(mMarker[mAnchor].toLower() == mMarker[mAnchor].toUpper() ? Qt::CaseSensitive
                                                                                  : sensitivity) {}

void MarkerIndex::build(const TextSource& text) {
    mPositions = {};
    mLength = text.size();
    scan(text, 0, mLength);
    mBuilt = true;
}

// The markers found lie between the entries around them (the caller has removed those the range held), so
// they go in as one block: a paste of many markers moves the later entries once.
void MarkerIndex::scan(const TextSource& text, int from, int to) {
    from = std::max(from, 0);
    const int span = int(mMarker.size());
    std::vector<Entry> found;
    for (int start = from; start < to; start += kScanChunk) {
        const int end = std::min(to, start + kScanChunk);
        // Only the characters a marker starting before `end` can reach are read.
        const QString piece = text.span(start, end + span - 1);
        const QChar key = mMarker[mAnchor];
        for (qsizetype k = piece.indexOf(key, mAnchor, mAnchorSensitivity);
             k >= 0 && start + k - mAnchor < end; k = piece.indexOf(key, k + 1, mAnchorSensitivity))
            if (QStringView(piece).sliced(k - mAnchor).startsWith(mMarker, mSensitivity))
                found.push_back({start + int(k - mAnchor)});
    }
    if (found.empty())
        return;
    const std::size_t place = mPositions.lowerBound(found.front().start);
    mPositions.replace(place, place, std::move(found), 0);
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
    mPositions.replace(mPositions.lowerBound(position - span + 1), mPositions.lowerBound(position + removed),
                       {}, added - removed);
    mLength = text.size();
    scan(text, position - span + 1, position + added);
}

void MarkerIndex::ensureBuilt(const TextSource& text) {
    if (!mBuilt || mLength != text.size())
        build(text);
}

int MarkerIndex::LastBefore(const TextSource& text, int end) {
    ensureBuilt(text);
    const std::size_t after = mPositions.lowerBound(end - int(mMarker.size()) + 1);
    return after == 0 ? -1 : mPositions.startOf(after - 1);
}

int MarkerIndex::FirstFrom(const TextSource& text, int from) {
    ensureBuilt(text);
    const std::size_t next = mPositions.lowerBound(from);
    return next == mPositions.size() ? -1 : mPositions.startOf(next);
}

} // namespace qx
