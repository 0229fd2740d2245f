#include "diagnostics/IncrementalTagCheck.h"

#include "diagnostics/ScriptChecks.h"
#include "text/TextSource.h"

#include <algorithm>
#include <iterator>

namespace qx {

namespace {

// Checkpoints are kept at least this far apart: an edit looks at about twice as much text again.
constexpr int kCheckpointSpacing = 256;

bool byStart(const Diagnostic& a, const Diagnostic& b) {
    return a.start < b.start;
}

// Ties go to the pairing's findings first, as in the whole check.
std::vector<Diagnostic> merged(const std::vector<Diagnostic>& pairs, const std::vector<Diagnostic>& local) {
    std::vector<Diagnostic> all;
    all.reserve(pairs.size() + local.size());
    std::merge(pairs.begin(), pairs.end(), local.begin(), local.end(), std::back_inserter(all), byStart);
    return all;
}

} // namespace

IncrementalTagCheck::IncrementalTagCheck(const WordList& scriptCommands, ScriptReference* reference)
    : mScriptCommands(scriptCommands)
    , mNames(reference) {}

void IncrementalTagCheck::look(QStringView piece, int start, std::uint8_t state, Stretch& out) {
    out.values = ValueSearch{state, start, kCheckpointSpacing, {}, ValueSearch::kNoState};
    out.markers.clear();
    QList<Diagnostic> found;
    FindTagMarkers(piece, start, out.markers);
    for (const TagMarker& marker : out.markers)
        if (marker.opener)
            mNames.check(piece, start, marker, found);
    for (Diagnostic& encoded : CheckEncodedValues(piece)) {
        encoded.start += start;
        found.append(std::move(encoded));
    }
    for (const TextSpan& value : ScriptValues(piece, mScriptCommands, out.values))
        found.append(CheckScript(piece.sliced(value.start - start, value.length), value.start));
    std::stable_sort(found.begin(), found.end(), byStart);
    out.local.assign(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}

std::vector<Diagnostic> IncrementalTagCheck::unpairedIn(const TextSource& text, size_t first,
                                                        size_t last) const {
    std::vector<Diagnostic> found;
    for (size_t i = first; i < last; ++i) {
        const TagMarker marker = mMarkers.at(i);
        if (marker.unpaired)
            found.push_back(UnpairedMarker(marker, text.span(marker.start, marker.start + marker.length)));
    }
    return found;
}

void IncrementalTagCheck::replaceFindings(ShiftedList<Diagnostic>& list, int first, int last,
                                          std::vector<Diagnostic> fresh, int delta) {
    list.replace(list.lowerBound(first), list.lowerBound(last), std::move(fresh), delta);
}

void IncrementalTagCheck::reset(QStringView text) {
    Stretch all;
    look(text, 0, ValueSearch::kTextStart, all);
    mCheckpoints = ShiftedList<ValueCheckpoint>(std::move(all.values.checkpoints));
    PairTagMarkers(all.markers);
    mMarkers = ShiftedList<TagMarker>(std::move(all.markers));
    std::vector<Diagnostic> pairs = unpairedIn(TextSource(text), 0, mMarkers.size());
    mAll = ShiftedList<Diagnostic>(merged(pairs, all.local));
    mLocal = ShiftedList<Diagnostic>(std::move(all.local));
    mPairs = ShiftedList<Diagnostic>(std::move(pairs));
    mLength = int(text.size());
}

void IncrementalTagCheck::edited(const TextSource& text, int position, int removed, int added) {
    const int delta = added - removed;
    if (position < 0 || removed < 0 || position + removed > mLength || mLength + delta != text.size()) {
        reset(text.span(0, text.size()));
        return;
    }
    // From the last checkpoint before the edit (its "<" stays what it was) to the first one after it, where
    // the search for values must arrive in the state it had there; the stretch grows until it does.
    const size_t count = mCheckpoints.size();
    const size_t first = mCheckpoints.lowerBound(position);
    const int start = first > 0 ? mCheckpoints.startOf(first - 1) : 0;
    const std::uint8_t state = first > 0 ? mCheckpoints.raw(first - 1).state : ValueSearch::kTextStart;
    size_t last = mCheckpoints.lowerBound(position + removed);
    Stretch fresh;
    for (size_t grow = 1;; grow *= 2) {
        const int end = last < count ? mCheckpoints.startOf(last) : mLength;
        look(text.span(start, end + delta), start, state, fresh);
        if (last == count || fresh.values.endState == mCheckpoints.raw(last).state)
            break;
        last = std::min(count, last + grow);
    }
    const int oldEnd = last < count ? mCheckpoints.startOf(last) : mLength;
    mCheckpoints.replace(first, last, std::move(fresh.values.checkpoints), delta);

    // The tags pair as before when the stretch holds the same kinds of markers in the same order.
    const size_t firstMarker = mMarkers.lowerBound(start);
    const size_t lastMarker = mMarkers.lowerBound(oldEnd);
    const size_t freshMarkers = fresh.markers.size();
    bool samePairs = freshMarkers == lastMarker - firstMarker;
    for (size_t i = 0; samePairs && i < freshMarkers; ++i) {
        samePairs = fresh.markers[i].opener == mMarkers.raw(firstMarker + i).opener;
        fresh.markers[i].unpaired = mMarkers.raw(firstMarker + i).unpaired;
    }
    mMarkers.replace(firstMarker, lastMarker, std::move(fresh.markers), delta);
    mLength += delta;
    if (samePairs) {
        std::vector<Diagnostic> pairs = unpairedIn(text, firstMarker, firstMarker + freshMarkers);
        replaceFindings(mAll, start, oldEnd, merged(pairs, fresh.local), delta);
        replaceFindings(mPairs, start, oldEnd, std::move(pairs), delta);
        replaceFindings(mLocal, start, oldEnd, std::move(fresh.local), delta);
    } else {
        replaceFindings(mLocal, start, oldEnd, std::move(fresh.local), delta);
        PairTagMarkers(mMarkers.raw());
        std::vector<Diagnostic> pairs = unpairedIn(text, 0, mMarkers.size());
        mAll = ShiftedList<Diagnostic>(merged(pairs, mLocal.settled()));
        mPairs = ShiftedList<Diagnostic>(std::move(pairs));
    }
}

QList<Diagnostic> IncrementalTagCheck::findings() const {
    const std::vector<Diagnostic> all = mAll.settled();
    return QList<Diagnostic>(all.begin(), all.end());
}

} // namespace qx
