#include "control/EditorController.h"

#include "assist/CompletionTrigger.h"
#include "control/CaretState.h"
#include "control/ChangeHandler.h"
#include "control/DiagnosticsRunner.h"
#include "control/EditorSettings.h"
#include "control/EditorShell.h"
#include "control/KeystrokeHandler.h"
#include "control/StoredValues.h"
#include "control/UndoHistory.h"
#include "diagnostics/HoverInfo.h"
#include "encoded/EncodedAreas.h"
#include "encoded/EncodedLevels.h"
#include "favourites/Favourites.h"
#include "find/FindReplace.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightScheduler.h"
#include "hostlib/Library.h"
#include "hostlib/Logging.h"
#include "hostlib/ScriptReference.h"
#include "platform/CaretLocator.h"
#include "platform/Clipboard.h"
#include "platform/EditBar.h"
#include "platform/EntryGuard.h"
#include "platform/InputBox.h"
#include "platform/KeyCodes.h"
#include "platform/ListPopup.h"
#include "platform/MessageBox.h"
#include "platform/PopupMenu.h"
#include "platform/StatusPanels.h"
#include "platform/TipPopup.h"
#include "text/TextSource.h"

#include <qxTagEditor2/PropertyBag.h>

#include <QCoreApplication>

#include <algorithm>

