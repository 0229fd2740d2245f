#include "text/FormatRuns.h"

#include <algorithm>

namespace qx {

namespace {
constexpr int kSmallestArray = 16;
// The palette places looked up by comparing each; those after them by hashing.
constexpr std::size_t kScannedFormats = 12;
} // namespace

void FormatRuns::reset(int length) {
    mLength = qMax(length, 0);
    mBounds.clear(); // the capacity stays for the pass that follows
    mGapStart = 0;
    mGapEnd = 0;
    mPalette.clear();
    mPaletteIds.clear();
    idOf(CharFormat{});
    if (mLength > 0)
        pushBeforeGap(0, kPlain);
}

FormatRuns::FormatId FormatRuns::idOf(const CharFormat& f) {
    // A text holds a handful of formats: looking along the first ones beats hashing.
    const std::size_t scanned = std::min(mPalette.size(), kScannedFormats);
    for (std::size_t i = 0; i < scanned; ++i)
        if (mPalette[i] == f)
            return FormatId(i);
    if (mPalette.size() > kScannedFormats) {
        if (const auto found = mPaletteIds.find(f); found != mPaletteIds.end())
            return found->second;
    }
    const auto id = FormatId(mPalette.size());
    mPalette.push_back(f);
    if (id >= kScannedFormats)
        mPaletteIds.emplace(f, id);
    return id;
}

int FormatRuns::indexOf(int pos) const {
    const int n = count();
    // The common case in a pass: the position lies in the last run.
    if (startOf(n - 1) <= pos)
        return n - 1;
    const auto beforeStart = [](int p, const Boundary& b) { return p < b.start; };
    const auto left = mBounds.begin();
    if (mGapStart == n || pos < startOf(mGapStart))
        return int(std::upper_bound(left, left + mGapStart, pos, beforeStart) - left) - 1;
    const auto right = mBounds.begin() + mGapEnd;
    return mGapStart + int(std::upper_bound(right, mBounds.end(), pos - mLength, beforeStart) - right) - 1;
}

int FormatRuns::countUpTo(int pos) const {
    if (pos < 0)
        return 0;
    if (pos >= mLength)
        return count();
    return indexOf(pos) + 1;
}

void FormatRuns::moveGap(int i) {
    if (i < mGapStart) {
        // [i, mGapStart) go to the end of the gap, counted from the text's end; backwards, as they may
        // overlap.
        const int n = mGapStart - i;
        for (int k = n - 1; k >= 0; --k) {
            Boundary b = mBounds[i + k];
            b.start -= mLength;
            mBounds[mGapEnd - n + k] = b;
        }
        mGapStart -= n;
        mGapEnd -= n;
    } else if (i > mGapStart) {
        const int n = i - mGapStart;
        for (int k = 0; k < n; ++k) {
            Boundary b = mBounds[mGapEnd + k];
            b.start += mLength;
            mBounds[mGapStart + k] = b;
        }
        mGapStart += n;
        mGapEnd += n;
    }
}

void FormatRuns::growGap() {
    const int oldSize = int(mBounds.size());
    const int after = oldSize - mGapEnd;
    mBounds.resize(std::max(kSmallestArray, 2 * oldSize));
    std::move_backward(mBounds.begin() + mGapEnd, mBounds.begin() + oldSize, mBounds.end());
    mGapEnd = int(mBounds.size()) - after;
}

void FormatRuns::pushBeforeGap(int start, FormatId format) {
    if (mGapStart == mGapEnd)
        growGap();
    mBounds[mGapStart++] = {start, format};
}

int FormatRuns::splitAt(int pos) {
    const int i = indexOf(pos);
    if (startOf(i) == pos)
        return i;
    const FormatId format = boundary(i).format;
    moveGap(i + 1);
    pushBeforeGap(pos, format);
    return i + 1;
}

void FormatRuns::mergeBeforeGap(int first) {
    int out = qMax(first, 1);
    for (int i = out; i < mGapStart; ++i) {
        if (mBounds[i].format != mBounds[out - 1].format)
            mBounds[out++] = mBounds[i];
    }
    mGapStart = qMin(out, mGapStart);
    if (mGapStart > 0 && mGapEnd < int(mBounds.size()) &&
        mBounds[mGapEnd].format == mBounds[mGapStart - 1].format)
        ++mGapEnd;
}

void FormatRuns::apply(int start, int end, const CharFormatChange& change) {
    start = qMax(start, 0);
    end = qMin(end, mLength);
    if (start >= end)
        return;
    const int first = splitAt(start);
    const int stop = end < mLength ? splitAt(end) : count();
    // The changed runs lie just before the gap, where merging them drops boundaries by narrowing it.
    moveGap(stop);
    // Runs in a row mostly share a format: the last one's change is looked up once (no place is ~0).
    FormatId lastFrom = ~FormatId(0), lastTo = 0;
    for (int i = first; i < stop; ++i) {
        const FormatId from = mBounds[i].format;
        if (from != lastFrom) {
            lastFrom = from;
            lastTo = idOf(change.appliedTo(mPalette[from]));
        }
        mBounds[i].format = lastTo;
    }
    mergeBeforeGap(first);
}

CharFormat FormatRuns::at(int pos) const {
    if (pos < 0 || pos >= mLength)
        return {};
    return formatOf(indexOf(pos));
}

void FormatRuns::replace(int pos, int removed, int added) {
    pos = std::clamp(pos, 0, mLength);
    removed = std::clamp(removed, 0, mLength - pos);
    added = qMax(added, 0);
    const int newLength = mLength - removed + added;
    if ((removed == 0 && added == 0) || mLength == 0 || newLength == 0) {
        if (removed != 0 || added != 0)
            reset(newLength); // nothing to keep: all of it is new, plain black
        return;
    }
    const int end = pos + removed;
    const bool hasAfter = end < mLength;
    const FormatId after = hasAfter ? boundary(indexOf(end)).format : kPlain;
    // The boundaries inside the edited stretch (or at its ends) go; what takes their place is put before the
    // gap, and the boundaries after the gap move with the text's end by themselves.
    const int a = countUpTo(pos - 1);
    const int b = countUpTo(end);
    moveGap(a);
    mGapEnd += b - a;
    const auto push = [&](int start, FormatId f) {
        if (mGapStart == 0 || mBounds[mGapStart - 1].format != f)
            pushBeforeGap(start, f);
    };
    if (added > 0)
        push(pos, kPlain);
    if (hasAfter)
        push(pos + added, after);
    // The run after the edit may continue one that now touches it.
    if (mGapEnd < int(mBounds.size()) && mBounds[mGapEnd].format == mBounds[mGapStart - 1].format)
        ++mGapEnd;
    mLength = newLength;
}

std::vector<FormatRuns::Run> FormatRuns::runs(int start, int end) const {
    std::vector<Run> result;
    forEachRun(start, end, [&](int s, int e, const CharFormat& f) { result.push_back({s, e, f}); });
    return result;
}

} // namespace qx
