#include "platform/qt/LayoutFormats.h"

#include "platform/qt/DocumentText.h"
#include "platform/qt/QtColour.h"

#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextDocument>

namespace qx {

// The spans a block was last given; it follows the block's layout through splits and merges.
class LayoutFormats::AppliedData : public QTextBlockUserData {
public:
    std::vector<Span> spans;
    unsigned coloursVersion = 0;
};

namespace {

bool isPlain(const CharFormat& f) {
    return f == CharFormat{};
}

} // namespace

const QTextCharFormat& LayoutFormats::qtFormat(const CharFormat& format) {
    for (const auto& [key, value] : mQtFormats) {
        if (key == format)
            return value;
    }
    const CharFormat painted = paintedFormat(format, mColours);
    QTextCharFormat qf;
    qf.setForeground(qtColour(painted.Color));
    if (painted.Bold)
        qf.setFontWeight(QFont::Bold);
    if (painted.Italic)
        qf.setFontItalic(true);
    if (painted.BackColor != kNoBackColor)
        qf.setBackground(qtColour(painted.BackColor));
    mQtFormats.emplace_back(format, qf);
    return mQtFormats.back().second;
}

std::vector<LayoutFormats::Span> LayoutFormats::spansOf(const FormatRuns& wanted, int textStart,
                                                        int length) const {
    std::vector<Span> spans;
    if (length > kLongestColouredLine)
        return spans;
    wanted.forEachRun(textStart, textStart + length, [&](int s, int e, const CharFormat& f) {
        if (!isPlain(f))
            spans.push_back({s - textStart, e - s, f});
    });
    return spans;
}

void LayoutFormats::keepGlyphsIfLong(const QTextBlock& block) {
    if (block.length() - 1 > kLongestColouredLine && block.layout())
        block.layout()->setCacheEnabled(true);
}

void LayoutFormats::keepLongLines(int start, int end) {
    const SplitText text = mText.pieces();
    end = qMin(end, text.size());
    for (int lineStart = qMax(start, 0); lineStart < end;) {
        const int lineFeed = text.indexOf(u'\n', lineStart);
        const int lineEnd = lineFeed < 0 ? text.size() : lineFeed + 1;
        if (lineEnd - lineStart - (lineFeed < 0 ? 0 : 2) > kLongestColouredLine) // without its CR LF
            keepGlyphsIfLong(mText.blockAt(lineStart));
        lineStart = lineEnd;
    }
}

bool LayoutFormats::applyBlock(QTextBlock& block, int textStart, const FormatRuns& wanted, bool force) {
    keepGlyphsIfLong(block);
    std::vector<Span> spans = spansOf(wanted, textStart, block.length() - 1);
    auto* data = static_cast<AppliedData*>(block.userData());
    // A block without data never got formats from here (the data follows the layout through splits).
    if (data ? !force && data->spans == spans && data->coloursVersion == mColoursVersion : spans.empty())
        return false;
    QList<QTextLayout::FormatRange> ranges;
    ranges.reserve(qsizetype(spans.size()));
    for (const Span& span : spans)
        ranges.append({span.start, span.length, qtFormat(span.format)});
    block.layout()->setFormats(ranges);
    if (!data) {
        data = new AppliedData;
        block.setUserData(data);
    }
    data->spans = std::move(spans);
    data->coloursVersion = mColoursVersion;
    markDirty(block.position(), block.length());
    return true;
}

void LayoutFormats::markDirty(int docPos, int length) {
    // Neighbouring blocks are marked together: one relayout request instead of one per block.
    if (mDirtyLength > 0 && docPos == mDirtyFrom + mDirtyLength) {
        mDirtyLength += length;
        return;
    }
    flushDirty();
    mDirtyFrom = docPos;
    mDirtyLength = length;
}

void LayoutFormats::flushDirty() {
    if (mDirtyLength > 0)
        mDocument->markContentsDirty(mDirtyFrom, mDirtyLength);
    mDirtyLength = 0;
}

void LayoutFormats::walkTo(int textPos) {
    // Differences come in ascending order, mostly in the next few blocks: step there, search further off.
    for (int steps = 0; mWalk.block.isValid() && steps < 16; ++steps) {
        if (textPos < mWalk.textStart() + mWalk.block.length() + 1)
            return;
        mWalk.advance();
    }
    int textStart = 0;
    mWalk.block = mText.blockAt(textPos, &textStart);
    mWalk.number = mWalk.block.blockNumber();
    mWalk.docPos = textStart - mWalk.number;
}

int LayoutFormats::applyRange(const FormatRuns& wanted, int start, int end, bool force) {
    if (mWalk.block.isValid())
        start = qMax(start, mWalk.textStart());
    else if (mWalk.number >= 0)
        return 0; // walked past the last block
    if (start >= end)
        return 0;
    walkTo(start);
    int touched = 0;
    while (mWalk.block.isValid() && mWalk.textStart() < end) {
        touched += applyBlock(mWalk.block, mWalk.textStart(), wanted, force) ? 1 : 0;
        mWalk.advance();
    }
    return touched;
}

int LayoutFormats::applyChanges(const FormatRuns& wanted, int visibleStart, int visibleEnd) {
    mWalk = {};
    const int from = qMax(mChangedFrom, visibleStart);
    const int to = qMin(mChangedTo, visibleEnd);
    mChangedFrom = mChangedTo = 0;
    // Each block compares what it shows with what it must: those the changes left as they were cost that
    // comparison only.
    const int touched = from < to ? applyRange(wanted, from, to, false) : 0;
    flushDirty();
    return touched;
}

void LayoutFormats::wantedChanged(int start, int end) {
    if (start >= end)
        return;
    const bool none = mChangedFrom >= mChangedTo;
    mChangedFrom = none ? start : qMin(mChangedFrom, start);
    mChangedTo = none ? end : qMax(mChangedTo, end);
}

void LayoutFormats::edited(int start, int removed, int added) {
    if (mChangedFrom >= mChangedTo)
        return;
    // The edited characters are plain on both sides; the stretch follows the text around it.
    const auto moved = [&](int pos) { return pos <= start ? pos : qMax(pos - removed, start) + added; };
    mChangedFrom = moved(mChangedFrom);
    mChangedTo = qMax(moved(mChangedTo), mChangedFrom);
}

void LayoutFormats::reset() {
    mChangedFrom = mChangedTo = 0;
}

int LayoutFormats::applyVisible(const FormatRuns& wanted, int start, int end) {
    mWalk = {};
    const int touched = applyRange(wanted, start, end, false);
    flushDirty();
    return touched;
}

int LayoutFormats::applyForced(const FormatRuns& wanted, int start, int end) {
    mWalk = {};
    end = qMax(end, start) + 1; // the block holding end too
    const int touched = applyRange(wanted, start, end, true);
    flushDirty();
    return touched;
}

bool LayoutFormats::setPalette(const PaletteColours& colours) {
    if (colours == mColours)
        return false;
    mColours = colours;
    mQtFormats.clear();
    ++mColoursVersion;
    return true;
}

} // namespace qx
