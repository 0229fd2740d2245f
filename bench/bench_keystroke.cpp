// The edit path of the whole control on the Qt box, against a bare QPlainTextEdit holding the same text in
// the same process: keystrokes typed in the middle of the generated 1 MB and 10 MB texts, the memory that
// typing and Undo leave behind, and Undo and Redo steps. Each benchmark runs once (Iterations(1)) and
// loops inside; the figures are its counters (see README.md), not the Time column.
#include "EditBench.h"

#include "platform/KeyCodes.h"

#include <qxTagEditor2/qxDatabase.h>

#include <map>
#include <string>

namespace {

using namespace qxbench;

// Keystrokes per side: half typed characters, half Backspaces taking them back.
constexpr int kKeystrokes = 400;
// Steps of history made and undone by the memory and Undo benchmarks: as many as the history keeps.
constexpr int kSteps = 100;

// The control's median keystroke, and the bare editor's, per text, for comparing 10 MB with 1 MB.
std::map<std::string, Pairs> gKeystrokes;

// Keystrokes on the control and on the bare editor, one for one, each the same key: "x", then Backspace.
// With `smaller`, the text that the 1 MB benchmark run before, the 10 MB run also reports how its medians
// compare with that one's.
void BM_Keystroke(benchmark::State& state, const char* file, const char* smaller) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    Bare bare(text);
    Pairs pairs;
    for (auto _ : state) {
        for (int i = 0; i < kKeystrokes; ++i) {
            const auto key = i % 2 == 0 ? typeX : backspace;
            pairs.measure([&] { key(c.box); }, [&] { key(bare.edit); });
            settle();
        }
    }
    if (c.box.Text() != text || c.control.state().mpcUndo->Count() == 0) {
        state.SkipWithError("the keys did not reach the control, or did not take the text back");
        return;
    }
    reportPairs(state, pairs, "ratio", "control_ms", "bare_ms");
    gKeystrokes[file] = pairs;
    if (smaller && gKeystrokes.count(smaller) != 0) {
        const Pairs& small = gKeystrokes[smaller];
        state.counters["ratio_10mb_to_1mb"] = pairs.controlMs() / small.controlMs();
        state.counters["bare_10mb_to_1mb"] = pairs.referenceMs() / small.referenceMs();
    }
}

// Typing one long word into two controls side by side, with GroupTypingUndo on and off: grouping the
// characters into one undo step costs nothing per key.
void BM_GroupedTyping(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control grouped(text), single(text);
    grouped.control.state().mbGroupTypingUndo = true;
    Pairs pairs;
    for (auto _ : state) {
        for (int i = 0; i < kKeystrokes; ++i) {
            pairs.measure([&] { typeX(grouped.box); }, [&] { typeX(single.box); });
            settle();
        }
    }
    const int groupedSteps = grouped.control.state().mpcUndo->Count();
    if (groupedSteps != 1 || single.control.state().mpcUndo->Count() != kSteps) {
        state.SkipWithError("typing did not make one step grouped and one step a key without");
        return;
    }
    reportPairs(state, pairs, "ratio", "grouped_ms", "single_ms");
}

// Keystrokes into two controls side by side, with LiveDiagnostics on (the sample reference data, which knows
// few of the text's handlers: thousands of findings) and off. Between the delayed checks the marks follow
// each key, and the view is handed them as the widget hands them.
void BM_LiveDiagnosticsTyping(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    Control live(text), off(text);
    live.control.setDatabase(&database);
    off.control.setDatabase(&database);
    live.control.setLiveDiagnostics(true);
    live.box.setDiagnosticMarks(live.shell.shown);
    Pairs pairs;
    for (auto _ : state) {
        for (int i = 0; i < kKeystrokes; ++i) {
            const auto key = i % 2 == 0 ? typeX : backspace;
            pairs.measure(
                [&] {
                    key(live.box);
                    live.box.setDiagnosticMarks(live.shell.shown, false);
                },
                [&] { key(off.box); });
            settle();
        }
    }
    if (!live.shell.shown || live.box.Text() != text) {
        state.SkipWithError("no findings were marked, or the keys did not take the text back");
        return;
    }
    state.counters["findings"] = double(live.shell.shown->size());
    reportPairs(state, pairs, "ratio", "live_ms", "off_ms");
}

