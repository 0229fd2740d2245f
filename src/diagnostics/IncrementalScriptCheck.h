#pragma once

#include "diagnostics/Diagnostic.h"
#include "diagnostics/ScriptLineScan.h"

#include <QList>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace qx {

class TextSource;

// The checks of plain script (CheckScript), kept in step with the edits of the text: an edit rescans only
// the lines it touched and their neighbours, and pairs the blocks again only when it changed what the
// pairing reads (a keyword, a statement separator, where a statement starts or goes on), and then only
// between the quiet lines around it (no block open); typing inside a name, a number, a string or a comment
// shifts the findings after it instead. The findings always equal
// CheckScript's on the text as it is now.
class IncrementalScriptCheck {
public:
    void reset(QStringView text);
    // `removed` characters at `position` became `added` ones; `text` is read after the edit.
    void edited(const TextSource& text, int position, int removed, int added);
    // Sorted by start.
    QList<Diagnostic> findings() const;

private:
    struct Line {
        int start = 0;  // from mShiftFrom on, before the owed shift
        int length = 0; // without its line break
        ScriptLine scan;
        bool quiet = true; // the pairing is quiet before the line
    };

    // Scans the lines of `piece`, which starts at `offset` of the text; a piece that does not reach the
    // text's end ends right after a line break.
    static void scanLines(QStringView piece, int offset, bool toTextEnd, std::vector<Line>& out);
    // Whether the pairing reads the same in both (lines at their starts in the old and the new text): the
    // tokens' kinds, the keywords' lengths and places (moved with the edit), the continuations, and no
    // keyword within reach of the edit.
    static bool samePairing(const Line* before, const std::vector<Line>& after, int position, int oldReach,
                            int newReach);
    // The lines' starts: the lines from mShiftFrom on still owe the shift of the edits before them, so that
    // typing in one place moves no line but those it rescanned.
    int startOf(size_t i) const { return mLines[i].start + (i >= mShiftFrom ? mShift : 0); }
    void moveShiftTo(size_t index);
    size_t lineAt(int position) const;
    void pairAll();
    // Pairs the blocks again from the last quiet line up to `first` (whose flag is `firstQuiet`), through the
    // lines before `freshEnd`, until a line that is quiet before and after the edit: past it nothing changes.
    void pairAround(size_t first, bool firstQuiet, size_t freshEnd, int delta);
    // The unclosed strings of `count` lines, whose starts are in today's text, in order.
    static void addStrings(const Line* lines, size_t count, QList<Diagnostic>& out);

    std::vector<Line> mLines;
    size_t mShiftFrom = 0;
    int mShift = 0;
    QList<Diagnostic> mStrings; // sorted by start
    QList<Diagnostic> mBlocks;  // the pairing's, sorted by start
    int mLength = 0;
};

} // namespace qx
