// The completion trigger at the end of the generated 1 MB texts, on the Qt code box, as the change handler
// runs it after each typed character: a character that triggers nothing (the common case), a dot after an
// object word (resolves the word, opens the cached member list), and a colon inside a tag (searches back
// for the opener and the closer; the reference has no data). The change-handler variants add what the
// control does around the trigger on every edit: scroll position, window lock, repaint, delayed pass.
#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "control/ChangeHandler.h"
#include "platform/OneShotTimer.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/memory/MemoryTipPopup.h"
#include "platform/qt/QtCodeBox.h"

#include <QFile>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace qx;

QString loadText(const char* name) {
    QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// A code box with the text and a tail typed at its end, and the assist classes around it.
struct Assist {
    EditorState fields;
    QtCodeBox box;
    MemoryCaretLocator caret;
    AssistPopups popups{fields, box, caret, [] { return std::make_unique<MemoryListPopup>(); },
                        [] { return std::make_unique<MemoryTipPopup>(); }};
    CompletionTrigger trigger{fields, box, popups};

    Assist(const QString& text, const QString& tail) {
        box.setText(text + tail);
        box.setSelStart(int(box.Text().size()));
    }
};

void runTrigger(benchmark::State& state, const char* file, const char* tail) {
    const QString text = loadText(file);
    if (text.isEmpty()) {
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
        return;
    }
    Assist assist(text, QLatin1String(tail));
    for (auto _ : state) {
        assist.trigger.ShowCompletion({}, false);
        assist.popups.HideList();
        assist.popups.HideTip();
    }
}

void BM_TriggerNoTriggerCharacter(benchmark::State& state) {
    runTrigger(state, "script_1mb.vbs", "\r\nx = y");
}
void BM_TriggerObjectDot(benchmark::State& state) {
    runTrigger(state, "script_1mb.vbs", "\r\nSet r = tag.");
}
void BM_TriggerColonInTag(benchmark::State& state) {
    runTrigger(state, "tag_1mb.qx", "<QX:DB>Connect:");
}

void runChangeHandler(benchmark::State& state, const char* file, const char* tail) {
    const QString text = loadText(file);
    if (text.isEmpty()) {
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
        return;
    }
    Assist assist(text, QLatin1String(tail));
    MemoryMessageBox messages;
    ManualTimer timer;
    ChangeHandler handler(
        assist.box, assist.fields, messages,
        ChangeHandler::Hooks{[&](ScrollPos scroll) { assist.trigger.ShowCompletion(scroll, false); },
                             [&] {
                                 timer.setEnabled(false);
                                 timer.setEnabled(true);
                             }});
    for (auto _ : state) {
        handler.Change();
        assist.popups.HideList();
        assist.popups.HideTip();
    }
    if (!messages.messages().isEmpty())
        state.SkipWithError("the change handler reported a failure");
}

void BM_ChangeHandlerNoTriggerCharacter(benchmark::State& state) {
    runChangeHandler(state, "script_1mb.vbs", "\r\nx = y");
}
void BM_ChangeHandlerObjectDot(benchmark::State& state) {
    runChangeHandler(state, "script_1mb.vbs", "\r\nSet r = tag.");
}

BENCHMARK(BM_ChangeHandlerNoTriggerCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ChangeHandlerObjectDot)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TriggerNoTriggerCharacter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TriggerObjectDot)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TriggerColonInTag)->Unit(benchmark::kMicrosecond);

} // namespace
