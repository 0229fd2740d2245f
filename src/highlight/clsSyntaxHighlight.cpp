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

void clsSyntaxHighlight::ProcessSyntax(CodeBox& box, SyntaxProcessor& processor, bool useLock) {
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
        box.SelectRange(0, -1);
        mText = box.Text();
        mView = mText.constData();
        mLength = int(mText.size());
        makePlainBlack(box);
        ContinueSyntax(processor, 0, 0);
    } catch (const std::exception& error) {
        // The walk ends here; the text after the failure keeps the plain black it was given.
        qCWarning(lcEditor) << "A colouring walk stopped:" << error.what();
    } catch (...) {
        qCWarning(lcEditor) << "A colouring walk stopped";
    }
    mText = QString();
    mView = nullptr;
    mLength = 0;
    if (saved)
        RestoreBox(selStart, selLength, scroll, hidden);
    mBox = nullptr;
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
        end = mLength;
    mStart = start;
    mCurrent = std::max(start, 0); // the view is never read before its first character
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
