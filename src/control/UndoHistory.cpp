#include "control/UndoHistory.h"

#include "hostlib/Library.h"
#include "platform/ScopedFlag.h"

namespace qx {

namespace {
QString entryName(const char* prefix, int caret) {
    return QLatin1String(prefix) + QString::number(caret);
}
} // namespace

UndoHistory::UndoHistory(CodeBox& box, EditorState& state, std::function<void()> requestDelayedPass)
    : mBox(box)
    , mState(state)
    , mRequestDelayedPass(std::move(requestDelayedPass)) {}

void UndoHistory::RecordSnapshot() {
    if (mState.mbBusy)
        return;
    Properties& undo = *mState.mpcUndo;
    Properties& redo = *mState.mpcRedo;
    undo.Add(entryName("Undo", mBox.SelStart()), mBox.Text());
    if (undo.Count() > kLimit)
        undo.Remove(1);
    if (redo.Count() > 0)
        redo.Clear();
}

void UndoHistory::Undo() {
    step(*mState.mpcUndo, *mState.mpcRedo);
}

void UndoHistory::Redo() {
    step(*mState.mpcRedo, *mState.mpcUndo);
}

void UndoHistory::step(Properties& restore, Properties& save) {
    if (restore.Count() == 0)
        return;
    save.Add(entryName("Redo", mBox.SelStart()), mBox.Text());
    const Property* last = restore.Item(restore.Count());
    // Only the part after the four-character prefix is read back.
    const int caret = static_cast<int>(Library::instance().Val(last->Name().mid(4)));
    {
        ScopedFlag busy(mState.mbBusy);
        mBox.setText(last->Value().toString());
        mBox.setSelStart(caret);
        restore.Remove(restore.Count());
    }
    if (mRequestDelayedPass)
        mRequestDelayedPass();
}

} // namespace qx
