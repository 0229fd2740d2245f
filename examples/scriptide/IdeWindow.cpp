#include "IdeWindow.h"

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>

namespace {

const char* kPath = "scriptPath";

QPalette darkPalette() {
    QPalette p;
    const QColor window(0x2b, 0x2b, 0x2b), base(0x1e, 0x1e, 0x1e), text(0xe0, 0xe0, 0xe0);
    p.setColor(QPalette::Window, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, window);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, window);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, base);
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    p.setColor(QPalette::Highlight, QColor(0x2f, 0x65, 0xca));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x70, 0x70, 0x70));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x70, 0x70, 0x70));
    return p;
}

} // namespace

IdeWindow::IdeWindow() {
    mTabs = new QTabWidget;
    mTabs->setTabsClosable(true);
    mTabs->setDocumentMode(true);
    setCentralWidget(mTabs);
    mCaret = new QLabel;
    mLevel = new QLabel;
    statusBar()->addPermanentWidget(mLevel);
    statusBar()->addPermanentWidget(mCaret);
    createActions();
    connect(mTabs, &QTabWidget::currentChanged, this, [this] { followCurrent(); });
    connect(mTabs, &QTabWidget::tabCloseRequested, this, [this](int index) { closeTab(index); });
    retranslate();
    resize(900, 600);
}

