// Highlighting speed: a bare character walk as the baseline, the core pass (engine and processor on the
// in-memory box) on the generated 1 MB and 10 MB texts and the corpus, and the pass on the Qt code box with
// its formats applied, whole and after a one-character edit.
#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightScheduler.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/qt/QtCodeBox.h"

#include <QDirIterator>
#include <QFile>
#include <benchmark/benchmark.h>

#include <map>
#include <vector>

namespace {

using namespace qx;

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return decodeScriptFile(file.readAll());
}

// The generated texts, read once.
const QString& benchText(const char* name) {
    static std::map<std::string, QString> texts;
    auto it = texts.find(name);
    if (it == texts.end())
        it = texts.emplace(name, readText(QStringLiteral(QX_BENCH_TEXT_DIR "/") + QLatin1String(name))).first;
    return it->second;
}

const std::vector<QString>& corpusTexts() {
    static const std::vector<QString> texts = [] {
        std::vector<QString> out;
        QDirIterator it(QStringLiteral(QX_CORPUS_DIR), {QStringLiteral("*.vbs"), QStringLiteral("*.asp")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            out.push_back(readText(it.next()));
        return out;
    }();
    return texts;
}

bool haveText(benchmark::State& state, const QString& text) {
    if (text.isEmpty())
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
    return !text.isEmpty();
}

// The baseline: one pass over the characters that finds identifier and blank boundaries and records a run
// per identifier, as any colouring must at least do.
void BM_BareWalk(benchmark::State& state, const char* name) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    std::vector<std::pair<int, int>> runs;
    for (auto _ : state) {
        runs.clear();
        const QChar* chars = text.constData();
        const int n = int(text.size());
        int start = -1;
        for (int i = 0; i < n; ++i) {
            const char16_t c = chars[i].unicode();
            const bool word =
                (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
            if (word && start < 0)
                start = i;
            else if (!word && start >= 0) {
                runs.emplace_back(start, i);
                start = -1;
            }
        }
        benchmark::DoNotOptimize(runs.data());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["runs"] = double(runs.size());
}

void colourOnce(CodeBox& box, int codeType) {
    ColourText(box, codeType, clsQXSyntaxHighlight::DefaultTagColour,
               clsQXSyntaxHighlight::DefaultEncodeColour);
}

// Engine and processor on the in-memory box: the whole pass, formats included.
void BM_CorePass(benchmark::State& state, const char* name, int codeType) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    MemoryCodeBox box;
    box.setText(text);
    for (auto _ : state)
        colourOnce(box, codeType);
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["runs"] = double(box.formats().boundaryCount());
}

void BM_CorePassCorpus(benchmark::State& state, int codeType) {
    std::vector<MemoryCodeBox> boxes(corpusTexts().size());
    qint64 bytes = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
        boxes[i].setText(corpusTexts()[i]);
        bytes += corpusTexts()[i].size();
    }
    for (auto _ : state) {
        for (MemoryCodeBox& box : boxes)
            colourOnce(box, codeType);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["files"] = double(boxes.size());
}

// A shown Qt code box with a pass scheduler, as the control has them.
struct QtSetup {
    QtCodeBox box;
    ManualTimer timer;
    EditorState editor;
    HighlightScheduler scheduler{box, timer, editor};

    explicit QtSetup(const QString& text, int codeType) {
        editor.mlCodeType = codeType;
        box.resize(900, 600);
        box.show();
        box.setText(text);
    }
};

// The full pass on the Qt box from a text that has no formats yet, with the repaint that shows it: the
// blocks on screen get their layout formats at once, the others when they are scrolled into view.
void BM_QtFullPass(benchmark::State& state, const char* name, int codeType) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    QtSetup qt(text, codeType);
    for (auto _ : state) {
        state.PauseTiming();
        qt.box.setText(text);
        state.ResumeTiming();
        qt.scheduler.HighlightPass();
        qt.box.viewport()->repaint(); // the blocks on screen are painted with their new formats
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["blocks"] = qt.box.lastAppliedBlockCount();
}

// The pass that follows one typed (or deleted) character in the middle of the text: an apostrophe at the
// start of a script line (the line becomes a comment), a quote before a markup tag (a quote of its own).
void BM_QtPassAfterEdit(benchmark::State& state, const char* name, int codeType) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    QtSetup qt(text, codeType);
    qt.scheduler.HighlightPass();
    const bool script = codeType == CodeTypes::VB;
    const int pos = int(script ? text.indexOf(QLatin1String("\r\n"), text.size() / 2) + 2
                               : text.indexOf(QLatin1String("<div"), text.size() / 2));
    const QString typed = script ? QStringLiteral("'") : QStringLiteral("\"");
    bool inserted = false;
    double touched = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qt.box.SelectRange(pos, inserted ? pos + 1 : pos);
        qt.box.setSelText(inserted ? QString() : typed);
        qt.box.ensureCursorVisible(); // the user types where they look
        qt.box.viewport()->repaint();
        inserted = !inserted;
        state.ResumeTiming();
        qt.scheduler.HighlightPass();
        qt.box.viewport()->repaint();
        touched += qt.box.lastAppliedBlockCount();
    }
    state.counters["blocks_touched"] = benchmark::Counter(touched, benchmark::Counter::kAvgIterations);
}

using CT = int;
constexpr CT VB = CodeTypes::VB;
constexpr CT Tag = CodeTypes::Kelvane;

BENCHMARK_CAPTURE(BM_BareWalk, script_1mb, "script_1mb.vbs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareWalk, script_10mb, "script_10mb.vbs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareWalk, tag_1mb, "tag_1mb.qx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BareWalk, tag_10mb, "tag_10mb.qx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePass, script_1mb, "script_1mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePass, script_10mb, "script_10mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePass, tag_1mb, "tag_1mb.qx", Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePass, tag_10mb, "tag_10mb.qx", Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePassCorpus, script, VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CorePassCorpus, tag, Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtFullPass, script_1mb, "script_1mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtFullPass, tag_1mb, "tag_1mb.qx", Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtPassAfterEdit, script_1mb, "script_1mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QtPassAfterEdit, tag_1mb, "tag_1mb.qx", Tag)->Unit(benchmark::kMillisecond);

} // namespace
