// The whole colouring pass on the Qt box against QScintilla's own colouring of the same plain script (its
// VBScript lexer, the script keywords given), both in shown widgets of the same size, in one process.
// Built only where QScintilla is installed (libqscintilla2-qt6-dev).
#include "EditBench.h"

// QScintilla's headers use the Qt keywords that this project's build turns off.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintilla.h>
#undef slots
#undef signals

namespace {

using namespace qxbench;

constexpr const char* kKeywords =
    "and as byref byval call case class const dim do each else elseif empty end eqv erase error exit "
    "explicit "
    "false for function get goto if imp in is let loop mod new next not nothing null on option or preserve "
    "private property public randomize redim rem resume select set step sub then to true until wend while "
    "with xor";

// A shown QScintilla editor holding the text, its VBScript lexer set up.
struct Scintilla {
    QsciScintilla edit;

    explicit Scintilla(const QString& text) {
        edit.resize(900, 600);
        edit.SendScintilla(QsciScintillaBase::SCI_SETLEXERLANGUAGE, 0UL, "vbscript");
        edit.SendScintilla(QsciScintillaBase::SCI_SETKEYWORDS, 0UL, kKeywords);
        edit.setText(text);
        edit.show();
        settle();
    }
    bool lexes() const { return edit.SendScintilla(QsciScintillaBase::SCI_GETLEXER) != 0; }
    // Drops every style, so that the next colourise styles the whole text again.
    void clear() { edit.SendScintilla(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE); }
    void colourise() { edit.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L); }
};

// The control's HighlightPass() (the pass a host starts, which finds the colours in place after the load's
// own) against SCI_COLOURISE over the whole text after SCI_CLEARDOCUMENTSTYLE; only the two calls are timed.
void BM_FullPass(benchmark::State& state, const char* file) {
    const QString text = textFor(state, file);
    if (text.isEmpty())
        return;
    Control c(text);
    Scintilla sci(text);
    if (!sci.lexes()) {
        state.SkipWithError("QScintilla has no VBScript lexer");
        return;
    }
    const int rounds = text.size() > 5'000'000 ? 5 : 11;
    Pairs pairs;
    for (auto _ : state) {
        for (int i = 0; i < rounds; ++i) {
            sci.clear();
            pairs.measure([&] { c.control.HighlightPass(); }, [&] { sci.colourise(); });
            settle();
        }
    }
    reportPairs(state, pairs, "ratio", "pass_ms", "qscintilla_ms");
}

BENCHMARK_CAPTURE(BM_FullPass, script_1mb, "script_1mb.vbs")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullPass, script_10mb, "script_10mb.vbs")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
