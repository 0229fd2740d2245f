#pragma once

#include <QtGlobal>

#include <optional>
#include <vector>

namespace qx {

// What a colouring walk knew at the start of each line in the last pass, kept in step with the edits made
// since, so that the next pass can restart at the last line before the first edit and stop at the first line
// after the edits where the walk's state is what it was. Only line starts where a walk can restart are kept
// (the processor's state fits the packed value and no run still reaches back before the line).
class LineStates {
public:
    struct Entry {
        int start = 0;     // a position just after a line feed
        quint32 state = 0; // the processor's packed state there
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // Forgets everything: the next pass must walk the whole text.
    void clear();
    // Whether a pass has recorded states since the last clear.
    bool known() const { return mKnown; }
    // The text length the states are in step with.
    int length() const { return mLength; }

    // An edit since the last pass: [position, position + removed) became `added` characters.
    void Edited(int position, int removed, int added);
    bool edited() const { return mEdited; }

    // The last recorded line start at or before the first edit; none when the walk must start at 0.
    std::optional<Entry> restartPoint() const;
    // Whether the walk may stop at line start `pos` (in today's text) with `state`: the text from there on
    // is unchanged since the last pass, and the last pass had the same state there.
    bool unchangedFrom(int pos, quint32 state) const;

    // Ends a pass over a text of `length`: keeps what was known up to `from`, takes `fresh` (ascending,
    // after `from`), and, when the walk stopped at `stop`, what was known after it; stop -1 means the walk
    // went to the end of the text. A full pass is from -1.
    void finishPass(int from, std::vector<Entry> fresh, int stop, int length);

private:
    // The position of entry i in the text of the last pass: the entries from mShiftFrom on still owe the
    // shift of the passes before, so that a pass after typing moves no entries but those it replaced.
    int at(size_t i) const { return mEntries[i].start + (i >= mShiftFrom ? mShift : 0); }
    // Settles the owed shift up to (or back to) entry `index`, which becomes the first that owes it.
    void moveShiftTo(size_t index);
    // Index of the first entry at or after old position pos.
    size_t lowerBound(int pos) const;

    std::vector<Entry> mEntries;
    size_t mShiftFrom = 0;
    int mShift = 0;
    bool mKnown = false;
    int mLength = 0;
    // The edited stretch: [mDirtyStart, mDirtyOldEnd) of the last pass's text is now
    // [mDirtyStart, mDirtyNewEnd); the text before and after it is as it was.
    bool mEdited = false;
    int mDirtyStart = 0;
    int mDirtyOldEnd = 0;
    int mDirtyNewEnd = 0;
};

} // namespace qx
