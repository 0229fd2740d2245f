#pragma once

#include "hostlib/Properties.h"
#include "platform/CodeBox.h"
#include "platform/UndoStack.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace qx {

// The control's state: one object, owned by the controller and shared by the units that read and change
// it (code assistance, the highlight scheduler, undo, the change handler). Field names are the control's own.
struct EditorState {
    EditorState() = default;
    EditorState(const EditorState&) = delete;
    EditorState& operator=(const EditorState&) = delete;

    // --- changes -------------------------------------------------------------------------------------
    // Set while the control itself changes the text: such changes are not the user's, and passes wait.
    bool mbBusy = false;
    bool mbChanged = false;
    // The undo and redo stacks exist, empty, from the start.
    std::unique_ptr<UndoStack> mpcUndo = std::make_unique<UndoStack>();
    std::unique_ptr<UndoStack> mpcRedo = std::make_unique<UndoStack>();

    // --- code assistance -----------------------------------------------------------------------------
    // The member list is on screen; mlListStart is where the word being completed begins.
    bool mbListShown = false;
    int mlListStart = 0;
    // The syntax tip is on screen; mbTipLoaded is set when the tip's form was created before the list's.
    bool mbTipShown = false;
    bool mbTipLoaded = false;
    // Persisted option: hidden handlers are offered when set.
    bool mbShowHiddenHandlers = false;
    // The host's database object, handed on only when it is a qxDatabase.
    QPointer<QObject> moDatabase;

    // --- encoded areas -------------------------------------------------------------------------------
    bool mbInEncodedArea = false;
    int mlLevel = 1;
    // The record of each outer level, written when stepping in from it; index 0 unused (levels count from
    // 1), and the element of the current level is empty.
    QStringList masLevelText{QString(), QString()};
    // The undo and redo stacks of each outer level, put aside on stepping in and given back on stepping
    // out: each level has a history of its own. One entry per outer level, level 1 first.
    struct LevelHistory {
        std::unique_ptr<UndoStack> mpcUndo;
        std::unique_ptr<UndoStack> mpcRedo;
    };
    std::vector<LevelHistory> maLevelHistory;

    // --- find ----------------------------------------------------------------------------------------
    QString msLastFind;
    int mlLastFindOptions = 0;
    // How the find dialog's "Wrap around" and "Start at the caret" start. Never stored.
    bool mbFindWrapAround = false;
    bool mbFindFromCaret = false;

    // --- view and colours ----------------------------------------------------------------------------
    // The highlight check box's value.
    bool mbSyntaxHighlight = true;
    bool mbFullView = false;
    bool mbShowFindButton = false;
    bool mbFindMenusEnabled = false;
    Colour mlTagColour = 0x000080;
    Colour mlEncodeColour = 0x808080;
    // 0 tag markup, 1 plain script, 2 decided from the text.
    int mlCodeType = 0;

    // --- host ----------------------------------------------------------------------------------------
    // The control shows its messages in boxes; the host hears of each either way. Never stored.
    bool mbShowMessages = true;
    // Typed characters of one word are one undo step. Never stored.
    bool mbGroupTypingUndo = false;
    // The script is checked after each edit and the findings marked in the view. Never stored.
    bool mbLiveDiagnostics = false;

    std::unique_ptr<Properties> mpcFavourites = std::make_unique<Properties>();
};

} // namespace qx