BENCHMARK_CAPTURE(BM_LiveDiagnosticsTyping, tag_1mb, "tag_1mb.qx")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LiveDiagnosticsTyping, tag_10mb, "tag_10mb.qx")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_GroupedTyping, script_10mb, "script_10mb.vbs")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GroupedTyping, tag_10mb, "tag_10mb.qx")->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_Keystroke, script_1mb, "script_1mb.vbs", nullptr)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, script_10mb, "script_10mb.vbs", "script_1mb.vbs")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, tag_1mb, "tag_1mb.qx", nullptr)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Keystroke, tag_10mb, "tag_10mb.qx", "tag_1mb.qx")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Heap growth while 100 characters are typed on each editor (the control's delayed pass included), and,
// with `thenUndo`, while each then takes 100 Undo steps (the bare editor merges typing into one step).
void BM_Memory(benchmark::State& state, const char* file, bool thenUndo) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    Bare bare(text);
    double controlMb = 0, bareMb = 0;
    const auto grow = [](double& total, auto&& work) {
        const double before = heapMb();
        work();
        settle();
        total += heapMb() - before;
    };
    for (auto _ : state) {
        grow(controlMb, [&] {
            for (int i = 0; i < kSteps; ++i)
                typeX(c.box);
            c.highlightTimer.fire();
        });
        grow(bareMb, [&] {
            for (int i = 0; i < kSteps; ++i)
                typeX(bare.edit);
        });
        if (thenUndo) {
            grow(controlMb, [&] {
                for (int i = 0; i < kSteps; ++i)
                    c.control.Undo();
                c.highlightTimer.fire();
            });
            grow(bareMb, [&] {
                for (int i = 0; i < kSteps; ++i)
                    bare.edit.undo();
            });
        }
    }
    if (thenUndo ? c.box.Text() != text : c.box.TextLength() != text.size() + kSteps) {
        state.SkipWithError("the control's text is not what typing (and Undo) should have left");
        return;
    }
    state.counters["history_bytes"] = c.historyBytes();
    state.counters["undo_steps"] = double(c.control.state().mpcUndo->Count());
    state.counters["growth_mb"] = controlMb;
    state.counters["bare_growth_mb"] = bareMb;
    state.counters["growth_above_bare_mb"] = controlMb - bareMb;
    state.counters["loadavg"] = loadAverage();
}

BENCHMARK_CAPTURE(BM_Memory, typed_script_10mb, "script_10mb.vbs", false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Memory, undone_script_10mb, "script_10mb.vbs", true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Memory, typed_tag_10mb, "tag_10mb.qx", false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Memory, undone_tag_10mb, "tag_10mb.qx", true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Undo and Redo steps on a history of 100 typed characters, walked down and up twice, each step paired with
// a keystroke on the bare editor ("x" and Backspace in turn).
void BM_UndoRedo(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    Bare bare(text);
    for (int i = 0; i < kSteps; ++i)
        typeX(c.box);
    c.highlightTimer.fire();
    settle();
    int bareKeys = 0;
    const auto bareKey = [&] { (bareKeys++ % 2 == 0 ? typeX : backspace)(bare.edit); };
    Pairs undo, redo;
    bool restored = true;
    for (auto _ : state) {
        for (int round = 0; round < 2; ++round) {
            for (int i = 0; i < kSteps; ++i) {
                undo.measure([&] { c.control.Undo(); }, bareKey);
                settle();
            }
            restored = restored && c.box.Text() == text;
            for (int i = 0; i < kSteps; ++i) {
                redo.measure([&] { c.control.Redo(); }, bareKey);
                settle();
            }
        }
    }
    if (!restored) {
        state.SkipWithError("100 Undo steps did not give the text back");
        return;
    }
    reportPairs(state, undo, "ratio_vs_bare_key", "undo_ms", "bare_key_ms");
    state.counters["redo_ratio_vs_bare_key"] = redo.ratio();
    state.counters["redo_ms"] = redo.controlMs();
}

BENCHMARK_CAPTURE(BM_UndoRedo, script_10mb, "script_10mb.vbs")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoRedo, tag_10mb, "tag_10mb.qx")->Iterations(1)->Unit(benchmark::kMillisecond);

// A key that changes nothing (Shift): KeyDown and KeyUp each look at the encoded and RTF state around the
// caret. Timed by Google Benchmark alone: a bare editor has no counterpart.
void BM_StateKey(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    for (auto _ : state) {
        int code = VK_SHIFT;
        c.control.KeyDown(code, kShiftMask);
        c.control.KeyUp(code, kShiftMask);
    }
    state.counters["loadavg"] = loadAverage();
}

BENCHMARK_CAPTURE(BM_StateKey, tag_10mb, "tag_10mb.qx")->Unit(benchmark::kMicrosecond);

} // namespace
