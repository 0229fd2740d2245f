#pragma once

#include <QChar>

#include <optional>

namespace qx {

// What a typed character tells of the Caps Lock state, for a status bar that cannot ask the keyboard:
// a letter that comes out in upper case without Shift, or in lower case with Shift, means Caps Lock is
// on; the opposite means off. Characters without letter case tell nothing.
std::optional<bool> CapsLockFromTypedChar(QChar typed, bool shiftHeld);

} // namespace qx
