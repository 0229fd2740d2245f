#include "widgets/frmFindReplace.h"

#include "widgets/EditorPrivate.h"

#include "platform/PopupPlacement.h"
#include "platform/qt/QtCodeBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>

namespace qx {

namespace {
QPointer<frmFindReplace> gDialog;

// Where the box's selection is shown, in global pixels.
QRect selectionOnScreen(const QtCodeBox& box) {
    const QTextCursor selection = box.textCursor();
    QTextCursor start(selection), end(selection);
    start.setPosition(selection.selectionStart());
    end.setPosition(selection.selectionEnd());
    const QRect shown = box.cursorRect(start).united(box.cursorRect(end));
    return shown.translated(box.viewport()->mapToGlobal(QPoint(0, 0)));
}
} // namespace

frmFindReplace* frmFindReplace::instance() {
    return gDialog;
}

frmFindReplace* frmFindReplace::open(qxcSCRIPTEditor* editor) {
    QWidget* owner = editor ? editor->window() : nullptr;
    if (!gDialog) {
        gDialog = new frmFindReplace(owner);
        if (editor) {
            gDialog->chkWrapAround->setChecked(editor->FindWrapAround());
            gDialog->chkFromCaret->setChecked(editor->FindFromCaret());
        }
    } else if (gDialog->parentWidget() != owner) {
        gDialog->setParent(owner, gDialog->windowFlags()); // in front of a modal window too
    }
    gDialog->pointAt(editor);
    gDialog->show();
    gDialog->raise();
    gDialog->activateWindow();
    gDialog->txtFind->setFocus();
    gDialog->markMatches();
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
    chkWrapAround->setText(QCoreApplication::translate("FindReplace", "Wrap around"));
    chkFromCaret->setText(QCoreApplication::translate("FindReplace", "Start at the caret"));
    cmdFind->setText(QCoreApplication::translate("FindReplace", "Find Next"));
    cmdReplace->setText(QCoreApplication::translate("FindReplace", "Replace", "button"));
    cmdReplaceAll->setText(QCoreApplication::translate("FindReplace", "Replace All"));
    cmdClose->setText(QCoreApplication::translate("FindReplace", "Close"));
    lblCount->clear();
}

void frmFindReplace::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

// The fields leave F3 to the dialog.
void frmFindReplace::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_F3 && (mods == Qt::NoModifier || mods == Qt::ShiftModifier))
        return findNext(mods == Qt::ShiftModifier);
    QDialog::keyPressEvent(event);
}

void frmFindReplace::hideEvent(QHideEvent* event) {
    clearMarks();
    QDialog::hideEvent(event);
}

frmFindReplace::frmFindReplace(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmFindReplace"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    createWidgets();
    retranslate();
    layOut();
    connectWidgets();
}

void frmFindReplace::createWidgets() {
    auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    auto* lblFind = named(new QLabel(this), "lblFind");
    txtFind = named(new QLineEdit(this), "txtFind");
    lblFind->setBuddy(txtFind);
    auto* lblReplace = named(new QLabel(this), "lblReplace");
    txtReplace = named(new QLineEdit(this), "txtReplace");
    lblReplace->setBuddy(txtReplace);
    chkWholeWord = named(new QCheckBox(this), "chkWholeWord");
    chkMatchCase = named(new QCheckBox(this), "chkMatchCase");
    chkWrapAround = named(new QCheckBox(this), "chkWrapAround");
    chkFromCaret = named(new QCheckBox(this), "chkFromCaret");
    cmdFind = named(new QPushButton(this), "cmdFind");
    cmdFind->setDefault(true);
    cmdReplace = named(new QPushButton(this), "cmdReplace");
    cmdReplaceAll = named(new QPushButton(this), "cmdReplaceAll");
    cmdClose = named(new QPushButton(this), "cmdClose");
    lblCount = named(new QLabel(this), "lblCount");
}

