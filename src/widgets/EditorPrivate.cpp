#include "widgets/EditorPrivate.h"

#include "control/EditorLayout.h"
#include "platform/EntryGuard.h"
#include "platform/WindowLock.h"
#include "platform/qt/BusyCursor.h"
#include "platform/qt/CodeFont.h"
#include "platform/qt/QtCaretLocator.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPopupMenu.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/Twips.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"
#include "widgets/QtEditBar.h"
#include "widgets/frmFindReplace.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace qx {

namespace {
constexpr double kCodeFontPoints = 11.25;
constexpr double kControlFontPoints = 8.25;

// Tahoma, or a sans-serif face of similar width where it is missing, so that the captions fit the
// edit bar's buttons and the status panels.
QFont controlFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPointSizeF(kControlFontPoints);
    return font;
}

// The popups are windows of their own. They hang below the code box, so that a modal window holding the
// control (the tag value dialog) counts them as its own and lets the mouse reach them.
template <class Form> std::unique_ptr<Form> makePopup(QtCodeBox* box) {
    auto form = std::make_unique<Form>(box);
    form->setParent(box, form->windowFlags());
    return form;
}
} // namespace

EditorPrivate::EditorPrivate(qxcSCRIPTEditor* owner)
    : q(owner) {
    // Reading a large member or reference file shows the wait cursor.
    installBusyCursor();
    createWidgets();
    createMenu();
    describeWidgets();
    mCaret = std::make_unique<QtCaretLocator>(txtCode);
    mMessages = std::make_unique<QtMessageBox>(q);
    mInput = std::make_unique<QtInputBox>(q);
    mController = std::make_unique<EditorController>(EditorParts{
        *txtCode, *mCaret, *sbr, *picEditBar, *mnuPopup, tmrDelayedSyntaxHighlight, tmrForegroundCheck,
        tmrTypingPause, tmrDiagnostics, *mMessages, mClipboard, *mInput, mForegroundWindow, *this,
        [this] { return makePopup<frmList>(txtCode); }, [this] { return makePopup<frmSyntax>(txtCode); }});
    mFocusConnection =
        QObject::connect(qApp, &QApplication::focusChanged, q, [this](QWidget* old, QWidget* now) {
            runEntry("Focus change", [&] { FocusChanged(old, now); });
        });
    QObject::connect(txtCode, &QtCodeBox::zoomChanged, q, [this] {
        q->updateGeometry(); // the size asked of a layout follows the font
        Q_EMIT q->zoomChanged(txtCode->zoom());
        runEntry("Zoom", [this] { popupsFollowZoom(); });
    });
}

EditorPrivate::~EditorPrivate() {
    QObject::disconnect(mFocusConnection);
    mController.reset();
    if (txtCode)
        WindowLock::forget(txtCode);
}

EditorPrivate& EditorPrivate::of(qxcSCRIPTEditor& editor) {
    return *editor.d;
}

void EditorPrivate::createWidgets() {
    q->setFont(controlFont());
    q->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding); // as Qt's own text editors
    picEditBar = new QtEditBar(q);
    chkSyntaxHighlight = picEditBar->checkBox();

    txtCode = new QtCodeBox(q);
    txtCode->setObjectName(QStringLiteral("txtCode"));
    txtCode->setFont(FixedPitchFont(QStringLiteral("Courier New"), kCodeFontPoints));
    // The right button opens the control's own menu.
    txtCode->setContextMenuPolicy(Qt::PreventContextMenu);
    q->setFocusProxy(txtCode);

    sbr = new QtStatusBar(QtStatusBar::EditorPanels(), q);
    tmrDelayedSyntaxHighlight.setInterval(150);
}

