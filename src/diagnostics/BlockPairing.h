#pragma once

#include "diagnostics/Diagnostic.h"
#include "diagnostics/ScriptLineScan.h"

#include <QList>

#include <cstdint>
#include <vector>

namespace qx {

// Pairs the block keywords of plain script, line by line, as the language's statement syntax does: a block
// If is an "If ... Then" with nothing but a comment after Then on its line (a single-line If takes its
// Else and a trailing End If along); Sub, Function, Property Get/Let/Set and Class close with their End;
// For with Next, Do with Loop, While with Wend, Select Case and With with their End. A keyword counts only
// at the start of a statement (after a line break that is not continued, a colon, or Then and Else).
// A keyword without its partner is reported once: a closer that finds other blocks still open inside its own
// reports those, and a procedure closed with the wrong End is reported at that End and counts as closed.
class BlockPairing {
public:
    // One line's tokens, its first character at lineStart in the text.
    void addLine(const ScriptLine& line, int lineStart);
    // The end of the text: what is still open has no partner. Returns everything found, in no order.
    QList<Diagnostic> finish();
    // Between statements with no block open: a pairing that starts here finds what this one goes on to find.
    bool quiet() const { return mOpen.empty() && mExpect == Expect::Statement && mSingleLineIfs == 0; }

private:
    enum class Block : std::uint8_t { If, Sub, Function, Property, Class, For, Do, While, Select, With };
    struct Open {
        Block block;
        int start;
        int length;
    };
    // What the next token of the statement means.
    enum class Expect : std::uint8_t {
        Statement,
        Condition,       // after If, up to Then
        ElseIfCondition, // after ElseIf, up to Then
        AfterThen,       // a block If when the line ends here
        AfterEnd,
        AfterInlineEnd, // End after a single-line If's statement: End If closes that If
        AfterProperty,
        AfterSelect,
        Rest,
    };

    void token(ScriptWord word, int start, int length);
    void statementStart(ScriptWord word, int start, int length);
    void endStatement(bool lineEnd);
    void endOf(ScriptWord word, int end);

    void open(Block block, int start, int end);
    void close(Block block, int start, int end);
    void middle(const QString& word, int start, int end);
    void openProcedure(Block block, int start, int end);
    void closeProcedure(Block block, int start, int end);
    void openClass(int start, int end);
    void closeClass(int start, int end);
    // Reports every block above index as unclosed and drops them.
    void unclosedAbove(int index);
    // The innermost procedure, not looking past a class; -1 when there is none.
    int innermostProcedure() const;
    void report(int start, int end, const QString& message);

    std::vector<Open> mOpen;
    QList<Diagnostic> mFound;
    Expect mExpect = Expect::Statement;
    int mSingleLineIfs = 0; // on the current line
    int mPendingStart = 0;  // the first word of a keyword that takes a second one, or of the If
    int mPendingEnd = 0;
};

} // namespace qx
