#pragma once

#include "platform/MessageBox.h"

#include <QList>

namespace qx {

// Records every message instead of showing it.
class MemoryMessageBox final : public MessageBox {
public:
    struct Message {
        Icon icon;
        QString title;
        QString text;
    };
    void Show(Icon icon, const QString& title, const QString& text) override {
        mMessages.append({icon, title, text});
    }
    const QList<Message>& messages() const { return mMessages; }

private:
    QList<Message> mMessages;
};

} // namespace qx
