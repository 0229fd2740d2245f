#pragma once

#include "assist/CompletionContext.h"
#include "text/MarkerIndex.h"

#include <QString>

namespace qx {

class CodeBox;

// Where the tag openers ("<QX:") and closers ("</QX>") stand in the box's text, in any letter case, kept
// in step with its edits: "the last opener before the caret" costs a binary search instead of a scan back
// through the whole text, and an edit reads only the characters around it.
class TagIndex {
public:
    // removed characters at position became added characters; removed -1: anything may have changed.
    void Edited(const CodeBox& box, int position, int removed, int added);
    // The start of the last opener (closer) that lies wholly before `end`, or -1.
    int LastOpener(const CodeBox& box, int end) { return mOpeners.LastBefore(box, end); }
    int LastCloser(const CodeBox& box, int end) { return mClosers.LastBefore(box, end); }
    // The start of the first closer at or after `from`, or -1.
    int NextCloser(const CodeBox& box, int from) { return mClosers.FirstFrom(box, from); }

private:
    MarkerIndex mOpeners{QString::fromUtf16(kTagOpener), Qt::CaseInsensitive};
    MarkerIndex mClosers{QString::fromUtf16(kTagCloser), Qt::CaseInsensitive};
};

// The box's text as the completion trigger reads it: through the box's range reads and an index of its
// tags, which the caller keeps in step with the box's edits.
class BoxCompletionText final : public CompletionText {
public:
    BoxCompletionText(const CodeBox& box, TagIndex& tags)
        : mBox(box)
        , mTags(tags) {}

    int size() const override;
    QChar at(int pos) const override;
    QString span(int start, int end) const override;
    // A closer holds a ">", so the search ends at the next one at the latest.
    int nextGreater(int from) const override;
    int lastOpener(int end) const override { return mTags.LastOpener(mBox, end); }
    int lastCloser(int end) const override { return mTags.LastCloser(mBox, end); }
    int lineOf(int pos) const override;

private:
    const CodeBox& mBox;
    TagIndex& mTags;
};

} // namespace qx
