// The keystroke path of the whole control on the Qt box: KeyDown, KeyPress with its tail, the insertion,
// the change handler with the completion trigger, and KeyUp, for one character typed in the middle of the
// generated 1 MB and 10 MB texts (then taken back with Backspace, which is a keystroke too).
#include "control/EditorController.h"
#include "control/EditorShell.h"
#include "platform/KeyCodes.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryClipboard.h"
#include "platform/memory/MemoryEditBar.h"
#include "platform/memory/MemoryInputBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryMessageBox.h"
#include "platform/memory/MemoryPopupMenu.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"
#include "platform/qt/QtCodeBox.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <benchmark/benchmark.h>

namespace {

using namespace qx;

QString loadText(const char* name) {
    QFile file(QStringLiteral(QX_BENCH_TEXT_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

// The generated text, or an empty one after marking the benchmark skipped.
QString textFor(benchmark::State& state, const char* file) {
    QString text = loadText(file);
    if (text.isEmpty())
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
    return text;
}

class NoShell final : public EditorShell {
public:
    void LayOut() override {}
    void EncodingAreaChange(bool) override {}
    void OpenFindDialog() override {}
};

class NoForeground final : public ForegroundWindow {
public:
    WindowHandle Current() const override { return 1; }
};

// The control over a shown Qt box and in-memory popups, bars and timers.
struct Control {
    QtCodeBox box;
    MemoryCaretLocator caret;
    MemoryStatusPanels status;
    MemoryEditBar editBar;
    MemoryPopupMenu menu;
    ManualTimer highlightTimer, foregroundTimer;
    MemoryMessageBox messages;
    MemoryClipboard clipboard;
    MemoryInputBox input;
    NoForeground foreground;
    NoShell shell;
    EditorController control{EditorParts{box, caret, status, editBar, menu, highlightTimer, foregroundTimer,
                                         messages, clipboard, input, foreground, shell,
                                         [] { return std::make_unique<MemoryListPopup>(); },
                                         [] { return std::make_unique<MemoryTipPopup>(); }}};

    explicit Control(const QString& text) {
        box.resize(900, 600);
        box.show();
        control.setValue(text);
        // The start of a line in the middle: typing there is never inside an encoded value.
        box.setSelStart(int(text.indexOf(QLatin1String("\r\n"), text.size() / 2)) + 2);
    }

    // One key as the Qt box raises it: KeyDown, KeyPress, the edit, KeyUp.
    void stroke(int vk, int ch, const QString& edit) {
        int code = vk;
        control.KeyDown(code, 0);
        int typed = ch;
        control.KeyPress(typed);
        if (typed != 0) {
            if (edit.isEmpty()) {
                box.SelectRange(box.SelStart() - 1, box.SelStart());
                box.setSelText(QString());
            } else {
                box.setSelText(edit);
            }
        }
        control.KeyUp(code, 0);
    }
};

void runKeystroke(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    for (auto _ : state) {
        c.stroke(VK_A + ('x' - 'a'), 'x', QStringLiteral("x"));
        c.stroke(VK_BACK, '\b', QString());
    }
    state.counters["undo_entries"] = double(c.control.state().mpcUndo->Count());
    state.counters["history_bytes"] = double(c.control.state().mpcUndo->characters() * 2);
}

// One Undo and one Redo of a typed character, on a history of 100 steps.
void runUndoRedo(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    for (int i = 0; i < 100; ++i)
        c.stroke(VK_A + ('x' - 'a'), 'x', QStringLiteral("x"));
    for (auto _ : state) {
        c.control.Undo();
        c.control.Redo();
    }
}

// The same pair of keys on a bare QPlainTextEdit, for comparison.
void runBare(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    QPlainTextEdit bare;
    bare.resize(900, 600);
    bare.show();
    bare.setPlainText(text);
    QTextCursor cursor = bare.textCursor();
    cursor.setPosition(int(bare.document()->characterCount() / 2));
    bare.setTextCursor(cursor);
    for (auto _ : state) {
        bare.insertPlainText(QStringLiteral("x"));
        bare.textCursor().deletePreviousChar();
    }
}

void BM_BarePair_Script1MB(benchmark::State& state) {
    runBare(state, "script_1mb.vbs");
}
void BM_BarePair_Script10MB(benchmark::State& state) {
    runBare(state, "script_10mb.vbs");
}
void BM_UndoRedo_Script10MB(benchmark::State& state) {
    runUndoRedo(state, "script_10mb.vbs");
}
BENCHMARK(BM_BarePair_Script1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BarePair_Script10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedo_Script10MB)->Unit(benchmark::kMillisecond);

// A key that changes nothing (Shift): KeyDown and KeyUp each look at the encoded and RTF state around the
// caret.
void runStateKey(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    for (auto _ : state) {
        int code = VK_SHIFT;
        c.control.KeyDown(code, kShiftMask);
        c.control.KeyUp(code, kShiftMask);
    }
}

void BM_StateKey_Tag10MB(benchmark::State& state) {
    runStateKey(state, "tag_10mb.qx");
}
BENCHMARK(BM_StateKey_Tag10MB)->Unit(benchmark::kMicrosecond);

void BM_KeystrokePair_Script1MB(benchmark::State& state) {
    runKeystroke(state, "script_1mb.vbs");
}
void BM_KeystrokePair_Script10MB(benchmark::State& state) {
    runKeystroke(state, "script_10mb.vbs");
}
void BM_KeystrokePair_Tag1MB(benchmark::State& state) {
    runKeystroke(state, "tag_1mb.qx");
}
void BM_KeystrokePair_Tag10MB(benchmark::State& state) {
    runKeystroke(state, "tag_10mb.qx");
}

BENCHMARK(BM_KeystrokePair_Script1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokePair_Script10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokePair_Tag1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokePair_Tag10MB)->Unit(benchmark::kMillisecond);

} // namespace
