#pragma once

#include "platform/PaintedColours.h"
#include "text/FormatRuns.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextLayout>

#include <vector>

class QTextDocument;

namespace qx {

class DocumentText;

// Shows FormatRuns (in DocumentText positions) on a document's blocks as layout formats, the way a syntax
// highlighter does: the document's content, undo stack and modified flag are never touched, and no change
// notification is raised. What a block was last given is kept in its user data, so only blocks whose
// formats differ are set again and marked for repainting. Blocks outside the part on screen are brought up
// to date when they are painted, so a pass costs work for what the user sees, not for the whole text.
class LayoutFormats {
public:
    // A longer line is shown without colours: Qt lays out and shapes a line whole, one format range at a
    // time, on every key, so a megabyte line in thousands of colours would make each key cost seconds.
    // Its stored colours (FormatAt) stay as they are. It keeps its glyphs once laid out, which Qt would
    // otherwise shape again for each caret query (a bare QPlainTextEdit holds as much for the line it shows).
    static constexpr int kLongestColouredLine = 10000;

    LayoutFormats(QTextDocument* document, const DocumentText& text)
        : mDocument(document)
        , mText(text) {}

    // Applies `wanted` now to the blocks in text range [visibleStart, visibleEnd) that the stretch reported
    // through wantedChanged since the last call reaches and whose formats differ from what they show, so the
    // cost follows what changed on screen. The blocks off screen take theirs when painted. Returns the
    // number of blocks given new formats.
    int applyChanges(const FormatRuns& wanted, int visibleStart, int visibleEnd);
    // `wanted` changed its formats in text range [start, end).
    void wantedChanged(int start, int end);
    // A text edit, made to `wanted` too: [start, start + removed) became `added` plain characters.
    void edited(int start, int removed, int added);
    // A new text in new blocks without layout formats.
    void reset();
    // The lines longer than kLongestColouredLine in text range [start, end) keep their glyphs from their
    // first layout on: called for new blocks before Qt lays them out, which it does before the load returns.
    void keepLongLines(int start, int end);
    // Brings the blocks in text range [start, end) up to `wanted`; called before painting.
    int applyVisible(const FormatRuns& wanted, int start, int end);
    // Applies to the blocks overlapping text range [start, end] even when their user data says they are up
    // to date: after an edit Qt leaves stale ranges on the edited blocks.
    int applyForced(const FormatRuns& wanted, int start, int end);
    // Paints the stored colours for `colours` from now on; blocks given formats for other colours count as
    // out of date, so the next passes over them (applyVisible before painting) set them again. Returns
    // whether the colours changed.
    bool setPalette(const PaletteColours& colours);

private:
    struct Span {
        int start;
        int length;
        CharFormat format;
        friend bool operator==(const Span&, const Span&) = default;
    };
    class AppliedData;
    // The next block to look at; positions are counted along, since QTextBlock::position() is not free.
    struct Walk {
        QTextBlock block;
        int number = -1;
        int docPos = 0;
        int textStart() const { return docPos + number; }
        void advance() {
            docPos += block.length();
            ++number;
            block = block.next();
        }
    };

    // Applies to the blocks overlapping [start, end) that the walk has not passed yet.
    int applyRange(const FormatRuns& wanted, int start, int end, bool force);
    void walkTo(int textPos);
    // Asks for a relayout and repaint of blocks whose formats were set (outside any edit block, so that
    // the document reports no change).
    void markDirty(int docPos, int length);
    void flushDirty();
    bool applyBlock(QTextBlock& block, int textStart, const FormatRuns& wanted, bool force);
    // Qt throws a line's glyphs away after laying it out, and each caret or selection query on it shapes
    // the whole line again: a long line keeps them, so that a key costs one layout of it.
    static void keepGlyphsIfLong(const QTextBlock& block);
    std::vector<Span> spansOf(const FormatRuns& wanted, int textStart, int length) const;
    const QTextCharFormat& qtFormat(const CharFormat& format);

    QTextDocument* mDocument;
    const DocumentText& mText;
    // Each stored format as painted: the document's format collection never shrinks, so formats are reused.
    std::vector<std::pair<CharFormat, QTextCharFormat>> mQtFormats;
    PaletteColours mColours;
    // Counts palette changes; a block's data says under which count it was given formats.
    unsigned mColoursVersion = 0;
    Walk mWalk;
    int mDirtyFrom = 0;
    int mDirtyLength = 0;
    // Where `wanted` may differ from mApplied: the format changes since the last applyChanges.
    int mChangedFrom = 0;
    int mChangedTo = 0;
};

} // namespace qx
