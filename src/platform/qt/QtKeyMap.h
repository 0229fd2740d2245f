#pragma once

#include <Qt>

class QKeyEvent;

namespace qx {

// Windows virtual-key code of a Qt key (0 for keys without one); symbol keys map to the US-layout key
// that types them.
int virtualKeyOf(const QKeyEvent& event);
// The shift-state bits (kShiftMask, kCtrlMask, kAltMask) of keyboard modifiers.
int shiftStateOf(Qt::KeyboardModifiers modifiers);
// kLeftButton, kRightButton or kMiddleButton; 0 for other buttons.
int mouseButtonOf(Qt::MouseButton button);
// The character codes of the clipboard keys, as a rich-edit box raises them.
inline constexpr int kPasteChar = 22; // Ctrl+V, Shift+Insert
inline constexpr int kCutChar = 24;   // Ctrl+X, Shift+Delete

// The character code a key raises KeyPress with: 13 for Enter however it is pressed (with Shift or Ctrl, on
// the keypad) and for a key that types a line or paragraph separator, 8 Backspace, 9 Tab, 27 Escape,
// kPasteChar and kCutChar for the clipboard keys, or the typed printable character; 0 when the key types
// nothing (navigation keys, Alt+Enter, other Ctrl or Alt combinations).
int keyPressCodeOf(const QKeyEvent& event);
// The Qt key that makes a character code typed in place of another (Enter for CR, LF and the line and
// paragraph separators; Backspace, Tab, Escape), or Qt::Key_unknown for a printable character.
Qt::Key qtKeyForCode(int code);

} // namespace qx
