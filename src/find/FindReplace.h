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

    FindReplace(EditorState& state, CodeBox& box);

    // Without a start, a search continues after the selection. A match is selected unless kNoHighlight is
    // given; a success is remembered for FindNext.
    int Find(const QString& psFind, int plFindFromPosition = -1, int plFindToPosition = -1,
             int plOptions = 0);
    // Repeats the last successful Find; 0 when there has been none.
    int FindNext();
    // Replaces the next match: from the caret when no start is given, so that a match selected by Find Next
    // goes first. Matches that overlap an encoded value's content are skipped: replacing there would corrupt
    // the stored Base64. The caret ends after the inserted text. beforeChange runs once a match is chosen,
    // just before the text changes.
    int Replace(const QString& psFind, const QString& psReplace, int plFindFromPosition = -1,
                int plFindToPosition = -1, int plOptions = 0, const std::function<void()>& beforeChange = {});

    // The dialog's options from its two check boxes.
    static int DialogOptions(bool matchCase, bool wholeWord);

private:
    bool validArguments(const QString& what, int from, int to) const;

    EditorState& mState;
    CodeBox& mBox;
};

} // namespace qx
