#include "platform/FormatRuns.h"

#include <algorithm>

namespace qx {

void FormatRuns::reset(int length) {
    mLength = qMax(length, 0);
    mBounds.clear();
    if (mLength > 0)
        mBounds.push_back({0, CharFormat{}});
}

int FormatRuns::indexOf(int pos) const {
    // The common case in a pass: the position lies in the last run.
    if (mBounds.back().start <= pos)
        return int(mBounds.size()) - 1;
    const auto it = std::upper_bound(mBounds.begin(), mBounds.end(), pos,
                                     [](int p, const Boundary& b) { return p < b.start; });
    return int(it - mBounds.begin()) - 1;
}

int FormatRuns::splitAt(int pos) {
    const int i = indexOf(pos);
    if (mBounds[i].start == pos)
        return i;
    mBounds.insert(mBounds.begin() + i + 1, Boundary{pos, mBounds[i].format});
    return i + 1;
}

void FormatRuns::mergeEqual(int first, int last) {
    first = qMax(first, 1);
    last = qMin(last, int(mBounds.size()) - 1);
    if (first > last)
        return;
    int out = first;
    for (int i = first; i <= last; ++i) {
        if (!(mBounds[i].format == mBounds[out - 1].format))
            mBounds[out++] = mBounds[i];
    }
    mBounds.erase(mBounds.begin() + out, mBounds.begin() + last + 1);
}

void FormatRuns::apply(int start, int end, const CharFormatChange& change) {
    start = qMax(start, 0);
    end = qMin(end, mLength);
    if (start >= end)
        return;
    const int first = splitAt(start);
    const int stop = end < mLength ? splitAt(end) : int(mBounds.size());
    for (int i = first; i < stop; ++i)
        mBounds[i].format = change.appliedTo(mBounds[i].format);
    mergeEqual(first, stop);
}

void FormatRuns::copyFrom(const FormatRuns& other, int start, int end) {
    other.forEachRun(start, end, [&](int s, int e, const CharFormat& f) {
        apply(s, e, {.Color = f.Color, .Bold = f.Bold, .Italic = f.Italic, .BackColor = f.BackColor});
    });
}

CharFormat FormatRuns::at(int pos) const {
    if (pos < 0 || pos >= mLength)
        return {};
    return mBounds[indexOf(pos)].format;
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
    const CharFormat after = hasAfter ? mBounds[indexOf(end)].format : CharFormat{};
    const auto byStart = [](const Boundary& b, int p) { return b.start < p; };
    const auto beforeStart = [](int p, const Boundary& b) { return p < b.start; };
    // [a, b) are the boundaries inside the edited stretch (or at its ends); they are replaced by `mid`.
    const int a = int(std::lower_bound(mBounds.begin(), mBounds.end(), pos, byStart) - mBounds.begin());
    int b = int(std::upper_bound(mBounds.begin(), mBounds.end(), end, beforeStart) - mBounds.begin());
    Boundary mid[2];
    int count = 0;
    const auto lastFormat = [&]() -> const CharFormat* {
        return count > 0 ? &mid[count - 1].format : a > 0 ? &mBounds[a - 1].format : nullptr;
    };
    const auto push = [&](int start, const CharFormat& f) {
        const CharFormat* last = lastFormat();
        if (!last || !(*last == f))
            mid[count++] = {start, f};
    };
    if (added > 0)
        push(pos, CharFormat{});
    if (hasAfter)
        push(pos + added, after);
    if (b < int(mBounds.size()) && lastFormat() && *lastFormat() == mBounds[b].format)
        ++b; // the run after the edit continues one that now touches it
    const int delta = added - removed;
    for (int k = b; k < int(mBounds.size()); ++k)
        mBounds[k].start += delta;
    // One splice: overwrite what fits, then insert or erase the difference.
    const int keep = qMin(count, b - a);
    std::copy(mid, mid + keep, mBounds.begin() + a);
    if (count > keep)
        mBounds.insert(mBounds.begin() + a + keep, mid + keep, mid + count);
    else
        mBounds.erase(mBounds.begin() + a + keep, mBounds.begin() + b);
    mLength = newLength;
}

std::vector<FormatRuns::Run> FormatRuns::runs(int start, int end) const {
    std::vector<Run> result;
    forEachRun(start, end, [&](int s, int e, const CharFormat& f) { result.push_back({s, e, f}); });
    return result;
}

} // namespace qx