namespace qx {

namespace {
const QString& kCheckBox = EditBar::kHighlightCheckBox;
const QString& kRtfButton = EditBar::kRtfButton;
const QString& kBackButton = EditBar::kBackButton;
const QString& kEditButton = EditBar::kEditButton;
const QString& kFindButton = EditBar::kFindButton;
} // namespace

EditorController::EditorController(EditorParts parts)
    : mParts(std::move(parts))
    , mNotices([this] { return observe(); },
               [this](Notice notice, qint64 value) { mParts.shell.Announce(notice, value); })
    , mMessages(mParts.messages, mParts.shell, mState.mbShowMessages)
    , mForegroundCheck(mParts.tmrForegroundCheck, mParts.foreground, *this) {
    CodeBox& box = mParts.txtCode;
    mScheduler = std::make_unique<HighlightScheduler>(box, mParts.tmrDelayedSyntaxHighlight, mState);
    mPopups = std::make_unique<AssistPopups>(mState, box, mParts.caret, std::move(mParts.makeList),
                                             std::move(mParts.makeTip));
    mPopups->setStatusPanels(&mParts.sbr);
    mTrigger = std::make_unique<CompletionTrigger>(mState, box, *mPopups);
    // After each Undo or Redo step the restored text is coloured again, the popups close (the text moved
    // under them) and the buttons follow the caret.
    mUndo = std::make_unique<UndoHistory>(box, mState, mParts.tmrTypingPause, [this] {
        RequestDelayedPass();
        HideList();
        HideTip();
        UpdateStates();
    });
    mChangeHandler = std::make_unique<ChangeHandler>(
        box, mState, mMessages,
        ChangeHandler::Hooks{[this](ScrollPos scroll) { mTrigger->ShowCompletion(scroll, false); },
                             [this] { RequestDelayedPass(); }});
    mLevels = std::make_unique<EncodedLevels>(
        box, mState, mParts.picEditBar, mParts.sbr, mMessages,
        EncodedLevels::Hooks{[this] { UpdateStates(); }, [this] { UnloadPopups(); },
                             [this] { RequestDelayedPass(); }, [this] { HighlightPass(); },
                             [this] { mUndo->RecordStep(); }});
    mCaret = std::make_unique<CaretState>(box, mState, *mLevels, *mPopups, mParts.picEditBar, mParts.sbr,
                                          mParts.shell);
    mKeys = std::make_unique<KeystrokeHandler>(
        KeystrokeHandler::Parts{mState, box, *mPopups, *mTrigger, *mCaret, *mLevels, *mUndo, *mScheduler});
    mFind = std::make_unique<FindReplace>(mState, box);
    mFavourites = std::make_unique<Favourites>(mState, mParts.input, mMessages);
    mDiagnostics = std::make_unique<DiagnosticsRunner>(
        box, mState, mParts.tmrDiagnostics,
        [this](const std::shared_ptr<const DiagnosticsRunner::Marks>& found, bool changed) {
            mParts.shell.ShowDiagnostics(found, changed);
        });
    mParts.tmrDiagnostics.setOnTimeout(
        [this] { guarded("tmrDiagnostics_Timer", [this] { mDiagnostics->Tick(); }); });

    mParts.tmrForegroundCheck.setInterval(1000);
    mParts.picEditBar.setOnClick(
        [this](const QString& name) { guarded("Edit bar", [&] { EditBarClicked(name); }); });
    // An item may move the caret (Select All, a paste): the buttons follow it, as after a key.
    mParts.mnuPopup.setOnChoose([this](MenuChoice choice) {
        guarded("Menu", [&] {
            MenuChosen(choice);
            UpdateStates();
        });
    });
    // The caret starts outside any encoded area, at level 1: the buttons have nothing to do yet.
    mParts.sbr.setPanelEnabled(QStringLiteral("Encoded"), false);
    for (const QString& button : {kBackButton, kEditButton, kRtfButton})
        mParts.picEditBar.setButtonEnabled(button, false);
    setEvents(box, this);
    start();
    mNotices.Start();
}

// Destruction hides both popups and unloads them.
EditorController::~EditorController() {
    mNotices.Stop();
    mParts.tmrForegroundCheck.setEnabled(false);
    mParts.tmrDiagnostics.setOnTimeout({});
    mParts.picEditBar.setOnClick({});
    mParts.mnuPopup.setOnChoose({});
    HideList();
    HideTip();
    UnloadPopups();
    if (eventsOf(mParts.txtCode) == this)
        setEvents(mParts.txtCode, nullptr);
}

// Creation, in order: colours and levels, the favourites, the per-user settings, the captions. The undo
// and redo stacks are made empty with the state.
void EditorController::start() {
    mFavourites->load();
    ShowFavouriteItems();
    const bool highlighting = EditorSettings::syntaxHighlighting();
    mState.mbSyntaxHighlight = highlighting;
    mParts.picEditBar.setHighlightChecked(highlighting);
    mState.mbFullView = EditorSettings::fullView();
    SetMenuCaptions();
}

// --- properties ----------------------------------------------------------------------------------------

// While the control is busy (a host reading Value from one of the control's own signals) the levels
// cannot be stepped out of; the whole text is then put together from the level records instead.
// Read from one of the change signals, Value leaves the user in the level they are editing.
QString EditorController::Value() {
    const ChangeNotices::Entry entry(mNotices);
    if (!mNotices.announcing())
        mLevels->FoldLevels();
    return mLevels->TopLevelText();
}

void EditorController::setValue(const QString& psValue) {
    const ChangeNotices::Entry entry(mNotices);
    mLevels->ResetLevels();
    mState.mbBusy = true;
    mParts.txtCode.setText(psValue);
    mState.mbBusy = false;
    ++mTextRevision; // a new value is a change, even the same text again
    UpdateStates();
    showLine(); // the caret may stand where it stood, so no selection change says it
    HighlightPass();
}

void EditorController::SetSelText(const QString& psText) {
    const ChangeNotices::Entry entry(mNotices);
    mParts.txtCode.setSelText(psText);
}

void EditorController::setTagColour(Colour colour) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mlTagColour = colour;
    HighlightPass();
}

void EditorController::setEncodeColour(Colour colour) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mlEncodeColour = colour;
    HighlightPass();
}

void EditorController::setCodeType(int codeType) {
    const ChangeNotices::Entry entry(mNotices);
    if (codeType == mState.mlCodeType)
        return;
    mState.mlCodeType = codeType;
    HighlightPass();
}

int EditorController::EffectiveCodeType() const {
    return qx::EffectiveCodeType(mState.mlCodeType, mParts.txtCode.TextRange(0, 4));
}

bool EditorController::RTFEditVisible() const {
    return mParts.picEditBar.ButtonVisible(kRtfButton);
}

void EditorController::setRTFEditVisible(bool visible) {
    const ChangeNotices::Entry entry(mNotices);
    mParts.picEditBar.setButtonVisible(kRtfButton, visible);
}

void EditorController::setFullView(bool pbFullView) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mbFullView = pbFullView;
    try {
        EditorSettings::setFullView(pbFullView);
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << "The view setting was not saved:" << error.what();
    }
    SetMenuCaptions();
    mParts.shell.LayOut();
}

void EditorController::setShowFindButton(bool show) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mbShowFindButton = show;
    mParts.picEditBar.setButtonVisible(kFindButton, show);
}

