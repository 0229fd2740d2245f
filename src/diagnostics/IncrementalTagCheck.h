#pragma once

#include "diagnostics/Diagnostic.h"
#include "diagnostics/ScriptValues.h"
#include "diagnostics/TagChecks.h"
#include "highlight/WordList.h"
#include "text/OwedShift.h"

#include <QList>
#include <QStringView>

#include <cstddef>
#include <vector>

namespace qx {

class ScriptReference;
class TextSource;

// The checks of tag markup (DiagnosticsChecker's), kept in step with the edits of the text. The text is
// looked at again only between two checkpoints around an edit: places before a "<" where the search for
// script values may start again, and which nothing before them reads past. The stretch grows to the next
// checkpoint until the search arrives there in the state it had before; findings outside it move. The tags
// are paired again only when the markers in the stretch are no longer the same kinds in the same order.
// The findings always equal DiagnosticsChecker's on the text as it is now.
class IncrementalTagCheck {
public:
    // scriptCommands: the commands whose values are script; reference (may be null) must outlive the check.
    IncrementalTagCheck(const WordList& scriptCommands, ScriptReference* reference);

    void reset(QStringView text);
    // `removed` characters at `position` became `added` ones; `text` is read after the edit.
    void edited(const TextSource& text, int position, int removed, int added);
    // Sorted by start.
    QList<Diagnostic> findings() const;
    // The same, where reading one costs what an edit costs, not what the whole list costs.
    const ShiftedList<Diagnostic>& sortedFindings() const { return mAll; }

private:
    // What a look at the stretch [start, start + piece's length) finds.
    struct Stretch {
        ValueSearch values;
        std::vector<TagMarker> markers;
        std::vector<Diagnostic> local; // names, encoded values and the values' script, sorted by start
    };
    void look(QStringView piece, int start, std::uint8_t state, Stretch& out);
    // The finding of every unpaired marker among [first, last), read from `text`.
    std::vector<Diagnostic> unpairedIn(const TextSource& text, size_t first, size_t last) const;
    // The findings of [first, last) in the old text go from `list`, `fresh` come, and those after move.
    static void replaceFindings(ShiftedList<Diagnostic>& list, int first, int last,
                                std::vector<Diagnostic> fresh, int delta);

    const WordList& mScriptCommands;
    TagNameChecks mNames;
    ShiftedList<ValueCheckpoint> mCheckpoints;
    ShiftedList<TagMarker> mMarkers;
    ShiftedList<Diagnostic> mLocal; // what the stretches find
    ShiftedList<Diagnostic> mPairs; // what the pairing finds
    ShiftedList<Diagnostic> mAll;   // both
    int mLength = 0;
};

} // namespace qx