void IdeWindow::createActions() {
    mFile = menuBar()->addMenu(QString());
    mNew = mFile->addAction(QString(), QKeySequence::New, this, [this] { addTab(QString(), QString()); });
    mOpen = mFile->addAction(QString(), QKeySequence::Open, this, [this] {
        for (const QString& path : QFileDialog::getOpenFileNames(this))
            openFile(path);
    });
    mSave = mFile->addAction(QString(), QKeySequence::Save, this, [this] {
        if (current())
            save(current());
    });
    mClose =
        mFile->addAction(QString(), QKeySequence::Close, this, [this] { closeTab(mTabs->currentIndex()); });
    mFile->addSeparator();
    mQuit = mFile->addAction(QString(), QKeySequence::Quit, this, &QWidget::close);

    // Undo, Redo and the clipboard items call the current control's slots; their shortcuts are the
    // control's own too, and the control takes them first while it has the focus.
    mEdit = menuBar()->addMenu(QString());
    mUndo = mEdit->addAction(QString(), QKeySequence::Undo, this, [this] { current()->Undo(); });
    mRedo = mEdit->addAction(QString(), QKeySequence::Redo, this, [this] { current()->Redo(); });
    mEdit->addSeparator();
    mCut = mEdit->addAction(QString(), QKeySequence::Cut, this, [this] { current()->Cut(); });
    mCopy = mEdit->addAction(QString(), QKeySequence::Copy, this, [this] { current()->Copy(); });
    mPaste = mEdit->addAction(QString(), QKeySequence::Paste, this, [this] { current()->Paste(); });
    mSelectAll =
        mEdit->addAction(QString(), QKeySequence::SelectAll, this, [this] { current()->SelectAll(); });
    mEdit->addSeparator();
    // The window's own Ctrl+F: while a script has the keyboard, its control opens its own find dialog.
    mFindInFiles = mEdit->addAction(QString(), QKeySequence::Find, this, [this] {
        statusBar()->showMessage(text("Find in files is not part of this example.",
                                      "Suche in Dateien gehört nicht zu diesem Beispiel."),
                                 4000);
    });

    mView = menuBar()->addMenu(QString());
    mDark = mView->addAction(QString(), this, [this](bool on) { setDark(on); });
    mDark->setCheckable(true);
    mLineNumbers = mView->addAction(QString(), this, [this](bool on) {
        for (int i = 0; i < mTabs->count(); ++i)
            editorAt(i)->setLineNumbers(on);
    });
    mLineNumbers->setCheckable(true);
    mLineNumbers->setChecked(true);

    mLanguage = menuBar()->addMenu(QString());
    auto* languages = new QActionGroup(this);
    mEnglish = mLanguage->addAction(QStringLiteral("English"), this, [this] { setGerman(false); });
    mGerman = mLanguage->addAction(QStringLiteral("Deutsch"), this, [this] { setGerman(true); });
    for (QAction* language : {mEnglish, mGerman}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
    mEnglish->setChecked(true);
}

// The example's own few words come in both languages; the control's come from its translation.
QString IdeWindow::text(const char* english, const char* german) const {
    return QString::fromUtf8(mIsGerman ? german : english);
}

void IdeWindow::retranslate() {
    mFile->setTitle(text("&File", "&Datei"));
    mNew->setText(text("&New", "&Neu"));
    mOpen->setText(text("&Open...", "Ö&ffnen..."));
    mSave->setText(text("&Save", "&Speichern"));
    mClose->setText(text("&Close", "S&chließen"));
    mQuit->setText(text("&Quit", "&Beenden"));
    mEdit->setTitle(text("&Edit", "&Bearbeiten"));
    mUndo->setText(text("&Undo", "&Rückgängig"));
    mRedo->setText(text("&Redo", "&Wiederherstellen"));
    mCut->setText(text("Cu&t", "&Ausschneiden"));
    mCopy->setText(text("&Copy", "&Kopieren"));
    mPaste->setText(text("&Paste", "&Einfügen"));
    mSelectAll->setText(text("Select &All", "Alles &markieren"));
    mFindInFiles->setText(text("&Find in Files...", "In &Dateien suchen..."));
    mView->setTitle(text("&View", "&Ansicht"));
    mDark->setText(text("&Dark Palette", "&Dunkle Farben"));
    mLineNumbers->setText(text("&Line Numbers", "&Zeilennummern"));
    mLanguage->setTitle(text("&Language", "S&prache"));
    for (int i = 0; i < mTabs->count(); ++i)
        updateTitle(editorAt(i));
    showCaret();
}

void IdeWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void IdeWindow::setDark(bool dark) {
    mDark->setChecked(dark);
    QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
}

// Installing or removing the translator sends every widget a LanguageChange: the controls and this window
// take their words anew.
void IdeWindow::setGerman(bool german) {
    (german ? mGerman : mEnglish)->setChecked(true);
    if (german == mIsGerman)
        return;
    mIsGerman = german;
    if (!german) {
        QApplication::removeTranslator(&mTranslator);
    } else if (mTranslator.load(QStringLiteral("qxTagEditor2_de"), QStringLiteral(SCRIPTIDE_TRANSLATIONS))) {
        QApplication::installTranslator(&mTranslator);
    } else {
        statusBar()->showMessage(QStringLiteral("No German translation in " SCRIPTIDE_TRANSLATIONS), 5000);
        retranslate();
    }
}

qxcSCRIPTEditor* IdeWindow::addTab(const QString& path, const QString& script) {
    auto* editor = new qxcSCRIPTEditor;
    editor->setProperty(kPath, path);
    editor->setCodeType(path.endsWith(QLatin1String(".vbs"), Qt::CaseInsensitive) ? qxcSCRIPTEditor::ctVB
                                                                                  : qxcSCRIPTEditor::ctAuto);
    editor->setValue(script);
    editor->setLineNumbers(mLineNumbers->isChecked());
    editor->setHighlightCurrentLine(true);
    editor->setShowMessages(false); // the window shows them in its status bar
    connect(editor, &qxcSCRIPTEditor::modificationChanged, this, [this, editor] { updateTitle(editor); });
    connect(editor, &qxcSCRIPTEditor::messageRequested, this,
            [this](const QString& title, const QString& message) {
                statusBar()->showMessage(title.isEmpty() ? message : title + QStringLiteral(": ") + message,
                                         8000);
            });
    if (path.isEmpty())
        editor->setProperty(kPath, QString());
    const int index = mTabs->addTab(editor, QString());
    if (path.isEmpty())
        mTabs->setTabToolTip(index, QString());
    else
        mTabs->setTabToolTip(index, path);
    editor->setObjectName(path.isEmpty() ? QStringLiteral("untitled-%1").arg(++mUntitled) : path);
    updateTitle(editor);
    mTabs->setCurrentIndex(index);
    editor->setFocus();
    return editor;
}

void IdeWindow::openFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        statusBar()->showMessage(file.errorString(), 5000);
        return;
    }
    addTab(path, QString::fromUtf8(file.readAll()));
}

