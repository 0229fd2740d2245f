#pragma once

#include "assist/CompletionContext.h"

#include <QString>

#include <cstddef>
#include <vector>

namespace qx {

class CodeBox;

// Where the tag openers ("<QX:") and closers ("</QX>") stand in the box's text, in any letter case, kept
// in step with its edits: "the last opener before the caret" costs a binary search instead of a scan back
// through the whole text, and an edit reads only the characters around it. A new text (an edit that
// replaces everything) is indexed at once; an index that an edit it cannot follow has spoiled builds itself
// again from the text on the next query.
class TagIndex {
public:
    // removed characters at position became added characters; removed -1: anything may have changed.
    void Edited(const CodeBox& box, int position, int removed, int added);
    // The start of the last opener (closer) that lies wholly before `end`, or -1.
    int LastOpener(const CodeBox& box, int end);
    int LastCloser(const CodeBox& box, int end);
    // The start of the first closer at or after `from`, or -1.
    int NextCloser(const CodeBox& box, int from);

private:
    // The positions of one marker. The entries from shiftFrom on still owe the shift of the edits before
    // them, so that typing in one place moves no entries at all.
    struct Positions {
        explicit Positions(QString marker)
            : marker(std::move(marker)) {}
        int at(std::size_t i) const { return stored[i] + (i >= shiftFrom ? shift : 0); }
        std::size_t lowerBound(int position) const;
        void moveShiftTo(std::size_t index);
        void edited(const CodeBox& box, int position, int removed, int added);
        // Adds the markers that start in [from, to).
        void scan(const CodeBox& box, int from, int to);

        QString marker;
        std::vector<int> stored;
        std::size_t shiftFrom = 0;
        int shift = 0;
    };

    // Builds both lists when the text's length shows that they no longer follow it.
    void ensureBuilt(const CodeBox& box);

    Positions mOpeners{QStringLiteral("<QX:")};
    Positions mClosers{QStringLiteral("</QX>")};
    int mLength = 0; // the text's length when the positions were last right
    bool mBuilt = false;
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
