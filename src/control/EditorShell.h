#pragma once

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
};

} // namespace qx
