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

bool isMatch(QStringView text, QStringView what, qsizetype pos, int options) {
    if (insideLineBreak(text, pos) || insideLineBreak(text, pos + what.size()))
        return false;
    return !(options & kFindWholeWord) || isWholeWord(text, int(pos), int(what.size()));
}

Qt::CaseSensitivity caseOf(int options) {
    return options & kFindMatchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}
} // namespace

int findText(QStringView text, QStringView what, int start, int end, int options) {
    if (end < 0 || end > text.size())
        end = int(text.size());
    start = qMax(start, 0);
    if (what.isEmpty() || end - start < what.size())
        return -1;
    const QStringView range = text.first(end);
    const Qt::CaseSensitivity cs = caseOf(options);
    for (qsizetype pos = range.indexOf(what, start, cs); pos >= 0; pos = range.indexOf(what, pos + 1, cs)) {
        if (isMatch(text, what, pos, options))
            return int(pos);
    }
    return -1;
}

int findLastText(QStringView text, QStringView what, int start, int end, int options) {
    if (end < 0 || end > text.size())
        end = int(text.size());
    start = qMax(start, 0);
    if (what.isEmpty() || end - start < what.size())
        return -1;
    const QStringView range = text.first(end);
    const Qt::CaseSensitivity cs = caseOf(options);
    for (qsizetype pos = range.lastIndexOf(what, end - what.size(), cs); pos >= start;
         pos = pos > 0 ? range.lastIndexOf(what, pos - 1, cs) : -1) {
        if (isMatch(text, what, pos, options))
            return int(pos);
    }
    return -1;
}

QList<int> findAll(QStringView text, QStringView what, int start, int end, int options) {
    QList<int> found;
    for (int pos = findText(text, what, start, end, options); pos >= 0;
         pos = findText(text, what, pos + int(what.size()), end, options))
        found.append(pos);
    return found;
}

} // namespace qx
