#include "MainWindow.h"
#include "ProblemList.h"

#include "highlight/TextDecoding.h"
#include <qxTagEditor2/qxDatabase.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>

#include <algorithm>

#include <cstdio>
#include <utility>

namespace {

const QString kAppName = QStringLiteral("qxedit");
const QString kFileFilter =
    QStringLiteral("Tag markup (*.qx *.htm *.html);;Plain script (*.vbs *.vb);;All files (*)");

// Tag markup for .qx and page files, plain script for script files; anything else is decided from the text.
qxcSCRIPTEditor::ctCodeType codeTypeFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("qx") || suffix == QLatin1String("htm") || suffix == QLatin1String("html"))
        return qxcSCRIPTEditor::ctKelvane;
    if (suffix == QLatin1String("vbs") || suffix == QLatin1String("vb"))
        return qxcSCRIPTEditor::ctVB;
    return qxcSCRIPTEditor::ctAuto;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent) {
    mEditor = new qxcSCRIPTEditor(this);
    mEditor->setLineNumbers(true);
    mEditor->setHighlightCurrentLine(true);
    // What users of other editors expect: a word is one undo step, and a search wraps and starts at the
    // caret.
    mEditor->setGroupTypingUndo(true);
    mEditor->setFindWrapAround(true);
    mEditor->setFindFromCaret(true);
    // What is wrong is shown while the user types, and listed under the editor.
    mEditor->setLiveDiagnostics(true);
    mEditor->setDatabase(
        new qxDatabase(QStringLiteral(QX_DATA_DIR "/reference/sample-reference.json"), this));
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(mEditor);
    split->addWidget(new ProblemList(mEditor, split));
    split->setStretchFactor(0, 1);
    split->setSizes({560, 100});
    setCentralWidget(split);
    mHighlightBox = mEditor->findChild<QCheckBox*>(QStringLiteral("chkSyntaxHighlight"));

    createMenus();
    statusBar()->showMessage(QStringLiteral("Ready"));
    connect(mEditor, &qxcSCRIPTEditor::EncodingAreaChange, this, [this](bool inArea) {
        statusBar()->showMessage(inArea ? QStringLiteral("Encoded value: Edit (Ctrl+E) steps into it")
                                        : QStringLiteral("Ready"));
    });
    connect(mEditor, &qxcSCRIPTEditor::modificationChanged, this, &MainWindow::updateTitle);
    auto* readOnly = new QLabel(QStringLiteral("Read only"));
    statusBar()->addPermanentWidget(readOnly);
    readOnly->setVisible(mEditor->Locked());
    connect(mEditor, &qxcSCRIPTEditor::lockedChanged, readOnly, &QWidget::setVisible);
    mCaret = new QLabel;
    statusBar()->addPermanentWidget(mCaret);
    connect(mEditor, &qxcSCRIPTEditor::cursorPositionChanged, this, &MainWindow::showCaret);
    connect(mEditor, &qxcSCRIPTEditor::textChanged, this, &MainWindow::showCaret);
    showCaret();
    resize(960, 680);
}

void MainWindow::createMenus() {
    createFileMenu();
    createEditMenu();
    createCodeTypeMenu();
    createViewMenu();
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&About qxedit"), this, [this] {
        QMessageBox::about(this, QStringLiteral("About qxedit"),
                           QStringLiteral("<b>qxedit</b><p>A demo host for the qxTagEditor2 script-editor "
                                          "control: open a tag-markup page or a plain script, edit it with "
                                          "colouring, member lists and syntax tips, and save it.</p>"));
    });
}

void MainWindow::createFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&New"), QKeySequence::New, this, &MainWindow::newDocument);
    file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &MainWindow::open);
    file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, &MainWindow::save);
    file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this, &MainWindow::saveAs);
    file->addSeparator();
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this, &QWidget::close);
}

