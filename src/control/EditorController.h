#pragma once

#include "assist/AssistPopups.h"
#include "control/ChangeNotices.h"
#include "control/ForegroundCheck.h"
#include "control/HostMessages.h"
#include "find/FindReplace.h"
#include "platform/CodeBox.h"
#include "platform/EditorState.h"
#include "platform/MenuItems.h"

#include <QCoreApplication>
#include <QString>

#include <memory>

namespace qx {

class CaretLocator;
class CaretState;
class ChangeHandler;
class Clipboard;
class CompletionTrigger;
class DiagnosticsRunner;
class EditBar;
class EditorShell;
class EncodedLevels;
class Favourites;
class InputBox;
class KeystrokeHandler;
class ForegroundWindow;
class HighlightScheduler;
class MessageBox;
class OneShotTimer;
class PopupMenu;
class PropertyBag;
class StatusPanels;
class UndoHistory;

// The platform parts a controller works with. All must outlive it.
struct EditorParts {
    CodeBox& txtCode;
    const CaretLocator& caret;
    StatusPanels& sbr;
    EditBar& picEditBar;
    PopupMenu& mnuPopup;
    OneShotTimer& tmrDelayedSyntaxHighlight;
    OneShotTimer& tmrForegroundCheck;
    // Ends a group of typed characters after a pause (the undo history's).
    OneShotTimer& tmrTypingPause;
    // Checks the script a short delay after the last edit, while the checks are live.
    OneShotTimer& tmrDiagnostics;
    MessageBox& messages;
    Clipboard& clipboard;
    InputBox& input;
    const ForegroundWindow& foreground;
    EditorShell& shell;
    AssistPopups::ListFactory makeList;
    AssistPopups::TipFactory makeTip;
};

// The control's rules: it holds the control's state and reacts to the events of the code box, the edit
// bar and the popup menu, over the platform interfaces only. The widget shell builds the parts and
// forwards to it; tests build it over in-memory parts and drive it event by event.
class EditorController final : public CodeBoxEvents, public ForegroundCheck::Popups {
    Q_DECLARE_TR_FUNCTIONS(qxcSCRIPTEditor)

public:
    explicit EditorController(EditorParts parts);
    ~EditorController() override;
    EditorController(const EditorController&) = delete;
    EditorController& operator=(const EditorController&) = delete;

    EditorState& state() { return mState; }
    const EditorState& state() const { return mState; }
    CodeBox& txtCode() const { return mParts.txtCode; }
    AssistPopups& popups() { return *mPopups; }
    CompletionTrigger& trigger() { return *mTrigger; }
    HighlightScheduler& scheduler() { return *mScheduler; }
    ForegroundCheck& foregroundCheck() { return mForegroundCheck; }