void EditorController::setFindMenusEnabled(bool enabled) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mbFindMenusEnabled = enabled;
    for (MenuItem item : {MenuItem::Find, MenuItem::FindNext}) {
        mParts.mnuPopup.setItemVisible(item, enabled);
        mParts.mnuPopup.setItemEnabled(item, enabled);
    }
}

void EditorController::setChanged(bool changed) {
    const ChangeNotices::Entry entry(mNotices);
    mState.mbChanged = changed;
}

void EditorController::setLocked(bool locked) {
    const ChangeNotices::Entry entry(mNotices);
    mParts.txtCode.setLocked(locked);
}

void EditorController::setLiveDiagnostics(bool live) {
    mState.mbLiveDiagnostics = live;
    guarded("LiveDiagnostics", [&] { mDiagnostics->setLive(live); });
}

QList<Diagnostic> EditorController::Diagnostics() {
    QList<Diagnostic> found;
    guarded("Diagnostics", [&] { found = mDiagnostics->Current(); });
    return found;
}

QString EditorController::ToolTipAt(int position) {
    QString tip;
    guarded(
        "txtCode_ToolTip",
        [&] {
            if (!mDiagnostics->live())
                return; // the tooltips come with the marks
            tip = mDiagnostics->MessageAt(position);
            if (tip.isEmpty() && EffectiveCodeType() != CodeTypes::VB) {
                ScriptReference reference;
                reference.setDatabase(mState.moDatabase.data());
                tip = CommandHelpAt(TextSource(mParts.txtCode), position, reference);
            }
        },
        true);
    return tip;
}

void EditorController::setDatabase(QObject* database) {
    const ChangeNotices::Entry entry(mNotices);
    mState.moDatabase = database;
}

void EditorController::Undo() {
    const ChangeNotices::Entry entry(mNotices);
    mUndo->Undo();
}

void EditorController::Redo() {
    const ChangeNotices::Entry entry(mNotices);
    mUndo->Redo();
}

// The line's start is found by halving the text with the box's own line lookup: no copy of the text.
void EditorController::GoToLine(int line) {
    const ChangeNotices::Entry entry(mNotices);
    const CodeBox& box = mParts.txtCode;
    const int target = std::clamp(line - 1, 0, box.GetLineFromChar(box.TextLength()));
    int low = 0, high = box.TextLength();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (box.GetLineFromChar(middle) < target)
            low = middle + 1;
        else
            high = middle;
    }
    mParts.txtCode.SelectRange(low, low);
    UpdateStates();
}

void EditorController::AskForLine() {
    const CodeBox& box = mParts.txtCode;
    const std::optional<QString> answer =
        mParts.input.Ask(tr("Line number (1 - %1):").arg(box.GetLineFromChar(box.TextLength()) + 1),
                         tr("Go To Line"), QString::number(box.GetLineFromChar(box.SelStart()) + 1));
    if (!answer)
        return;
    bool number = false;
    const int line = answer->trimmed().toInt(&number);
    if (number)
        GoToLine(line);
    else
        mMessages.Show(MessageBox::Icon::Exclamation, tr("Go To Line"),
                       tr("\"%1\" is not a line number.").arg(*answer));
}

void EditorController::SelectAll() {
    const ChangeNotices::Entry entry(mNotices);
    mParts.txtCode.SelectRange(0, -1);
    UpdateStates();
}

// The flags for Find are read into their fields only; what is shown stays as it was.
void EditorController::ReadProperties(PropertyBag& bag) {
    const ChangeNotices::Entry entry(mNotices);
    setRTFEditVisible(bag.ReadProperty(QStringLiteral("RTFEditVisible"), false).toBool());
    mState.mbShowHiddenHandlers = bag.ReadProperty(QStringLiteral("ShowHiddenHandlers"), false).toBool();
    mState.mlCodeType = StoredValues::codeType(bag.ReadProperty(QStringLiteral("CodeType"), 0),
                                               CodeTypes::Kelvane, QStringLiteral("CodeType"));
    CodeBox& box = mParts.txtCode;
    box.setLocked(bag.ReadProperty(QStringLiteral("Locked"), box.Locked()).toBool());
    mState.mlEncodeColour =
        StoredValues::colour(bag.ReadProperty(QStringLiteral("EncodeColour"), mState.mlEncodeColour),
                             mState.mlEncodeColour, QStringLiteral("EncodeColour"));
    mState.mlTagColour =
        StoredValues::colour(bag.ReadProperty(QStringLiteral("TagColour"), mState.mlTagColour),
                             mState.mlTagColour, QStringLiteral("TagColour"));
    mState.mbFindMenusEnabled = bag.ReadProperty(QStringLiteral("FindMenusEnabled"), true).toBool();
    mState.mbShowFindButton = bag.ReadProperty(QStringLiteral("ShowFindButton"), true).toBool();
}

