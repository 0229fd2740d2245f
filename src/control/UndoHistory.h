#pragma once

#include "hostlib/Properties.h"
#include "platform/CodeBox.h"
#include "platform/EditorState.h"

#include <functional>

namespace qx {

// Undo and redo as whole snapshots of the text with the caret position. An entry is named by a
// four-character prefix ("Undo" for typing, "Redo" for what Undo and Redo push) and the caret position;
// its value is the whole text. The undo stack keeps at most 100 entries.
class UndoHistory {
public:
    static constexpr int kLimit = 100;

    // The stacks (mpcUndo, mpcRedo) and the busy flag are the state's; restored text is coloured again
    // through requestDelayedPass.
    UndoHistory(CodeBox& box, EditorState& state, std::function<void()> requestDelayedPass);

    // Called when a typed character is about to reach the text.
    void RecordSnapshot();
    void Undo();
    void Redo();

private:
    // Moves the current state onto `save` and restores the last entry of `restore`.
    void step(Properties& restore, Properties& save);

    CodeBox& mBox;
    EditorState& mState;
    std::function<void()> mRequestDelayedPass;
};

} // namespace qx