QAction* MainWindow::addItem(QMenu* menu, const QString& text, const QKeySequence& chord) {
    QAction* action = menu->addAction(text);
    action->setShortcut(chord);
    // Shown in the menu only: in the code box the control takes the chord and applies its own rules.
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

// The items go through the control's public calls; the chords they show are the control's own.
void MainWindow::createEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* undo = addItem(edit, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, [this] { mEditor->Undo(); });
    QAction* redo = addItem(edit, QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    connect(redo, &QAction::triggered, this, [this] { mEditor->Redo(); });
    edit->addSeparator();
    QAction* cut = addItem(edit, QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(cut, &QAction::triggered, this, [this] { mEditor->Cut(); });
    QAction* copy = addItem(edit, QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, [this] { mEditor->Copy(); });
    QAction* paste = addItem(edit, QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, this, [this] { mEditor->Paste(); });
    mChangingItems = {undo, redo, cut, paste};
    edit->addSeparator();
    // The control's own find dialog opens from its menu item.
    mFind = addItem(edit, QStringLiteral("&Find && Replace..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(mFind, &QAction::triggered, this, [this] {
        if (auto* find = mEditor->findChild<QAction*>(QStringLiteral("mnuFind")))
            find->trigger();
    });
    mFindNext = addItem(edit, QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3));
    connect(mFindNext, &QAction::triggered, this, [this] { mEditor->FindNext(); });
    edit->addSeparator();
    QAction* selectAll = addItem(edit, QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] {
        mEditor->txtCode().SelectRange(0, -1);
        mEditor->setFocus();
    });
    edit->addSeparator();
    edit->addAction(QStringLiteral("Edit Tag &Value..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                    this, &MainWindow::editTagValue);
    edit->addSeparator();
    mLocked = edit->addAction(QStringLiteral("&Locked"));
    mLocked->setCheckable(true);
    connect(mLocked, &QAction::toggled, this, [this](bool on) {
        if (on != mEditor->Locked())
            mEditor->setLocked(on);
    });
    connect(edit, &QMenu::aboutToShow, this, &MainWindow::syncEditMenu);
    syncEditMenu();
}

void MainWindow::syncEditMenu() {
    const bool locked = mEditor->Locked();
    mLocked->setChecked(locked);
    for (QAction* item : mChangingItems)
        item->setEnabled(!locked);
    // The find items follow the control's own menu, whose find items a host can hide.
    for (const auto& [item, name] : {std::pair{mFind, "mnuFind"}, {mFindNext, "mnuFindNext"}}) {
        const QAction* own = mEditor->findChild<QAction*>(QLatin1String(name));
        item->setEnabled(own && own->isVisible() && own->isEnabled());
    }
}

void MainWindow::editTagValue() {
    qx::CodeBox& box = mEditor->txtCode();
    const QString selected = box.SelText();
    if (selected.isEmpty()) {
        statusBar()->showMessage(QStringLiteral("Select a value to edit it in the tag value dialog"), 3000);
        return;
    }
    const int start = box.SelStart();
    qxTagDialog dialog;
    const QString edited = dialog.EditValue(selected);
    if (dialog.Cancel() || edited == selected)
        return;
    mEditor->SetSelText(edited);
    box.setSelStart(start);
    box.setSelLength(int(edited.size()));
}

void MainWindow::createCodeTypeMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Code type"));
    mCodeTypes = new QActionGroup(this);
    mCodeTypes->setExclusive(true);
    const std::pair<const char*, qxcSCRIPTEditor::ctCodeType> types[] = {
        {"&Tag markup", qxcSCRIPTEditor::ctKelvane},
        {"&Plain script", qxcSCRIPTEditor::ctVB},
        {"&Auto", qxcSCRIPTEditor::ctAuto},
    };
    for (const auto& [caption, type] : types) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setCheckable(true);
        action->setData(static_cast<int>(type));
        mCodeTypes->addAction(action);
    }
    connect(mCodeTypes, &QActionGroup::triggered, this, [this](QAction* action) {
        mEditor->setCodeType(static_cast<qxcSCRIPTEditor::ctCodeType>(action->data().toInt()));
    });
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::syncCodeTypeMenu);
    syncCodeTypeMenu();
}

// The control's popup menu changes the same two settings, so the menu reads them afresh each time.
void MainWindow::createViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    mFullView = view->addAction(QStringLiteral("&Full View"));
    mFullView->setCheckable(true);
    connect(mFullView, &QAction::toggled, this, [this](bool on) {
        if (on != mEditor->FullView())
            mEditor->setFullView(on);
    });
    mHighlight = view->addAction(QStringLiteral("&Syntax Highlighting"));
    mHighlight->setCheckable(true);
    mHighlight->setEnabled(mHighlightBox != nullptr);
    connect(mHighlight, &QAction::toggled, this, [this](bool on) {
        if (mHighlightBox && mHighlightBox->isChecked() != on)
            mHighlightBox->setChecked(on);
    });
    view->addSeparator();
    mLineNumbers = view->addAction(QStringLiteral("&Line Numbers"));
    mLineNumbers->setCheckable(true);
    connect(mLineNumbers, &QAction::toggled, mEditor, &qxcSCRIPTEditor::setLineNumbers);
    mCurrentLine = view->addAction(QStringLiteral("Highlight &Current Line"));
    mCurrentLine->setCheckable(true);
    connect(mCurrentLine, &QAction::toggled, mEditor, &qxcSCRIPTEditor::setHighlightCurrentLine);
    view->addSeparator();
    connect(addItem(view, QStringLiteral("Zoom &In"), QKeySequence(Qt::CTRL | Qt::Key_Equal)),
            &QAction::triggered, this, [this] { mEditor->setZoom(mEditor->Zoom() + 1); });
    connect(addItem(view, QStringLiteral("Zoom &Out"), QKeySequence(Qt::CTRL | Qt::Key_Minus)),
            &QAction::triggered, this, [this] { mEditor->setZoom(mEditor->Zoom() - 1); });
    connect(addItem(view, QStringLiteral("&Reset Zoom"), QKeySequence(Qt::CTRL | Qt::Key_0)),
            &QAction::triggered, this, [this] { mEditor->setZoom(0); });
    connect(view, &QMenu::aboutToShow, this, &MainWindow::syncViewMenu);
    syncViewMenu();
}

