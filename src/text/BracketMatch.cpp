#include "text/BracketMatch.h"

#include "text/TextFind.h"

#include <QLatin1StringView>

#include <vector>

namespace qx {

namespace {

bool isBreak(QChar c) {
    return c == u'\r' || c == u'\n';
}

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isRem(const SplitText& text, int start, int end) {
    return end - start == 3 && text.mid(start, 3).compare(QLatin1StringView("rem"), Qt::CaseInsensitive) == 0;
}

// The part of the text a search reads, [low, high): kBracketReach on either side of the caret, so that a
// caret in a huge line or statement costs no more than one in a short one.
struct Window {
    SplitText text;
    int low;
    int high;

    // The start of the line holding pos; -1 when the window does not reach back to it.
    int lineStart(int pos) const {
        for (int k = pos; k > 0; --k) {
            if (isBreak(text.at(k - 1)))
                return k;
            if (k <= low)
                return -1;
        }
        return 0;
    }
    // The end of the line's content from pos on: its line break, else the window's end.
    int lineEnd(int pos) const {
        while (pos < high && !isBreak(text.at(pos)))
            ++pos;
        return pos;
    }
    // Whether the line whose content ends at end goes on over the next: a blank and "_" end it, blanks
    // may follow.
    bool continues(int end) const {
        while (end > low && isBlank(text.at(end - 1)))
            --end;
        return end - 2 >= low && text.at(end - 1) == u'_' && isBlank(text.at(end - 2));
    }
    // Whether the line starting at start begins a statement of its own.
    bool startsStatement(int start) const { return start == 0 || !continues(endBefore(start)); }
    // The start of the line after the break at end (CR LF is one break).
    int nextLine(int end) const {
        return end + (text.at(end) == u'\r' && end + 1 < text.size() && text.at(end + 1) == u'\n' ? 2 : 1);
    }
    // The content's end of the line before the one starting at start (start > 0).
    int endBefore(int start) const {
        return start - (start >= 2 && text.at(start - 1) == u'\n' && text.at(start - 2) == u'\r' ? 2 : 1);
    }
};

// Calls found(pos) for every bracket of the line [start, end) that is code, until it returns true;
// firstWord: the line begins a statement. Returns whether found stopped the walk. A "" inside a string
// needs no care of its own: ending the string and starting another there covers the same characters.
template <class Found>
bool eachCodeBracket(const SplitText& text, int start, int end, bool firstWord, Found& found) {
    for (int k = start; k < end; ++k) {
        const QChar c = text.at(k);
        if (c == u'"') {
            while (++k < end && text.at(k) != u'"') {
            }
            firstWord = false;
        } else if (c == u'\'') {
            break; // a comment runs to the line's end
        } else if (isWordChar(c)) {
            int wordEnd = k + 1;
            while (wordEnd < end && isWordChar(text.at(wordEnd)))
                ++wordEnd;
            if (firstWord && isRem(text, k, wordEnd) && (wordEnd == end || text.at(wordEnd) == u' '))
                break;
            firstWord = false;
            k = wordEnd - 1;
        } else if (c == u'(' || c == u')') {
            if (found(k))
                return true;
            firstWord = false;
        } else if (c == u':') {
            firstWord = true; // the next statement on the same line
        } else if (!isBlank(c)) {
            firstWord = false;
        }
    }
    return false;
}

// The same over the statement from its line at start on, line after line while one goes on over the next.
template <class Found> void eachStatementBracket(const Window& w, int start, bool firstWord, Found found) {
    for (;;) {
        const int end = w.lineEnd(start);
        if (eachCodeBracket(w.text, start, end, firstWord, found) || end == w.high || !w.continues(end))
            return;
        start = w.nextLine(end);
        firstWord = false;
    }
}

} // namespace

std::optional<TagPair> MatchBracketAt(SplitText text, int caret) {
    if (caret < 0 || caret > text.size())
        return std::nullopt;
    const Window w{text, qMax(caret - kBracketReach, 0), qMin(caret + kBracketReach, text.size())};
    const int line = w.lineStart(caret);
    if (line < 0)
        return std::nullopt;
    const bool firstWord = w.startsStatement(line);
    int at = -1;
    auto touched = [&](int k) {
        if (k == caret - 1 || k == caret)
            at = k; // the one at the caret comes later and wins
        return k >= caret;
    };
    eachCodeBracket(text, line, w.lineEnd(caret), firstWord, touched);
    if (at < 0)
        return std::nullopt;

    int partner = -1;
    if (text.at(at) == u'(') {
        int depth = 0;
        eachStatementBracket(w, line, firstWord, [&](int k) {
            if (k <= at)
                return false;
            if (text.at(k) == u'(')
                ++depth;
            else if (depth-- == 0)
                partner = k;
            return partner >= 0;
        });
    } else {
        // Back to the statement's first line, or the first the window holds, then forward to the bracket with
        // the openers not yet closed.
        int from = line;
        for (bool first = firstWord; !first;) {
            const int start = w.lineStart(w.endBefore(from));
            if (start < 0)
                break;
            from = start;
            first = w.startsStatement(start);
        }
        std::vector<int> open;
        eachStatementBracket(w, from, w.startsStatement(from), [&](int k) {
            if (k == at)
                partner = open.empty() ? -1 : open.back();
            else if (text.at(k) == u'(')
                open.push_back(k);
            else if (!open.empty())
                open.pop_back();
            return k == at;
        });
    }
    if (partner < 0)
        return std::nullopt;
    return TagPair{{at, 1}, {partner, 1}};
}

} // namespace qx
