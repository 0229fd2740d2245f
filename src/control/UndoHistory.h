#pragma once

#include "platform/CodeBox.h"
#include "platform/EditorState.h"
#include "platform/OneShotTimer.h"

#include <QChar>

#include <functional>

namespace qx {

// Undo and redo of the user's steps. A step is recorded just before a user's change (RecordSnapshot) and
// collects every change of the text until the next one, from the box's Edited notifications; the host's
// changes (Value, SetSelText) join the pending step. Undo takes the top step's changes back, one box edit
// each, and puts the caret where it stood; Redo does them again. The undo stack keeps at most 100 steps,
// and its memory follows what was edited, not the size of the text.
class UndoHistory {
public:
    static constexpr int kLimit = 100;
    // A pause in typing longer than this ends a group of typed characters.
    static constexpr int kTypingPause = 1000;

    // The stacks (mpcUndo, mpcRedo) and the busy flag are the state's. afterStep runs after each step
    // taken back or done again (the restored text is to be coloured again). typingPause ends a group of
    // typed characters when it runs out.
    UndoHistory(CodeBox& box, EditorState& state, OneShotTimer& typingPause, std::function<void()> afterStep);

    // Called just before a user's change reaches the text: starts a new step, and empties Redo.
    void RecordSnapshot();
    // Called just before a typed character reaches the text: a step of its own, or, while typing is
    // grouped, the step of the word being typed when the character goes on from where the last one ended.
    void RecordTyped(QChar typed);
    // The key's rules are done and the box is about to insert keyAscii (0 or less: nothing): a word
    // character leaves the group open just after it.
    void Typed(int keyAscii);
    // The caret moved by the user's hand: the next character starts a step of its own.
    void EndTypingGroup();
    // Starts a step while the control itself changes the text (busy), for a change of its own that the
    // user sees as one action: stepping back out of an edited encoded value.
    void RecordStep();
    void Undo();
    void Redo();
    // A change of the box's text, as Edited reports it (the inserted text is read from the box).
    void Edited(int position, const QString& removed, int added);

private:
    // Takes the top step of `from` back (undo) or does it again (redo), and pushes it onto `to`.
    void step(UndoStack& from, UndoStack& to, bool backwards);
    void apply(const UndoStack::Change& change, bool backwards);

    CodeBox& mBox;
    EditorState& mState;
    OneShotTimer& mTypingPause;
    std::function<void()> mAfterStep;
    bool mApplying = false;
    // The open group of typed characters: the step it fills and where its next character goes.
    struct TypingGroup {
        const UndoStack* stack = nullptr;
        int steps = 0;
        int caret = -1;
    };
    TypingGroup mGroup;
    bool mGrouping = false;
};

} // namespace qx
