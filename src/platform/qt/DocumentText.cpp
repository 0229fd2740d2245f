#include "platform/qt/DocumentText.h"

#include "text/CharScan.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <iterator>

namespace qx {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
// Room left for edits when the buffer is filled or grows: typing goes on for a while without growing it.
constexpr int kLeastGap = 4096;
} // namespace

// --- the gap buffer -----------------------------------------------------------------------------------

namespace {
template <class Char> void copyChars(QStringView text, Char* out) {
    if constexpr (sizeof(Char) == 1)
        charscan::narrowInto(text, out);
    else
        std::copy_n(text.utf16(), text.size(), out);
}
} // namespace

template <class Char> void GapText::Buffer<Char>::fill(QStringView text) {
    const int gap = kLeastGap + int(text.size()) / 16;
    chars.assign(size_t(text.size()) + size_t(gap), Char(0));
    copyChars(text, chars.data());
    gapStart = int(text.size());
    gapEnd = gapStart + gap;
}

template <class Char> void GapText::Buffer<Char>::moveGap(int pos) {
    if (pos < gapStart)
        std::move_backward(chars.begin() + pos, chars.begin() + gapStart, chars.begin() + gapEnd);
    else if (pos > gapStart)
        std::move(chars.begin() + gapEnd, chars.begin() + gapEnd + (pos - gapStart),
                  chars.begin() + gapStart);
    gapEnd += pos - gapStart;
    gapStart = pos;
}

template <class Char>
void GapText::Buffer<Char>::replace(int start, int removed, QStringView inserted, int size) {
    moveGap(start);
    gapEnd += removed;
    const int added = int(inserted.size());
    if (gapEnd - gapStart < added) {
        const int after = int(chars.size()) - gapEnd;
        const int gap = added + kLeastGap + (size + added) / 16;
        std::vector<Char> grown(size_t(gapStart) + size_t(gap) + size_t(after));
        std::copy(chars.begin(), chars.begin() + gapStart, grown.begin());
        std::copy(chars.begin() + gapEnd, chars.end(), grown.end() - after);
        chars.swap(grown);
        gapEnd = gapStart + gap;
    }
    copyChars(inserted, chars.data() + gapStart);
    gapStart += added;
}

void GapText::assign(QStringView text) {
    mWide = !charscan::fitsOneByte(text);
    mNarrow = {};
    mWideChars = {};
    if (mWide)
        mWideChars.fill(text);
    else
        mNarrow.fill(text);
    mSize = int(text.size());
}

void GapText::widen() {
    mWideChars.chars.assign(mNarrow.chars.begin(), mNarrow.chars.end());
    mWideChars.gapStart = mNarrow.gapStart;
    mWideChars.gapEnd = mNarrow.gapEnd;
    mNarrow = {};
    mWide = true;
}

void GapText::replace(int start, int removed, QStringView inserted) {
    if (start == 0 && removed == mSize) {
        assign(inserted); // a new text: one byte a character again when it allows
        return;
    }
    if (!mWide && !charscan::fitsOneByte(inserted))
        widen();
    if (mWide)
        mWideChars.replace(start, removed, inserted, mSize);
    else
        mNarrow.replace(start, removed, inserted, mSize);
    mSize += int(inserted.size()) - removed;
}

SplitText GapText::pieces() const {
    if (mWide) {
        const Buffer<char16_t>& b = mWideChars;
        return {QStringView(b.chars.data(), b.gapStart),
                QStringView(b.chars.data() + b.gapEnd, qsizetype(b.chars.size()) - b.gapEnd)};
    }
    const auto bytes = [](const uchar* from) { return reinterpret_cast<const char*>(from); };
    const Buffer<uchar>& b = mNarrow;
    return {QLatin1StringView(bytes(b.chars.data()), b.gapStart),
            QLatin1StringView(bytes(b.chars.data()) + b.gapEnd, qsizetype(b.chars.size()) - b.gapEnd)};
}

// --- the document's text ------------------------------------------------------------------------------

DocumentText::DocumentText(const QTextDocument* document)
    : mDocument(document) {
    rebuild();
}

int DocumentText::docLength() const {
    return mDocument->characterCount() - 1;
}

int DocumentText::textStart(const QTextBlock& block) {
    return block.position() + block.blockNumber();
}

void DocumentText::rebuild() {
    mDocLength = docLength();
    mText.assign(read(0, mDocLength));
    forgetWhole();
}

DocumentText::Expected DocumentText::presented(const QString& ruled) {
    const QStringView text(ruled);
    const qsizetype size = text.size();
    // Each LF must follow a CR and each CR precede an LF; the fast search jumps from one to the next.
    Expected expected{ruled}; // shared, no copy
    qsizetype lineStart = 0;
    bool lone = false;
    for (qsizetype i = text.indexOf(u'\n'); i >= 0 && !lone; i = text.indexOf(u'\n', i + 1)) {
        lone = i == 0 || text[i - 1] != u'\r';
        expected.longestLine = std::max(expected.longestLine, i - 1 - lineStart);
        lineStart = i + 1;
        ++expected.breaks;
    }
    expected.longestLine = std::max(expected.longestLine, size - lineStart);
    for (qsizetype i = text.indexOf(u'\r'); i >= 0 && !lone; i = text.indexOf(u'\r', i + 1))
        lone = i + 1 == size || text[i + 1] != u'\n';
    if (!lone)
        return expected;
    expected = {QString(), 0, 0};
    expected.text.reserve(size + size / 16);
    lineStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n') {
            expected.text += c;
            continue;
        }
        expected.longestLine = std::max(expected.longestLine, expected.text.size() - lineStart);
        expected.text += kLineBreak;
        lineStart = expected.text.size();
        ++expected.breaks;
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
    }
    expected.longestLine = std::max(expected.longestLine, expected.text.size() - lineStart);
    return expected;
}

