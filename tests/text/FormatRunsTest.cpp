#include "text/FormatRuns.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>

namespace qx {
namespace {

const CharFormat kBlack{};
const CharFormat kRed{.Color = 0x0000FF};

// Every run is non-empty, runs tile [0, length) in order.
void expectTiled(const FormatRuns& runs) {
    int pos = 0;
    for (const FormatRuns::Run& run : runs.runs()) {
        EXPECT_EQ(run.start, pos);
        EXPECT_LT(run.start, run.end);
        pos = run.end;
    }
    EXPECT_EQ(pos, runs.length());
}

TEST(FormatRunsTest, StartsAsOnePlainBlackRunAndOutOfRangeGivesDefault) {
    FormatRuns runs(10);
    EXPECT_EQ(runs.at(0), kBlack);
    EXPECT_EQ(runs.at(-1), kBlack);
    EXPECT_EQ(runs.at(10), kBlack);
    EXPECT_EQ(runs.boundaryCount(), 1);
    FormatRuns empty;
    EXPECT_EQ(empty.boundaryCount(), 0);
    empty.insert(0, 3);
    EXPECT_EQ(empty.boundaryCount(), 1);
    empty.remove(0, 99);
    EXPECT_EQ(empty.length(), 0);
    EXPECT_TRUE(empty.runs().empty());
}

TEST(FormatRunsTest, AscendingRunsAfterAFillAppendAndMergeEqualNeighbours) {
    FormatRuns runs(30);
    runs.apply(0, 30, {.Color = 0, .Bold = false, .Italic = false});
    for (int start = 0; start < 30; start += 6)
        runs.apply(start, start + 3, {.Color = 0xFF});
    EXPECT_EQ(runs.boundaryCount(), 10);
    // Colouring the black gaps red as well leaves one run.
    for (int start = 3; start < 30; start += 6)
        runs.apply(start, start + 3, {.Color = 0xFF});
    EXPECT_EQ(runs.boundaryCount(), 1);
    EXPECT_EQ(runs.at(29), kRed);
}

TEST(FormatRunsTest, RunsInARangeAreClippedToIt) {
    FormatRuns runs(10);
    runs.apply(2, 6, {.Color = 0xFF});
    const std::vector<FormatRuns::Run> expected = {{4, 6, kRed}, {6, 7, kBlack}};
    EXPECT_EQ(runs.runs(4, 7), expected);
    EXPECT_TRUE(runs.runs(7, 7).empty());
}

// Unset members keeping each character's attribute, clamping, plain black insertions, joins on removal,
// copies from another text and the differences between two texts are all checked against this
// per-character model.
class Reference {
public:
    explicit Reference(int length)
        : mChars(length) {}
    void apply(int start, int end, const CharFormatChange& change) {
        for (int i = qMax(start, 0); i < qMin(end, length()); ++i)
            mChars[i] = change.appliedTo(mChars[i]);
    }
    void copyFrom(const Reference& other, int start, int end) {
        for (int i = qMax(start, 0); i < qMin(end, length()); ++i)
            mChars[i] = other.mChars[i];
    }
    void insert(int pos, int count) { mChars.insert(mChars.begin() + pos, count, CharFormat{}); }
    void remove(int pos, int count) { mChars.erase(mChars.begin() + pos, mChars.begin() + pos + count); }
    int length() const { return int(mChars.size()); }
    CharFormat at(int pos) const { return pos >= 0 && pos < length() ? mChars[pos] : CharFormat{}; }
    // Maximal runs of equal characters.
    std::vector<FormatRuns::Run> runs() const {
        std::vector<FormatRuns::Run> result;
        for (int i = 0; i < length(); ++i) {
            if (result.empty() || !(result.back().format == mChars[i]))
                result.push_back({i, i + 1, mChars[i]});
            else
                result.back().end = i + 1;
        }
        return result;
    }
    // Maximal stretches where this and other (of one length) differ.
    std::vector<std::pair<int, int>> differences(const Reference& other) const {
        std::vector<std::pair<int, int>> result;
        for (int i = 0; i < length(); ++i) {
            if (mChars[i] == other.mChars[i])
                continue;
            if (!result.empty() && result.back().second == i)
                result.back().second = i + 1;
            else
                result.emplace_back(i, i + 1);
        }
        return result;
    }

private:
    std::vector<CharFormat> mChars;
};

CharFormatChange randomChange(std::mt19937& rng) {
    CharFormatChange change;
    if (rng() % 2)
        change.Color = rng() % 3;
    if (rng() % 3 == 0)
        change.Bold = rng() % 2 == 0;
    if (rng() % 3 == 0)
        change.Italic = rng() % 2 == 0;
    if (rng() % 4 == 0)
        change.BackColor = rng() % 2 ? kNoBackColor : 0x00FFFF;
    return change;
}

std::vector<std::pair<int, int>> differences(const FormatRuns& a, const FormatRuns& b) {
    std::vector<std::pair<int, int>> result;
    a.forEachDifference(b, [&](int s, int e) { result.emplace_back(s, e); });
    return result;
}

// Edits land anywhere, so the gap moves both ways over many boundaries, and texts up to a few hundred
// characters make the boundary array grow several times.
TEST(FormatRunsTest, RandomOperationsMatchAPerCharacterReference) {
    std::mt19937 rng(20240501);
    for (int round = 0; round < 60; ++round) {
        const int initial = int(rng() % (round % 3 == 0 ? 400 : 40));
        FormatRuns runs(initial);
        Reference ref(initial);
        for (int step = 0; step < 200; ++step) {
            const FormatRuns before = runs;
            const Reference refBefore = ref;
            const int length = runs.length();
            const int op = int(rng() % 11);
            const int a = int(rng() % (length + 3)) - 1;
            const int b = a + int(rng() % (length > 100 ? 60 : 12)) - 2;
            if (op < 5) {
                const CharFormatChange change = randomChange(rng);
                runs.apply(a, b, change);
                ref.apply(a, b, change);
            } else if (op < 6) {
                // A source coloured in ascending runs, as a pass colours.
                FormatRuns source(length);
                Reference sourceRef(length);
                for (int at = int(rng() % 4); at < length; at += 1 + int(rng() % 7)) {
                    const CharFormatChange change = randomChange(rng);
                    const int to = at + 1 + int(rng() % 5);
                    source.apply(at, to, change);
                    sourceRef.apply(at, to, change);
                }
                runs.copyFrom(source, a, b);
                ref.copyFrom(sourceRef, a, b);
            } else if (op < 7) {
                const int pos = int(rng() % (length + 1));
                const int count = int(rng() % 5);
                runs.insert(pos, count);
                ref.insert(pos, count);
            } else if (op < 9) {
                const int pos = int(rng() % (length + 1));
                const int removed = qMin(int(rng() % 6), length - pos);
                const int added = int(rng() % 4);
                runs.replace(pos, removed, added);
                ref.remove(pos, removed);
                ref.insert(pos, added);
            } else {
                const int pos = int(rng() % (length + 1));
                const int count = qMin(int(rng() % 6), length - pos);
                runs.remove(pos, count);
                ref.remove(pos, count);
            }
            ASSERT_EQ(runs.length(), ref.length());
            ASSERT_EQ(runs.runs(), ref.runs()) << "round " << round << " step " << step << " op " << op;
            ASSERT_EQ(runs.boundaryCount(), int(ref.runs().size()));
            for (int i = -1; i <= runs.length(); ++i)
                ASSERT_EQ(runs.at(i), ref.at(i)) << "round " << round << " step " << step << " pos " << i;
            if (before.length() == runs.length()) {
                ASSERT_EQ(differences(runs, before), ref.differences(refBefore))
                    << "round " << round << " step " << step;
            }
        }
        expectTiled(runs);
    }
}

} // namespace
} // namespace qx