// The colours carry no default: they are always stored.
void EditorController::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("RTFEditVisible"), RTFEditVisible(), false);
    bag.WriteProperty(QStringLiteral("ShowHiddenHandlers"), mState.mbShowHiddenHandlers, false);
    bag.WriteProperty(QStringLiteral("CodeType"), mState.mlCodeType, 0);
    bag.WriteProperty(QStringLiteral("Locked"), mParts.txtCode.Locked(), false);
    bag.WriteProperty(QStringLiteral("EncodeColour"), mState.mlEncodeColour, QVariant());
    bag.WriteProperty(QStringLiteral("TagColour"), mState.mlTagColour, QVariant());
    bag.WriteProperty(QStringLiteral("FindMenusEnabled"), mState.mbFindMenusEnabled, true);
    bag.WriteProperty(QStringLiteral("ShowFindButton"), mState.mbShowFindButton, true);
}

// --- internal routines -----------------------------------------------------------------------------------

void EditorController::HighlightPass() {
    mScheduler->HighlightPass();
}

void EditorController::RequestDelayedPass() {
    mScheduler->RequestDelayedPass();
}

int EditorController::passCount() const {
    return mScheduler->passCount();
}

void EditorController::RecordSnapshot() {
    mUndo->RecordSnapshot();
}

void EditorController::UpdateStates() {
    mCaret->UpdateStates();
}

void EditorController::EditEncoded() {
    const ChangeNotices::Entry entry(mNotices);
    mLevels->EditEncoded();
}

void EditorController::GoBack() {
    const ChangeNotices::Entry entry(mNotices);
    mLevels->GoBack();
}

void EditorController::SetMenuCaptions() {
    mParts.mnuPopup.setItemText(MenuItem::FullView,
                                mState.mbFullView ? tr("Advanced View") : tr("Full View"));
    mParts.mnuPopup.setItemText(MenuItem::SyntaxHighlight, mState.mbSyntaxHighlight
                                                               ? tr("Disable Syntax Highlight")
                                                               : tr("Enable Syntax Highlight"));
}

void EditorController::Retranslate() {
    SetMenuCaptions();
    showLine();
}

void EditorController::ClosePopups() {
    mPopups->ClosePopups();
}

// Each form that exists is hidden and unloaded; nothing is left for the foreground check to watch.
void EditorController::UnloadPopups() {
    mPopups->UnloadPopups();
}

void EditorController::HideList() {
    mPopups->HideList();
}

void EditorController::HideTip() {
    mPopups->HideTip();
}

// --- edit bar and popup menu -----------------------------------------------------------------------------

void EditorController::EditBarClicked(const QString& name) {
    if (name == kCheckBox)
        SyntaxHighlightClicked();
    else if (name == kEditButton)
        EditEncoded();
    else if (name == kBackButton)
        GoBack();
    else if (name == kFindButton)
        OpenFindDialog();
}

void EditorController::MenuChosen(MenuChoice choice) {
    const ChangeNotices::Entry entry(mNotices);
    switch (choice.item) {
    case MenuItem::FullView:
        return FullViewMenuClicked();
    case MenuItem::SyntaxHighlight:
        return SyntaxHighlightMenuClicked();
    case MenuItem::Undo:
        return Undo();
    case MenuItem::Redo:
        return Redo();
    case MenuItem::Cut:
        return MenuCut();
    case MenuItem::Copy:
        return MenuCopy();
    case MenuItem::Paste:
        return MenuPaste();
    case MenuItem::SelectAll:
        return SelectAll();
    case MenuItem::Find:
        return OpenFindDialog();
    case MenuItem::FindNext:
        FindNext();
        return;
    case MenuItem::AddToFavourites:
        return AddToFavourites();
    case MenuItem::Favourite:
        return InsertFavourite(choice.favourite);
    }
}

void EditorController::ShowFavouriteItems() {
    QStringList names;
    for (const Favourites::Item& item : mFavourites->items())
        names << item.name;
    mParts.mnuPopup.setFavouriteItems(names);
}

