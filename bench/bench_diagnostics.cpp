// Live diagnostics: a full check of the generated 1 MB and 10 MB texts, with the sample reference data,
// beside the full colouring pass (engine and processor on the in-memory box) of the same text.
#include "diagnostics/DiagnosticsChecker.h"
#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "hostlib/ScriptReference.h"
#include "platform/memory/MemoryCodeBox.h"

#include <qxTagEditor2/qxDatabase.h>

#include <QFile>
#include <benchmark/benchmark.h>

#include <map>
#include <string>

namespace {

using namespace qx;

// The generated texts, read once.
const QString& benchText(const char* name) {
    static std::map<std::string, QString> texts;
    auto it = texts.find(name);
    if (it == texts.end()) {
        QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/") + QLatin1String(name));
        it =
            texts.emplace(name, file.open(QIODevice::ReadOnly) ? decodeScriptFile(file.readAll()) : QString())
                .first;
    }
    return it->second;
}

bool haveText(benchmark::State& state, const QString& text) {
    if (text.isEmpty())
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
    return !text.isEmpty();
}

void BM_FullCheck(benchmark::State& state, const char* name, bool plainScript) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    ScriptReference reference;
    reference.setDatabase(&database);
    const DiagnosticsChecker checker;
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<Diagnostic> diagnostics = checker.check(text, plainScript, &reference);
        found = diagnostics.size();
        benchmark::DoNotOptimize(diagnostics.constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
    state.counters["diagnostics"] = double(found);
}

void BM_FullColouring(benchmark::State& state, const char* name, int codeType) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    MemoryCodeBox box;
    box.setText(text);
    for (auto _ : state)
        ColourText(box, codeType, clsQXSyntaxHighlight::DefaultTagColour,
                   clsQXSyntaxHighlight::DefaultEncodeColour);
    state.SetBytesProcessed(state.iterations() * text.size());
}

constexpr int VB = CodeTypes::VB;
constexpr int Tag = CodeTypes::Kelvane;

BENCHMARK_CAPTURE(BM_FullCheck, script_1mb, "script_1mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, script_1mb, "script_1mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, script_10mb, "script_10mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, script_10mb, "script_10mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, tag_1mb, "tag_1mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, tag_1mb, "tag_1mb.qx", Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, tag_10mb, "tag_10mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, tag_10mb, "tag_10mb.qx", Tag)->Unit(benchmark::kMillisecond);

} // namespace
