#pragma once

#include "platform/CodeBox.h"

#include <vector>

namespace qx {

// The character formats of a text of a given length, stored as runs: a sorted list of boundaries, each the
// start of a run of characters that share one format. Work is per run, not per character: a change applied
// at or after the last boundary (as a highlight pass applies its runs, in ascending order after one fill of
// the whole text) appends, anything else binary-searches and splices locally.
class FormatRuns {
public:
    struct Run {
        int start = 0;
        int end = 0;
        CharFormat format;
        friend bool operator==(const Run&, const Run&) = default;
    };

    explicit FormatRuns(int length = 0) { reset(length); }

    // Forgets every format: the whole text becomes plain black.
    void reset(int length);
    int length() const { return mLength; }

    // Applies the change to every character in [start, end), clamped to the text; unset members of the
    // change leave that attribute of each character as it was.
    void apply(int start, int end, const CharFormatChange& change);
    // Gives [start, end) the formats other has there (both of one length).
    void copyFrom(const FormatRuns& other, int start, int end);
    // The format of one character; out of range gives the default.
    CharFormat at(int pos) const;

    // Text edits: [pos, pos + removed) is replaced by `added` plain black characters; removed characters take
    // their formats with them, the others keep theirs. Cost: a binary search, one splice and moving the
    // boundaries after the edit.
    void replace(int pos, int removed, int added);
    void insert(int pos, int count) { replace(pos, 0, count); }
    void remove(int pos, int count) { replace(pos, count, 0); }

    // Calls f(start, end, format) for each run overlapping [start, end), clipped to it, in order. Adjacent
    // runs may share a format.
    template <class F> void forEachRun(int start, int end, F&& f) const;
    std::vector<Run> runs(int start, int end) const;
    std::vector<Run> runs() const { return runs(0, mLength); }
    // Calls f(start, end) for each maximal stretch where this and other give different formats, in order.
    // Texts of different lengths differ everywhere.
    template <class F> void forEachDifference(const FormatRuns& other, F&& f) const;
    int boundaryCount() const { return int(mBounds.size()); }

private:
    struct Boundary {
        int start;
        CharFormat format;
    };

    // Index of the run holding pos (0 <= pos < length).
    int indexOf(int pos) const;
    // Makes pos (0 < pos < length) start a run; returns that run's index.
    int splitAt(int pos);
    // Drops boundaries in [first, last] whose format equals the run before.
    void mergeEqual(int first, int last);

    std::vector<Boundary> mBounds;
    int mLength = 0;
};

template <class F> void FormatRuns::forEachRun(int start, int end, F&& f) const {
    start = qMax(start, 0);
    end = qMin(end, mLength);
    if (start >= end)
        return;
    for (int i = indexOf(start); i < int(mBounds.size()) && mBounds[i].start < end; ++i) {
        const int runEnd = i + 1 < int(mBounds.size()) ? mBounds[i + 1].start : mLength;
        f(qMax(mBounds[i].start, start), qMin(runEnd, end), mBounds[i].format);
    }
}

template <class F> void FormatRuns::forEachDifference(const FormatRuns& other, F&& f) const {
    if (mLength != other.mLength) {
        f(0, qMax(mLength, other.mLength));
        return;
    }
    const std::vector<Boundary>& a = mBounds;
    const std::vector<Boundary>& b = other.mBounds;
    size_t i = 0;
    size_t j = 0;
    int differFrom = -1;
    for (int pos = 0; pos < mLength;) {
        const int endA = i + 1 < a.size() ? a[i + 1].start : mLength;
        const int endB = j + 1 < b.size() ? b[j + 1].start : mLength;
        const bool differ = !(a[i].format == b[j].format);
        if (differ && differFrom < 0)
            differFrom = pos;
        else if (!differ && differFrom >= 0) {
            f(differFrom, pos);
            differFrom = -1;
        }
        pos = qMin(endA, endB);
        i += endA == pos;
        j += endB == pos;
    }
    if (differFrom >= 0)
        f(differFrom, mLength);
}

} // namespace qx
