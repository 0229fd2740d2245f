#pragma once

#include <QString>
#include <QStringView>

namespace qx {

// A text held in two pieces, as a gap buffer holds it on either side of its gap: the characters of head,
// then those of tail. Reads look at the pieces where they are and never put them together. A plain text is
// a SplitText with an empty tail.
struct SplitText {
    QStringView head;
    QStringView tail;

    int size() const { return int(head.size() + tail.size()); }
    // One character (0 <= pos < size()).
    QChar at(int pos) const { return pos < head.size() ? head[pos] : tail[pos - head.size()]; }
    // The characters of [start, start + length), clamped to the text.
    QString mid(int start, int length) const {
        start = qBound(0, start, size());
        length = qBound(0, length, size() - start);
        const int inHead = qBound(0, int(head.size()) - start, length);
        QString result;
        result.reserve(length);
        result.append(head.mid(start, inHead));
        result.append(tail.mid(qMax(start - int(head.size()), 0), length - inHead));
        return result;
    }
    // The first c at or after from; -1 when there is none.
    int indexOf(QChar c, int from) const {
        from = qMax(from, 0);
        if (from < head.size()) {
            if (const qsizetype i = head.indexOf(c, from); i >= 0)
                return int(i);
        }
        const qsizetype i = tail.indexOf(c, qMax(from - head.size(), qsizetype(0)));
        return i < 0 ? -1 : int(head.size() + i);
    }
    // The last c at or before from; -1 when there is none.
    int lastIndexOf(QChar c, int from) const {
        if (from < 0)
            return -1;
        from = qMin(from, size() - 1);
        if (from >= head.size()) {
            if (const qsizetype i = tail.lastIndexOf(c, from - head.size()); i >= 0)
                return int(head.size() + i);
            from = int(head.size()) - 1;
        }
        return from < 0 ? -1 : int(head.lastIndexOf(c, from));
    }
};

} // namespace qx
