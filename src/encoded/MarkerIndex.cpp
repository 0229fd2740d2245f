#include "encoded/MarkerIndex.h"

#include <algorithm>

namespace qx {

void MarkerIndex::build(QStringView text) {
    mPositions.clear();
    scan(text, 0, text.size());
    mLength = text.size();
    mBuilt = true;
}

void MarkerIndex::scan(QStringView text, qsizetype from, qsizetype to) {
    from = std::max<qsizetype>(from, 0);
    // Only the characters a marker starting before `to` can reach are searched.
    const QStringView window = text.first(std::min(text.size(), to + mMarker.size() - 1));
    for (qsizetype at = window.indexOf(mMarker, from); at >= 0; at = window.indexOf(mMarker, at + 1)) {
        const auto place = std::lower_bound(mPositions.begin(), mPositions.end(), int(at));
        if (place == mPositions.end() || *place != at)
            mPositions.insert(place, int(at));
    }
}

// A marker that overlapped the replaced characters is gone; those after them move; new ones can only
// start within a marker's length of the inserted characters.
void MarkerIndex::Edited(QStringView text, int position, int removed, int added) {
    if (!mBuilt)
        return;
    if (removed < 0 || mLength - removed + added != text.size()) {
        mBuilt = false;
        return;
    }
    const int span = int(mMarker.size());
    const int delta = added - removed;
    std::erase_if(mPositions, [&](int at) { return at > position - span && at < position + removed; });
    for (int& at : mPositions)
        if (at >= position + removed)
            at += delta;
    mLength = text.size();
    scan(text, position - span + 1, qsizetype(position) + added);
}

int MarkerIndex::LastBefore(QStringView text, int end) {
    if (!mBuilt || mLength != text.size())
        build(text);
    const int lastStart = end - int(mMarker.size());
    const auto after = std::upper_bound(mPositions.begin(), mPositions.end(), lastStart);
    return after == mPositions.begin() ? -1 : *(after - 1);
}

} // namespace qx
