#pragma once

#include <QString>
#include <QStringList>

namespace qx {

// The edit distance (insertions, deletions, substitutions) between two names, in any letter case.
int EditDistance(QStringView a, QStringView b);

// The candidate closest to a mistyped name, when it is close enough to be what was meant: at most two edits,
// and at most one edit for every three characters typed. The first of equally close ones; empty when none.
QString ClosestName(const QString& typed, const QStringList& candidates);

} // namespace qx
