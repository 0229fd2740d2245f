#pragma once

#include "diagnostics/Diagnostic.h"
#include "highlight/WordList.h"

#include <QList>
#include <QStringView>

namespace qx {

class ScriptReference;

// The whole check of a text. Plain script gets the script checks. Tag markup gets the tag and encoded-value
// checks, and the script checks inside each script value (ScriptValues): the values are where the markup
// holds script, and each is a script of its own, so blocks pair within one value.
class DiagnosticsChecker {
public:
    // Reads the commands whose values are script as the tag colouring does: built in, and the machine's own.
    DiagnosticsChecker();

    // Sorted by start. reference may be null: no handler or command is checked then.
    QList<Diagnostic> check(QStringView text, bool plainScript, ScriptReference* reference) const;
    // The commands whose values are script, in upper case.
    const WordList& scriptCommands() const { return mScriptCommands; }

private:
    WordList mScriptCommands;
};

} // namespace qx
