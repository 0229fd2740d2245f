#include "diagnostics/ScriptChecks.h"

#include "diagnostics/BlockPairing.h"
#include "diagnostics/ScriptLineScan.h"

#include <QCoreApplication>

namespace qx {

QList<Diagnostic> CheckScript(QStringView script, int offset) {
    QList<Diagnostic> found;
    BlockPairing pairing;
    ScriptLine line;
    const int size = int(script.size());
    const QChar* chars = script.data();
    for (int start = 0;;) {
        int end = start;
        while (end < size && chars[end] != u'\r' && chars[end] != u'\n')
            ++end;
        ScanScriptLine(script.sliced(start, end - start), line);
        if (line.unclosedString >= 0) {
            found.append(
                Diagnostic{offset + start + line.unclosedString, end - start - line.unclosedString,
                           Diagnostic::Severity::Error,
                           QCoreApplication::translate(
                               "Diagnostics", "This string is not closed before the end of its line.")});
        }
        pairing.addLine(line, offset + start);
        if (end == size)
            break;
        start = end + (chars[end] == u'\r' && end + 1 < size && chars[end + 1] == u'\n' ? 2 : 1);
    }
    found.append(pairing.finish());
    return found;
}

} // namespace qx
