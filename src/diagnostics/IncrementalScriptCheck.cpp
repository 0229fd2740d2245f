#include "diagnostics/IncrementalScriptCheck.h"

#include "diagnostics/BlockPairing.h"
#include "text/OwedShift.h"
#include "text/TextSource.h"

#include <QCoreApplication>

#include <algorithm>
#include <span>

namespace qx {

namespace {

bool byStart(const Diagnostic& a, const Diagnostic& b) {
    return a.start < b.start;
}

// Whether a keyword or separator of the line (starting at lineStart) lies within [from, to], edges included:
// text typed against a keyword may make it another word.
bool keywordWithin(const ScriptLine& scan, int lineStart, int from, int to) {
    return std::any_of(scan.tokens.begin(), scan.tokens.end(), [&](const ScriptToken& t) {
        return t.word != ScriptWord::Other && lineStart + t.start <= to &&
               lineStart + t.start + t.length >= from;
    });
}

// Moves the findings that start at or after `from` by `delta`.
void shiftFrom(QList<Diagnostic>& found, int from, int delta) {
    for (auto it = std::lower_bound(found.begin(), found.end(), from,
                                    [](const Diagnostic&d, int at) { return d.start < at; });
         it != found.end(); ++it)
        it->start += delta;
}

} // namespace

void IncrementalScriptCheck::scanLines(QStringView piece, int offset, bool toTextEnd,
                                       std::vector<Line>& out) {
    const int size = int(piece.size());
    const QChar* chars = piece.data();
    for (int start = 0;;) {
        if (!toTextEnd && start == size)
            return;
        int end = start;
        while (end < size && chars[end] != u'\r' && chars[end] != u'\n')
            ++end;
        Line line{offset + start, end - start, {}};
        ScanScriptLine(piece.sliced(start, end - start), line.scan);
        out.push_back(std::move(line));
        if (end == size)
            return;
        start = end + (chars[end] == u'\r' && end + 1 < size && chars[end + 1] == u'\n' ? 2 : 1);
    }
}

void IncrementalScriptCheck::addStrings(const Line* lines, size_t count, QList<Diagnostic>& out) {
    for (const Line& line : std::span(lines, count)) {
        if (line.scan.unclosedString < 0)
            continue;
        out.append(Diagnostic{line.start + line.scan.unclosedString, line.length - line.scan.unclosedString,
                              Diagnostic::Severity::Error,
                              QCoreApplication::translate(
                                  "Diagnostics", "This string is not closed before the end of its line.")});
    }
}

void IncrementalScriptCheck::reset(QStringView text) {
    mLines.clear();
    mShiftFrom = 0;
    mShift = 0;
    mLength = int(text.size());
    scanLines(text, 0, true, mLines);
    mStrings.clear();
    addStrings(mLines.data(), mLines.size(), mStrings);
    pairAll();
}

void IncrementalScriptCheck::pairAll() {
    BlockPairing pairing;
    for (size_t i = 0; i < mLines.size(); ++i) {
        mLines[i].quiet = pairing.quiet();
        pairing.addLine(mLines[i].scan, startOf(i));
    }
    mBlocks = pairing.finish();
    std::stable_sort(mBlocks.begin(), mBlocks.end(), byStart);
}

void IncrementalScriptCheck::pairAround(size_t first, bool firstQuiet, size_t freshEnd, int delta) {
    size_t begin = first;
    while (begin > 0 && !(begin == first ? firstQuiet : mLines[begin].quiet))
        --begin;
    BlockPairing pairing;
    size_t end = begin;
    for (; end < mLines.size(); ++end) {
        const bool quiet = pairing.quiet();
        if (end >= freshEnd && quiet && mLines[end].quiet)
            break;
        mLines[end].quiet = quiet;
        pairing.addLine(mLines[end].scan, startOf(end));
    }
    QList<Diagnostic> found = pairing.finish();
    std::stable_sort(found.begin(), found.end(), byStart);

    // The findings of the lines paired again go (where they were before the edit), those after them move.
    const auto before = [](const Diagnostic& d, int at) { return d.start < at; };
    const int oldEnd = end < mLines.size() ? startOf(end) - delta : mLength - delta;
    const auto gone = std::lower_bound(mBlocks.begin(), mBlocks.end(), startOf(begin), before);
    const qsizetype at = gone - mBlocks.begin();
    mBlocks.erase(gone, std::lower_bound(gone, mBlocks.end(), oldEnd, before));
    shiftFrom(mBlocks, oldEnd, delta);
    for (qsizetype i = 0; i < found.size(); ++i)
        mBlocks.insert(at + i, found[i]);
}

void IncrementalScriptCheck::moveShiftTo(size_t index) {
    moveOwedShift(mLines, mShiftFrom, mShift, index, [](Line& line) -> int& { return line.start; });
}

size_t IncrementalScriptCheck::lineAt(int position) const {
    size_t low = 0, high = mLines.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        if (startOf(middle) <= position)
            low = middle + 1;
        else
            high = middle;
    }
    return low == 0 ? 0 : low - 1;
}