void EditorPrivate::describeWidgets() {
    txtCode->setAccessibleName(QCoreApplication::translate("qxcSCRIPTEditor", "Script"));
    txtCode->setAccessibleDescription(QCoreApplication::translate(
        "qxcSCRIPTEditor",
        "The script being edited. Ctrl+Space lists what can follow the caret; Ctrl+Tab leaves the editor"));
    // The tables hold the English texts; they are translated as they are set.
    const auto shown = [](const char* text) { return QCoreApplication::translate("qxcSCRIPTEditor", text); };
    const struct {
        const char* button;
        const char* name;
        const char* description;
    } buttons[] = {
        {"cmdBack", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Back"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor",
                           "Leave the encoded value being edited and return to the text around it")},
        {"cmdEditEncoded", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Edit encoded value"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Edit the encoded value at the caret as plain text")},
        {"cmdRTF", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Edit RTF value"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Edit the RTF value at the caret")},
        {"cmdFind", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Find and replace"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Open the find and replace dialog")},
    };
    for (const auto& b : buttons) {
        QPushButton* button = picEditBar->button(QLatin1String(b.button));
        button->setAccessibleName(shown(b.name));
        button->setAccessibleDescription(shown(b.description));
    }
    chkSyntaxHighlight->setAccessibleName(
        QCoreApplication::translate("qxcSCRIPTEditor", "Syntax highlighting"));
    chkSyntaxHighlight->setAccessibleDescription(
        QCoreApplication::translate("qxcSCRIPTEditor", "Colour the script as it is typed"));
    sbr->setAccessibleName(QCoreApplication::translate("qxcSCRIPTEditor", "Editor status"));
    mnuPopup->setTitle(QCoreApplication::translate("qxcSCRIPTEditor", "Popup Menu"));
    // The panels are found by key; only their names and descriptions are translated.
    const struct {
        const char* panel;
        const char* name;
        const char* description;
    } panels[] = {
        {"Level", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Encoded depth level"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "How many encoded values deep the editing is")},
        {"Encoded", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Encoded value"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Enabled while the caret is in an encoded value")},
        {"CAPS", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Caps Lock"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Enabled while Caps Lock is on")},
        {"Line", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Line"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "The line that holds the caret")},
        {"Status", QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "Status"),
         QT_TRANSLATE_NOOP("qxcSCRIPTEditor", "A description of the command at the caret")},
    };
    for (const auto& p : panels) {
        if (QLabel* label = sbr->panel(QLatin1String(p.panel))) {
            label->setAccessibleName(shown(p.name));
            label->setAccessibleDescription(shown(p.description));
        }
    }
}

void EditorPrivate::createMenu() {
    mnuPopup = new QtPopupMenu(q);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
}

// The bars follow the control's width and keep their own heights; a control too small for its bars
// leaves the code box where it was.
void EditorPrivate::LayOut() {
    EditorLayoutInput in;
    in.width = q->width();
    in.height = q->height();
    in.fullView = mController->state().mbFullView;
    in.codeBoxTop = Twips::toPixels(QtEditBar::kHeightTwips, q);
    in.editBarHeight = picEditBar->height();
    in.statusHeight = sbr->Height();
    const EditorLayoutResult out = LayOutEditor(in);

    picEditBar->setGeometry(out.editBar);
    sbr->setGeometry(out.statusBar);
    if (out.codeBox)
        txtCode->Move(out.codeBox->x(), out.codeBox->y(), out.codeBox->width(), out.codeBox->height());
    picEditBar->setVisible(out.editBarVisible);
}

QSize EditorPrivate::sizeFor(int columns, int lines) const {
    EditorLayoutInput bars;
    bars.fullView = mController->state().mbFullView;
    bars.editBarHeight = picEditBar->height();
    bars.statusHeight = sbr->Height();
    const QFontMetrics metrics(txtCode->font());
    const int frame = 2 * txtCode->frameWidth();
    const QSize chrome(frame + txtCode->gutterWidth() + txtCode->verticalScrollBar()->sizeHint().width(),
                       frame + txtCode->horizontalScrollBar()->sizeHint().height());
    return EditorSizeFor(bars, QSize(metrics.horizontalAdvance(QLatin1Char('x')), metrics.lineSpacing()),
                         chrome, columns, lines);
}

void EditorPrivate::EncodingAreaChange(bool pbEnabled) {
    Q_EMIT q->EncodingAreaChange(pbEnabled);
}

void EditorPrivate::OpenFindDialog() {
    frmFindReplace::open(q);
}

