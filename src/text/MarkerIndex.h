#pragma once

#include "text/OwedShift.h"
#include "text/TextSource.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace qx {

// The positions of one marker in the text, kept in step with its edits, so that "the last marker before
// the caret" costs a binary search instead of a scan back through the whole text. An edit reads only the
// characters around it. A new text (an edit that replaces everything) is indexed as it comes, rather than on
// the first key that asks; an index that an edit it cannot follow has spoiled builds itself again from the
// text on the next query.
class MarkerIndex {
public:
    explicit MarkerIndex(QString marker, Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);

    const QString& marker() const { return mMarker; }
    // removed characters at position became added characters; removed -1: anything may have changed.
    // `text` is the text after the edit.
    void Edited(const TextSource& text, int position, int removed, int added);
    // The last marker that lies wholly before `end`, or -1.
    int LastBefore(const TextSource& text, int end);
    // The first marker that starts at or after `from`, or -1.
    int FirstFrom(const TextSource& text, int from);

private:
    struct Entry {
        int start;
    };

    // Builds the index when it does not follow the text.
    void ensureBuilt(const TextSource& text);
    void build(const TextSource& text);
    // Adds the markers that start in [from, to), where the index holds none.
    void scan(const TextSource& text, int from, int to);

    QString mMarker;
    Qt::CaseSensitivity mSensitivity;
    qsizetype mAnchor = 0; // the marker's character that a scan looks for
    Qt::CaseSensitivity mAnchorSensitivity;
    // The entries after an edit owe its shift, so that typing in one place moves none of them.
    ShiftedList<Entry> mPositions;
    int mLength = 0; // the text's length when the positions were last right
    bool mBuilt = false;
};

} // namespace qx
