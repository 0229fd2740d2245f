#include "control/EditorPrivate.h"

#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "control/EditorLayout.h"
#include "control/EditorSettings.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightScheduler.h"
#include "platform/KeyCodes.h"
#include "platform/ListPopup.h"
#include "platform/WindowLock.h"
#include "platform/qt/CodeFont.h"
#include "platform/qt/QtCaretLocator.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtStatusBar.h"
#include "platform/qt/ResizeWatcher.h"
#include "platform/qt/Twips.h"
#include "platform/qt/frmList.h"
#include "platform/qt/frmSyntax.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QMenu>
#include <QPushButton>

namespace qx {

namespace {
// The edit bar and its children, in twips.
constexpr int kEditBarHeight = 615;
constexpr int kButtonTop = 120;
constexpr int kButtonWidth = 735;
constexpr int kButtonHeight = 375;
constexpr int kButtonMargin = 120;
constexpr int kBackLeft = 120;
constexpr int kEditLeft = 960;
constexpr int kRtfLeft = 1800;
constexpr int kCheckLeft = 2820;
constexpr int kCheckTop = 180;
constexpr int kCheckWidth = 2415;
constexpr int kCheckHeight = 255;

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
} // namespace

EditorPrivate::EditorPrivate(qxcSCRIPTEditor* owner)
    : q(owner) {
    createWidgets();
    createMenu();
    createUnits();
    start();
}

// Destruction hides both popups and unloads them; the rest of teardown belongs to the widgets.
EditorPrivate::~EditorPrivate() {
    QObject::disconnect(mFocusConnection);
    tmrForegroundCheck.setEnabled(false);
    HideList();
    HideTip();
    UnloadPopups();
    if (txtCode) {
        txtCode->setEvents(nullptr);
        WindowLock::forget(txtCode);
    }
}

EditorPrivate& EditorPrivate::of(qxcSCRIPTEditor& editor) {
    return *editor.d;
}

void EditorPrivate::createWidgets() {
    q->setFont(controlFont());
    createEditBar();

    txtCode = new QtCodeBox(q);
    txtCode->setObjectName(QStringLiteral("txtCode"));
    txtCode->setFont(FixedPitchFont(QStringLiteral("Courier New"), kCodeFontPoints));
    // The right button opens the control's own menu.
    txtCode->setContextMenuPolicy(Qt::PreventContextMenu);
    txtCode->setEvents(this);
    q->setFocusProxy(txtCode);

    sbr = new QtStatusBar(QtStatusBar::EditorPanels(), q);
    // The caret starts outside any encoded area.
    sbr->setPanelEnabled(QStringLiteral("Encoded"), false);

    tmrDelayedSyntaxHighlight.setInterval(150);
    tmrForegroundCheck.setInterval(1000);

    mFocusConnection = QObject::connect(qApp, &QApplication::focusChanged, q,
                                        [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

void EditorPrivate::createEditBar() {
    picEditBar = new QWidget(q);
    picEditBar->setObjectName(QStringLiteral("picEditBar"));
    picEditBar->setGeometry(0, 0, q->width(), Twips::toPixels(kEditBarHeight, q));
    const auto px = [this](int twips) { return Twips::toPixels(twips, q); };
    auto makeButton = [&](const char* name, const QString& caption, int left) {
        auto* button = new QPushButton(caption, picEditBar);
        button->setObjectName(QLatin1String(name));
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(px(left), px(kButtonTop), px(kButtonWidth), px(kButtonHeight));
        return button;
    };
    cmdBack = makeButton("cmdBack", QStringLiteral("Back"), kBackLeft);
    cmdEditEncoded = makeButton("cmdEditEncoded", QStringLiteral("Edit"), kEditLeft);
    cmdRTF = makeButton("cmdRTF", QStringLiteral("RTF"), kRtfLeft);
    cmdFind = makeButton("cmdFind", QStringLiteral("Find"), 0);
    chkSyntaxHighlight = new QCheckBox(QStringLiteral("Syntax Highlighting"), picEditBar);
    chkSyntaxHighlight->setObjectName(QStringLiteral("chkSyntaxHighlight"));
    chkSyntaxHighlight->setFocusPolicy(Qt::NoFocus);
    chkSyntaxHighlight->setGeometry(px(kCheckLeft), px(kCheckTop), px(kCheckWidth), px(kCheckHeight));

    new ResizeWatcher(picEditBar, [this] { PlaceFindButton(); });
    PlaceFindButton();
}

// The units that hold the control's behaviour, each bound to the fields it shares with the others.
void EditorPrivate::createUnits() {
    mScheduler = std::make_unique<HighlightScheduler>(*txtCode, tmrDelayedSyntaxHighlight, mbBusy);
    mScheduler->setHighlightingOn([this] { return highlightingOn(); });
    mScheduler->setCodeType([this] { return static_cast<int>(mlCodeType); });
    mScheduler->setTagColour([this] { return mlTagColour; });
    mScheduler->setEncodeColour([this] { return mlEncodeColour; });

    const AssistFields fields{mbBusy,      mbListShown,          mlListStart, mbTipShown,
                              mbTipLoaded, mbShowHiddenHandlers, moDatabase};
    mCaret = std::make_unique<QtCaretLocator>(txtCode);
    mPopups = std::make_unique<AssistPopups>(
        fields, *txtCode, *mCaret, [this] { return std::make_unique<frmList>(txtCode); },
        [this] { return std::make_unique<frmSyntax>(txtCode); });
    mPopups->setStatusPanels(sbr);
    mTrigger = std::make_unique<CompletionTrigger>(fields, *txtCode, *mPopups);

    mUndo =
        std::make_unique<UndoHistory>(*txtCode, mbBusy, *mpcUndo, *mpcRedo, [this] { RequestDelayedPass(); });
    mMessages = std::make_unique<QtMessageBox>(q);
    mChangeHandler = std::make_unique<ChangeHandler>(
        *txtCode, mbBusy, mbChanged, *mMessages,
        ChangeHandler::Hooks{[this](ScrollPos scroll) { mTrigger->ShowCompletion(scroll, false); },
                             [this] { RequestDelayedPass(); }});
}

void EditorPrivate::createMenu() {
    mnuPopup = new QMenu(q);
    mnuPopup->setObjectName(QStringLiteral("mnuPopup"));
    mnuPopup->setTitle(QStringLiteral("Popup Menu"));
    mnuFind = mnuPopup->addAction(QStringLiteral("Find && Replace"));
    mnuFind->setObjectName(QStringLiteral("mnuFind"));
    mnuFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext = mnuPopup->addAction(QStringLiteral("Find Next"));
    mnuFindNext->setObjectName(QStringLiteral("mnuFindNext"));
    mnuFindNext->setShortcut(QKeySequence(Qt::Key_F3));
    mnuPopup->addSeparator();
    mnuSyntaxHighlight = mnuPopup->addAction(QString());
    mnuSyntaxHighlight->setObjectName(QStringLiteral("mnuSyntaxHighlight"));
    QObject::connect(mnuSyntaxHighlight, &QAction::triggered, q, [this] { SyntaxHighlightMenuClicked(); });
    mnuFullView = mnuPopup->addAction(QString());
    mnuFullView->setObjectName(QStringLiteral("mnuFullView"));
    QObject::connect(mnuFullView, &QAction::triggered, q, [this] { FullViewMenuClicked(); });
    // Shortcuts are shown in the menu only; the code box's key handling owns the keys themselves.
    for (QAction* action : mnuPopup->actions())
        action->setShortcutContext(Qt::WidgetShortcut);
}

// Creation, in order: colours and levels, the favourites, the per-user settings, the captions. The undo
// and redo stacks are made empty with the state.
void EditorPrivate::start() {
    mlEncodeColour = 0x808080;
    mlTagColour = 0x000080;
    mlLevel = 1;
    masLevelText = QStringList{QString(), QString()};
    mpcFavourites = std::make_unique<Properties>();
    // The favourites file is loaded into mpcFavourites here, with one menu item per favourite.

    const int highlighting = EditorSettings::syntaxHighlighting();
    QObject::connect(chkSyntaxHighlight, &QCheckBox::stateChanged, q,
                     [this](int) { SyntaxHighlightClicked(); });
    chkSyntaxHighlight->setChecked(highlighting != 0);
    mbFullView = EditorSettings::fullView();
    SetMenuCaptions();
}

bool EditorPrivate::highlightingOn() const {
    return chkSyntaxHighlight->isChecked();
}

qxcSCRIPTEditor::ctCodeType EditorPrivate::effectiveCodeType() const {
    return static_cast<qxcSCRIPTEditor::ctCodeType>(EffectiveCodeType(mlCodeType, txtCode->Text()));
}

// The bars follow the control's width and keep their own heights; a control too small for its bars
// leaves the code box where it was.
void EditorPrivate::LayOut() {
    EditorLayoutInput in;
    in.width = q->width();
    in.height = q->height();
    in.fullView = mbFullView;
    in.codeBoxTop = Twips::toPixels(kEditBarHeight, q);
    in.editBarHeight = picEditBar->height();
    in.statusHeight = sbr->Height();
    const EditorLayoutResult out = LayOutEditor(in);

    picEditBar->setGeometry(out.editBar);
    sbr->setGeometry(out.statusBar);
    if (out.codeBox)
        txtCode->Move(out.codeBox->x(), out.codeBox->y(), out.codeBox->width(), out.codeBox->height());
    picEditBar->setVisible(out.editBarVisible);
}

void EditorPrivate::PlaceFindButton() {
    const int left = FindButtonLeft(picEditBar->width(), cmdFind->width(), Twips::toPixels(kButtonMargin, q));
    cmdFind->move(left, cmdFind->y());
}

void EditorPrivate::HighlightPass() {
    mScheduler->HighlightPass();
}

void EditorPrivate::RequestDelayedPass() {
    mScheduler->RequestDelayedPass();
}

int EditorPrivate::passCount() const {
    return mScheduler->passCount();
}

void EditorPrivate::RecordSnapshot() {
    mUndo->RecordSnapshot();
}

// The check box's reaction: keep the choice for the user, give the keyboard back, re-colour, re-caption.
void EditorPrivate::SyntaxHighlightClicked() {
    mScheduler->SyntaxHighlightClicked(highlightingOn() ? 1 : 0);
    SetMenuCaptions();
}

void EditorPrivate::SetMenuCaptions() {
    mnuFullView->setText(mbFullView ? QStringLiteral("Advanced View") : QStringLiteral("Full View"));
    mnuSyntaxHighlight->setText(highlightingOn() ? QStringLiteral("Disable Syntax Highlight")
                                                 : QStringLiteral("Enable Syntax Highlight"));
}

// This control only: the user's stored view stays as it was.
void EditorPrivate::FullViewMenuClicked() {
    mbFullView = !mbFullView;
    SetMenuCaptions();
    LayOut();
}

void EditorPrivate::SyntaxHighlightMenuClicked() {
    chkSyntaxHighlight->setChecked(!chkSyntaxHighlight->isChecked());
    SetMenuCaptions();
}

void EditorPrivate::ShowPopupMenu() {
    mnuPopup->popup(QCursor::pos());
}

void EditorPrivate::ClosePopups() {
    mPopups->ClosePopups();
}

// Each form that exists is hidden and unloaded; nothing is left for the foreground check to watch.
void EditorPrivate::UnloadPopups() {
    ++mPopupUnloads;
    mPopups->UnloadPopups();
    mbTipLoaded = false;
}

QWidget* EditorPrivate::ListForm() const {
    return dynamic_cast<QWidget*>(mPopups->List());
}

QWidget* EditorPrivate::TipForm() const {
    return dynamic_cast<QWidget*>(mPopups->Tip());
}

void EditorPrivate::HideList() {
    mPopups->HideList();
}

void EditorPrivate::HideTip() {
    mPopups->HideTip();
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
        UnloadPopups();
}

WindowHandle EditorPrivate::ListWindow() const {
    return QtForegroundWindow::handleOf(ListForm());
}

WindowHandle EditorPrivate::TipWindow() const {
    return QtForegroundWindow::handleOf(TipForm());
}

bool EditorPrivate::ListHasFocus() const {
    const QWidget* form = ListForm();
    const QWidget* focus = QApplication::focusWidget();
    return form && focus && focus->window() == form;
}

void EditorPrivate::Change() {
    mChangeHandler->Change();
}

// Of the key handling, only what undo needs for now: Ctrl+Z and Ctrl+Y run Undo and Redo instead of the
// box's own history, and a character that will reach the text is recorded first.
void EditorPrivate::KeyDown(int& keyCode, int shift) {
    if (shift != kCtrlMask)
        return;
    if (keyCode == VK_Z) {
        keyCode = 0;
        mUndo->Undo();
    } else if (keyCode == VK_Y) {
        keyCode = 0;
        mUndo->Redo();
    }
}

void EditorPrivate::KeyPress(int& keyAscii) {
    if (keyAscii != 0)
        RecordSnapshot();
}

void EditorPrivate::MouseDown(int button, int shift, int x, int y) {
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    if (button == kRightButton) {
        ShowPopupMenu();
    } else if (button == kLeftButton) {
        HideTip();
        HideList();
    }
}

// The "Line" panel follows the caret; errors (a missing panel) are ignored.
void EditorPrivate::SelChange() {
    try {
        const int line = txtCode->GetLineFromChar(txtCode->SelStart()) + 1;
        sbr->setPanelText(QStringLiteral("Line"), QStringLiteral("Line: ") + QString::number(line));
    } catch (const std::exception&) {
    }
}

void EditorPrivate::GotFocus() {
    mForegroundCheck.GotFocus();
}

void EditorPrivate::LostFocus() {
    mForegroundCheck.LostFocus();
}

StatusPanels& EditorPrivate::statusPanels() const {
    return *sbr;
}

} // namespace qx
