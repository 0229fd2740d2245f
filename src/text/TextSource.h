#pragma once

#include <qxTagEditor2/CodeBox.h>

#include <QString>
#include <QStringView>

#include <algorithm>

namespace qx {

// A text read in spans: a string, or a code box through its range reads. Code that looks only near a
// position reads only the characters it needs, in chunks that grow while a search goes on, so that nothing
// puts the whole text of a box together.
class TextSource {
public:
    TextSource(QStringView text)
        : mText(text) {}
    TextSource(const QString& text)
        : mText(text) {}
    TextSource(const CodeBox& box)
        : mBox(&box) {}

    int size() const { return mBox ? mBox->TextLength() : int(mText.size()); }
    // The characters of [start, end), clamped to the text.
    QString span(int start, int end) const {
        if (mBox)
            return mBox->TextRange(start, end);
        start = std::clamp(start, 0, int(mText.size()));
        end = std::clamp(end, start, int(mText.size()));
        return mText.sliced(start, end - start).toString();
    }

    // The first position in [from, to) whose character satisfies `match`, or -1.
    template <typename Match> int findForward(int from, int to, Match match) const {
        from = std::max(from, 0);
        to = std::min(to, size());
        for (int chunk = kFirstChunk; from < to; chunk = std::min(chunk * 2, kLastChunk)) {
            const int end = std::min(to, from + chunk);
            const QString piece = span(from, end);
            for (int i = 0; i < piece.size(); ++i)
                if (match(piece[i]))
                    return from + i;
            from = end;
        }
        return -1;
    }

    // The last position in [from, to) whose character satisfies `match`, or -1.
    template <typename Match> int findBackward(int from, int to, Match match) const {
        from = std::max(from, 0);
        to = std::min(to, size());
        for (int chunk = kFirstChunk; from < to; chunk = std::min(chunk * 2, kLastChunk)) {
            const int start = std::max(from, to - chunk);
            const QString piece = span(start, to);
            for (int i = int(piece.size()) - 1; i >= 0; --i)
                if (match(piece[i]))
                    return start + i;
            to = start;
        }
        return -1;
    }

private:
    static constexpr int kFirstChunk = 256;
    static constexpr int kLastChunk = 1 << 16;

    QStringView mText;
    const CodeBox* mBox = nullptr;
};

} // namespace qx
