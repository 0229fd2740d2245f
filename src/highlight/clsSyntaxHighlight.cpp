#include "highlight/clsSyntaxHighlight.h"

#include "hostlib/Logging.h"
#include "platform/WindowLock.h"

#include <algorithm>
#include <limits>

namespace qx {

namespace {

// Runs one closing step of a pass; a failing step must not keep the others from putting the box back.
template <typename Step> void quietly(Step step) {
    try {
        step();
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << "Putting the box back after a colouring walk failed:" << error.what();
    } catch (...) {
        qCWarning(lcEditor) << "Putting the box back after a colouring walk failed";
    }
}

// Positions are computed in 64 bits so that absurd offsets from a processor clamp instead of overflowing.
int clampPosition(qint64 pos) {
    return int(std::clamp<qint64>(pos, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

CharFormatChange runFormat(Colour colour, bool bold, bool italic, Colour backColour) {
    CharFormatChange change;
    change.Color = colour;
    if (bold)
        change.Bold = true;
    if (italic)
        change.Italic = true;
    if (backColour != kNoBackColor)
        change.BackColor = backColour;
    return change;
}

void makePlainBlack(CodeBox& box) {
    box.setSelColor(0);
    box.setSelBold(false);
    box.setSelItalic(false);
}

} // namespace

void clsSyntaxHighlight::Highlight(Colour colour, bool bold, bool italic, int endOffset, int startOffset,
                                   Colour backColour) {
    const qint64 last = qint64(mCurrent) + endOffset;
    qint64 anchor = mStart;
    if (startOffset == 0)
        mStart = clampPosition(last);
    else
        anchor = qint64(mCurrent) + startOffset;
    const int begin = anchor >= 1 ? clampPosition(anchor + 1) : 0;
    // An end before 0 would read as "to the end of the text" to the box; it means an empty run here.
    const int end = std::max(clampPosition(last + 1), 0);
    if (!mBox || begin == end)
        return;
    mBox->SelectRange(begin, end); // an end before the beginning selects the characters between the two
    mBox->SetCharFormat(runFormat(colour, bold, italic, backColour));
}

// What the top-level walk does at line starts: records the processor's state where a walk can restart; in
// a pass over edits also makes each line plain black just before walking it, and stops where the walk is
// back in step with the recording pass.
struct clsSyntaxHighlight::LineWalk {
    std::vector<LineStates::Entry> fresh;
    const LineStates* previous = nullptr;
};

namespace {
// The first stretch a pass that records line states copies; each further read doubles what it has.
constexpr int kFirstRead = 4096;
} // namespace

template <class Body> void clsSyntaxHighlight::inPass(CodeBox& box, bool useLock, Body body) {
    mBox = &box;
    int selStart = 0;
    int selLength = 0;
    ScrollPos scroll;
    bool saved = false;
    bool hidden = false;
    try {
        selStart = box.SelStart();
        selLength = box.SelLength();
        scroll = box.GetScrollPos();
        saved = true;
        if (useLock) {
            if (mLockedWindow != &box) {
                ReleaseLock();
                WindowLock::LockWindow(&box);
                mLockedWindow = &box;
            }
        } else {
            hidden = true;
            box.setVisible(false);
        }
        body();
    } catch (const std::exception& error) {
        // The walk ends here; the text after the failure keeps the plain black it was given.
        qCWarning(lcEditor) << "A colouring walk stopped:" << error.what();
    } catch (...) {
        qCWarning(lcEditor) << "A colouring walk stopped";
    }
    mText = QString();
    mView = nullptr;
    mBase = mLength = mTextLength = 0;
    if (saved)
        RestoreBox(selStart, selLength, scroll, hidden);
    mBox = nullptr;
}

void clsSyntaxHighlight::ProcessSyntax(CodeBox& box, SyntaxProcessor& processor, bool useLock,
                                       LineStates* lines) {
    inPass(box, useLock, [&] {
        if (lines)
            lines->clear(); // a walk that fails halfway leaves nothing to restart from
        box.SelectRange(0, -1);
        mTextLength = box.TextLength();
        mBase = 0;
        // A walk that records line states reads the text as it goes and lets go of what lies before the last
        // of them (see forgetBefore); one that records none reads a copy of the whole text. Either is the
        // walk's own, gone after it: the box need not keep a whole-text string for it.
        mText = box.TextRange(0, lines ? kFirstRead : mTextLength);
        mView = mText.constData();
        mLength = int(mText.size());
        makePlainBlack(box);
        if (!lines) {
            ContinueSyntax(processor, 0, 0);
            return;
        }
        // What ContinueSyntax(processor, 0, 0) does, line by line.
        box.SelectRange(mCurrent, 0);
        makePlainBlack(box);
        mStart = mCurrent = 0;
        LineWalk walk;
        walkLines(processor, walk);
        lines->finishPass(-1, std::move(walk.fresh), -1, mTextLength);
    });
}

void clsSyntaxHighlight::ProcessEdits(CodeBox& box, SyntaxProcessor& processor, LineStates& lines,
                                      bool useLock) {
    inPass(box, useLock, [&] {
        try {
            const std::optional<LineStates::Entry> restart = lines.restartPoint();
            const int from = restart ? restart->start : 0;
            mTextLength = box.TextLength();
            mBase = std::max(from - 2, 0); // a nested walk may begin just before the line
            mText = box.TextRange(mBase, from + kFirstRead);
            mView = mText.constData();
            mLength = mBase + int(mText.size());
            if (restart)
                processor.RestoreLineState(restart->state);
            mStart = std::max(from - 1, 0);
            mCurrent = from;
            LineWalk walk;
            walk.previous = &lines;
            const bool toTheEnd = walkLines(processor, walk);
            lines.finishPass(from, std::move(walk.fresh), toTheEnd ? -1 : mCurrent, mTextLength);
        } catch (...) {
            lines.clear(); // the next pass walks the whole text
            throw;
        }
    });
}

bool clsSyntaxHighlight::walkLines(SyntaxProcessor& processor, LineWalk& walk) {
    while (mCurrent < mTextLength) {
        const int lineEnd = lineEndFrom(mCurrent);
        if (walk.previous) {
            mBox->SelectRange(mCurrent, lineEnd);
            makePlainBlack(*mBox);
        }
        processor.ProcessChars(*this, lineEnd);
        // A line start where no run reaches back before the line, so a walk can restart there. Not the
        // second character: a run from Start 0 begins at the first, which is before that line.
        if (mCurrent != lineEnd || lineEnd == mTextLength || mStart != lineEnd - 1 || lineEnd < 2)
            continue;
        const std::optional<quint32> state = processor.LineState();
        if (!state)
            continue;
        walk.fresh.push_back({lineEnd, *state});
        if (walk.previous && walk.previous->unchangedFrom(lineEnd, *state))
            return false; // from here on the earlier pass's colours stand
        forgetBefore(lineEnd - 2);
    }
    processor.ProcessChar(0, *this);
    return true;
}

int clsSyntaxHighlight::lineEndFrom(int pos) {
    for (;;) {
        const qsizetype i = QStringView(mText).indexOf(u'\n', pos - mBase);
        if (i >= 0)
            return mBase + int(i) + 1;
        if (mLength >= mTextLength)
            return mTextLength;
        readOn();
    }
}

// A walk restarted at a line start with a recorded state reads from two characters before it, and gives the
// colours the whole walk gives: nothing after that line start looks back further. So the copy can let go of
// what lies before, once that is at least half of it, so that each character is moved at most once or twice.
void clsSyntaxHighlight::forgetBefore(int pos) {
    const int drop = pos - mBase;
    if (drop < kFirstRead || drop < (mLength - mBase) / 2)
        return;
    mText.remove(0, drop);
    mView = mText.constData();
    mBase = pos;
}

void clsSyntaxHighlight::readOn() {
    const int more = std::max(kFirstRead, mLength - mBase);
    const int end = int(std::min<qint64>(mTextLength, qint64(mLength) + more));
    mText.append(mBox->TextRange(mLength, end));
    mView = mText.constData();
    mLength = end;
}

void clsSyntaxHighlight::RestoreBox(int selStart, int selLength, ScrollPos scroll, bool hidden) {
    CodeBox& box = *mBox;
    quietly([&] { box.SetScrollPos(scroll); });
    quietly([&] { box.SelectRange(selStart, selStart + selLength); });
    if (selLength == 0)
        quietly([&] { makePlainBlack(box); }); // what the user types next is plain black
    if (hidden)
        quietly([&] { box.setVisible(true); });
    else
        quietly([&] { ReleaseLock(); });
}

void clsSyntaxHighlight::ReleaseLock() {
    if (!mLockedWindow)
        return;
    mLockedWindow = nullptr;
    WindowLock::UnlockWindow();
}

void clsSyntaxHighlight::ContinueSyntax(SyntaxProcessor& processor, int start, int end) {
    if (mBox) {
        mBox->SelectRange(mCurrent, end);
        makePlainBlack(*mBox);
    }
    if (end == 0)
        end = mTextLength;
    mStart = start;
    mCurrent = std::max(start, mBase); // the view is never read before its first character
    processor.ProcessChars(*this, end);
    processor.ProcessChar(0, *this);
}

void SyntaxProcessor::ProcessChars(clsSyntaxHighlight& engine, int limit) {
    engine.walk(limit, [&](int ch) { ProcessChar(ch, engine); });
}

void SyntaxProcessor::logDropped(const char* why) {
    qCWarning(lcEditor) << "A character's colouring was dropped:" << why;
}

} // namespace qx
