#pragma once

#include "platform/qt/QtMessageBox.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLineEdit;
class QPushButton;
class qxcSCRIPTEditor;

namespace qx {

// The modeless "Find and Replace" dialog. One instance serves the process; opening it from a control
// points it at that control and puts it in front of the control's window. Its texts and check boxes are
// kept while it is open; Close (or the close box) ends it, and the next opening starts empty. Once its
// control is gone, its buttons are disabled.
class frmFindReplace final : public QDialog {
    Q_OBJECT
public:
    // Opens (or brings forward) the dialog for this control.
    static frmFindReplace* open(qxcSCRIPTEditor* editor);
    // The open dialog, or null.
    static frmFindReplace* instance();

    qxcSCRIPTEditor* editor() const { return moEditor; }
    QLineEdit* txtFind = nullptr;
    QLineEdit* txtReplace = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdClose = nullptr;

protected:
    void changeEvent(QEvent* event) override;

private:
    explicit frmFindReplace(QWidget* parent);
    void retranslate();
    void pointAt(qxcSCRIPTEditor* editor);
    void findNext();
    void replace();

    QPointer<qxcSCRIPTEditor> moEditor;
    QMetaObject::Connection mEditorGone;
    QtMessageBox mMessages{this};
};

} // namespace qx
