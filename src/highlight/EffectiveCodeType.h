#pragma once

#include <QString>

namespace qx {

// The code types as the control stores them: tag markup, plain script, or decided from the text.
namespace CodeTypes {
inline constexpr int Kelvane = 0;
inline constexpr int VB = 1;
inline constexpr int Auto = 2;
} // namespace CodeTypes

// The code type in force: the stored one, or for Auto the kind the first four characters of the text show
// ("<QX:" or the "{\rt" of rich-text source mean tag markup, anything else plain script). Never Auto.
int EffectiveCodeType(int codeType, const QString& text);

} // namespace qx
