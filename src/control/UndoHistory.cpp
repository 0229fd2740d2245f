#include "control/UndoHistory.h"

#include "platform/ScopedFlag.h"
#include "text/TextFind.h"

namespace qx {

UndoHistory::UndoHistory(CodeBox& box, EditorState& state, OneShotTimer& typingPause,
                         std::function<void()> afterStep)
    : mBox(box)
    , mState(state)
    , mTypingPause(typingPause)
    , mAfterStep(std::move(afterStep)) {
    mTypingPause.setInterval(kTypingPause);
    mTypingPause.setOnTimeout([this] { EndTypingGroup(); });
}

void UndoHistory::RecordSnapshot() {
    if (!mState.mbBusy)
        RecordStep();
}

void UndoHistory::RecordTyped(QChar typed) {
    const UndoStack& undo = *mState.mpcUndo;
    const bool word = mState.mbGroupTypingUndo && isWordChar(typed);
    const bool goesOn = word && mGroup.stack == &undo && mGroup.steps == undo.Count() &&
                        mGroup.caret == mBox.SelStart() && mBox.SelLength() == 0;
    if (!goesOn)
        RecordSnapshot(); // which ends the group
    mGrouping = word;
}

void UndoHistory::Typed(int keyAscii) {
    if (!mGrouping || keyAscii <= 0)
        return EndTypingGroup();
    mGroup = {mState.mpcUndo.get(), mState.mpcUndo->Count(), mBox.SelStart() + 1};
    mTypingPause.setEnabled(true);
}

void UndoHistory::EndTypingGroup() {
    mGroup = {};
    mGrouping = false;
    mTypingPause.setEnabled(false);
}

void UndoHistory::RecordStep() {
    EndTypingGroup();
    UndoStack& undo = *mState.mpcUndo;
    undo.push({mBox.SelStart(), {}});
    if (undo.Count() > kLimit)
        undo.dropOldest();
    mState.mpcRedo->Clear();
}

// The top undo step always leads to the text as it stands, so every change joins it; a step waiting on
// the redo stack starts from the text as it stood, so it first takes the change back.
void UndoHistory::Edited(int position, const QString& removed, int added) {
    if (mApplying)
        return;
    UndoStack& undo = *mState.mpcUndo;
    UndoStack& redo = *mState.mpcRedo;
    if (undo.isEmpty() && redo.isEmpty())
        return;
    const UndoStack::Change change{position, removed, mBox.TextRange(position, position + added)};
    if (!undo.isEmpty())
        undo.top().changes.append(change);
    if (!redo.isEmpty())
        redo.top().changes.prepend({position, change.inserted, change.removed});
}

void UndoHistory::Undo() {
    step(*mState.mpcUndo, *mState.mpcRedo, true);
}

void UndoHistory::Redo() {
    step(*mState.mpcRedo, *mState.mpcUndo, false);
}

void UndoHistory::step(UndoStack& from, UndoStack& to, bool backwards) {
    EndTypingGroup();
    if (from.isEmpty())
        return;
    UndoStack::Step taken = from.pop();
    const int caret = mBox.SelStart();
    {
        const ScopedFlag busy(mState.mbBusy);
        const ScopedFlag applying(mApplying);
        if (backwards) {
            for (auto change = taken.changes.crbegin(); change != taken.changes.crend(); ++change)
                apply(*change, true);
        } else {
            for (const UndoStack::Change& change : taken.changes)
                apply(change, false);
        }
        mBox.setSelStart(taken.caret);
    }
    to.push({caret, std::move(taken.changes)});
    if (mAfterStep)
        mAfterStep();
}

// One box edit: the box keeps its blocks, colours and text mirror around it.
void UndoHistory::apply(const UndoStack::Change& change, bool backwards) {
    const QString& gone = backwards ? change.inserted : change.removed;
    const QString& back = backwards ? change.removed : change.inserted;
    mBox.SelectRange(change.position, change.position + int(gone.size()));
    mBox.setSelText(back);
}

} // namespace qx
