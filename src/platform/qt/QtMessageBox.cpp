#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>

namespace qx {

int QtMessageBox::qtIcon(Icon icon) {
    return icon == Icon::Information   ? QMessageBox::Information
           : icon == Icon::Exclamation ? QMessageBox::Warning
                                       : QMessageBox::Critical;
}

void QtMessageBox::Show(Icon icon, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Icon(qtIcon(icon)), title, text, QMessageBox::Ok, mParent);
    box.exec();
}

} // namespace qx
