// The checks of tag markup kept in step with edits, with the sample reference data.
//  - After every edit the findings equal those of a whole check of the edited text.
//  - Every finding lies in the text and covers at least one character.
// The last 24 bytes are eight edits (where, how many characters go, which piece comes); the rest is UTF-8
// text.
#include "FuzzSupport.h"

#include "diagnostics/DiagnosticsChecker.h"
#include "diagnostics/IncrementalTagCheck.h"
#include "hostlib/ScriptReference.h"
#include "text/TextSource.h"

#include <qxTagEditor2/qxDatabase.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QStringList pieces = {
        "x",    "<",       ">",      "\"",        ":",      "=",    "~64\"", "</QX>", "<QX:DB>", "<QX:VBS>",
        "\r\n", "Connect", "RESULT", "If a Then", "End If", "QUJD", "",      " ",     "</QX"};
    static qxDatabase database(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"));
    static const qx::DiagnosticsChecker checker;
    qx::ScriptReference reference;
    reference.setDatabase(&database);
    qx::fuzz::ControlBytes control(data, size);
    constexpr int kEdits = 8;
    control.reserve(3 * kEdits);
    QString text = QString::fromUtf8(control.front());
    qx::IncrementalTagCheck check(checker.scriptCommands(), &reference);
    check.reset(text);
    for (int i = 0; i < kEdits; ++i) {
        const qx::fuzz::TextEdit edit = qx::fuzz::editText(control, text, pieces);
        check.edited(qx::TextSource(text), edit.position, edit.removed, edit.added);
        const QList<qx::Diagnostic> found = check.findings();
        QX_FUZZ_CHECK(found == checker.check(text, false, &reference),
                      QStringLiteral("edit %1 at %2 of %3 differs from a whole check")
                          .arg(i)
                          .arg(edit.position)
                          .arg(qx::fuzz::shown(text)));
        for (const qx::Diagnostic& d : found)
            QX_FUZZ_CHECK(d.start >= 0 && d.length > 0 && d.end() <= text.size(),
                          QStringLiteral("a finding outside %1").arg(qx::fuzz::shown(text)));
    }
    return 0;
}
