// Find matches highlighted in a shown Qt code box holding the generated 1 MB and 10 MB scripts: turning the
// highlight to another word (a search of the lines on screen), and one scroll step with the highlight on,
// beside the same step with it off; `matches` is the number shown after a step. Both should cost the same at
// 10 MB as at 1 MB. Also bracket matching across a statement of many " _" lines, forwards and backwards.
#include "platform/qt/QtCodeBox.h"
#include "text/BracketMatch.h"
#include "text/TextFind.h"

#include <QFile>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qx;

const QString& scriptText(int megabytes) {
    static QString texts[2];
    QString& text = texts[megabytes == 10 ? 1 : 0];
    if (text.isEmpty()) {
        QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/script_%1mb.vbs").arg(megabytes));
        if (file.open(QIODevice::ReadOnly))
            text = QString::fromLatin1(file.readAll());
    }
    return text;
}

// One shown box per text, made once and scrolled to the middle: setText on 10 MB takes seconds.
QtCodeBox* shownBox(benchmark::State& state) {
    static std::unique_ptr<QtCodeBox> boxes[2];
    const int megabytes = int(state.range(0));
    if (scriptText(megabytes).isEmpty()) {
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
        return nullptr;
    }
    std::unique_ptr<QtCodeBox>& box = boxes[megabytes == 10 ? 1 : 0];
    if (!box) {
        box = std::make_unique<QtCodeBox>();
        box->resize(900, 600);
        box->show();
        box->setText(scriptText(megabytes));
        box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum() / 2);
    }
    box->setMatchHighlight({}, 0);
    return box.get();
}

// Args: the text's size in MB. Each step highlights another common word.
void BM_MatchHighlight_Set(benchmark::State& state) {
    QtCodeBox* box = shownBox(state);
    if (!box)
        return;
    const QString words[] = {QStringLiteral("Dim"), QStringLiteral("End")};
    int step = 0;
    qsizetype matches = 0;
    for (auto _ : state) {
        box->setMatchHighlight(words[step++ % 2], kFindWholeWord);
        matches += box->shownMatches().size();
    }
    state.counters["matches"] = benchmark::Counter(double(matches), benchmark::Counter::kAvgIterations);
    state.SetLabel(state.range(0) == 10 ? "10 MB" : "1 MB");
}
BENCHMARK(BM_MatchHighlight_Set)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

// Args: the text's size in MB, the highlight off (0) or on (1). One line down, then up again, in turn.
void BM_MatchHighlight_ScrollStep(benchmark::State& state) {
    QtCodeBox* box = shownBox(state);
    if (!box)
        return;
    if (state.range(1) != 0)
        box->setMatchHighlight(QStringLiteral("End"), kFindWholeWord);
    QScrollBar* bar = box->verticalScrollBar();
    const int middle = bar->value();
    int step = 0;
    qsizetype matches = 0;
    for (auto _ : state) {
        bar->setValue(middle + step++ % 2);
        matches += box->shownMatches().size();
    }
    state.counters["matches"] = benchmark::Counter(double(matches), benchmark::Counter::kAvgIterations);
    state.SetLabel(QStringLiteral("%1 MB, highlight %2")
                       .arg(state.range(0))
                       .arg(state.range(1) != 0 ? "on" : "off")
                       .toStdString());
}
BENCHMARK(BM_MatchHighlight_ScrollStep)
    ->Args({1, 0})
    ->Args({1, 1})
    ->Args({10, 0})
    ->Args({10, 1})
    ->Unit(benchmark::kMicrosecond);

// A call spread over 250 lines joined by " _", with brackets in strings and nested calls: about
// 9,000 characters, just within the reach. Arg: the caret before the first bracket (0) or after the last (1).
void BM_BracketMatch_LongStatement(benchmark::State& state) {
    QString text = QStringLiteral("x = f(");
    for (int n = 0; n < 250; ++n)
        text += QStringLiteral("Item(%1), \"(\", Value(\"a\", %1) _\r\n").arg(n, 3, 10, QLatin1Char('0'));
    text += QStringLiteral("0)");
    const int caret = state.range(0) == 0 ? 5 : int(text.size());
    const std::optional<TagPair> pair = MatchBracketAt(text, caret);
    if (!pair || pair->partner.start != (state.range(0) == 0 ? text.size() - 1 : 5)) {
        state.SkipWithError("the statement's brackets are not matched");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(MatchBracketAt(text, caret));
    state.counters["chars"] = double(text.size());
    state.SetLabel(state.range(0) == 0 ? "forwards" : "backwards");
}
BENCHMARK(BM_BracketMatch_LongStatement)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
