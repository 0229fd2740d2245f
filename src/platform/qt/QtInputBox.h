#pragma once

#include "platform/InputBox.h"

#include <QPointer>
#include <QWidget>

namespace qx {

// QInputDialog, parented to the control so it is modal to the host's window.
class QtInputBox final : public InputBox {
public:
    explicit QtInputBox(QWidget* parent)
        : mParent(parent) {}
    std::optional<QString> Ask(const QString& prompt, const QString& title,
                               const QString& defaultText) override;

private:
    QPointer<QWidget> mParent;
};

} // namespace qx
