#include "platform/qt/QtInputBox.h"

#include <QInputDialog>

namespace qx {

std::optional<QString> QtInputBox::Ask(const QString& prompt, const QString& title,
                                       const QString& defaultText) {
    QInputDialog dialog(mParent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // OK on an empty field is an answer of its own, never taken for Cancel.
    return dialog.textValue();
}

} // namespace qx
