#pragma once

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "control/ChangeHandler.h"
#include "control/ForegroundCheck.h"
#include "control/UndoHistory.h"
#include "hostlib/Properties.h"
#include "platform/CodeBox.h"
#include "platform/StatusPanels.h"
#include "platform/qt/QtForegroundWindow.h"
#include "platform/qt/QtOneShotTimer.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace qx {

class AssistPopups;
class CompletionTrigger;
class HighlightScheduler;
class MessageBox;
class QtCaretLocator;
class QtCodeBox;
class QtStatusBar;

// The control's state and child widgets. Field names are the control's own; the public class only
// forwards to them.
class EditorPrivate final : public CodeBoxEvents, public ForegroundCheck::Popups {
public:
    explicit EditorPrivate(qxcSCRIPTEditor* owner);
    ~EditorPrivate() override;

    // The state behind a control, for the control's own units and their tests.
    static EditorPrivate& of(qxcSCRIPTEditor& editor);

    // --- state ---------------------------------------------------------------------------------------
    bool mbInEncodedArea = false;
    int mlLevel = 1;
    QStringList masLevelText; // index 0 unused: levels count from 1
    int mlListStart = 0;
    bool mbListShown = false;
    bool mbTipShown = false;
    bool mbTipLoaded = false;
    bool mbShowHiddenHandlers = false;
    bool mbBusy = false;
    bool mbChanged = false;
    bool mbShowFindButton = false;
    bool mbFindMenusEnabled = false;
    bool mbFullView = false;
    QString msLastFind;
    int mlLastFindOptions = 0;
    Colour mlTagColour = 0x000080;
    Colour mlEncodeColour = 0x808080;
    qxcSCRIPTEditor::ctCodeType mlCodeType = qxcSCRIPTEditor::ctKelvane;
    QPointer<QObject> moDatabase;
    std::unique_ptr<Properties> mpcFavourites;
    // The undo and redo stacks exist, empty, from the start.
    std::unique_ptr<Properties> mpcUndo = std::make_unique<Properties>();
    std::unique_ptr<Properties> mpcRedo = std::make_unique<Properties>();

    // --- child widgets -------------------------------------------------------------------------------
    QtCodeBox* txtCode = nullptr;
    QWidget* picEditBar = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdEditEncoded = nullptr;
    QPushButton* cmdRTF = nullptr;
    QPushButton* cmdFind = nullptr;
    QCheckBox* chkSyntaxHighlight = nullptr;
    QtStatusBar* sbr = nullptr;
    QMenu* mnuPopup = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* mnuSyntaxHighlight = nullptr;
    QAction* mnuFullView = nullptr;
    QtOneShotTimer tmrDelayedSyntaxHighlight;
    QtOneShotTimer tmrForegroundCheck;
    QtForegroundWindow mForegroundWindow;
    // Holds mhForegroundWindow, the window in front when the code box last got the focus.
    ForegroundCheck mForegroundCheck{tmrForegroundCheck, mForegroundWindow, *this};

    // --- the units behind the control ----------------------------------------------------------------
    std::unique_ptr<HighlightScheduler> mScheduler;
    std::unique_ptr<QtCaretLocator> mCaret;
    std::unique_ptr<AssistPopups> mPopups;
    std::unique_ptr<CompletionTrigger> mTrigger;
    std::unique_ptr<UndoHistory> mUndo;
    std::unique_ptr<MessageBox> mMessages;
    std::unique_ptr<ChangeHandler> mChangeHandler;

    // --- internal routines ---------------------------------------------------------------------------
    // Re-colours the whole text now (when highlighting is on).
    void HighlightPass();
    // Runs a pass 150 ms after the last request.
    void RequestDelayedPass();
    // Records the text and caret for Undo; the key handling calls it before a typed character lands.
    void RecordSnapshot();
    void SetMenuCaptions();
    void ClosePopups() override;
    // The reaction to the highlight check box changing, by the user or from the popup menu.
    void SyntaxHighlightClicked();
    bool highlightingOn() const;
    qxcSCRIPTEditor::ctCodeType effectiveCodeType() const;
    // Lays out the edit bar, the code box and the status bar for the current view.
    void LayOut();
    // Keeps cmdFind at the right end of the edit bar.
    void PlaceFindButton();
    // The popup items of the view: Full View for this control only, and the highlight check box flipped.
    void FullViewMenuClicked();
    void SyntaxHighlightMenuClicked();
    void ShowPopupMenu();

    // --- the popups' lifetime ------------------------------------------------------------------------
    // Closes the popups for good and unloads their forms: on hide, when the focus leaves the control,
    // and at destruction.
    void UnloadPopups();
    // The focus moved within the application; leaving the control and its popups unloads the popups.
    void FocusChanged(QWidget* old, QWidget* now);
    // The popup forms of code assistance: null until they exist.
    QWidget* ListForm() const;
    QWidget* TipForm() const;
    void HideList();
    void HideTip();

    // --- ForegroundCheck::Popups ---------------------------------------------------------------------
    bool ListShown() const override { return mbListShown; }
    bool TipShown() const override { return mbTipShown; }
    WindowHandle ListWindow() const override;
    WindowHandle TipWindow() const override;
    bool ListHasFocus() const override;

    // --- CodeBoxEvents -------------------------------------------------------------------------------
    void Change() override;
    void KeyDown(int& keyCode, int shift) override;
    void KeyPress(int& keyAscii) override;
    void MouseDown(int button, int shift, int x, int y) override;
    void SelChange() override;
    void GotFocus() override;
    void LostFocus() override;

    // The status panels by key, for the units that write them.
    StatusPanels& statusPanels() const;

    // Passes that actually coloured the text, for tests.
    int passCount() const;
    // Popup teardowns, for tests.
    int mPopupUnloads = 0;

private:
    void createWidgets();
    void createEditBar();
    void createMenu();
    void createUnits();
    void start();
    // True when the widget is the control, one of its children, or one of the popup forms.
    bool holds(const QWidget* widget) const;
    void UnloadListForm();
    void UnloadTipForm();

    qxcSCRIPTEditor* q;
    QMetaObject::Connection mFocusConnection;
};

} // namespace qx
