#pragma once

#include "highlight/LineStates.h"
#include "highlight/SyntaxProcessor.h"
#include "platform/CodeBox.h"

#include <QString>

#include <algorithm>
#include <limits>

namespace qx {

// Colours a code box in one pass: walks a copy of its text character by character, hands each character to a
// syntax processor and applies the colour runs that the processor asks for. One engine serves one pass; the
// walk is re-entrant so that a processor can nest a walk with another processor. A pass may record the
// processor's state at each line start, so that the next one walks only the lines that edits can have
// changed.
class clsSyntaxHighlight {
public:
    // Colours one run ending at Current + endOffset. With startOffset 0 the run begins just after Start and
    // Start moves to its end; otherwise it begins just after Current + startOffset and Start stays put.
    // backColour kNoBackColor sets no background; bold and italic are only ever switched on, never off.
    void Highlight(Colour colour = 0, bool bold = false, bool italic = false, int endOffset = 0,
                   int startOffset = 0, Colour backColour = kNoBackColor);
    // Marks everything up to Current + endOffset as dealt with, without colouring.
    void ResetStart(int endOffset) {
        const qint64 start = qint64(mCurrent) + endOffset; // absurd offsets clamp rather than overflow
        mStart =
            int(std::clamp<qint64>(start, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    }

    // Re-colours the whole box. useLock switches off repainting through the window lock; without it the box
    // is hidden for the pass. Never throws: a failure ends the walk (the rest of the text stays plain black)
    // and the scroll position, the selection and the lock or visibility are still put back.
    // With lines, the processor's state at each line start is recorded there for a later ProcessEdits.
    void ProcessSyntax(CodeBox& box, SyntaxProcessor& processor, bool useLock = false,
                       LineStates* lines = nullptr);
    // Re-colours what the edits noted in lines since the pass that recorded them can have changed, and gives
    // exactly the colours a whole pass would: restarts at the last line start before the first edit with the
    // processor in its recorded state, and stops at the first line start after the edits where the state is
    // the recorded one. The processor must follow the same rules as the recording pass's, and its nested
    // walks must end where they were started. Copies only the lines it walks; never throws, like
    // ProcessSyntax.
    void ProcessEdits(CodeBox& box, SyntaxProcessor& processor, LineStates& lines, bool useLock = false);
    // Walks [start, end) of the pass's text (end 0: to the end) with a processor, then calls it once with 0.
    // Called from inside ProcessChar it walks a stretch again with another processor; on return Current is
    // where that walk stopped. Errors are left to the caller.
    void ContinueSyntax(SyntaxProcessor& processor, int start = 0, int end = 0);

    int Current() const { return mCurrent; }
    int Start() const { return mStart; }

    // The walk's loop: step(character) for each character from Current up to limit (at most the text
    // length). Current is read afresh each time, so a nested walk started by the processor moves it.
    template <class Step> void walk(int limit, Step&& step) {
        limit = limit < mLength ? limit : mLength;
        const QChar* const view = mView; // local copies: stores made by the step cannot move them
        const int base = mBase;
        while (mCurrent < limit) {
            step(int(view[mCurrent - base].unicode()));
            ++mCurrent;
        }
    }

    // Moves Current on over the characters after it, before limit, that `plain` accepts; the walk goes on
    // after the last of them. A processor's step skips with it what would only go on with the token or area
    // it is in, so that the walk's loop does not hand over each such character.
    template <class Plain> void skipPlain(int limit, Plain&& plain) {
        limit = limit < mLength ? limit : mLength;
        int pos = mCurrent + 1;
        const QChar* const view = mView;
        const int base = mBase;
        while (pos < limit && plain(view[pos - base].unicode()))
            ++pos;
        mCurrent = pos - 1;
    }

private:
    struct LineWalk;

    // Saves the selection and the view, locks or hides the box, runs the body and puts everything back.
    template <class Body> void inPass(CodeBox& box, bool useLock, Body body);
    void RestoreBox(int selStart, int selLength, ScrollPos scroll, bool hidden);
    void ReleaseLock();
    // The top-level walk from Current to the end of the text, line by line; see LineWalk. Returns whether
    // it went to the end.
    bool walkLines(SyntaxProcessor& processor, LineWalk& lines);
    // The position just after the next line feed from pos, or the text's end; reads on when the copy of
    // the text ends before it.
    int lineEndFrom(int pos);
    void readOn();
    // Lets the copy of the text go before pos (a line start with a recorded state, less two).
    void forgetBefore(int pos);

    CodeBox* mBox = nullptr;
    LockableWindow* mLockedWindow = nullptr;
    QString mText;                // the copy of text positions [mBase, mLength) the view points into
    const QChar* mView = nullptr; // read-only characters of mText
    int mBase = 0;
    int mLength = 0;
    int mTextLength = 0; // of the whole text
    int mStart = 0;
    int mCurrent = 0;
};

} // namespace qx