qxcSCRIPTEditor* IdeWindow::editorAt(int index) const {
    return qobject_cast<qxcSCRIPTEditor*>(mTabs->widget(index));
}

qxcSCRIPTEditor* IdeWindow::current() const {
    return editorAt(mTabs->currentIndex());
}

void IdeWindow::updateTitle(qxcSCRIPTEditor* editor) {
    const QString path = editor->property(kPath).toString();
    const QString name = path.isEmpty() ? text("Untitled", "Unbenannt") + editor->objectName().mid(8)
                                        : QFileInfo(path).fileName();
    mTabs->setTabText(mTabs->indexOf(editor), editor->Changed() ? name + QLatin1Char('*') : name);
}

// The window's items follow the current tab's control.
void IdeWindow::followCurrent() {
    for (const QMetaObject::Connection& c : std::as_const(mCurrentConnections))
        disconnect(c);
    mCurrentConnections.clear();
    qxcSCRIPTEditor* editor = current();
    for (QAction* action : {mSave, mClose, mUndo, mRedo, mCut, mCopy, mPaste, mSelectAll})
        action->setEnabled(editor);
    if (!editor) {
        showCaret();
        return;
    }
    // No getter is needed: undoAvailable and redoAvailable say it, and Undo on a fresh tab does nothing.
    mUndo->setEnabled(false);
    mRedo->setEnabled(false);
    mCurrentConnections = {
        connect(editor, &qxcSCRIPTEditor::undoAvailable, mUndo, &QAction::setEnabled),
        connect(editor, &qxcSCRIPTEditor::redoAvailable, mRedo, &QAction::setEnabled),
        connect(editor, &qxcSCRIPTEditor::cursorPositionChanged, this, [this] { showCaret(); }),
        connect(editor, &qxcSCRIPTEditor::levelChanged, this, [this] { showCaret(); }),
    };
    showCaret();
}

void IdeWindow::showCaret() {
    qxcSCRIPTEditor* editor = current();
    if (!editor) {
        mCaret->clear();
        mLevel->clear();
        return;
    }
    const qx::CodeBox& box = editor->txtCode();
    mCaret->setText(text("Line %1", "Zeile %1").arg(box.GetLineFromChar(box.SelStart()) + 1));
    mLevel->setText(editor->EditingEncodedArea() ? text("Inside an encoded value", "In einem codierten Wert")
                                                 : QString());
}

bool IdeWindow::save(qxcSCRIPTEditor* editor) {
    QString path = editor->property(kPath).toString();
    if (path.isEmpty())
        path = QFileDialog::getSaveFileName(this);
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(editor->Value().toUtf8()) < 0 || !file.flush()) {
        statusBar()->showMessage(file.errorString(), 5000);
        return false;
    }
    editor->setProperty(kPath, path);
    mTabs->setTabToolTip(mTabs->indexOf(editor), path);
    editor->setChanged(false); // modificationChanged takes the "*" away
    return true;
}

bool IdeWindow::mayClose(qxcSCRIPTEditor* editor) {
    if (!editor->Changed())
        return true;
    mTabs->setCurrentWidget(editor);
    const auto answer = QMessageBox::question(this, windowTitle(),
                                              text("Save the changes to %1?", "Änderungen an %1 speichern?")
                                                  .arg(mTabs->tabText(mTabs->indexOf(editor))),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    return answer == QMessageBox::Discard || (answer == QMessageBox::Save && save(editor));
}

void IdeWindow::closeTab(int index) {
    qxcSCRIPTEditor* editor = editorAt(index);
    if (editor && mayClose(editor))
        delete editor;
}

void IdeWindow::closeEvent(QCloseEvent* event) {
    for (int i = 0; i < mTabs->count(); ++i) {
        if (!mayClose(editorAt(i))) {
            event->ignore();
            return;
        }
    }
    event->accept();
}