void DocumentText::forgetWhole() {
    mWhole = QString();
    mWholeValid = false;
}

bool DocumentText::equals(QStringView text) const {
    return mText.pieces().equals(text);
}

const QString& DocumentText::text() const {
    if (mWholeValid)
        return mWhole;
    mWhole = mText.pieces().mid(0, mText.size());
    mWholeValid = true;
    return mWhole;
}

QString DocumentText::read(int from, int length) const {
    QString result;
    const int to = from + length;
    for (QTextBlock block = mDocument->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int start = block.position();
        const int separator = start + block.length() - 1;
        const int a = qMax(from, start);
        const int b = qMin(to, separator);
        if (a < b)
            result += QStringView(block.text()).mid(a - start, b - a);
        if (separator >= from && separator < to)
            result += kLineBreak;
    }
    return result;
}

int DocumentText::textSpan(int start, int count) const {
    int pos = start;
    const SplitText text = mText.pieces();
    for (int i = 0; i < count && pos < text.size(); ++i)
        pos += text.at(pos) == u'\r' ? 2 : 1; // blocks never hold a CR: each one is a separator
    return pos - start;
}

namespace {
// Shrinks the edit to the part where old and new differ.
void trimUnchanged(DocumentText::Edit& edit, QStringView old, QStringView inserted) {
    int prefix = 0;
    const int most = int(qMin(old.size(), inserted.size()));
    while (prefix < most && old[prefix] == inserted[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < most - prefix && old[old.size() - 1 - suffix] == inserted[inserted.size() - 1 - suffix])
        ++suffix;
    edit.start += prefix;
    edit.removed -= prefix + suffix;
    edit.added -= prefix + suffix;
}
} // namespace

DocumentText::Edit DocumentText::update(int position, int charsRemoved, int charsAdded, bool trim) {
    const int oldLength = mDocLength;
    const int newLength = docLength();
    // Replacing the whole document reports the final block separator too: clamp it off.
    const int removed = qBound(0, charsRemoved, oldLength - position);
    const int added = qBound(0, charsAdded, newLength - position);
    Edit edit;
    if (position < 0 || position > qMin(oldLength, newLength) || oldLength - removed + added != newLength) {
        const QString old = text();
        rebuild();
        edit.removed = int(old.size());
        edit.added = mText.size();
        edit.changed = !equals(old);
        edit.rebuilt = true;
        edit.removedText = old;
        return edit;
    }
    // Blocks that start at or before position are the same before and after the edit.
    edit.start = toTextPos(position);
    edit.removed = textSpan(edit.start, removed);
    const bool expected = mExpected && position == mExpected->docPosition &&
                          mExpected->text.size() - mExpected->breaks == added;
    if (expected)
        edit.longestLine = int(mExpected->longestLine);
    const QString inserted = expected ? std::exchange(mExpected, std::nullopt)->text : read(position, added);
    edit.added = int(inserted.size());
    const QString old = mid(edit.start, edit.removed);
    edit.changed = old != inserted;
    if (edit.changed) {
        const int reportedStart = edit.start;
        if (trim)
            trimUnchanged(edit, old, inserted);
        const int skipped = edit.start - reportedStart;
        edit.removedText = old.mid(skipped, edit.removed);
        mText.replace(edit.start, edit.removed, QStringView(inserted).mid(skipped, edit.added));
        forgetWhole();
    }
    mDocLength = newLength;
    return edit;
}

int DocumentText::toTextPos(int docPos) const {
    docPos = qBound(0, docPos, docLength());
    return docPos + mDocument->findBlock(docPos).blockNumber();
}

bool DocumentText::holds(int number, int textPos, QTextBlock* block, int* start) const {
    if (number < 0 || number >= mDocument->blockCount())
        return false;
    const QTextBlock candidate = mDocument->findBlockByNumber(number);
    const int candidateStart = candidate.position() + number;
    // The block's text ends with CR LF where the document has one separator; the last block takes the end.
    const bool last = number == mDocument->blockCount() - 1;
    if (textPos < candidateStart || (!last && textPos >= candidateStart + candidate.length() + 1))
        return false;
    *block = candidate;
    *start = candidateStart;
    return true;
}

QTextBlock DocumentText::blockAt(int textPos, int* blockTextStart) const {
    QTextBlock block;
    int start = 0;
    // Each probe costs a few tree walks: try the block found last and its neighbours before searching.
    const int candidates[] = {mLastBlock, mLastBlock + 1, mLastBlock - 1};
    const auto found = std::find_if(std::begin(candidates), std::end(candidates),
                                    [&](int n) { return holds(n, textPos, &block, &start); });
    int number = found != std::end(candidates) ? *found : -1;
    if (number < 0) {
        // Block n starts at text position position(n) + n, which grows with n: search the block numbers.
        int low = 0;
        int high = mDocument->blockCount() - 1;
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (textStart(mDocument->findBlockByNumber(mid)) <= textPos)
                low = mid;
            else
                high = mid - 1;
        }
        number = low;
        block = mDocument->findBlockByNumber(low);
        start = block.position() + low;
    }
    mLastBlock = number;
    if (blockTextStart)
        *blockTextStart = start;
    return block;
}

int DocumentText::toDocPos(int textPos) const {
    int start = 0;
    const QTextBlock block = blockAt(textPos, &start);
    const int offset = qBound(0, textPos - start, block.length() - 1);
    return block.position() + offset;
}

} // namespace qx
