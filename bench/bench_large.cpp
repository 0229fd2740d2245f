// Large scripts against a bare QPlainTextEdit, in the same process: loading (time and memory), a 1 MB paste
// of tag markup into the middle of the tag text with its Undo and Redo, and one 2 MB line of plain script.
// The 100 MB texts (ten copies of the 10 MB ones, made in memory) are registered only with QX_BENCH_100MB=1.
// Each benchmark runs once (Iterations(1)) and loops inside; the figures are its counters (see README.md).
#include "EditBench.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringList>

#include <string>

namespace {

using namespace qxbench;

// The code type of plain script, as the control numbers it.
constexpr int kPlainScript = 1;
// The pasted piece and the long line, in characters.
constexpr qsizetype kPieceChars = 1'000'000;
constexpr qsizetype kLongLineChars = 2'000'000;
// Keystrokes per side at each point of the long line: half "x", half Backspace.
constexpr int kLongLineKeys = 10;

// A benchmark text: a generated file, repeated in memory.
struct Sized {
    const char* name; // script_10mb, ...
    const char* file;
    int copies;
};

const Sized kScripts[] = {{"script_1mb", "script_1mb.vbs", 1},
                          {"script_10mb", "script_10mb.vbs", 1},
                          {"script_100mb", "script_10mb.vbs", 10}};
const Sized kTags[] = {
    {"tag_1mb", "tag_1mb.qx", 1}, {"tag_10mb", "tag_10mb.qx", 1}, {"tag_100mb", "tag_10mb.qx", 10}};

QString textOf(benchmark::State& state, const Sized& sized) {
    QString text = textFor(state, sized.file);
    if (sized.copies == 1 || text.isEmpty())
        return text;
    if (!text.endsWith(QLatin1String("\r\n")))
        text += QLatin1String("\r\n"); // each copy starts a line of its own
    return text.repeated(sized.copies);
}

// Fewer rounds on the larger texts: one load of 100 MB takes many seconds.
int roundsFor(const QString& text, int small, int large) {
    return text.size() > 50'000'000 ? large : text.size() > 5'000'000 ? (small + large) / 2 : small;
}

// --- loading -----------------------------------------------------------------------------------------

void load(Control& c, const QString& text) {
    c.control.setValue(text);
}
void load(Bare& bare, const QString& text) {
    bare.edit.setPlainText(text);
}

// The call alone, and the call with the posted work that follows it (layout, the first paint).
struct LoadTimes {
    double callMs = 0, settledMs = 0;
};

template <class Editor> LoadTimes timeLoad(Editor& editor, const QString& text) {
    const double start = threadCpuMs();
    load(editor, text);
    const double called = threadCpuMs();
    settle();
    return {called - start, threadCpuMs() - start};
}

// Loads into a fresh control (of the given code type, or the default) and a fresh bare editor, the first
// side swapping every pair.
void loadPairs(benchmark::State& state, const QString& text, int codeType) {
    Pairs call, settled;
    bool whole = true;
    for (auto _ : state) {
        for (int i = 0; i < roundsFor(text, 7, 2); ++i) {
            Control c;
            Bare bare;
            if (codeType >= 0)
                c.control.setCodeType(codeType);
            LoadTimes control, reference;
            if (i % 2 == 0) {
                control = timeLoad(c, text);
                reference = timeLoad(bare, text);
            } else {
                reference = timeLoad(bare, text);
                control = timeLoad(c, text);
            }
            call.add(control.callMs, reference.callMs);
            settled.add(control.settledMs, reference.settledMs);
            whole = whole && c.box.TextLength() == text.size();
        }
    }
    if (!whole) {
        state.SkipWithError("the control did not hold the whole text after the load");
        return;
    }
    reportPairs(state, call, "ratio", "control_ms", "bare_ms");
    state.counters["settled_ratio"] = settled.ratio();
    state.counters["settled_control_ms"] = settled.controlMs();
    state.counters["settled_bare_ms"] = settled.referenceMs();
}

void BM_Load(benchmark::State& state, Sized sized) {
    const QString text = textOf(state, sized);
    if (!text.isEmpty())
        loadPairs(state, text, -1);
}

// What loading leaves allocated: heap and resident memory.
struct Grown {
    double heapMb = 0, rssMb = 0;
};

// A fresh editor loads its own copy of the text, which the caller then drops, as a host would: whatever
// the editor still shares of it counts as its own.
template <class Editor> Grown grownByLoad(const QString& text) {
    malloc_trim(0); // what the previous editor freed goes back, so that the resident size can grow again
    Editor editor;
    const double heap = heapMb(), rss = rssMb();
    QString copy(text.constData(), text.size());
    load(editor, copy);
    copy = QString();
    settle();
    return {heapMb() - heap, rssMb() - rss};
}

void BM_LoadMemory(benchmark::State& state, Sized sized) {
    const QString text = textOf(state, sized);
    if (text.isEmpty())
        return;
    Pairs heap, rss;
    for (auto _ : state) {
        for (int i = 0; i < 2; ++i) {
            Grown control, reference;
            if (i % 2 == 0) {
                control = grownByLoad<Control>(text);
                reference = grownByLoad<Bare>(text);
            } else {
                reference = grownByLoad<Bare>(text);
                control = grownByLoad<Control>(text);
            }
            heap.add(control.heapMb, reference.heapMb);
            rss.add(control.rssMb, reference.rssMb);
        }
    }
    reportPairs(state, heap, "ratio", "control_mb", "bare_mb");
    state.counters["rss_ratio"] = rss.ratio();
    state.counters["control_rss_mb"] = rss.controlMs();
    state.counters["bare_rss_mb"] = rss.referenceMs();
}

// --- a 1 MB paste into tag markup ----------------------------------------------------------------------

// The first megabyte of the 1 MB tag text, cut at a line start.
QString pieceOf(benchmark::State& state) {
    const QString text = textFor(state, "tag_1mb.qx");
    return text.left(text.lastIndexOf(QLatin1String("\r\n"), kPieceChars) + 2);
}

// The control's delayed pass, run at once; its time in ms (0 when no pass was requested).
double firePass(Control& c) {
    settle();
    const double ms = cpuMs([&] { c.highlightTimer.fire(); });
    settle();
    return ms;
}

// An empty selection at the start of the middle line on both sides.
void placeAtMiddle(Control& c, Bare& bare, const QString& text) {
    c.box.setSelStart(middlePosition(text));
    c.box.setSelLength(0);
    bare.edit.setTextCursor(QTextCursor(bare.edit.document()->findBlockByNumber(middleLine(text))));
}

// Ctrl+V on the control (its whole key path, as a user pastes) against QPlainTextEdit::paste() on the bare
// editor, both from the application's clipboard; then Undo and Redo of it on both, and an untimed Undo
// that gives the text back for the next round. The menu's Paste (the control's clipboard) is paired with
// the bare paste too.
void BM_Paste(benchmark::State& state, Sized sized) {
    const QString text = textOf(state, sized);
    const QString piece = pieceOf(state);
    if (text.isEmpty() || piece.isEmpty())
        return;
    Control c(text);
    Bare bare(text);
    QGuiApplication::clipboard()->setText(piece);
    c.clipboard.setText(piece);
    const int bareChars = bare.edit.document()->characterCount();
    Pairs paste, undo, redo, menuPaste;
    std::vector<double> passes;
    bool pasted = true, restored = true;
    for (auto _ : state) {
        for (int i = 0; i < roundsFor(text, 9, 5); ++i) {
            placeAtMiddle(c, bare, text);
            paste.measure([&] { pasteKey(c.box); }, [&] { bare.edit.paste(); });
            passes.push_back(firePass(c));
            const int pastedLength = c.box.TextLength();
            pasted =
                pasted && pastedLength > text.size() && bare.edit.document()->characterCount() > bareChars;
            undo.measure([&] { c.control.Undo(); }, [&] { bare.edit.undo(); });
            firePass(c);
            redo.measure([&] { c.control.Redo(); }, [&] { bare.edit.redo(); });
            firePass(c);
            pasted = pasted && c.box.TextLength() == pastedLength;
            c.control.Undo();
            bare.edit.undo();
            firePass(c);
            restored = restored && c.box.TextLength() == text.size() &&
                       bare.edit.document()->characterCount() == bareChars;
            placeAtMiddle(c, bare, text);
            menuPaste.measure([&] { c.control.MenuChosen({MenuItem::Paste}); }, [&] { bare.edit.paste(); });
            firePass(c);
            pasted = pasted && c.box.TextLength() == pastedLength;
            c.control.Undo();
            bare.edit.undo();
            firePass(c);
        }
    }
    if (!pasted || !restored) {
        state.SkipWithError(!pasted ? "the paste (or its Redo) did not reach both editors"
                                    : "Undo did not give the text back");
        return;
    }
    reportPairs(state, paste, "paste_ratio", "paste_ms", "bare_paste_ms");
    state.counters["redo_ratio"] = redo.ratio();
    state.counters["redo_ms"] = redo.controlMs();
    state.counters["bare_redo_ms"] = redo.referenceMs();
    state.counters["undo_ratio"] = undo.ratio();
    state.counters["undo_ms"] = undo.controlMs();
    state.counters["bare_undo_ms"] = undo.referenceMs();
    state.counters["menu_paste_ratio"] = menuPaste.ratio();
    state.counters["menu_paste_ms"] = menuPaste.controlMs();
    state.counters["pass_ms"] = median(passes);
    state.counters["piece_chars"] = double(piece.size());
}

// --- one long line -----------------------------------------------------------------------------------

// About 2 MB of plain script on one line: the statements of the 10 MB script joined with ": ". Lines with a
// comment are left out, so that the rest of the line stays code, and so are continued lines.
QString longLineOf(benchmark::State& state) {
    const QString text = textFor(state, "script_10mb.vbs");
    QStringList statements;
    qsizetype size = 0;
    for (const QStringView line : QStringView(text).split(u"\r\n")) {
        const QStringView statement = line.trimmed();
        if (statement.isEmpty() || statement.contains(u'\'') ||
            statement.startsWith(u"rem ", Qt::CaseInsensitive) || statement.endsWith(u" _"))
            continue;
        statements.append(statement.toString());
        size += statement.size() + 2;
        if (size >= kLongLineChars)
            break;
    }
    return statements.join(QLatin1String(": "));
}

// Keystrokes at one point of the line: "x", then Backspace, each paired with the same key on the bare
// editor; the delayed pass after each runs untimed and is recorded on its own.
void typeAt(Control& c, Bare& bare, int position, Pairs& keys, std::vector<double>& passes) {
    c.box.setSelStart(position);
    QTextCursor cursor(bare.edit.document());
    cursor.setPosition(position);
    bare.edit.setTextCursor(cursor);
    settle();
    for (int i = 0; i < kLongLineKeys; ++i) {
        const auto key = i % 2 == 0 ? typeX : backspace;
        keys.measure([&] { key(c.box); }, [&] { key(bare.edit); });
        passes.push_back(firePass(c));
    }
}

void BM_LongLine(benchmark::State& state) {
    const QString line = longLineOf(state);
    if (line.isEmpty())
        return;
    Control c;
    c.control.setCodeType(kPlainScript);
    c.control.setValue(line);
    Bare bare(line);
    Pairs middle, start;
    std::vector<double> passes;
    for (auto _ : state) {
        typeAt(c, bare, int(line.size() / 2), middle, passes);
        typeAt(c, bare, 0, start, passes);
    }
    if (c.box.Text() != line) {
        state.SkipWithError("the keys did not reach the control, or did not take the line back");
        return;
    }
    Pairs both = middle;
    both.control.insert(both.control.end(), start.control.begin(), start.control.end());
    both.reference.insert(both.reference.end(), start.reference.begin(), start.reference.end());
    reportPairs(state, both, "key_ratio", "key_ms", "bare_key_ms");
    state.counters["middle_ratio"] = middle.ratio();
    state.counters["start_ratio"] = start.ratio();
    state.counters["pass_ms"] = median(passes);
    state.counters["line_chars"] = double(line.size());
}

// The long line's load, as BM_Load times it.
void BM_LongLineLoad(benchmark::State& state) {
    const QString line = longLineOf(state);
    if (!line.isEmpty())
        loadPairs(state, line, kPlainScript);
}

// --- registration ------------------------------------------------------------------------------------

bool wanted(const Sized& sized) {
    return sized.copies == 1 || qEnvironmentVariableIntValue("QX_BENCH_100MB") == 1;
}

template <class... Args> void add(const std::string& name, Args&&... args) {
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
}

bool registerAll() {
    for (const Sized* texts : {kScripts, kTags})
        for (int i = 0; i < 3; ++i)
            if (wanted(texts[i]))
                add(std::string("BM_Load/") + texts[i].name, BM_Load, texts[i]);
    for (const Sized* texts : {kScripts, kTags})
        for (int i = 0; i < 3; ++i)
            if (wanted(texts[i]))
                add(std::string("BM_LoadMemory/") + texts[i].name, BM_LoadMemory, texts[i]);
    for (const Sized& tag : kTags)
        if (wanted(tag))
            add(std::string("BM_Paste/") + tag.name, BM_Paste, tag);
    add("BM_LongLine/load", BM_LongLineLoad);
    add("BM_LongLine/keys", BM_LongLine);
    return true;
}

[[maybe_unused]] const bool gRegistered = registerAll();

} // namespace
