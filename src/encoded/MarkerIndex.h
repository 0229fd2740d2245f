#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace qx {

// The positions of one marker in the text, kept in step with its edits, so that "the last marker before
// the caret" costs a binary search instead of a scan back through the whole text. An index that was never
// built, or that an edit it cannot follow has spoiled, builds itself again from the text on the next query.
class MarkerIndex {
public:
    explicit MarkerIndex(QString marker)
        : mMarker(std::move(marker)) {}

    // removed characters at position became added characters; removed -1: anything may have changed.
    // `text` is the text after the edit.
    void Edited(QStringView text, int position, int removed, int added);
    // The last marker that lies wholly before `end`, or -1.
    int LastBefore(QStringView text, int end);

private:
    void build(QStringView text);
    // Adds the markers that start in [from, to).
    void scan(QStringView text, qsizetype from, qsizetype to);

    QString mMarker;
    std::vector<int> mPositions; // ascending
    qsizetype mLength = 0;       // the text's length when the positions were last right
    bool mBuilt = false;
};

} // namespace qx
