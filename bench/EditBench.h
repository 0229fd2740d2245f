// What the edit-path benchmarks share: the generated texts, the control over a shown Qt box beside a bare
// QPlainTextEdit holding the same text, keys sent to either as Qt key events, and the measuring helpers
// (thread CPU time, medians of paired ratios, heap in use, load average).
#pragma once

#include "platform/qt/QtCodeBox.h"
#include "support/MemoryControl.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <malloc.h>
#include <unistd.h>
#include <vector>

namespace qxbench {

using namespace qx;

// The generated text, or an empty one after marking the benchmark skipped.
inline QString textFor(benchmark::State& state, const char* file) {
    QFile in(QStringLiteral(QX_BENCH_TEXT_DIR "/") + QLatin1String(file));
    const QString text = in.open(QIODevice::ReadOnly) ? QString::fromLatin1(in.readAll()) : QString();
    if (text.isEmpty())
        state.SkipWithError("benchmark text missing: build the qx_bench_texts target");
    return text;
}

// --- measuring ---------------------------------------------------------------------------------------

inline double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The thread CPU time that work takes, in ms.
template <typename Work> double cpuMs(Work&& work) {
    const double start = threadCpuMs();
    work();
    return threadCpuMs() - start;
}

inline double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    if (values.size() % 2 != 0)
        return *middle;
    return (*middle + *std::max_element(values.begin(), middle)) / 2;
}

// Times of the same step measured on the control and on a reference, one pair at a time.
struct Pairs {
    std::vector<double> control, reference;

    void add(double controlMs, double referenceMs) {
        control.push_back(controlMs);
        reference.push_back(referenceMs);
    }
    // Times both sides of one pair. Which side goes first swaps every two pairs (not every pair, which
    // would follow the alternation of typed keys and Backspace), so neither always finds the caches warm.
    template <typename ControlWork, typename ReferenceWork>
    void measure(ControlWork&& controlWork, ReferenceWork&& referenceWork) {
        double controlMs = 0, referenceMs = 0;
        if (control.size() / 2 % 2 == 0) {
            controlMs = cpuMs(controlWork);
            referenceMs = cpuMs(referenceWork);
        } else {
            referenceMs = cpuMs(referenceWork);
            controlMs = cpuMs(controlWork);
        }
        add(controlMs, referenceMs);
    }
    // The median of the per-pair ratios control / reference: load that slows both sides of a pair cancels.
    double ratio() const {
        std::vector<double> ratios;
        for (size_t i = 0; i < control.size(); ++i)
            ratios.push_back(control[i] / std::max(reference[i], 1e-6));
        return median(ratios);
    }
    double controlMs() const { return median(control); }
    double referenceMs() const { return median(reference); }
};

// Bytes the allocator has handed out and not taken back (small blocks and mapped large ones).
inline double heapMb() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// Memory resident in RAM (/proc/self/statm), which also counts what the allocator keeps after a free.
inline double rssMb() {
    QFile in(QStringLiteral("/proc/self/statm"));
    const double pages = in.open(QIODevice::ReadOnly) ? in.readLine().split(' ').value(1).toDouble() : 0;
    return pages * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The one-minute load average, so that figures from a busy machine can be told apart.
inline double loadAverage() {
    QFile in(QStringLiteral("/proc/loadavg"));
    return in.open(QIODevice::ReadOnly) ? in.readLine().split(' ').value(0).toDouble() : -1;
}

// Repaints and other posted work, outside any timed region.
inline void settle() {
    QCoreApplication::processEvents();
}

// --- keys --------------------------------------------------------------------------------------------

// One key as the user presses it: the press and the release, delivered to the widget at once.
inline void pressKey(QWidget& widget, Qt::Key key, const QString& text,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &release);
}

inline void typeX(QWidget& widget) {
    pressKey(widget, Qt::Key_X, QStringLiteral("x"));
}
inline void backspace(QWidget& widget) {
    pressKey(widget, Qt::Key_Backspace, QStringLiteral("\b"));
}
// Ctrl+V: the paste a user's keyboard runs.
inline void pasteKey(QWidget& widget) {
    pressKey(widget, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
}

// The typing point: the start of the line in the middle of the text, never inside an encoded value. As a
// position in the text with CR LF, and as a line number (the block of a QPlainTextEdit).
inline int middlePosition(const QString& text) {
    return int(text.indexOf(QLatin1String("\r\n"), text.size() / 2)) + 2;
}
inline int middleLine(const QString& text) {
    return int(QStringView(text).left(middlePosition(text)).count(QLatin1String("\r\n")));
}

// --- the two editors ---------------------------------------------------------------------------------

// The control over a shown Qt box and in-memory popups, bars and timers, its caret at the middle line.
struct Control : test::MemoryControl<QtCodeBox> {
    // Shown and empty, for timing a load.
    Control() {
        box.resize(900, 600);
        box.show();
        settle();
    }
    explicit Control(const QString& text) {
        box.resize(900, 600);
        box.show();
        control.setValue(text);
        box.setSelStart(middlePosition(text));
        settle();
    }

    // Characters held by both stacks of the history, as bytes.
    double historyBytes() const {
        const EditorState& s = control.state();
        return double(s.mpcUndo->characters() + s.mpcRedo->characters()) * 2;
    }
};

// A bare QPlainTextEdit of the same size with the same text, its caret at the same line.
struct Bare {
    QPlainTextEdit edit;

    // Shown and empty, for timing a load.
    Bare() {
        edit.resize(900, 600);
        edit.show();
        settle();
    }
    explicit Bare(const QString& text) {
        edit.resize(900, 600);
        edit.show();
        edit.setPlainText(text);
        QTextCursor cursor(edit.document()->findBlockByNumber(middleLine(text)));
        edit.setTextCursor(cursor);
        settle();
    }
};

// The figures every benchmark here reports, besides its own.
inline void reportPairs(benchmark::State& state, const Pairs& pairs, const char* ratioName,
                        const char* controlName, const char* referenceName) {
    state.counters[ratioName] = pairs.ratio();
    state.counters[controlName] = pairs.controlMs();
    state.counters[referenceName] = pairs.referenceMs();
    state.counters["pairs"] = double(pairs.control.size());
    state.counters["loadavg"] = loadAverage();
}

} // namespace qxbench
