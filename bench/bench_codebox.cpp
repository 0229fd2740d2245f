// The Qt code box on the generated 1 MB script: reading Text() after a one-character edit (against a
// toPlainText() baseline), typing one character, and colouring: a whole pass of ~175,000 runs, and the same
// pass again after a one-character edit, with the number of blocks given new formats.
#include "platform/qt/QtCodeBox.h"
#include "text/FormatRuns.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qx;

const QString& scriptText() {
    static const QString text = [] {
        QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/script_1mb.vbs"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }();
    return text;
}

// One box holding the 1 MB text, made once: setText alone costs tens of milliseconds.
QtCodeBox* sharedBox(benchmark::State& state) {
    static std::unique_ptr<QtCodeBox> box;
    if (scriptText().isEmpty()) {
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
        return nullptr;
    }
    if (!box) {
        box = std::make_unique<QtCodeBox>();
        box->resize(900, 600);
        box->show();
    }
    if (box->Text().size() < scriptText().size() - 16 || box->Text().size() > scriptText().size() + 16)
        box->setText(scriptText());
    return box.get();
}

constexpr int kRunEvery = 6;
constexpr int kRunLength = 4;

// A highlight pass as the engine drives the box: the whole text black, then one run every few characters,
// in ascending order, with repainting locked. `shift` moves the colours so that passes can differ. Runs
// after `editAt` move on by `moved` characters, as runs follow the text a highlighter reads.
void colourPass(QtCodeBox& box, int shift, int editAt = 0, int moved = 0) {
    const int length = int(box.Text().size());
    box.setUpdatesLocked(true);
    box.SelectRange(0, -1);
    box.setSelColor(0);
    box.setSelBold(false);
    box.setSelItalic(false);
    for (int at = 0, n = shift; at < length; at += kRunEvery, ++n) {
        const int pos = at < editAt ? at : at + moved;
        box.SelectRange(pos, pos + kRunLength);
        box.SetCharFormat({.Color = n % 2 ? Colour(0x0000FF) : Colour(0x800000), .Bold = n % 7 == 0});
    }
    box.SelectRange(0, 0);
    box.setUpdatesLocked(false);
}

// Inserts or removes one character in the middle, alternately, so that the text keeps its size.
void editOneChar(QtCodeBox& box, bool& inserted) {
    const int pos = int(box.Text().size()) / 2;
    box.SelectRange(pos, inserted ? pos + 1 : pos);
    box.setSelText(inserted ? QString() : QStringLiteral("x"));
    inserted = !inserted;
}

void BM_QtCodeBox_TextAfterOneCharEdit(benchmark::State& state) {
    QtCodeBox* box = sharedBox(state);
    if (!box)
        return;
    bool inserted = false;
    for (auto _ : state) {
        state.PauseTiming();
        editOneChar(*box, inserted);
        state.ResumeTiming();
        const QString text = box->Text();
        benchmark::DoNotOptimize(text.constData()[text.size() / 2]);
    }
}
BENCHMARK(BM_QtCodeBox_TextAfterOneCharEdit)->Unit(benchmark::kMicrosecond);

// What Text() would cost if it were rebuilt from the document.
void BM_QtCodeBox_ToPlainTextBaseline(benchmark::State& state) {
    QtCodeBox* box = sharedBox(state);
    if (!box)
        return;
    bool inserted = false;
    for (auto _ : state) {
        state.PauseTiming();
        editOneChar(*box, inserted);
        state.ResumeTiming();
        const QString text = box->toPlainText();
        benchmark::DoNotOptimize(text.constData()[text.size() / 2]);
    }
}
BENCHMARK(BM_QtCodeBox_ToPlainTextBaseline)->Unit(benchmark::kMicrosecond);

// One character in and out again through setSelText, on coloured text: the text copy, the format model and
// the edited block's layout formats are all updated.
void BM_QtCodeBox_InsertOneChar(benchmark::State& state) {
    QtCodeBox* box = sharedBox(state);
    if (!box)
        return;
    colourPass(*box, 0);
    bool inserted = false;
    for (auto _ : state)
        editOneChar(*box, inserted);
}
BENCHMARK(BM_QtCodeBox_InsertOneChar)->Unit(benchmark::kMicrosecond);

// A whole pass whose colours differ from the last one in every block.
void BM_QtCodeBox_FullColourPass(benchmark::State& state) {
    QtCodeBox* box = sharedBox(state);
    if (!box)
        return;
    int shift = 0;
    for (auto _ : state)
        colourPass(*box, ++shift);
    state.counters["runs"] = double(box->formats().boundaryCount());
    state.counters["blocks"] = box->lastAppliedBlockCount();
}
BENCHMARK(BM_QtCodeBox_FullColourPass)->Unit(benchmark::kMillisecond);

// The same pass again after a one-character edit: only the edited block gets new formats.
void BM_QtCodeBox_ColourPassAfterOneEdit(benchmark::State& state) {
    QtCodeBox* box = sharedBox(state);
    if (!box)
        return;
    colourPass(*box, 0);
    bool inserted = false;
    for (auto _ : state) {
        state.PauseTiming();
        editOneChar(*box, inserted);
        state.ResumeTiming();
        colourPass(*box, 0, int(box->Text().size()) / 2, inserted ? 1 : 0);
    }
    state.counters["blocks"] = box->lastAppliedBlockCount();
}
BENCHMARK(BM_QtCodeBox_ColourPassAfterOneEdit)->Unit(benchmark::kMillisecond);

// The format model alone: a black fill and the pass's runs in ascending order.
void BM_FormatRuns_AscendingPass(benchmark::State& state) {
    const int length = int(scriptText().size());
    FormatRuns runs(length);
    for (auto _ : state) {
        runs.apply(0, length, {.Color = 0, .Bold = false, .Italic = false});
        for (int pos = 0, n = 0; pos < length; pos += kRunEvery, ++n)
            runs.apply(pos, pos + kRunLength, {.Color = n % 2 ? Colour(0x0000FF) : Colour(0x800000)});
        benchmark::DoNotOptimize(runs.boundaryCount());
    }
}
BENCHMARK(BM_FormatRuns_AscendingPass)->Unit(benchmark::kMillisecond);

} // namespace
