#pragma once

#include <QtGlobal>

#include <optional>

namespace qx {

class clsSyntaxHighlight;

// A language's colouring rules: the engine hands it every character of a walk, then 0 when the walk ends,
// and the processor answers by asking the engine for colour runs (Highlight, ResetStart) or a nested walk.
class SyntaxProcessor {
public:
    virtual ~SyntaxProcessor() = default;
    virtual void ProcessChar(int ch, clsSyntaxHighlight& engine) = 0;
    // Hands each character from the engine's Current up to limit to ProcessChar, moving Current on. A
    // processor may override it with clsSyntaxHighlight::walk over its own character handling, so that the
    // handling of a character is inlined into the loop; what the processor sees is the same.
    virtual void ProcessChars(clsSyntaxHighlight& engine, int limit);

    // The state at a line start of the walk, packed, so that a later walk can restart there and can tell
    // where it has come back into step with an earlier one; none where the state does not fit (a word or a
    // value still open), or for a processor that keeps no such state. Two equal values must mean that the
    // processor handles every later character alike.
    virtual std::optional<quint32> LineState() const { return std::nullopt; }
    // Takes up a state LineState gave.
    virtual void RestoreLineState(quint32 state) { Q_UNUSED(state); }

protected:
    // A processor drops the rest of a character whose handling failed and goes on; the reason is logged.
    static void logDropped(const char* why);
};

} // namespace qx
