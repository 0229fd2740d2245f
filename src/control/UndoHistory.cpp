#include "control/UndoHistory.h"

#include "hostlib/Library.h"
#include "platform/ScopedFlag.h"

namespace qx {

namespace {
QString entryName(const char* prefix, int caret) {
    return QLatin1String(prefix) + QString::number(caret);
}
} // namespace

UndoHistory::UndoHistory(CodeBox& box, bool& busy, Properties& undo, Properties& redo,
                         std::function<void()> requestDelayedPass)
    : mBox(box)
    , mBusy(busy)
    , mUndo(undo)
    , mRedo(redo)
    , mRequestDelayedPass(std::move(requestDelayedPass)) {}

void UndoHistory::RecordSnapshot() {
    if (mBusy)
        return;
    mUndo.Add(entryName("Undo", mBox.SelStart()), mBox.Text());
    if (mUndo.Count() > kLimit)
        mUndo.Remove(1);
    if (mRedo.Count() > 0)
        mRedo.Clear();
}

void UndoHistory::Undo() {
    step(mUndo, mRedo);
}

void UndoHistory::Redo() {
    step(mRedo, mUndo);
}

void UndoHistory::step(Properties& restore, Properties& save) {
    if (restore.Count() == 0)
        return;
    save.Add(entryName("Redo", mBox.SelStart()), mBox.Text());
    const Property* last = restore.Item(restore.Count());
    // Only the part after the four-character prefix is read back.
    const int caret = static_cast<int>(Library::instance().Val(last->Name().mid(4)));
    {
        ScopedFlag busy(mBusy);
        mBox.setText(last->Value().toString());
        mBox.setSelStart(caret);
        restore.Remove(restore.Count());
    }
    if (mRequestDelayedPass)
        mRequestDelayedPass();
}

} // namespace qx