// Other controls' additions come in too, so the items are made anew from the collection.
void EditorController::AddToFavourites() {
    if (mFavourites->addToFavourites(mParts.txtCode.SelText()))
        ShowFavouriteItems();
}

void EditorController::InsertFavourite(int position) {
    const std::optional<QString> snippet = mFavourites->snippet(position);
    if (snippet && AllowUserEdit())
        mParts.txtCode.setSelText(*snippet);
}

bool EditorController::IsWholeTags(const QString& selection) {
    const QString opener = QStringLiteral("<QX:");
    const QString closer = QStringLiteral("</QX>");
    if (!selection.startsWith(opener) || !selection.endsWith(closer))
        return false;
    const Library& library = Library::instance();
    return library.InStrCount(1, selection, opener, 0) == library.InStrCount(1, selection, closer, 0);
}

// Opening the menu does not move the selection; the items follow what can be done now.
void EditorController::ShowPopupMenu(bool atCaret) {
    PopupMenu& menu = mParts.mnuPopup;
    CodeBox& box = mParts.txtCode;
    mCaret->UpdateEncodedState();
    const bool editable = !box.Locked() && !mState.mbInEncodedArea;
    if (mFavourites->reloadIfChanged())
        ShowFavouriteItems();
    menu.setFavouritesEnabled(editable);
    menu.setItemVisible(MenuItem::AddToFavourites, IsWholeTags(box.SelText()));
    menu.setItemEnabled(MenuItem::Undo, !box.Locked() && mState.mpcUndo->Count() > 0);
    menu.setItemEnabled(MenuItem::Redo, !box.Locked() && mState.mpcRedo->Count() > 0);
    menu.setItemEnabled(MenuItem::Cut, editable);
    menu.setItemEnabled(MenuItem::Paste, editable);
    if (atCaret)
        menu.PopupAt(mParts.caret.Locate().caret.bottomLeft());
    else
        menu.Popup();
}

void EditorController::MenuCut() {
    if (mParts.txtCode.SelLength() == 0 || !BeforeInput(TextInput::MenuCut))
        return;
    mParts.clipboard.setText(mParts.txtCode.SelText());
    mParts.txtCode.setSelText(QString());
}

void EditorController::MenuCopy() {
    if (mParts.txtCode.SelLength() > 0)
        mParts.clipboard.setText(mParts.txtCode.SelText());
}

void EditorController::MenuPaste() {
    if (!mParts.clipboard.HasText() || !BeforeInput(TextInput::MenuPaste))
        return;
    mParts.txtCode.setSelText(mParts.clipboard.Text());
}

// The items' shortcuts count only while the item is there to be chosen.
bool EditorController::MenuShortcut(int keyCode, int shift) {
    const PopupMenu& menu = mParts.mnuPopup;
    auto available = [&](MenuItem item) { return menu.ItemVisible(item) && menu.ItemEnabled(item); };
    if (keyCode == VK_F && shift == kCtrlMask && available(MenuItem::Find)) {
        OpenFindDialog();
        return true;
    }
    if (keyCode == VK_F3 && (shift == 0 || shift == kShiftMask) && available(MenuItem::FindNext)) {
        shift == 0 ? FindNext() : FindPrevious();
        return true;
    }
    if ((keyCode == VK_APPS && shift == 0) || (keyCode == VK_F10 && shift == kShiftMask)) {
        ShowPopupMenu(true);
        return true;
    }
    return false;
}

bool EditorController::LevelShortcut(int keyCode, int shift) {
    if (keyCode != VK_LEFT || shift != kAltMask || mState.mlLevel <= 1)
        return false;
    GoBack();
    return true;
}

bool EditorController::ViewShortcut(int keyCode, int shift) {
    EditorShell& shell = mParts.shell;
    if (keyCode == VK_TAB && (shift == kCtrlMask || shift == (kCtrlMask | kShiftMask))) {
        shell.MoveFocusOut(shift == kCtrlMask);
        return true;
    }
    // Ctrl++ is Ctrl+Shift+= on most layouts; the keypad's keys arrive as the keys that type the same.
    if (keyCode == VK_OEM_PLUS && (shift & ~kShiftMask) == kCtrlMask) {
        shell.Zoom(1);
        return true;
    }
    if (keyCode == VK_OEM_MINUS && shift == kCtrlMask) {
        shell.Zoom(-1);
        return true;
    }
    if (keyCode == VK_0 && shift == kCtrlMask) {
        shell.Zoom(0);
        return true;
    }
    if (keyCode == VK_G && shift == kCtrlMask) {
        AskForLine();
        return true;
    }
    if (keyCode == VK_F8 && (shift == 0 || shift == kShiftMask)) {
        GoToDiagnostic(shift == kShiftMask);
        return true;
    }
    return false;
}

