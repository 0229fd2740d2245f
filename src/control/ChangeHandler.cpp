#include "control/ChangeHandler.h"

#include "hostlib/LibraryError.h"
#include "platform/EntryGuard.h"
#include "platform/MessageBox.h"
#include "platform/WindowLock.h"

#include <QCoreApplication>

#include <new>

namespace qx {

ChangeHandler::ChangeHandler(CodeBox& box, EditorState& state, MessageBox& messages, Hooks hooks)
    : mBox(box)
    , mState(state)
    , mMessages(messages)
    , mHooks(std::move(hooks)) {}

void ChangeHandler::Change() {
    if (mState.mbBusy)
        return;
    try {
        const ScrollPos scroll = mBox.GetScrollPos();
        WindowLock::LockWindow(&mBox);
        if (mHooks.showCompletion)
            mHooks.showCompletion(scroll);
        mBox.SetScrollPos(scroll);
        WindowLock::UnlockWindow();
        mBox.Refresh();
        mState.mbChanged = true;
        if (mHooks.requestDelayedPass)
            mHooks.requestDelayedPass();
    } catch (const std::exception& error) {
        report(error);
    }
}

int ChangeHandler::errorNumber(const std::exception& error) {
    if (dynamic_cast<const std::bad_alloc*>(&error))
        return 7;
    if (dynamic_cast<const LibraryError*>(&error))
        return 5;
    return 51;
}

void ChangeHandler::report(const std::exception& error) {
    WindowLock::UnlockWindow();
    runEntry("Repainting the code box", [this] { mBox.Refresh(); }); // the message comes all the same
    const QString text =
        QCoreApplication::translate("qxcSCRIPTEditor", "Error opening user\nError: %1\nDesc: %2")
            .arg(errorNumber(error))
            .arg(QString::fromUtf8(error.what()));
    mMessages.Show(MessageBox::Icon::Exclamation, QStringLiteral("txtCode_Change"), text);
}

} // namespace qx
