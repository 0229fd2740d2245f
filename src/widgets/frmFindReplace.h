#pragma once

#include "platform/qt/QtMessageBox.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class qxcSCRIPTEditor;

namespace qx {

// The modeless "Find and Replace" dialog. One instance serves the process; opening it from a control
// points it at that control and puts it in front of the control's window. Its texts and check boxes are
// kept while it is open; Close (or the close box) ends it, and the next opening starts empty, its "Wrap
// around" and "Start at the caret" as the control's FindWrapAround and FindFromCaret say. Once its control
// is gone, its buttons are disabled. While it is open, the control's view marks every match of its text;
// it moves off a match it selects, and says which match of how many that is. F3 and Shift+F3 search
// forwards and backwards from the dialog too.
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
    QCheckBox* chkWrapAround = nullptr;
    QCheckBox* chkFromCaret = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;
    QPushButton* cmdReplaceAll = nullptr;
    QPushButton* cmdClose = nullptr;
    // "n of m", or how many were replaced.
    QLabel* lblCount = nullptr;

protected:
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit frmFindReplace(QWidget* parent);
    void retranslate();
    void pointAt(qxcSCRIPTEditor* editor);
    void createWidgets();
    void layOut();
    void connectWidgets();
    int options() const;
    void findNext(bool backwards = false);
    void replace();
    void replaceAll();
    // The view's marks follow the find text and its options.
    void markMatches();
    void clearMarks();
    // After a search: which match of how many, and out of its way.
    void showFound();

    QPointer<qxcSCRIPTEditor> moEditor;
    QMetaObject::Connection mEditorGone;
    QtMessageBox mMessages{this};
};

} // namespace qx