void frmFindReplace::layOut() {
    auto* grid = new QGridLayout(this);
    grid->addWidget(findChild<QLabel*>(QStringLiteral("lblFind")), 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(cmdFind, 0, 2);
    grid->addWidget(findChild<QLabel*>(QStringLiteral("lblReplace")), 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(cmdReplace, 1, 2);
    auto* options = new QGridLayout;
    options->addWidget(chkWholeWord, 0, 0);
    options->addWidget(chkMatchCase, 0, 1);
    options->addWidget(chkWrapAround, 1, 0);
    options->addWidget(chkFromCaret, 1, 1);
    grid->addLayout(options, 2, 1, 2, 1);
    grid->addWidget(cmdReplaceAll, 2, 2);
    grid->addWidget(cmdClose, 3, 2);
    grid->addWidget(lblCount, 4, 1);
}

void frmFindReplace::connectWidgets() {
    connect(cmdFind, &QPushButton::clicked, this, [this] { findNext(); });
    connect(cmdReplace, &QPushButton::clicked, this, &frmFindReplace::replace);
    connect(cmdReplaceAll, &QPushButton::clicked, this, &frmFindReplace::replaceAll);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(txtFind, &QLineEdit::textChanged, this, &frmFindReplace::markMatches);
    for (QCheckBox* box : {chkWholeWord, chkMatchCase})
        connect(box, &QCheckBox::toggled, this, &frmFindReplace::markMatches);
}

void frmFindReplace::pointAt(qxcSCRIPTEditor* editor) {
    if (moEditor != editor)
        clearMarks();
    disconnect(mEditorGone);
    moEditor = editor;
    for (QPushButton* button : {cmdFind, cmdReplace, cmdReplaceAll})
        button->setEnabled(editor != nullptr);
    if (editor)
        mEditorGone = connect(editor, &QObject::destroyed, this, [this] {
            for (QPushButton* button : {cmdFind, cmdReplace, cmdReplaceAll})
                button->setEnabled(false);
        });
}

int frmFindReplace::options() const {
    return FindReplace::DialogOptions({chkMatchCase->isChecked(), chkWholeWord->isChecked(),
                                       chkWrapAround->isChecked(), chkFromCaret->isChecked()});
}

void frmFindReplace::markMatches() {
    lblCount->clear();
    if (moEditor && isVisible())
        EditorPrivate::of(*moEditor).txtCode->setMatchHighlight(txtFind->text(), options());
}

void frmFindReplace::clearMarks() {
    if (moEditor)
        EditorPrivate::of(*moEditor).txtCode->setMatchHighlight(QString(), 0);
}

// The messages belong to this dialog: once one is closed, the keys go to the dialog's fields again.
void frmFindReplace::findNext(bool backwards) {
    if (!moEditor)
        return;
    EditorPrivate::of(*moEditor).controller().DialogFindNext(txtFind->text(), options(), mMessages,
                                                             backwards);
    showFound();
}

void frmFindReplace::replace() {
    if (!moEditor)
        return;
    EditorPrivate::of(*moEditor).controller().DialogReplace(txtFind->text(), txtReplace->text(), options(),
                                                            mMessages);
    showFound();
}

void frmFindReplace::replaceAll() {
    if (!moEditor)
        return;
    const int replaced = EditorPrivate::of(*moEditor).controller().DialogReplaceAll(
        txtFind->text(), txtReplace->text(), options(), mMessages);
    lblCount->setText(replaced > 0 ? QCoreApplication::translate("FindReplace", "Replaced: %1").arg(replaced)
                                   : QString());
}

void frmFindReplace::showFound() {
    if (!moEditor)
        return;
    EditorPrivate& editor = EditorPrivate::of(*moEditor);
    const FindReplace::MatchCount count = editor.controller().CountMatches(txtFind->text(), options());
    if (count.total < 0)
        return lblCount->clear();
    lblCount->setText(
        count.current > 0
            ? QCoreApplication::translate("FindReplace", "%1 of %2").arg(count.current).arg(count.total)
            : QCoreApplication::translate("FindReplace", "Matches: %1").arg(count.total));
    if (count.current == 0)
        return;
    if (const QScreen* screen = this->screen())
        move(PlaceDialogClearOf(frameGeometry(), selectionOnScreen(*editor.txtCode),
                                screen->availableGeometry()));
}

} // namespace qx
