#include "assist/TagIndex.h"

#include "platform/CodeBox.h"

#include <algorithm>
#include <iterator>

namespace qx {

namespace {
// The longest piece a search for ">" reads at once.
constexpr int kLongestRead = 1 << 16;
} // namespace

void TagIndex::Edited(const CodeBox& box, int position, int removed, int added) {
    mOpeners.Edited(box, position, removed, added);
    mClosers.Edited(box, position, removed, added);
}

int BoxCompletionText::size() const {
    return mBox.TextLength();
}

QChar BoxCompletionText::at(int pos) const {
    return mBox.CharAt(pos);
}

QString BoxCompletionText::span(int start, int end) const {
    return mBox.TextRange(start, end);
}

int BoxCompletionText::nextGreater(int from) const {
    const int closer = mTags.NextCloser(mBox, from);
    const int to = closer >= 0 ? closer + int(std::size(kTagCloser)) - 1 : mBox.TextLength();
    int chunk = 256;
    for (int start = std::max(from, 0); start < to;
         start += chunk, chunk = std::min(chunk * 2, kLongestRead)) {
        const qsizetype found = mBox.TextRange(start, std::min(to, start + chunk)).indexOf(u'>');
        if (found >= 0)
            return start + int(found);
    }
    return -1;
}

int BoxCompletionText::lineOf(int pos) const {
    return mBox.GetLineFromChar(pos);
}

} // namespace qx
