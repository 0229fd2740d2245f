#include "find/FindReplace.h"

#include "encoded/EncodedAreas.h"
#include "platform/CodeBox.h"

namespace qx {

FindReplace::FindReplace(EditorState& state, CodeBox& box)
    : mState(state)
    , mBox(box) {}

int FindReplace::DialogOptions(bool matchCase, bool wholeWord) {
    return (matchCase ? kMatchCase : 0) + (wholeWord ? kWholeWord : 0);
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
    // Without a start the whole text is searched, or with only an end, from the caret to that end.
    const int start = from >= 0 ? from : (plFindToPosition >= 0 ? mBox.SelStart() : 0);
    const int found = mBox.Find(psFind, start, plFindToPosition, plOptions);
    if (found < 0)
        return -1;
    mState.msLastFind = psFind;
    mState.mlLastFindOptions = plOptions;
    if (!(plOptions & kNoHighlight))
        mBox.SelectRange(found, found + int(psFind.size()));
    return found;
}

int FindReplace::FindNext() {
    if (mState.msLastFind.isEmpty())
        return 0;
    return Find(mState.msLastFind, -1, -1, mState.mlLastFindOptions);
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