    // --- properties ----------------------------------------------------------------------------------
    // Steps back out of every open encoded level first, so that the host gets the whole top-level text.
    QString Value();
    // The control's own change: no change handling, no undo entry, Changed untouched; coloured at once.
    // Open encoded levels are dropped, and level 1's undo history comes back.
    void setValue(const QString& psValue);
    void SetSelText(const QString& psText);
    void setTagColour(Colour colour);
    void setEncodeColour(Colour colour);
    int CodeType() const { return mState.mlCodeType; }
    // A pass runs only when the type changes.
    void setCodeType(int codeType);
    int EffectiveCodeType() const;
    bool RTFEditVisible() const;
    void setRTFEditVisible(bool visible);
    void setFullView(bool pbFullView);
    void setShowFindButton(bool show);
    void setFindMenusEnabled(bool enabled);
    void setChanged(bool changed);
    void setLocked(bool locked);
    void setDatabase(QObject* database);
    // The host's calls: they work on a locked box too.
    void Undo();
    void Redo();
    // Selects the whole text, as the menu's item does.
    void SelectAll();
    // Puts the caret at the start of a line, counted from 1 as the "Line" panel counts; a line out of range
    // goes to the nearest one.
    void GoToLine(int line);
    // Searching and replacing in the box: the host's calls, which record no undo step.
    int Find(const QString& psFind, int plFindFromPosition = -1, int plFindToPosition = -1,
             int plOptions = 0);
    int FindNext();
    int Replace(const QString& psFind, const QString& psReplace, int plFindFromPosition = -1,
                int plFindToPosition = -1, int plOptions = 0);
    // Unlike the other host's calls, ReplaceAll is an undo step of its own, as the dialog's.
    int ReplaceAll(const QString& psFind, const QString& psReplace, int plOptions = 0);
    FindReplace::MatchCount CountMatches(const QString& psFind, int plOptions = 0) const;
    // The checks of the script: live, they run after each edit and their findings are marked in the view;
    // either way Diagnostics() gives the findings for the text shown now.
    void setLiveDiagnostics(bool live);
    QList<Diagnostic> Diagnostics();
    DiagnosticsRunner& diagnostics() { return *mDiagnostics; }
    // Shift+F3: the last search backwards.
    int FindPrevious();
    // The find dialog's buttons and keys: an empty find text does nothing; a failed search says "Text can
    // not be found". The dialog's Replace and Replace All are one undo step each, and do nothing on a
    // locked box. The message goes through `messages`, the dialog's own, so that it belongs to the dialog
    // that asked. Replace All gives the number replaced (-1 when it did not run).
    void DialogFindNext(const QString& findText, int options, MessageBox& messages, bool backwards = false);
    void DialogReplace(const QString& findText, const QString& replaceText, int options,
                       MessageBox& messages);
    int DialogReplaceAll(const QString& findText, const QString& replaceText, int options,
                         MessageBox& messages);
    // Each read is in the stored order; values that are not what their name says read as the defaults.
    void ReadProperties(PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // --- internal routines ---------------------------------------------------------------------------
    // Re-colours the whole text now (when highlighting is on).
    void HighlightPass();
    // Runs a pass 150 ms after the last request.
    void RequestDelayedPass();
    // Records the text and caret for Undo, just before a user's change reaches the text.
    void RecordSnapshot();
    // Where the caret stands (CaretState): the encoded and RTF states, the buttons and the signal.
    void UpdateStates();
    // Steps into the encoded area that holds the caret.
    void EditEncoded();
    // Steps back out of one encoded level, writing the edited content back.
    void GoBack();
    void SetMenuCaptions();
    // The captions and panel texts the rules set, again in the language installed now.
    void Retranslate();
    void ClosePopups() override;
    // Closes the popups for good and unloads their forms: when the control is hidden, when the focus
    // leaves it and its popups, and at destruction.
    void UnloadPopups();
    void HideList();
    void HideTip();
    // Passes that actually coloured the text, for tests.
    int passCount() const;
    // Popup teardowns, for tests.
    int popupUnloads() const { return mPopups->unloads(); }

    // --- edit bar and popup menu ---------------------------------------------------------------------
    void EditBarClicked(const QString& name);
    void MenuChosen(MenuChoice choice);
    // Prepares the popup menu for the selection and state of the moment, then opens it at the mouse, or
    // at the caret when the keyboard asked for it.
    void ShowPopupMenu(bool atCaret = false);
    // "Add To Favourites" is offered for a selection of whole tags: it opens with "<QX:", ends with
    // "</QX>" (letter case included) and holds as many of each.
    static bool IsWholeTags(const QString& selection);

    // --- CodeBoxEvents -------------------------------------------------------------------------------
    void Change() override;
    void Edited(int position, const QString& removed, int added) override;
    void KeyDown(int& keyCode, int shift) override;
    bool TakesChord(int keyCode, int shift) const noexcept override;
    void KeyPress(int& keyAscii) override;
    void KeyUp(int& keyCode, int shift) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void MouseUp(int button, int shift, int x, int y) override;
    void SelChange() override;
    void GotFocus() override;
    void LostFocus() override;
    // Text that arrives without a key is refused inside an encoded area and on a locked box; elsewhere it
    // gets its undo step first.
    bool BeforeInput(TextInput kind) override;
    // A drag may take text away only where the user could delete it: not out of an encoded value's
    // content, not from a locked box. Otherwise it is offered as a copy.
    bool MayMoveText(int start, int end) override;
    // While the checks are live: the findings under the mouse, else the help for a command the reference
    // data knows.
    QString ToolTipAt(int position) override;

    // --- ForegroundCheck::Popups ---------------------------------------------------------------------
    bool ListShown() const override { return mState.mbListShown; }
    bool TipShown() const override { return mState.mbTipShown; }
    WindowHandle ListWindow() const override;
    WindowHandle TipWindow() const override;
    bool ListHasFocus() const override;

private:
    void start();
    // The check box's reaction: keep the choice for the user, give the keyboard back, re-colour, re-caption.
    void SyntaxHighlightClicked();
    // Full View for this control only: the user's stored view stays as it was.
    void FullViewMenuClicked();
    // Flips the check box, whose own reaction does the rest.
    void SyntaxHighlightMenuClicked();
    void OpenFindDialog();
    // The clipboard items: nothing is copied from an empty selection, and a paste without text on the
    // clipboard changes nothing. Cut and Paste are one undo step each, refused inside an encoded area and
    // on a locked box.
    void MenuCut();
    void MenuCopy();
    void MenuPaste();
    // The menu's shortcuts, Ctrl+F and F3, and the keys that open it (the Menu key, Shift+F10), as the
    // code box receives them; true when one was run.
    bool MenuShortcut(int keyCode, int shift);
    // The view's chords, which change no text: Ctrl+Tab and Ctrl+Shift+Tab move the focus out of the box;
    // Ctrl+= (or Ctrl++), Ctrl+- and Ctrl+0 zoom in, out and back; Ctrl+G goes to a line. True when one was
    // run.
    bool ViewShortcut(int keyCode, int shift);
    // Ctrl+G asks for a line number and goes there; an answer that is no number is reported.
    void AskForLine();
    // F8 and Shift+F8: the caret goes to the start of the next (previous) finding, round the text's end.
    void GoToDiagnostic(bool backwards);
    // Alt+Left steps back out of an encoded level, also while the Back button is hidden (Full View).
    bool LevelShortcut(int keyCode, int shift);
    // A user's edit other than a typed key may go ahead: not inside an encoded area, not on a locked box.
    // When it may, its undo step is recorded.
    bool AllowUserEdit();
    void AddToFavourites();
    // Inserts favourite `position` (one-based) at the caret, as one undo step.
    void InsertFavourite(int position);
    void ShowFavouriteItems();
    void notFound(MessageBox& messages);
    // The "Line" panel shows the caret's line.
    void showLine();
    // Runs one entry from the event loop; a failure is logged, the busy flag goes down and the popups
    // close. The outermost entry ends by telling the host what changed, unless it is quiet (see
    // ChangeNotices::Entry). False when the entry failed.
    template <class Fn> bool guarded(const char* entry, Fn&& fn, bool quiet = false) noexcept;
    // What the host can observe, for the change notices.
    ChangeNotices::Observed observe() const;

    EditorParts mParts;
    EditorState mState;
    ChangeNotices mNotices;
    HostMessages mMessages;
    // Counts the edits of the script: those of the box, but not its text changing with the level shown.
    qint64 mTextRevision = 0;
    ForegroundCheck mForegroundCheck;
    std::unique_ptr<HighlightScheduler> mScheduler;
    std::unique_ptr<AssistPopups> mPopups;
    std::unique_ptr<CompletionTrigger> mTrigger;
    std::unique_ptr<UndoHistory> mUndo;
    std::unique_ptr<ChangeHandler> mChangeHandler;
    std::unique_ptr<KeystrokeHandler> mKeys;
    std::unique_ptr<EncodedLevels> mLevels;
    std::unique_ptr<CaretState> mCaret;
    std::unique_ptr<FindReplace> mFind;
    std::unique_ptr<Favourites> mFavourites;
    std::unique_ptr<DiagnosticsRunner> mDiagnostics;
};

} // namespace qx
