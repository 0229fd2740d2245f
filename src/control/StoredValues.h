#pragma once

#include "platform/CodeBox.h"

#include <QString>
#include <QVariant>

namespace qx {

// Checks on values read back from a store (the host's property bag, the per-user settings). A value that
// is not what its name says is replaced by the default and logged, so that a damaged store can neither
// stop the control nor make the tag colour vanish.
namespace StoredValues {

// 0 tag markup, 1 plain script, 2 decided from the text; anything else gives `fallback`.
int codeType(const QVariant& stored, int fallback, const QString& name);

// A colour 0x00BBGGRR, given as a number or as numeric text; anything else (a name, a fraction, a number
// below 0 or above 0x00FFFFFF) gives `fallback`.
Colour colour(const QVariant& stored, Colour fallback, const QString& name);

} // namespace StoredValues

} // namespace qx