// The next widget of the window in Tab order that is not part of the control and takes the focus by Tab.
void EditorPrivate::MoveFocusOut(bool forward) {
    const QWidget* window = q->window();
    for (QWidget* next = forward ? q->nextInFocusChain() : q->previousInFocusChain(); next && next != q;
         next = forward ? next->nextInFocusChain() : next->previousInFocusChain()) {
        if (q->isAncestorOf(next) || next->window() != window || !next->isVisibleTo(window) ||
            !next->isEnabled() || !(next->focusPolicy() & Qt::TabFocus))
            continue;
        next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return;
    }
}

void EditorPrivate::Zoom(int steps) {
    if (steps == 0)
        txtCode->setZoom(0);
    else
        txtCode->zoomBy(steps);
}

void EditorPrivate::retranslate() {
    mnuPopup->retranslate();
    picEditBar->retranslate();
    sbr->retranslate();
    describeWidgets();
    mController->Retranslate();
}

void EditorPrivate::Announce(Notice notice, qint64 value) {
    const bool on = value != 0;
    const auto codeType = static_cast<qxcSCRIPTEditor::ctCodeType>(value);
    switch (notice) {
    case Notice::Text:
        return Q_EMIT q->textChanged();
    case Notice::Modified:
        return Q_EMIT q->modificationChanged(on);
    case Notice::CursorPosition:
        return Q_EMIT q->cursorPositionChanged();
    case Notice::Selection:
        return Q_EMIT q->selectionChanged();
    case Notice::UndoAvailable:
        return Q_EMIT q->undoAvailable(on);
    case Notice::RedoAvailable:
        return Q_EMIT q->redoAvailable(on);
    case Notice::Level:
        return Q_EMIT q->levelChanged(int(value));
    case Notice::EditingEncodedArea:
        return Q_EMIT q->editingEncodedAreaChanged(on);
    case Notice::CodeType:
        return Q_EMIT q->codeTypeChanged(codeType);
    case Notice::EffectiveCodeType:
        return Q_EMIT q->effectiveCodeTypeChanged(codeType);
    case Notice::Locked:
        return Q_EMIT q->lockedChanged(on);
    case Notice::FullView:
        return Q_EMIT q->fullViewChanged(on);
    case Notice::TagColour:
        return Q_EMIT q->tagColourChanged(uint(value));
    case Notice::EncodeColour:
        return Q_EMIT q->encodeColourChanged(uint(value));
    case Notice::RTFEditVisible:
        return Q_EMIT q->rtfEditVisibleChanged(on);
    case Notice::ShowFindButton:
        return Q_EMIT q->showFindButtonChanged(on);
    case Notice::FindMenusEnabled:
        return Q_EMIT q->findMenusEnabledChanged(on);
    case Notice::Database:
        return Q_EMIT q->databaseChanged(q->Database());
    case Notice::Diagnostics:
        return Q_EMIT q->diagnosticsChanged();
    }
}

void EditorPrivate::ShowDiagnostics(const std::shared_ptr<const ShiftedList<Diagnostic>>& found,
                                    bool changed) {
    txtCode->setDiagnosticMarks(found, changed);
}

void EditorPrivate::MessageRequested(MessageBox::Icon icon, const QString& title, const QString& text) {
    Q_EMIT q->messageRequested(title, text, QtMessageBox::qtIcon(icon));
}

void EditorPrivate::popupsFollowZoom() {
    const double factor = txtCode->zoomFactor();
    if (auto* list = dynamic_cast<frmList*>(mController->popups().List()))
        list->setZoom(factor);
    if (auto* tip = dynamic_cast<frmSyntax*>(mController->popups().Tip()))
        tip->setZoom(factor);
    mController->popups().FollowCaret();
}

QWidget* EditorPrivate::ListForm() const {
    return dynamic_cast<QWidget*>(mController->popups().List());
}

QWidget* EditorPrivate::TipForm() const {
    return dynamic_cast<QWidget*>(mController->popups().Tip());
}

bool EditorPrivate::holds(const QWidget* widget) const {
    if (!widget)
        return false;
    if (widget == q || q->isAncestorOf(widget))
        return true;
    const QWidget* window = widget->window();
    return window == ListForm() || window == TipForm();
}

// Focus that leaves the application altogether is the foreground check's business.
void EditorPrivate::FocusChanged(QWidget* old, QWidget* now) {
    if (now && holds(old) && !holds(now))
        mController->UnloadPopups();
}

} // namespace qx
