#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

namespace qx {

// The words of plain script that open, split or close a block, and what the pairing must tell apart
// around them. Any other run of tokens on a line is one Other.
enum class ScriptWord : std::uint8_t {
    Other,
    Colon, // a statement separator
    If,
    Then,
    Else,
    ElseIf,
    End,
    Sub,
    Function,
    Property,
    Accessor, // Get, Let, Set
    Class,
    For,
    Next,
    Do,
    Loop,
    While,
    Wend,
    Select,
    Case,
    With,
    Modifier, // Public, Private, Friend, Static, Default
};

struct ScriptToken {
    ScriptWord word = ScriptWord::Other;
    int start = 0; // from the line's start
    int length = 0;
};

// What the checks need of one line of plain script, found from the line alone: an incremental pass can keep
// it per line and rescan only the lines an edit touched.
struct ScriptLine {
    std::vector<ScriptToken> tokens;
    // Where a string that the line does not close begins, or -1.
    int unclosedString = -1;
    // The line ends with " _": its statement goes on on the next line.
    bool continued = false;
};

// Scans one line (without its line break). Strings, comments (' and Rem), [bracketed names] and #dates#
// hide what they hold; a keyword right after a dot is a member name. out is overwritten.
void ScanScriptLine(QStringView line, ScriptLine& out);

} // namespace qx
