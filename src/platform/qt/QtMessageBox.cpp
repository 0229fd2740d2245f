#include "platform/qt/QtMessageBox.h"

#include <QMessageBox>

namespace qx {

void QtMessageBox::Show(Icon icon, const QString& title, const QString& text) {
    const QMessageBox::Icon qtIcon = icon == Icon::Information   ? QMessageBox::Information
                                     : icon == Icon::Exclamation ? QMessageBox::Warning
                                                                 : QMessageBox::Critical;
    QMessageBox box(qtIcon, title, text, QMessageBox::Ok, mParent);
    box.exec();
}

} // namespace qx
