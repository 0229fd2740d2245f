#pragma once

#include "diagnostics/Diagnostic.h"

#include <QList>
#include <QString>

#include <algorithm>

namespace qx::test {

// A text with its diagnostics marked: "«" where one starts, "»" where it ends.
inline QString unmarked(const char* marked) {
    return QString::fromUtf8(marked).remove(u'«').remove(u'»');
}

inline std::string withMarks(QString text, QList<Diagnostic> found) {
    std::stable_sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.start > b.start; });
    for (const Diagnostic& d : found)
        text.insert(d.end(), u'»').insert(d.start, u'«');
    return text.toStdString();
}

} // namespace qx::test
