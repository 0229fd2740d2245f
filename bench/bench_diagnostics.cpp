// Live diagnostics: a full check of the generated 1 MB and 10 MB texts, with the sample reference data,
// beside the full colouring pass (engine and processor on the in-memory box) of the same text; and the
// checks that follow one typed character beside the delayed colouring pass after it.
#include "diagnostics/DiagnosticsChecker.h"
#include "diagnostics/IncrementalScriptCheck.h"
#include "diagnostics/IncrementalTagCheck.h"
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

// Where the keys go: the start of the line in the middle of the text (where a key may turn a keyword at the
// line's start into one that no longer starts the statement), the end of the first name assigned to after
// it (where a key changes a name only), or in tag markup the end of the first tag's content after it.
enum Where { LineStart, InName, TagContent };
int keyPosition(const QString& text, Where where) {
    const int lineStart = int(text.indexOf(QLatin1String("\r\n"), text.size() / 2)) + 2;
    switch (where) {
    case InName:
        return int(text.indexOf(QLatin1String(" = "), lineStart));
    case TagContent:
        return int(text.indexOf(QLatin1String("</QX>"), lineStart));
    default:
        return lineStart;
    }
}

// One iteration is two keystrokes in the middle of the text, "x" and then Backspace, each followed by the
// check that follows the edit and the findings read back; only the checks are timed.
// Reads the findings back as the check offers them.
template <class Check, class Read>
void typeTwoKeys(benchmark::State& state, QString text, Check& check, int at, Read read) {
    for (auto _ : state) {
        state.PauseTiming();
        text.insert(at, u'x');
        state.ResumeTiming();
        check.edited(TextSource(text), at, 0, 1);
        read(check);
        state.PauseTiming();
        text.remove(at, 1);
        state.ResumeTiming();
        check.edited(TextSource(text), at, 1, 0);
        read(check);
    }
}

void BM_CheckAfterKeystroke(benchmark::State& state, const char* name, Where where) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    IncrementalScriptCheck check;
    check.reset(text);
    typeTwoKeys(state, text, check, keyPosition(text, where),
                [](const IncrementalScriptCheck& c) { benchmark::DoNotOptimize(c.findings().constData()); });
}

// Tag markup, with the sample reference data or none (no name is checked then).
void BM_TagCheckAfterKeystroke(benchmark::State& state, const char* name, bool withReference) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    ScriptReference reference;
    reference.setDatabase(&database);
    const DiagnosticsChecker checker;
    IncrementalTagCheck check(checker.scriptCommands(), withReference ? &reference : nullptr);
    check.reset(text);
    state.counters["diagnostics"] = double(check.findings().size());
    typeTwoKeys(state, text, check, keyPosition(text, TagContent), [](const IncrementalTagCheck& c) {
        const ShiftedList<Diagnostic>& found = c.sortedFindings();
        benchmark::DoNotOptimize(found.size() > 0 ? found.at(found.size() - 1) : Diagnostic{});
    });
}

// The same two keystrokes on the in-memory box, each followed by the delayed colouring pass; only the
// passes are timed.
void BM_ColourAfterKeystroke(benchmark::State& state, const char* name, Where where) {
    const QString& text = benchText(name);
    if (!haveText(state, text))
        return;
    MemoryCodeBox box;
    box.setText(text);
    LineStates lines;
    const Colour tag = clsQXSyntaxHighlight::DefaultTagColour,
                 encode = clsQXSyntaxHighlight::DefaultEncodeColour;
    const int codeType = where == TagContent ? CodeTypes::Kelvane : CodeTypes::VB;
    ColourText(box, codeType, tag, encode, &lines);
    const int at = keyPosition(text, where);
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

BENCHMARK_CAPTURE(BM_CheckAfterKeystroke, script_1mb_name, "script_1mb.vbs", InName)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, script_1mb_name, "script_1mb.vbs", InName)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAfterKeystroke, script_10mb_name, "script_10mb.vbs", InName)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, script_10mb_name, "script_10mb.vbs", InName)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAfterKeystroke, script_1mb_line_start, "script_1mb.vbs", LineStart)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, script_1mb_line_start, "script_1mb.vbs", LineStart)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CheckAfterKeystroke, script_10mb_line_start, "script_10mb.vbs", LineStart)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, script_10mb_line_start, "script_10mb.vbs", LineStart)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TagCheckAfterKeystroke, tag_1mb, "tag_1mb.qx", true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TagCheckAfterKeystroke, tag_1mb_no_names, "tag_1mb.qx", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, tag_1mb, "tag_1mb.qx", TagContent)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TagCheckAfterKeystroke, tag_10mb, "tag_10mb.qx", true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_TagCheckAfterKeystroke, tag_10mb_no_names, "tag_10mb.qx", false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ColourAfterKeystroke, tag_10mb, "tag_10mb.qx", TagContent)
    ->Unit(benchmark::kMicrosecond);

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
