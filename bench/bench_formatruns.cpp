// The format model alone at the size of the generated 10 MB script: ~1.85 million runs. A highlight pass
// (a black fill, then the runs in ascending order), a typed character taken back again in the middle of the
// coloured text, the same after the caret jumped far off, and colouring one line in the middle.
#include "text/FormatRuns.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qx;

constexpr int kLength = 10'000'000;

// One run every few characters, as a pass over the script leaves them.
void colourPass(FormatRuns& runs) {
    runs.reset(kLength);
    runs.apply(0, kLength, {.Color = 0, .Bold = false, .Italic = false});
    int colour = 0;
    for (int at = 0; at < kLength; at += 11) {
        runs.apply(at, at + 4, {.Color = Colour(0x800000 + colour)});
        colour = (colour + 1) % 7;
    }
}

const FormatRuns& colouredText() {
    static const FormatRuns runs = [] {
        FormatRuns r;
        colourPass(r);
        return r;
    }();
    return runs;
}

void BM_FormatRuns_Pass10MB(benchmark::State& state) {
    FormatRuns runs;
    for (auto _ : state) {
        colourPass(runs);
        benchmark::DoNotOptimize(runs.boundaryCount());
    }
    state.counters["runs"] = double(runs.boundaryCount());
}
BENCHMARK(BM_FormatRuns_Pass10MB)->Unit(benchmark::kMillisecond);

// One character typed in the middle and taken back with Backspace.
void BM_FormatRuns_TypePair10MB(benchmark::State& state) {
    FormatRuns runs = colouredText();
    const int at = kLength / 2;
    for (auto _ : state) {
        runs.insert(at, 1);
        runs.remove(at, 1);
    }
}
BENCHMARK(BM_FormatRuns_TypePair10MB)->Unit(benchmark::kMicrosecond);

// Typing at two places `range(0)` characters apart, in turn: each edit moves the gap across the runs
// between them.
void BM_FormatRuns_TypePairAfterJump10MB(benchmark::State& state) {
    FormatRuns runs = colouredText();
    const int first = kLength / 4;
    const int second = first + int(state.range(0));
    for (auto _ : state) {
        for (int at : {first, second}) {
            runs.insert(at, 1);
            runs.remove(at, 1);
        }
    }
}
BENCHMARK(BM_FormatRuns_TypePairAfterJump10MB)->Arg(1'000)->Arg(100'000)->Unit(benchmark::kMicrosecond);

// One line of 60 characters in the middle coloured afresh, two colours in turn.
void BM_FormatRuns_ColourLine10MB(benchmark::State& state) {
    FormatRuns runs = colouredText();
    const int at = kLength / 2;
    Colour colour = 0x0000FF;
    for (auto _ : state) {
        runs.apply(at, at + 60, {.Color = colour});
        colour ^= 0x00FFFF;
    }
}
BENCHMARK(BM_FormatRuns_ColourLine10MB)->Unit(benchmark::kMicrosecond);

} // namespace
