#pragma once

#include <qxTagEditor2/CodeBox.h>

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

namespace qx {

// The character formats of a text of a given length, stored as runs: a sorted list of boundaries, each the
// start of a run of characters that share one format. Work is per run, not per character.
//
// The boundaries sit in one array with a gap in it, which follows the edits. Boundaries before the gap hold
// their start, those after it hold their start minus the text's length, so a text edit changes no stored
// start except next to the gap, and inserting or dropping a boundary there moves nothing else. Moving the
// gap costs the boundaries it passes: typing in one place moves nothing, and a change applied at or after
// the last boundary (as a highlight pass applies its runs, in ascending order after one fill of the whole
// text) appends.
//
// A boundary names its format by its place in a palette of the formats in use, which a text holds few of,
// so that a run takes eight bytes.
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
    // The format of one character; out of range gives the default.
    CharFormat at(int pos) const;

    // Text edits: [pos, pos + removed) is replaced by `added` plain black characters; removed characters take
    // their formats with them, the others keep theirs. Cost: a binary search, moving the gap to the edit and
    // a splice at the gap.
    void replace(int pos, int removed, int added);
    void insert(int pos, int count) { replace(pos, 0, count); }
    void remove(int pos, int count) { replace(pos, count, 0); }

    // Calls f(start, end, format) for each run overlapping [start, end), clipped to it, in order. Adjacent
    // runs may share a format.
    template <class F> void forEachRun(int start, int end, F&& f) const;
    std::vector<Run> runs(int start, int end) const;
    std::vector<Run> runs() const { return runs(0, mLength); }
    // Calls f(start, end) for each maximal stretch of [from, to) where this and other give different
    // formats, in order. Texts of different lengths differ everywhere.
    template <class F> void forEachDifference(const FormatRuns& other, int from, int to, F&& f) const;
    template <class F> void forEachDifference(const FormatRuns& other, F&& f) const {
        forEachDifference(other, 0, qMax(mLength, other.mLength), std::forward<F>(f));
    }
    int boundaryCount() const { return count(); }

private:
    using FormatId = std::uint32_t;       // a place in mPalette
    static constexpr FormatId kPlain = 0; // plain black holds the first place from every reset on
    struct Boundary {
        int start = 0; // before the gap: the run's start; after it: the start minus mLength
        FormatId format = 0;
    };
    struct FormatHash {
        std::size_t operator()(const CharFormat& f) const {
            return std::hash<std::uint64_t>()((std::uint64_t(f.Color) << 32 | f.BackColor) ^
                                              (std::uint64_t(f.Bold) << 62 | std::uint64_t(f.Italic) << 63));
        }
    };

    int gapLength() const { return mGapEnd - mGapStart; }
    int count() const { return int(mBounds.size()) - gapLength(); }
    const Boundary& boundary(int i) const { return mBounds[i < mGapStart ? i : i + gapLength()]; }
    // The start of boundary i (0 <= i < count()).
    int startOf(int i) const {
        return i < mGapStart ? mBounds[i].start : mBounds[i + gapLength()].start + mLength;
    }
    const CharFormat& formatOf(int i) const { return mPalette[boundary(i).format]; }
    // The palette's place for f, added when it is new.
    FormatId idOf(const CharFormat& f);

    // Index of the run holding pos (0 <= pos < length).
    int indexOf(int pos) const;
    // The number of boundaries that start at or before pos.
    int countUpTo(int pos) const;
    // Moves the gap to just before boundary i (0 <= i <= count()).
    void moveGap(int i);
    // Puts a boundary just before the gap; it must start after the boundaries before it.
    void pushBeforeGap(int start, FormatId format);
    void growGap();
    // Makes pos (0 < pos < length) start a run; returns that run's index.
    int splitAt(int pos);
    // Drops the boundaries from first on that lie before the gap, and the first one after it, when their
    // format equals the run before.
    void mergeBeforeGap(int first);

    std::vector<Boundary> mBounds;                                    // [mGapStart, mGapEnd) is the gap
    std::vector<CharFormat> mPalette;                                 // each format once; [0] is plain black
    std::unordered_map<CharFormat, FormatId, FormatHash> mPaletteIds; // the places after the first few
    int mGapStart = 0;
    int mGapEnd = 0;
    int mLength = 0;
};

template <class F> void FormatRuns::forEachRun(int start, int end, F&& f) const {
    start = qMax(start, 0);
    end = qMin(end, mLength);
    if (start >= end)
        return;
    const int n = count();
    for (int i = indexOf(start); i < n; ++i) {
        const int runStart = startOf(i);
        if (runStart >= end)
            break;
        const int runEnd = i + 1 < n ? startOf(i + 1) : mLength;
        f(qMax(runStart, start), qMin(runEnd, end), formatOf(i));
    }
}

template <class F>
void FormatRuns::forEachDifference(const FormatRuns& other, int from, int to, F&& f) const {
    if (mLength != other.mLength) {
        f(0, qMax(mLength, other.mLength));
        return;
    }
    from = qMax(from, 0);
    to = qMin(to, mLength);
    if (from >= to)
        return;
    const int countA = count();
    const int countB = other.count();
    int i = indexOf(from);
    int j = other.indexOf(from);
    int differFrom = -1;
    for (int pos = from; pos < to;) {
        const int endA = i + 1 < countA ? startOf(i + 1) : mLength;
        const int endB = j + 1 < countB ? other.startOf(j + 1) : mLength;
        const bool differ = !(formatOf(i) == other.formatOf(j));
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
        f(differFrom, to);
}

} // namespace qx
