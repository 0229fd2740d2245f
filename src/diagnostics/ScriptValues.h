#pragma once

#include "highlight/WordList.h"
#include "text/TagMatch.h"

#include <QList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace qx {

// The script values of a tag-markup text, found as the tag colouring finds them: in a block opened by a tag
// named QX:VBS or QX:SCRIPT, a command of `commands` (upper case, as clsQXSyntaxHighlight keeps them), "=",
// a double quote, the script, and a double quote followed by a colon. Each span is the script between the
// quotes. A value that the text ends before it is closed is left out: it is most likely being typed.
QList<TextSpan> ScriptValues(QStringView text, const WordList& commands);

// Where a search for values may start again: at a "<" outside any tag, value and encoded value, where the
// state of the search is one of a few that a byte holds. A search that starts there in that state finds
// what the search of the whole text finds after it.
struct ValueCheckpoint {
    int start = 0;
    std::uint8_t state = 0;
    friend bool operator==(const ValueCheckpoint&, const ValueCheckpoint&) = default;
};

// A search over a piece of a larger text.
struct ValueSearch {
    static constexpr std::uint8_t kTextStart = 0;  // the state at the text's start
    static constexpr std::uint8_t kNoState = 0xff; // a state no checkpoint has
    std::uint8_t startState = kTextStart;
    int offset = 0;  // added to every position found
    int spacing = 0; // checkpoints are at least this far apart, and from the piece's start
    std::vector<ValueCheckpoint> checkpoints;
    std::uint8_t endState = kNoState; // the state at the piece's end, when a checkpoint could have it
};

// The values of a piece (positions offset), found from the search's start state, and the checkpoints in it.
QList<TextSpan> ScriptValues(QStringView piece, const WordList& commands, ValueSearch& search);

} // namespace qx
