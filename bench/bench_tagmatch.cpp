// Tag matching while the caret moves across the generated 1 MB tag text: the matching rule alone, and caret
// moves in a shown Qt code box (extra selections included), each with the caret landing on a tag marker
// every time or stepping through the text. The box is measured with matching off too, as the baseline.
#include "platform/qt/QtCodeBox.h"
#include "text/TagMatch.h"

#include <QFile>
#include <QRegularExpression>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace qx;

const QString& tagText() {
    static const QString text = [] {
        QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/tag_1mb.qx"));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }();
    return text;
}

// Where the caret goes, in turn: 0 on the first character of every tag marker, 1 every 97th character.
const std::vector<int>& caretStops(int pattern) {
    static std::vector<int> stops[2];
    std::vector<int>& wanted = stops[pattern];
    if (wanted.empty()) {
        const QString& text = tagText();
        if (pattern == 0) {
            static const QRegularExpression marker(QStringLiteral("<QX:|</QX>"),
                                                   QRegularExpression::CaseInsensitiveOption);
            for (auto it = marker.globalMatch(text); it.hasNext();)
                wanted.push_back(int(it.next().capturedStart()));
        } else {
            for (int at = 0; at < text.size(); at += 97)
                wanted.push_back(at);
        }
    }
    return wanted;
}

bool textMissing(benchmark::State& state) {
    if (!tagText().isEmpty())
        return false;
    state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
    return true;
}

void BM_TagMatch_Rule(benchmark::State& state) {
    if (textMissing(state))
        return;
    const QString& text = tagText();
    const std::vector<int>& stops = caretStops(int(state.range(0)));
    size_t next = 0;
    int matched = 0;
    for (auto _ : state) {
        const auto pair = MatchTagAt(text, stops[next]);
        matched += pair ? 1 : 0;
        benchmark::DoNotOptimize(pair);
        next = (next + 1) % stops.size();
    }
    state.counters["stops"] = double(stops.size());
    state.counters["matched"] = benchmark::Counter(matched, benchmark::Counter::kAvgIterations);
    state.SetLabel(state.range(0) == 0 ? "on markers" : "every 97th char");
}
BENCHMARK(BM_TagMatch_Rule)->Arg(0)->Arg(1);

// One shown box holding the 1 MB text, made once, with the current line highlighted.
QtCodeBox* sharedBox() {
    static std::unique_ptr<QtCodeBox> box;
    if (!box) {
        box = std::make_unique<QtCodeBox>();
        box->resize(900, 600);
        box->show();
        box->setText(tagText());
        box->setHighlightCurrentLine(true);
    }
    return box.get();
}

// Args: the stops (0 on markers, 1 every 97th character), tag matching off (0) or on (1).
void BM_QtCodeBox_CaretMove(benchmark::State& state) {
    if (textMissing(state))
        return;
    QtCodeBox* box = sharedBox();
    box->setMatchTags(state.range(1) != 0);
    const std::vector<int>& stops = caretStops(int(state.range(0)));
    size_t next = 0;
    int shown = 0;
    for (auto _ : state) {
        box->setSelStart(stops[next]);
        shown += box->shownTagPair() ? 1 : 0;
        next = (next + 1) % stops.size();
    }
    state.counters["shown"] = benchmark::Counter(shown, benchmark::Counter::kAvgIterations);
    state.SetLabel(
        QStringLiteral("%1, matching %2")
            .arg(state.range(0) == 0 ? "on markers" : "every 97th char", state.range(1) != 0 ? "on" : "off")
            .toStdString());
}
BENCHMARK(BM_QtCodeBox_CaretMove)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

} // namespace
