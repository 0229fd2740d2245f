#pragma once

#include <QFont>
#include <QString>

namespace qx {

// A fixed-pitch font of the given family and size; when the family is missing, the system's fixed-pitch
// font at that size, so that columns of script still line up.
QFont FixedPitchFont(const QString& family, double points);

} // namespace qx