void EditorController::GoToDiagnostic(bool backwards) {
    const std::optional<Diagnostic> next = mDiagnostics->Next(mParts.txtCode.SelStart(), backwards);
    if (!next)
        return;
    mParts.txtCode.SelectRange(next->start, next->start);
    UpdateStates();
}

// A failure to open is reported with the line it carries (none here) and the classic error number.
void EditorController::OpenFindDialog() {
    try {
        mParts.shell.OpenFindDialog();
    } catch (const std::exception& error) {
        mMessages.Show(MessageBox::Icon::Exclamation, QString(),
                       tr("Error on line 0: %1 - %2")
                           .arg(ChangeHandler::errorNumber(error))
                           .arg(QString::fromUtf8(error.what())));
    }
}

// --- find and replace ------------------------------------------------------------------------------------

int EditorController::Find(const QString& psFind, int plFindFromPosition, int plFindToPosition,
                           int plOptions) {
    const ChangeNotices::Entry entry(mNotices);
    return mFind->Find(psFind, plFindFromPosition, plFindToPosition, plOptions);
}

int EditorController::FindNext() {
    const ChangeNotices::Entry entry(mNotices);
    return mFind->FindNext();
}

int EditorController::Replace(const QString& psFind, const QString& psReplace, int plFindFromPosition,
                              int plFindToPosition, int plOptions) {
    const ChangeNotices::Entry entry(mNotices);
    return mFind->Replace(psFind, psReplace, plFindFromPosition, plFindToPosition, plOptions);
}

int EditorController::ReplaceAll(const QString& psFind, const QString& psReplace, int plOptions) {
    const ChangeNotices::Entry entry(mNotices);
    return mFind->ReplaceAll(psFind, psReplace, plOptions, [this] { RecordSnapshot(); });
}

FindReplace::MatchCount EditorController::CountMatches(const QString& psFind, int plOptions) const {
    return mFind->Count(psFind, plOptions);
}

int EditorController::FindPrevious() {
    const ChangeNotices::Entry entry(mNotices);
    return mFind->FindPrevious();
}

void EditorController::notFound(MessageBox& messages) {
    mMessages.ShowIn(messages, MessageBox::Icon::Information,
                     QCoreApplication::translate("FindReplace", "Find"),
                     QCoreApplication::translate("FindReplace", "Text can not be found"));
}

void EditorController::DialogFindNext(const QString& findText, int options, MessageBox& messages,
                                      bool backwards) {
    guarded("cmdFind_Click", [&] {
        if (findText.isEmpty())
            return;
        const int found =
            backwards ? mFind->FindPrevious(findText, options) : Find(findText, -1, -1, options);
        if (found == -1)
            notFound(messages);
    });
}

void EditorController::DialogReplace(const QString& findText, const QString& replaceText, int options,
                                     MessageBox& messages) {
    guarded("cmdReplace_Click", [&] {
        if (findText.isEmpty() || mParts.txtCode.Locked())
            return;
        // The undo step is taken only when something will be replaced.
        if (mFind->Replace(findText, replaceText, -1, -1, options, [this] { RecordSnapshot(); }) == -1)
            notFound(messages);
    });
}

int EditorController::DialogReplaceAll(const QString& findText, const QString& replaceText, int options,
                                       MessageBox& messages) {
    int replaced = -1;
    guarded("cmdReplaceAll_Click", [&] {
        if (findText.isEmpty() || mParts.txtCode.Locked())
            return;
        replaced = ReplaceAll(findText, replaceText, options);
        if (replaced == 0)
            notFound(messages);
    });
    return replaced;
}

// The switch is stored only when it differs from what is stored: making a control puts the stored choice
// on its check box, which writes nothing. A choice that cannot be stored still takes effect.
void EditorController::SyntaxHighlightClicked() {
    mState.mbSyntaxHighlight = mParts.picEditBar.HighlightChecked();
    try {
        if (EditorSettings::syntaxHighlighting() != mState.mbSyntaxHighlight)
            EditorSettings::setSyntaxHighlighting(mState.mbSyntaxHighlight);
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << "The highlighting setting was not saved:" << error.what();
    }
    mScheduler->SyntaxHighlightClicked();
    SetMenuCaptions();
}

