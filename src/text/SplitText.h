#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringView>

#include <cstring>

namespace qx {

// A stretch of text where it lies: UTF-16, or one byte a character for a text that holds nothing above
// U+00FF (half the memory for the scripts most hosts keep).
class TextPiece {
public:
    constexpr TextPiece() = default;
    TextPiece(QStringView wide)
        : mWide(wide.utf16())
        , mSize(wide.size()) {}
    TextPiece(QLatin1StringView narrow)
        : mNarrow(reinterpret_cast<const uchar*>(narrow.data()))
        , mSize(narrow.size()) {}

    qsizetype size() const { return mSize; }
    QChar operator[](qsizetype i) const { return mNarrow ? QChar(mNarrow[i]) : QChar(mWide[i]); }
    // The first c at or after from (0 <= from), the last at or before from (from < size()); -1 when none.
    qsizetype indexOf(QChar c, qsizetype from) const {
        if (!mNarrow)
            return wide().indexOf(c, from);
        if (c.unicode() > 0xff || from >= mSize)
            return -1;
        const void* found = std::memchr(mNarrow + from, c.unicode(), size_t(mSize - from));
        return found ? static_cast<const uchar*>(found) - mNarrow : -1;
    }
    qsizetype lastIndexOf(QChar c, qsizetype from) const {
        if (!mNarrow)
            return wide().lastIndexOf(c, from);
        if (c.unicode() > 0xff)
            return -1;
        for (qsizetype i = from; i >= 0; --i)
            if (mNarrow[i] == c.unicode())
                return i;
        return -1;
    }
    // Appends [from, from + length) (within the piece) to out.
    void appendTo(QString& out, qsizetype from, qsizetype length) const {
        if (mNarrow)
            out.append(QLatin1StringView(reinterpret_cast<const char*>(mNarrow) + from, length));
        else
            out.append(wide().sliced(from, length));
    }
    bool equals(QStringView text) const {
        return mNarrow ? text == QLatin1StringView(reinterpret_cast<const char*>(mNarrow), mSize)
                       : wide() == text;
    }

private:
    QStringView wide() const { return QStringView(mWide, mSize); }

    const char16_t* mWide = nullptr;
    const uchar* mNarrow = nullptr; // set for a one-byte piece
    qsizetype mSize = 0;
};

// A text held in two pieces, as a gap buffer holds it on either side of its gap: the characters of head,
// then those of tail. Reads look at the pieces where they are and never put them together. A plain text is
// a SplitText with an empty tail.
struct SplitText {
    TextPiece head;
    TextPiece tail;

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
        if (inHead > 0)
            head.appendTo(result, start, inHead);
        if (length > inHead)
            tail.appendTo(result, qMax(start - int(head.size()), 0), length - inHead);
        return result;
    }
    // Whether the text is `text`.
    bool equals(QStringView text) const {
        return size() == text.size() && head.equals(text.first(head.size())) &&
               tail.equals(text.sliced(head.size()));
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
