#include "diagnostics/NameSuggestion.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace qx {

int EditDistance(QStringView a, QStringView b) {
    const QString x = a.toString().toCaseFolded();
    const QString y = b.toString().toCaseFolded();
    // One row of the distance table at a time.
    std::vector<int> row(size_t(y.size()) + 1);
    std::iota(row.begin(), row.end(), 0);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int above = row[size_t(j)];
            row[size_t(j)] = std::min({above + 1, row[size_t(j) - 1] + 1, diagonal + (x[i - 1] != y[j - 1])});
            diagonal = above;
        }
    }
    return row.back();
}

QString ClosestName(const QString& typed, const QStringList& candidates) {
    const int allowed = std::min(2, int(typed.size() + 2) / 3);
    QString best;
    int bestDistance = allowed + 1;
    for (const QString& candidate : candidates) {
        const int distance = EditDistance(typed, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace qx
