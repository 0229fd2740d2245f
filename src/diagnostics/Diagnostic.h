#pragma once

#include <qxTagEditor2/qxDiagnostic.h>

namespace qx {

// The checks give hosts their findings as they are.
using Diagnostic = qxDiagnostic;

} // namespace qx
