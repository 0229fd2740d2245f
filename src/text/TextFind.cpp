#include "text/TextFind.h"

namespace qx {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

namespace {
bool isWholeWord(QStringView text, int pos, int length) {
    const int end = pos + length;
    return (pos == 0 || !isWordChar(text[pos - 1])) && (end >= text.size() || !isWordChar(text[end]));
}

// A CR LF pair is one line break: a match may take it whole, never begin or end between its two halves.
bool insideLineBreak(QStringView text, qsizetype pos) {
    return pos > 0 && pos < text.size() && text[pos - 1] == u'\r' && text[pos] == u'\n';
}
} // namespace

int findText(QStringView text, QStringView what, int start, int end, int options) {
    if (end < 0 || end > text.size())
        end = int(text.size());
    start = qMax(start, 0);
    if (what.isEmpty() || end - start < what.size())
        return -1;
    const QStringView range = text.first(end);
    const Qt::CaseSensitivity cs = options & kFindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype pos = range.indexOf(what, start, cs); pos >= 0; pos = range.indexOf(what, pos + 1, cs)) {
        if (insideLineBreak(text, pos) || insideLineBreak(text, pos + what.size()))
            continue;
        if (!(options & kFindWholeWord) || isWholeWord(text, int(pos), int(what.size())))
            return int(pos);
    }
    return -1;
}

} // namespace qx