void MainWindow::syncCodeTypeMenu() {
    for (QAction* action : mCodeTypes->actions())
        action->setChecked(action->data().toInt() == static_cast<int>(mEditor->CodeType()));
}

void MainWindow::syncViewMenu() {
    mFullView->setChecked(mEditor->FullView());
    mLineNumbers->setChecked(mEditor->LineNumbers());
    mCurrentLine->setChecked(mEditor->HighlightCurrentLine());
    if (mHighlightBox)
        mHighlight->setChecked(mHighlightBox->isChecked());
}

void MainWindow::warn(const QString& message, bool quiet) {
    if (quiet)
        std::fprintf(stderr, "qxedit: %s\n", qPrintable(message));
    else
        QMessageBox::warning(this, kAppName, message);
}

bool MainWindow::openFile(const QString& path, bool quiet) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        warn(QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()),
             quiet);
        return false;
    }
    const QString text = qx::decodeScriptFile(file.readAll());
    mEditor->setCodeType(codeTypeFor(path));
    const bool resource = path.startsWith(QLatin1Char(':'));
    showDocument(text, resource ? QString() : QFileInfo(path).absoluteFilePath(), QFileInfo(path).fileName());
    return true;
}

void MainWindow::openSample() {
    openFile(QStringLiteral(":/samples/sample.qx"), true);
}

void MainWindow::showDocument(const QString& text, const QString& path, const QString& displayName) {
    mEditor->setValue(text);
    mEditor->setChanged(false);
    mPath = path;
    mDisplayName = displayName;
    syncCodeTypeMenu();
    updateTitle();
}

void MainWindow::newDocument() {
    if (maybeSave())
        showDocument(QString(), QString(), QString());
}

void MainWindow::open() {
    if (!maybeSave())
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), QString(), kFileFilter);
    if (!path.isEmpty())
        openFile(path);
}

bool MainWindow::save() {
    return mPath.isEmpty() ? saveAs() : saveTo(mPath);
}

bool MainWindow::saveAs() {
    const QString suggested = mPath.isEmpty() ? mDisplayName : mPath;
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save As"), suggested, kFileFilter);
    return !path.isEmpty() && saveTo(path);
}

// UTF-8 with the control's CR LF line breaks; the old file stays whole until the new one is complete.
bool MainWindow::saveTo(const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(mEditor->Value().toUtf8()) < 0 || !file.commit()) {
        warn(QStringLiteral("Cannot save %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()),
             false);
        return false;
    }
    mEditor->setChanged(false);
    mPath = QFileInfo(path).absoluteFilePath();
    mDisplayName = QFileInfo(path).fileName();
    updateTitle();
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(mDisplayName), 3000);
    return true;
}

bool MainWindow::maybeSave() {
    if (!mEditor->Changed())
        return true;
    const auto answer = QMessageBox::warning(
        this, kAppName, QStringLiteral("The document has been modified.\nDo you want to save your changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

// The column is counted back to the line's start (after a CR or an LF) in short reads: a long text is not
// copied for it.
void MainWindow::showCaret() {
    const qx::CodeBox& box = mEditor->txtCode();
    const int caret = box.SelStart();
    int start = 0;
    for (int from = caret; from > 0; from -= 256) {
        const QString before = box.TextRange(std::max(0, from - 256), from);
        qsizetype i = before.size();
        while (i > 0 && before[i - 1] != QLatin1Char('\n') && before[i - 1] != QLatin1Char('\r'))
            --i;
        if (i > 0) {
            start = from - int(before.size() - i);
            break;
        }
    }
    mCaret->setText(
        QStringLiteral("Ln %1, Col %2").arg(box.GetLineFromChar(caret) + 1).arg(caret - start + 1));
}

void MainWindow::updateTitle() {
    const QString name = mDisplayName.isEmpty() ? QStringLiteral("Untitled") : mDisplayName;
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, kAppName));
    setWindowModified(mEditor->Changed());
}