bool IncrementalScriptCheck::samePairing(const Line* before, const std::vector<Line>& after, int position,
                                         int oldReach, int newReach) {
    for (size_t i = 0; i < after.size(); ++i) {
        const std::vector<ScriptToken>& a = before[i].scan.tokens;
        const std::vector<ScriptToken>& b = after[i].scan.tokens;
        if (a.size() != b.size() || before[i].scan.continued != after[i].scan.continued ||
            keywordWithin(before[i].scan, before[i].start, position, position + oldReach) ||
            keywordWithin(after[i].scan, after[i].start, position, position + newReach))
            return false;
        for (size_t t = 0; t < a.size(); ++t) {
            if (a[t].word != b[t].word)
                return false;
            if (a[t].word == ScriptWord::Other)
                continue;
            // A keyword keeps its length and moves with the edit, or the findings at it would not.
            const int was = before[i].start + a[t].start;
            if (a[t].length != b[t].length ||
                after[i].start + b[t].start != (was < position ? was : was + newReach - oldReach))
                return false;
        }
    }
    return true;
}

void IncrementalScriptCheck::edited(const TextSource& text, int position, int removed, int added) {
    const int delta = added - removed;
    if (mLines.empty() || position < 0 || removed < 0 || position + removed > mLength ||
        mLength + delta != text.size()) {
        reset(text.span(0, text.size()));
        return;
    }
    // The lines the edit touched, and one more on either side: a line break may join or split there.
    size_t first = lineAt(position);
    first -= first > 0 ? 1 : 0;
    const size_t last = std::min(lineAt(position + removed) + 1, mLines.size() - 1);
    const bool toTextEnd = last + 1 == mLines.size();
    const int from = startOf(first);
    const int oldEnd = toTextEnd ? mLength : startOf(last + 1);
    std::vector<Line> fresh;
    scanLines(text.span(from, oldEnd + delta), from, toTextEnd, fresh);

    // The lines before the rescanned ones keep their starts, those after owe the edit's shift too.
    moveShiftTo(last + 1);
    const bool firstQuiet = mLines[first].quiet;
    const size_t count = last + 1 - first;
    const bool shiftOnly =
        fresh.size() == count && samePairing(&mLines[first], fresh, position, removed, added);
    if (fresh.size() == count) {
        // Paired as before, the lines keep their flags; paired again, they get new ones.
        for (size_t i = 0; i < count; ++i)
            fresh[i].quiet = mLines[first + i].quiet;
        std::move(fresh.begin(), fresh.end(), mLines.begin() + qsizetype(first));
    } else {
        mLines.erase(mLines.begin() + qsizetype(first), mLines.begin() + qsizetype(last + 1));
        mLines.insert(mLines.begin() + qsizetype(first), std::make_move_iterator(fresh.begin()),
                      std::make_move_iterator(fresh.end()));
    }
    mShiftFrom = first + fresh.size();
    mShift += delta;
    mLength += delta;

    // The strings of the rescanned lines are found again; those after them move.
    const auto byPosition = [](const Diagnostic& d, int at) { return d.start < at; };
    const auto gone = std::lower_bound(mStrings.begin(), mStrings.end(), from, byPosition);
    const qsizetype at = gone - mStrings.begin();
    mStrings.erase(gone, std::lower_bound(gone, mStrings.end(), oldEnd, byPosition));
    shiftFrom(mStrings, oldEnd, delta);
    QList<Diagnostic> strings;
    addStrings(&mLines[first], fresh.size(), strings);
    for (qsizetype i = 0; i < strings.size(); ++i)
        mStrings.insert(at + i, strings[i]);

    if (shiftOnly)
        shiftFrom(mBlocks, position, delta);
    else
        pairAround(first, firstQuiet, first + fresh.size(), delta);
}

QList<Diagnostic> IncrementalScriptCheck::findings() const {
    QList<Diagnostic> found = mStrings;
    found.append(mBlocks);
    std::stable_sort(found.begin(), found.end(), byStart);
    return found;
}

} // namespace qx
