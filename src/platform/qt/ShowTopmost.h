#pragma once

class QWidget;

namespace qx {

// Shows a popup window where it stands, frameless and above all other windows, without activating it:
// the keyboard stays with the widget that had it. Used for the member list and the syntax tip.
void ShowTopmost(QWidget* popup);

} // namespace qx
