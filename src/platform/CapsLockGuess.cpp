#include "platform/CapsLockGuess.h"

namespace qx {

std::optional<bool> CapsLockFromTypedChar(QChar typed, bool shiftHeld) {
    if (!typed.isLetter() || typed.toUpper() == typed.toLower())
        return std::nullopt;
    const bool upper = typed.isUpper();
    return upper != shiftHeld;
}

} // namespace qx
