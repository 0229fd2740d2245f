#include "widgets/frmFindReplace.h"

#include "widgets/EditorPrivate.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qx {

namespace {
QPointer<frmFindReplace> gDialog;
} // namespace

frmFindReplace* frmFindReplace::instance() {
    return gDialog;
}

frmFindReplace* frmFindReplace::open(qxcSCRIPTEditor* editor) {
    QWidget* owner = editor ? editor->window() : nullptr;
    if (!gDialog)
        gDialog = new frmFindReplace(owner);
    else if (gDialog->parentWidget() != owner)
        gDialog->setParent(owner, gDialog->windowFlags()); // in front of a modal window too
    gDialog->pointAt(editor);
    gDialog->show();
    gDialog->raise();
    gDialog->activateWindow();
    gDialog->txtFind->setFocus();
    return gDialog;
}

// The dialog stays open across a change of language: its texts are set here, and again on LanguageChange.
void frmFindReplace::retranslate() {
    setWindowTitle(QCoreApplication::translate("FindReplace", "Find and Replace"));
    findChild<QLabel*>(QStringLiteral("lblFind"))
        ->setText(QCoreApplication::translate("FindReplace", "Find", "field label"));
    findChild<QLabel*>(QStringLiteral("lblReplace"))
        ->setText(QCoreApplication::translate("FindReplace", "Replace", "field label"));
    chkWholeWord->setText(QCoreApplication::translate("FindReplace", "Whole Word"));
    chkMatchCase->setText(QCoreApplication::translate("FindReplace", "Match Case"));
    cmdFind->setText(QCoreApplication::translate("FindReplace", "Find Next"));
    cmdReplace->setText(QCoreApplication::translate("FindReplace", "Replace", "button"));
    cmdClose->setText(QCoreApplication::translate("FindReplace", "Close"));
}

void frmFindReplace::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

frmFindReplace::frmFindReplace(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmFindReplace"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* lblFind = new QLabel(this);
    lblFind->setObjectName(QStringLiteral("lblFind"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    lblFind->setBuddy(txtFind);
    auto* lblReplace = new QLabel(this);
    lblReplace->setObjectName(QStringLiteral("lblReplace"));
    txtReplace = new QLineEdit(this);
    txtReplace->setObjectName(QStringLiteral("txtReplace"));
    lblReplace->setBuddy(txtReplace);
    chkWholeWord = new QCheckBox(this);
    chkWholeWord->setObjectName(QStringLiteral("chkWholeWord"));
    chkMatchCase = new QCheckBox(this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    cmdFind = new QPushButton(this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdFind->setDefault(true);
    cmdReplace = new QPushButton(this);
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    retranslate();

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(cmdFind, 0, 2);
    grid->addWidget(lblReplace, 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(cmdReplace, 1, 2);
    auto* options = new QHBoxLayout;
    options->addWidget(chkWholeWord);
    options->addWidget(chkMatchCase);
    options->addStretch();
    grid->addLayout(options, 2, 1);
    grid->addWidget(cmdClose, 2, 2);

    connect(cmdFind, &QPushButton::clicked, this, &frmFindReplace::findNext);
    connect(cmdReplace, &QPushButton::clicked, this, &frmFindReplace::replace);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
}

void frmFindReplace::pointAt(qxcSCRIPTEditor* editor) {
    disconnect(mEditorGone);
    moEditor = editor;
    for (QPushButton* button : {cmdFind, cmdReplace})
        button->setEnabled(editor != nullptr);
    if (editor)
        mEditorGone = connect(editor, &QObject::destroyed, this, [this] {
            cmdFind->setEnabled(false);
            cmdReplace->setEnabled(false);
        });
}

// The messages belong to this dialog: once one is closed, the keys go to the dialog's fields again.
void frmFindReplace::findNext() {
    if (moEditor)
        EditorPrivate::of(*moEditor).controller().DialogFindNext(txtFind->text(), chkMatchCase->isChecked(),
                                                                 chkWholeWord->isChecked(), mMessages);
}

void frmFindReplace::replace() {
    if (moEditor)
        EditorPrivate::of(*moEditor).controller().DialogReplace(txtFind->text(), txtReplace->text(),
                                                                chkMatchCase->isChecked(),
                                                                chkWholeWord->isChecked(), mMessages);
}

} // namespace qx
