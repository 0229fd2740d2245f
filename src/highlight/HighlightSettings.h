#pragma once

#include <QString>

namespace qx {

// The per-machine settings that extend the highlighting word lists.
namespace HighlightSettings {

inline constexpr const char* MachineKey = "Software/Kelvane/Markrunner/Script Editor";
inline constexpr const char* KeywordsValue = "VB Keywords";
inline constexpr const char* HostWordsValue = "VB Kelvane Words";
inline constexpr const char* TypesValue = "VB Types";
inline constexpr const char* ScriptCommandsValue = "Start VB Script Commands";

// A per-machine value, read afresh; an absent value reads as empty text. A store that cannot be read only
// costs the extension of a list, so its failure reads as empty text too.
QString ReadMachineValue(const char* valueName);

} // namespace HighlightSettings

} // namespace qx
