#include <qxTagEditor2/qxTagDialog.h>

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "widgets/frmEditTag.h"

#include <QApplication>
#include <QPointer>

qxTagDialog::qxTagDialog(QObject* parent)
    : QObject(parent) {}

qxTagDialog::~qxTagDialog() = default;

// The window is modal over the active window; should that window go while the dialog is open, the
// dialog goes with it and the call counts as cancelled.
QString qxTagDialog::EditValue(const QString& psValue) {
    QPointer<qx::frmEditTag> dialog = new qx::frmEditTag(psValue, QApplication::activeWindow());
    dialog->Editor()->setDatabase(moDatabase);
    dialog->exec();
    if (!dialog) {
        mbCancel = true;
        return psValue;
    }
    mbCancel = dialog->Cancelled();
    const QString result = mbCancel ? psValue : dialog->Value();
    delete dialog;
    return result;
}
