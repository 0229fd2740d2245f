#pragma once

#include "control/ChangeNotices.h"
#include "diagnostics/Diagnostic.h"
#include "platform/MessageBox.h"
#include "text/OwedShift.h"

#include <QtGlobal>

#include <memory>

namespace qx {

// What the controller asks of the window that holds the control: the widget shell on Qt, a recorder in
// tests.
class EditorShell {
public:
    virtual ~EditorShell() = default;
    // Lays out the edit bar, the code box and the status bar for the current view.
    virtual void LayOut() = 0;
    // Raises the control's event EncodingAreaChange.
    virtual void EncodingAreaChange(bool pbEnabled) = 0;
    // Opens the process's find dialog, pointed at this control, in front of the control's window.
    virtual void OpenFindDialog() = 0;
    // Moves the keyboard focus out of the control, to the next (or previous) widget of its window that
    // takes the focus by Tab. A window without one keeps the focus where it is.
    virtual void MoveFocusOut(bool forward) { Q_UNUSED(forward); }
    // Shows the code font `steps` points larger (negative: smaller) for this control; 0 restores the size.
    virtual void Zoom(int steps) { Q_UNUSED(steps); }
    // Tells the host of a change (see ChangeNotices): the widget shell raises the matching signal.
    virtual void Announce(Notice notice, qint64 value) {
        Q_UNUSED(notice);
        Q_UNUSED(value);
    }
    // Marks the findings of the live checks in the view (null: no marks). The list stays the checks' own:
    // it changes in place before each call, so the view reads what it shows from it when it draws. Unless
    // `changed`, the marks only moved with an edit, which repaints what it touched anyway.
    virtual void ShowDiagnostics(const std::shared_ptr<const ShiftedList<Diagnostic>>& found, bool changed) {
        Q_UNUSED(found);
        Q_UNUSED(changed);
    }
    // Tells the host of a message for the user, whether or not the control shows it.
    virtual void MessageRequested(MessageBox::Icon icon, const QString& title, const QString& text) {
        Q_UNUSED(icon);
        Q_UNUSED(title);
        Q_UNUSED(text);
    }
};

} // namespace qx
