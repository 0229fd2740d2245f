#include "diagnostics/DiagnosticsChecker.h"

#include "diagnostics/ScriptChecks.h"
#include "diagnostics/ScriptValues.h"
#include "diagnostics/TagChecks.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsQXSyntaxHighlight.h"

#include <algorithm>

namespace qx {

DiagnosticsChecker::DiagnosticsChecker()
    : mScriptCommands(clsQXSyntaxHighlight::BuiltInCommands +
                      HighlightSettings::ReadMachineValue(HighlightSettings::ScriptCommandsValue)) {}

QList<Diagnostic> DiagnosticsChecker::check(QStringView text, bool plainScript,
                                            ScriptReference* reference) const {
    QList<Diagnostic> found;
    if (plainScript) {
        found = CheckScript(text);
    } else {
        found = CheckTags(text, reference);
        found.append(CheckEncodedValues(text));
        for (const TextSpan& value : ScriptValues(text, mScriptCommands))
            found.append(CheckScript(text.sliced(value.start, value.length), value.start));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.start < b.start; });
    return found;
}

} // namespace qx