void EditorController::FullViewMenuClicked() {
    mState.mbFullView = !mState.mbFullView;
    SetMenuCaptions();
    mParts.shell.LayOut();
}

void EditorController::SyntaxHighlightMenuClicked() {
    mParts.picEditBar.setHighlightChecked(!mParts.picEditBar.HighlightChecked());
    SetMenuCaptions();
}

// --- code box events -------------------------------------------------------------------------------------
// Each is an entry from the event loop: a failure ends it where it stands (guarded), and a key or input whose
// rules failed is refused rather than let through unchecked.

void EditorController::Change() {
    guarded("txtCode_Change", [&] { mChangeHandler->Change(); });
}

void EditorController::Edited(int position, const QString& removed, int added) {
    guarded(
        "txtCode_Edited",
        [&] {
            if (!mLevels->swapping())
                ++mTextRevision;
            mScheduler->Edited(position, int(removed.size()), added);
            mCaret->Edited(position, int(removed.size()), added);
            mLevels->Edited(position, int(removed.size()), added);
            mTrigger->Edited(position, int(removed.size()), added);
            mUndo->Edited(position, removed, added);
            mDiagnostics->Edited(position, int(removed.size()), added);
        },
        true);
}

// The menu's and the view's chords come before the key handling: they change no text, so neither the Tab
// rule nor the encoded-area guard applies to them.
void EditorController::KeyDown(int& keyCode, int shift) {
    const bool ran = guarded("txtCode_KeyDown", [&] {
        if (MenuShortcut(keyCode, shift) || ViewShortcut(keyCode, shift) || LevelShortcut(keyCode, shift))
            keyCode = 0;
        else
            mKeys->KeyDown(keyCode, shift);
    });
    if (!ran)
        keyCode = kKeyRefused;
}

// The chords of the menu's items, the view, the levels and the key rules: Ctrl+F and (Shift+)F3 while their
// items are there, the Menu key and Shift+F10, Ctrl+E, Ctrl+G, Alt+Left inside a value, Ctrl+Space, Ctrl+Z,
// Ctrl+Y, Ctrl+Shift+Z, the zoom chords and Ctrl+Tab. The others are the host's.
bool EditorController::TakesChord(int keyCode, int shift) const noexcept {
    const PopupMenu& menu = mParts.mnuPopup;
    auto available = [&](MenuItem item) { return menu.ItemVisible(item) && menu.ItemEnabled(item); };
    const bool ctrl = shift == kCtrlMask, ctrlMaybeShift = (shift & ~kShiftMask) == kCtrlMask;
    switch (keyCode) {
    case VK_F:
        return ctrl && available(MenuItem::Find);
    case VK_E:
    case VK_G:
    case VK_Y:
    case VK_OEM_MINUS:
    case VK_0:
        return ctrl;
    case VK_SPACE:
    case VK_Z:
    case VK_OEM_PLUS:
    case VK_TAB:
        return ctrlMaybeShift;
    case VK_F3:
        return (shift == 0 || shift == kShiftMask) && available(MenuItem::FindNext);
    case VK_APPS:
        return shift == 0;
    case VK_F10:
        return shift == kShiftMask;
    case VK_LEFT:
        return shift == kAltMask && mState.mlLevel > 1;
    case VK_F8:
        return shift == 0 || shift == kShiftMask;
    default:
        return false;
    }
}

void EditorController::KeyPress(int& keyAscii) {
    if (!guarded("txtCode_KeyPress", [&] { mKeys->KeyPress(keyAscii); }))
        keyAscii = kKeyRefused;
}

void EditorController::KeyUp(int& keyCode, int shift) {
    guarded("txtCode_KeyUp", [&] { mKeys->KeyUp(keyCode, shift); });
}

void EditorController::MouseDown(int button, int shift, int x, int y) {
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    guarded("txtCode_MouseDown", [&] {
        if (button == kRightButton) {
            ShowPopupMenu();
        } else if (button == kLeftButton) {
            mUndo->EndTypingGroup();
            HideTip();
            HideList();
        }
    });
}

