#pragma once

#include "platform/MessageBox.h"

#include <QPointer>
#include <QWidget>

namespace qx {

// QMessageBox, parented to the control so it is modal to the host's window.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent)
        : mParent(parent) {}
    void Show(Icon icon, const QString& title, const QString& text) override;
    // The QMessageBox::Icon that shows icon.
    static int qtIcon(Icon icon);

private:
    QPointer<QWidget> mParent;
};

} // namespace qx
