#pragma once

#include "diagnostics/Diagnostic.h"

#include <QList>
#include <QStringView>

namespace qx {

// The checks of plain script: a string not closed on its line, and block keywords without their partner
// (BlockPairing). Lines end at CR LF, CR or LF. offset is added to every position, for script that stands
// inside a larger text.
QList<Diagnostic> CheckScript(QStringView script, int offset = 0);

} // namespace qx
