#pragma once

#include "platform/EditorState.h"

#include <QString>

#include <functional>

namespace qx {

class CodeBox;

// The control's Find, FindNext and Replace over the code box's own find. Positions are zero-based, -1
// means not given; a result is the match's position or -1. Bad arguments (a start beyond the end, an end
// before the start, another negative position, an empty search text) give -1 and change nothing.
class FindReplace {
public:
    // Find option bits, as the control's surface numbers them.
    static constexpr int kWholeWord = 2;
    static constexpr int kMatchCase = 4;
    static constexpr int kNoHighlight = 8;
    // Without a start or an end, a search that finds nothing goes on from the other end of the text.
    static constexpr int kWrapAround = 16;
    // Without a start and with nothing selected, a search starts at the caret rather than at the top.
    static constexpr int kFromCaret = 32;

    FindReplace(EditorState& state, CodeBox& box);

    // Without a start, a search continues after the selection. A match is selected unless kNoHighlight is
    // given; a success is remembered for FindNext.
    int Find(const QString& psFind, int plFindFromPosition = -1, int plFindToPosition = -1,
             int plOptions = 0);
    // Repeats the last successful Find; 0 when there has been none.
    int FindNext();
    // The last successful Find's text, backwards from the selection: the nearest match that starts before
    // it (with kWrapAround, else the last one in the text). 0 when there has been no Find.
    int FindPrevious();
    int FindPrevious(const QString& psFind, int plOptions);
    // The matches Find steps through one after another, from the top; and which of them is selected
    // (one-based), 0 when the selection is no match. total is -1 for an empty search text.
    struct MatchCount {
        int current = 0;
        int total = 0;
        friend bool operator==(const MatchCount&, const MatchCount&) = default;
    };
    MatchCount Count(const QString& psFind, int plOptions) const;
    // Replaces the next match: from the caret when no start is given, so that a match selected by Find Next
    // goes first. Matches that overlap an encoded value's content are skipped: replacing there would corrupt
    // the stored Base64. The caret ends after the inserted text. beforeChange runs once a match is chosen,
    // just before the text changes.
    int Replace(const QString& psFind, const QString& psReplace, int plFindFromPosition = -1,
                int plFindToPosition = -1, int plOptions = 0, const std::function<void()>& beforeChange = {});

    // Replaces every match that Count counts, except those that overlap an encoded value's content, in one
    // change of the box; the number replaced, or -1 for an empty search text. beforeChange runs once there
    // is something to replace. The caret ends after the last replacement.
    int ReplaceAll(const QString& psFind, const QString& psReplace, int plOptions,
                   const std::function<void()>& beforeChange = {});

    // The dialog's options from its check boxes.
    struct DialogChoices {
        bool matchCase = false;
        bool wholeWord = false;
        bool wrapAround = false;
        bool fromCaret = false;
    };
    static int DialogOptions(const DialogChoices& choices);

private:
    bool validArguments(const QString& what, int from, int to) const;
    int select(int found, const QString& what, int options);

    EditorState& mState;
    CodeBox& mBox;
};

} // namespace qx
