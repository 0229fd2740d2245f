// Live diagnostics: a full check of the generated 1 MB and 10 MB texts, with the sample reference data,
// beside the full colouring pass (engine and processor on the in-memory box) of the same text; and the
// check that follows one typed character, in plain script and in tag markup, beside the delayed colouring
// pass after it.
#include "diagnostics/DiagnosticsChecker.h"
#include "diagnostics/LiveDiagnostics.h"
#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/LineStates.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "hostlib/ScriptReference.h"
#include "platform/memory/MemoryCodeBox.h"
#include "text/TextSource.h"

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

// The same whole check as LiveDiagnostics runs it, keeping what the next edits need.
void BM_FullLiveCheck(benchmark::State& state, const char* name, bool plainScript) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    ScriptReference reference;
    reference.setDatabase(&database);
    LiveDiagnostics live;
    for (auto _ : state) {
        live.reset(text, plainScript, &reference);
        benchmark::DoNotOptimize(live.diagnostics().constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
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

// Where the keys go. In plain script: the start of the line in the middle of the text (where a key may turn
// a keyword at the line's start into one that no longer starts the statement), or the end of the first name
// assigned to after it (where a key changes a name only). In tag markup: the end of the first name assigned
// to in the first script value after the middle, or the first word of the first heading after it.
enum class Key { ScriptName, ScriptLineStart, TagValue, TagText };

int keyPosition(const QString& text, Key key) {
    const int middle = int(text.size() / 2);
    switch (key) {
    case Key::ScriptName:
    case Key::ScriptLineStart: {
        const int lineStart = int(text.indexOf(QLatin1String("\r\n"), middle)) + 2;
        return key == Key::ScriptName ? int(text.indexOf(QLatin1String(" = "), lineStart)) : lineStart;
    }
    case Key::TagValue:
        return int(text.indexOf(QLatin1String(" = "),
                                text.indexOf(QLatin1String("<qx:vbs>"), middle, Qt::CaseInsensitive)));
    case Key::TagText:
        return int(text.indexOf(QLatin1String("<h2>"), middle)) + 6;
    }
    return middle;
}

bool isScript(Key key) {
    return key == Key::ScriptName || key == Key::ScriptLineStart;
}

// One iteration is two keystrokes in the middle of the text on the in-memory box, "x" and then Backspace,
// each followed by the check that follows the edit (LiveDiagnostics over the box's range reads, with the
// sample reference data for tag markup) and its findings read; only the checks are timed.
void BM_CheckAfterKeystroke(benchmark::State& state, const char* name, Key key) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    ScriptReference reference;
    reference.setDatabase(&database);
    MemoryCodeBox box;
    box.setText(text);
    LiveDiagnostics live;
    live.reset(text, isScript(key), &reference);
    const int at = keyPosition(text, key);
    for (auto _ : state) {
        state.PauseTiming();
        box.SelectRange(at, at), box.setSelText(QStringLiteral("x"));
        state.ResumeTiming();
        live.edited(TextSource(box), at, 0, 1);
        benchmark::DoNotOptimize(live.diagnostics().constData());
        state.PauseTiming();
        box.SelectRange(at, at + 1), box.setSelText(QString());
        state.ResumeTiming();
        live.edited(TextSource(box), at, 1, 0);
        benchmark::DoNotOptimize(live.diagnostics().constData());
    }
    state.counters["diagnostics"] = double(live.diagnostics().size());
}

// The same two keystrokes on the in-memory box, each followed by the delayed colouring pass; only the
// passes are timed.
void BM_ColourAfterKeystroke(benchmark::State& state, const char* name, Key key) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    MemoryCodeBox box;
    box.setText(text);
    LineStates lines;
    const int codeType = isScript(key) ? CodeTypes::VB : CodeTypes::Kelvane;
    const Colour tag = clsQXSyntaxHighlight::DefaultTagColour,
                 encode = clsQXSyntaxHighlight::DefaultEncodeColour;
    ColourText(box, codeType, tag, encode, &lines);
    const int at = keyPosition(text, key);
    for (auto _ : state) {
        state.PauseTiming();
        box.SelectRange(at, at), box.setSelText(QStringLiteral("x"));
        lines.Edited(at, 0, 1);
        state.ResumeTiming();
        ColourEdits(box, codeType, tag, encode, lines);
        state.PauseTiming();
        box.SelectRange(at, at + 1), box.setSelText(QString());
        lines.Edited(at, 1, 0);
        state.ResumeTiming();
        ColourEdits(box, codeType, tag, encode, lines);
    }
}

#define QX_KEY_BENCH(label, file, key)                                                                       \
    BENCHMARK_CAPTURE(BM_CheckAfterKeystroke, label, file, key)->Unit(benchmark::kMicrosecond);              \
    BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, label, file, key)->Unit(benchmark::kMicrosecond)

QX_KEY_BENCH(script_1mb_name, "script_1mb.vbs", Key::ScriptName);
QX_KEY_BENCH(script_10mb_name, "script_10mb.vbs", Key::ScriptName);
QX_KEY_BENCH(script_1mb_line_start, "script_1mb.vbs", Key::ScriptLineStart);
QX_KEY_BENCH(script_10mb_line_start, "script_10mb.vbs", Key::ScriptLineStart);
QX_KEY_BENCH(tag_1mb_value, "tag_1mb.qx", Key::TagValue);
QX_KEY_BENCH(tag_10mb_value, "tag_10mb.qx", Key::TagValue);
QX_KEY_BENCH(tag_1mb_text, "tag_1mb.qx", Key::TagText);
QX_KEY_BENCH(tag_10mb_text, "tag_10mb.qx", Key::TagText);

constexpr int VB = CodeTypes::VB;
constexpr int Tag = CodeTypes::Kelvane;

BENCHMARK_CAPTURE(BM_FullCheck, script_1mb, "script_1mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullLiveCheck, script_1mb, "script_1mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, script_1mb, "script_1mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, script_10mb, "script_10mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullLiveCheck, script_10mb, "script_10mb.vbs", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, script_10mb, "script_10mb.vbs", VB)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, tag_1mb, "tag_1mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullLiveCheck, tag_1mb, "tag_1mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, tag_1mb, "tag_1mb.qx", Tag)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullCheck, tag_10mb, "tag_10mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullLiveCheck, tag_10mb, "tag_10mb.qx", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullColouring, tag_10mb, "tag_10mb.qx", Tag)->Unit(benchmark::kMillisecond);

} // namespace