void EditorController::MouseUp(int button, int shift, int x, int y) {
    Q_UNUSED(shift);
    Q_UNUSED(x);
    Q_UNUSED(y);
    guarded("txtCode_MouseUp", [&] {
        if (button == kLeftButton)
            UpdateStates();
    });
}

// The "Line" panel follows the caret.
void EditorController::SelChange() {
    guarded("txtCode_SelChange", [&] { showLine(); });
}

void EditorController::showLine() {
    const int line = mParts.txtCode.GetLineFromChar(mParts.txtCode.SelStart()) + 1;
    mParts.sbr.setPanelText(QStringLiteral("Line"), tr("Line: %1").arg(line));
}

void EditorController::GotFocus() {
    guarded("txtCode_GotFocus", [&] { mForegroundCheck.GotFocus(); });
}

void EditorController::LostFocus() {
    guarded("txtCode_LostFocus", [&] { mForegroundCheck.LostFocus(); });
}

bool EditorController::BeforeInput(TextInput kind) {
    Q_UNUSED(kind);
    bool allowed = false;
    guarded(
        "txtCode_BeforeInput", [&] { allowed = AllowUserEdit(); }, true);
    return allowed;
}

bool EditorController::AllowUserEdit() {
    mCaret->UpdateEncodedState();
    if (mState.mbInEncodedArea || mParts.txtCode.Locked())
        return false;
    RecordSnapshot();
    return true;
}

bool EditorController::MayMoveText(int start, int end) {
    bool may = false;
    guarded(
        "txtCode_MayMoveText",
        [&] {
            may = !mParts.txtCode.Locked() &&
                  !EncodedAreas::OverlapsEncodedArea(mParts.txtCode.Text(), start, end - start);
        },
        true);
    return may;
}

template <class Fn> bool EditorController::guarded(const char* entry, Fn&& fn, bool quiet) noexcept {
    const ChangeNotices::Entry announcing(mNotices, quiet);
    if (runEntry(entry, std::forward<Fn>(fn)))
        return true;
    // What the failed rule left half done: the busy flag, and popups that may show what no longer holds.
    mState.mbBusy = false;
    runEntry("Closing the popups after a failure", [this] { UnloadPopups(); });
    return false;
}

// The caret is one end of the selection: a move of either end is a move of the cursor.
ChangeNotices::Observed EditorController::observe() const {
    const CodeBox& box = mParts.txtCode;
    const int start = box.SelStart();
    const int length = box.SelLength();
    const qint64 ends = qint64(start) << 32 | quint32(start + length);
    ChangeNotices::Observed seen{};
    auto set = [&seen](Notice notice, qint64 value) { seen[std::size_t(notice)] = value; };
    set(Notice::Text, mTextRevision);
    set(Notice::Modified, mState.mbChanged);
    set(Notice::CursorPosition, ends);
    set(Notice::Selection, length > 0 ? ends : -1);
    set(Notice::UndoAvailable, mState.mpcUndo->Count() > 0);
    set(Notice::RedoAvailable, mState.mpcRedo->Count() > 0);
    set(Notice::Level, mState.mlLevel);
    set(Notice::EditingEncodedArea, mState.mlLevel != 1);
    set(Notice::CodeType, mState.mlCodeType);
    set(Notice::EffectiveCodeType, EffectiveCodeType());
    set(Notice::Locked, box.Locked());
    set(Notice::FullView, mState.mbFullView);
    set(Notice::TagColour, mState.mlTagColour);
    set(Notice::EncodeColour, mState.mlEncodeColour);
    set(Notice::RTFEditVisible, RTFEditVisible());
    set(Notice::ShowFindButton, mState.mbShowFindButton);
    set(Notice::FindMenusEnabled, mState.mbFindMenusEnabled);
    set(Notice::Database, qint64(reinterpret_cast<quintptr>(mState.moDatabase.data())));
    set(Notice::Diagnostics, mDiagnostics->revision());
    return seen;
}

// --- ForegroundCheck::Popups -----------------------------------------------------------------------------

WindowHandle EditorController::ListWindow() const {
    const ListPopup* list = mPopups->List();
    return list ? list->Window() : 0;
}

WindowHandle EditorController::TipWindow() const {
    const TipPopup* tip = mPopups->Tip();
    return tip ? tip->Window() : 0;
}

bool EditorController::ListHasFocus() const {
    const ListPopup* list = mPopups->List();
    return list && list->HasFocus();
}

} // namespace qx
