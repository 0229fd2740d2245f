#include "find/FindReplace.h"

#include "encoded/EncodedAreas.h"
#include "platform/CodeBox.h"
#include "text/TextFind.h"

#include <algorithm>

namespace qx {

FindReplace::FindReplace(EditorState& state, CodeBox& box)
    : mState(state)
    , mBox(box) {}

int FindReplace::DialogOptions(const DialogChoices& choices) {
    return (choices.matchCase ? kMatchCase : 0) | (choices.wholeWord ? kWholeWord : 0) |
           (choices.wrapAround ? kWrapAround : 0) | (choices.fromCaret ? kFromCaret : 0);
}

bool FindReplace::validArguments(const QString& what, int from, int to) const {
    const int length = mBox.TextLength();
    if (what.isEmpty() || from < -1 || to < -1 || from > length)
        return false;
    return !(from >= 0 && to >= 0 && to < from);
}

int FindReplace::Find(const QString& psFind, int plFindFromPosition, int plFindToPosition, int plOptions) {
    if (!validArguments(psFind, plFindFromPosition, plFindToPosition))
        return -1;
    int from = plFindFromPosition;
    if (from == -1 && mBox.SelLength() > 0)
        from = mBox.SelStart() + mBox.SelLength();
    // Without a start the whole text is searched, or with only an end (or kFromCaret), from the caret on.
    const bool fromCaret = plFindToPosition >= 0 || (plOptions & kFromCaret);
    const int start = from >= 0 ? from : (fromCaret ? mBox.SelStart() : 0);
    int found = mBox.Find(psFind, start, plFindToPosition, plOptions);
    // Wrapping takes the matches that begin before the start, the selected one included.
    if (found < 0 && (plOptions & kWrapAround) && plFindFromPosition == -1 && plFindToPosition == -1)
        found = mBox.Find(psFind, 0, start + int(psFind.size()) - 1, plOptions);
    return select(found, psFind, plOptions);
}

int FindReplace::select(int found, const QString& what, int options) {
    if (found < 0)
        return -1;
    mState.msLastFind = what;
    mState.mlLastFindOptions = options;
    if (!(options & kNoHighlight))
        mBox.SelectRange(found, found + int(what.size()));
    return found;
}

int FindReplace::FindNext() {
    if (mState.msLastFind.isEmpty())
        return 0;
    return Find(mState.msLastFind, -1, -1, mState.mlLastFindOptions);
}

int FindReplace::FindPrevious() {
    if (mState.msLastFind.isEmpty())
        return 0;
    return FindPrevious(mState.msLastFind, mState.mlLastFindOptions);
}

int FindReplace::FindPrevious(const QString& what, int options) {
    if (what.isEmpty())
        return -1;
    const int start = mBox.SelStart();
    const QString text = mBox.Text();
    int found = findLastText(text, what, 0, start + int(what.size()) - 1, options);
    if (found < 0 && (options & kWrapAround))
        found = findLastText(text, what, start, -1, options);
    return select(found, what, options);
}

FindReplace::MatchCount FindReplace::Count(const QString& psFind, int plOptions) const {
    if (psFind.isEmpty())
        return {0, -1};
    const QList<int> all = findAll(mBox.Text(), psFind, 0, -1, plOptions);
    const int start = mBox.SelStart();
    const auto at = std::lower_bound(all.cbegin(), all.cend(), start);
    const bool selected = at != all.cend() && *at == start && mBox.SelLength() == psFind.size();
    return {selected ? int(at - all.cbegin()) + 1 : 0, int(all.size())};
}

// The matches go in as one replacement of the stretch from the first to the last: one change of the box,
// one undo step, however many there are.
int FindReplace::ReplaceAll(const QString& psFind, const QString& psReplace, int plOptions,
                            const std::function<void()>& beforeChange) {
    if (psFind.isEmpty())
        return -1;
    const QString text = mBox.Text();
    const int length = int(psFind.size());
    const QList<EncodedAreas::Span> values = EncodedAreas::EncodedContents(text);
    auto value = values.cbegin();
    QList<int> chosen;
    for (int at : findAll(text, psFind, 0, -1, plOptions)) {
        while (value != values.cend() && value->start + value->length <= at)
            ++value;
        if (value == values.cend() || value->start >= at + length)
            chosen.append(at);
    }
    if (chosen.isEmpty())
        return 0;
    const int first = chosen.front(), end = chosen.back() + length;
    QString replaced;
    for (int k = 0, from = first; k < chosen.size(); ++k) {
        replaced += QStringView(text).sliced(from, chosen[k] - from);
        replaced += psReplace;
        from = chosen[k] + length;
    }
    if (beforeChange)
        beforeChange();
    mBox.SelectRange(first, end);
    mBox.setSelText(replaced);
    return int(chosen.size());
}

int FindReplace::Replace(const QString& psFind, const QString& psReplace, int plFindFromPosition,
                         int plFindToPosition, int plOptions, const std::function<void()>& beforeChange) {
    if (!validArguments(psFind, plFindFromPosition, plFindToPosition))
        return -1;
    const int options = plOptions & ~kNoHighlight;
    const int length = int(psFind.size());
    int found = mBox.Find(psFind, plFindFromPosition >= 0 ? plFindFromPosition : mBox.SelStart(),
                          plFindToPosition, options);
    while (found >= 0 && EncodedAreas::OverlapsEncodedArea(mBox.Text(), found, length))
        found = mBox.Find(psFind, found + 1, plFindToPosition, options);
    if (found < 0)
        return -1;
    if (beforeChange)
        beforeChange();
    mBox.SelectRange(found, found + length);
    mBox.setSelText(psReplace);
    return found;
}

} // namespace qx
