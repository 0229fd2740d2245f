#pragma once

#include <qxTagEditor2/qxcSCRIPTEditor.h>

#include "hostlib/Properties.h"
#include "platform/CodeBox.h"
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

class QtCodeBox;

// The control's state and child widgets. Field names are the control's own; the public class only
// forwards to them.
class EditorPrivate final : public CodeBoxEvents {
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
    std::unique_ptr<Properties> mpcUndo;
    std::unique_ptr<Properties> mpcRedo;

    // --- child widgets -------------------------------------------------------------------------------
    QtCodeBox* txtCode = nullptr;
    QWidget* picEditBar = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdEditEncoded = nullptr;
    QPushButton* cmdRTF = nullptr;
    QPushButton* cmdFind = nullptr;
    QCheckBox* chkSyntaxHighlight = nullptr;
    QMenu* mnuPopup = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuFindNext = nullptr;
    QAction* mnuSyntaxHighlight = nullptr;
    QAction* mnuFullView = nullptr;
    QtOneShotTimer tmrDelayedSyntaxHighlight;
    QtOneShotTimer tmrForegroundCheck;

    // --- internal routines ---------------------------------------------------------------------------
    // Re-colours the whole text now (when highlighting is on).
    void HighlightPass();
    // Runs a pass 150 ms after the last request.
    void RequestDelayedPass();
    void SetMenuCaptions();
    void ClosePopups();
    // The reaction to the highlight check box changing, by the user or from the popup menu.
    void SyntaxHighlightClicked();
    bool highlightingOn() const;
    qxcSCRIPTEditor::ctCodeType effectiveCodeType() const;
    // Lays out the edit bar, the code box and the status bar for the current view.
    void LayOut();

    // Passes that actually ran, for tests.
    int mPassCount = 0;

private:
    void createWidgets();
    void createMenu();
    void start();

    qxcSCRIPTEditor* q;
};

} // namespace qx
