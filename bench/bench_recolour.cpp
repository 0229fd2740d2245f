// Re-colouring after an edit: the delayed pass that follows a one-character edit in the middle of the
// generated texts, against a full pass over the same text. Both are timed with their format changes, never
// with the repaint, which runs between the timed regions.
#include "EditBench.h"

namespace {

using namespace qxbench;

// Edits, each followed by a delayed pass and a full pass: half typed characters, half Backspaces.
constexpr int kEdits = 200;

// The pair: "x" typed (or taken back) at the middle line, then the pass its delayed request starts (the
// timer fired at once), then a full pass on the same text. The full pass follows the delayed one, so it
// finds every colour in place and only computes: the smaller, stricter reference.
void BM_Recolour(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    Pairs pairs;
    int unrequested = 0;
    for (auto _ : state) {
        for (int i = 0; i < kEdits; ++i) {
            (i % 2 == 0 ? typeX : backspace)(c.box);
            settle();
            unrequested += c.highlightTimer.Enabled() ? 0 : 1;
            const double delayed = cpuMs([&] { c.highlightTimer.fire(); });
            settle();
            const double full = cpuMs([&] { c.control.HighlightPass(); });
            settle();
            pairs.add(delayed, full);
        }
    }
    if (unrequested != 0) {
        state.SkipWithError("an edit requested no delayed pass");
        return;
    }
    reportPairs(state, pairs, "ratio_to_full", "delayed_ms", "full_ms");
}

BENCHMARK_CAPTURE(BM_Recolour, script_1mb, "script_1mb.vbs")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recolour, script_10mb, "script_10mb.vbs")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recolour, tag_1mb, "tag_1mb.qx")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Recolour, tag_10mb, "tag_10mb.qx")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
