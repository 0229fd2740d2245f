#pragma once

#include <QObject>
#include <QPointer>

namespace qx {

// The control's fields that code assistance reads and keeps current. The control owns them; the assist
// classes refer to them, so the control's own routines see the same state.
struct AssistFields {
    // Set while the control itself changes the text.
    bool& mbBusy;
    // The member list is on screen; mlListStart is the caret position when it opened.
    bool& mbListShown;
    int& mlListStart;
    // The syntax tip is on screen; mbTipLoaded is set when the tip's form was created before the list's.
    bool& mbTipShown;
    bool& mbTipLoaded;
    // Persisted option: hidden handlers are offered when set.
    const bool& mbShowHiddenHandlers;
    // The host's database object, handed on only when it is a qxDatabase.
    const QPointer<QObject>& moDatabase;
};

} // namespace qx
