#include "platform/qt/DocumentText.h"

#include <QTextBlock>
#include <QTextDocument>

namespace qx {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
}

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
    mText = read(0, mDocLength);
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
    for (int i = 0; i < count && pos < mText.size(); ++i)
        pos += mText[pos] == u'\r' ? 2 : 1; // blocks never hold a CR: each one is a separator
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
        const QString old = mText;
        rebuild();
        edit.removed = int(old.size());
        edit.added = int(mText.size());
        edit.changed = old != mText;
        edit.rebuilt = true;
        edit.removedText = old;
        return edit;
    }
    // Blocks that start at or before position are the same before and after the edit.
    edit.start = toTextPos(position);
    edit.removed = textSpan(edit.start, removed);
    const QString inserted = read(position, added);
    edit.added = int(inserted.size());
    const QStringView old = QStringView(mText).mid(edit.start, edit.removed);
    edit.changed = old != inserted;
    if (edit.changed) {
        const Edit reported = edit;
        if (trim)
            trimUnchanged(edit, old, inserted);
        edit.removedText = QStringView(mText).mid(edit.start, edit.removed).toString();
        mText.replace(reported.start, reported.removed, inserted);
    }
    mDocLength = newLength;
    return edit;
}

int DocumentText::toTextPos(int docPos) const {
    docPos = qBound(0, docPos, docLength());
    return docPos + mDocument->findBlock(docPos).blockNumber();
}

QTextBlock DocumentText::blockAt(int textPos, int* blockTextStart) const {
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
    const QTextBlock block = mDocument->findBlockByNumber(low);
    if (blockTextStart)
        *blockTextStart = block.position() + low;
    return block;
}

int DocumentText::toDocPos(int textPos) const {
    int start = 0;
    const QTextBlock block = blockAt(textPos, &start);
    const int offset = qBound(0, textPos - start, block.length() - 1);
    return block.position() + offset;
}

} // namespace qx
