#pragma once

#include "control/EditorShell.h"
#include "platform/MessageBox.h"

namespace qx {

// Every message the control has for its user goes to the host first; it is shown in a box only while the
// host lets the control show its messages (otherwise the host shows what it likes).
class HostMessages final : public MessageBox {
public:
    HostMessages(MessageBox& shown, EditorShell& shell, const bool& showMessages)
        : mShown(shown)
        , mShell(shell)
        , mShowMessages(showMessages) {}

    void Show(Icon icon, const QString& title, const QString& text) override {
        ShowIn(mShown, icon, title, text);
    }
    // A message that belongs to another window of the control's (the find dialog's own box).
    void ShowIn(MessageBox& box, Icon icon, const QString& title, const QString& text) {
        mShell.MessageRequested(icon, title, text);
        if (mShowMessages)
            box.Show(icon, title, text);
    }

private:
    MessageBox& mShown;
    EditorShell& mShell;
    const bool& mShowMessages;
};

} // namespace qx
