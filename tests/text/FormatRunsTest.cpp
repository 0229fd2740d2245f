#include "text/FormatRuns.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace qx {
namespace {

// The per-character model: ranges clamp to the text, inserted characters are plain black.
struct Reference {
    std::vector<CharFormat> mChars;
    void apply(int start, int end, const CharFormatChange& change) {
        for (int i = qMax(start, 0); i < qMin(end, length()); ++i)
            mChars[i] = change.appliedTo(mChars[i]);
    }
    void replace(int pos, int removed, int added) {
        mChars.erase(mChars.begin() + pos, mChars.begin() + pos + removed);
        mChars.insert(mChars.begin() + pos, added, CharFormat{});
    }
    int length() const { return int(mChars.size()); }
    CharFormat at(int pos) const { return pos >= 0 && pos < length() ? mChars[pos] : CharFormat{}; }
    std::vector<FormatRuns::Run> runs(int start, int end) const {
        std::vector<FormatRuns::Run> result;
        for (int i = qMax(start, 0); i < qMin(end, length()); ++i) {
            if (result.empty() || !(result.back().format == mChars[i]))
                result.push_back({i, i, mChars[i]});
            result.back().end = i + 1;
        }
        return result;
    }
    std::vector<std::pair<int, int>> differences(const Reference& other, int from, int to) const {
        std::vector<std::pair<int, int>> result;
        for (int i = qMax(from, 0); i < qMin(to, length()); ++i) {
            if (mChars[i] == other.mChars[i])
                continue;
            if (result.empty() || result.back().second < i)
                result.emplace_back(i, i);
            result.back().second = i + 1;
        }
        return result;
    }
};

void applyRandomChange(std::mt19937& rng, int start, int end, FormatRuns& runs, Reference& ref) {
    CharFormatChange change;
    if (rng() % 2)
        change.Color = rng() % 3;
    if (rng() % 3 == 0)
        change.Bold = rng() % 2 == 0;
    if (rng() % 3 == 0)
        change.Italic = rng() % 2 == 0;
    if (rng() % 4 == 0)
        change.BackColor = rng() % 2 ? kNoBackColor : 0x00FFFF;
    runs.apply(start, end, change);
    ref.apply(start, end, change);
}

// Edits anywhere move the gap both ways; long texts grow the boundary array, removals empty short ones.
TEST(FormatRunsTest, RandomOperationsMatchAPerCharacterReference) {
    std::mt19937 rng(20240501);
    for (int round = 0; round < 60; ++round) {
        const int initial = int(rng() % (round % 3 == 0 ? 400 : 40));
        FormatRuns runs(initial);
        Reference ref{std::vector<CharFormat>(initial)};
        for (int step = 0; step < 200; ++step) {
            const FormatRuns before = runs;
            const Reference refBefore = ref;
            const int length = runs.length();
            const int op = int(rng() % 11);
            const int a = int(rng() % (length + 3)) - 1;
            const int b = a + int(rng() % (length > 100 ? 60 : 12)) - 2;
            const int pos = int(rng() % (length + 1));
            if (op < 5) {
                applyRandomChange(rng, a, b, runs, ref);
            } else if (op < 7) {
                const int count = int(rng() % 5);
                runs.insert(pos, count);
                ref.replace(pos, 0, count);
            } else {
                // A removal may reach past the end, which it is clamped to.
                const int removed = int(rng() % 6);
                const int added = op < 9 ? int(rng() % 4) : 0;
                if (added > 0)
                    runs.replace(pos, removed, added);
                else
                    runs.remove(pos, removed);
                ref.replace(pos, qMin(removed, length - pos), added);
            }
            SCOPED_TRACE(testing::Message() << "round " << round << " step " << step << " op " << op);
            ASSERT_EQ(runs.length(), ref.length());
            ASSERT_EQ(runs.runs(), ref.runs(0, ref.length()));
            ASSERT_EQ(runs.boundaryCount(), int(ref.runs(0, ref.length()).size()));
            for (int i = -1; i <= runs.length(); ++i)
                ASSERT_EQ(runs.at(i), ref.at(i)) << "at " << i;
            ASSERT_EQ(runs.runs(a, b), ref.runs(a, b));
            if (before.length() == runs.length()) {
                std::vector<std::pair<int, int>> differences;
                runs.forEachDifference(before, a, b, [&](int s, int e) { differences.emplace_back(s, e); });
                ASSERT_EQ(differences, ref.differences(refBefore, a, b));
            }
        }
    }
}

} // namespace
} // namespace qx
