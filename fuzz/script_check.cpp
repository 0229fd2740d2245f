// The checks of plain script kept in step with edits.
//  - After every edit the findings equal those of a whole check of the edited text.
//  - Every finding lies in the text and covers at least one character.
// The last 24 bytes are eight edits (where, how many characters go, which piece comes); the rest is UTF-8
// text.
#include "FuzzSupport.h"

#include "diagnostics/IncrementalScriptCheck.h"
#include "diagnostics/ScriptChecks.h"
#include "text/TextSource.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using qx::Diagnostic;

QList<Diagnostic> wholeCheck(const QString& text) {
    QList<Diagnostic> found = qx::CheckScript(text);
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.start < b.start; });
    return found;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QStringList pieces = {"x",         "\r\n",   "\r",   "\n",
                                       "\"",        "'",      " _",   ":",
                                       "If a Then", "End If", "Next", "For i = 1 To 2",
                                       "Sub s",     "End ",   "",     "Function f\r\nEnd Sub"};
    qx::fuzz::ControlBytes control(data, size);
    constexpr int kEdits = 8;
    control.reserve(3 * kEdits);
    QString text = QString::fromUtf8(control.front());
    qx::IncrementalScriptCheck check;
    check.reset(text);
    for (int i = 0; i < kEdits; ++i) {
        const qx::fuzz::TextEdit edit = qx::fuzz::editText(control, text, pieces);
        check.edited(qx::TextSource(text), edit.position, edit.removed, edit.added);
        const QList<Diagnostic> found = check.findings();
        QX_FUZZ_CHECK(found == wholeCheck(text),
                      QStringLiteral("edit %1 at %2 of %3 differs from a whole check")
                          .arg(i)
                          .arg(edit.position)
                          .arg(qx::fuzz::shown(text)));
        for (const Diagnostic& d : found)
            QX_FUZZ_CHECK(d.start >= 0 && d.length > 0 && d.end() <= text.size(),
                          QStringLiteral("a finding outside %1").arg(qx::fuzz::shown(text)));
    }
    return 0;
}
