#pragma once

#include <QChar>

namespace qx {

// Windows virtual-key codes, the key codes of KeyDown and KeyUp.
inline constexpr int VK_BACK = 8;
inline constexpr int VK_TAB = 9;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_SHIFT = 16;
inline constexpr int VK_CONTROL = 17;
inline constexpr int VK_MENU = 18; // Alt
inline constexpr int VK_PAUSE = 19;
inline constexpr int VK_CAPITAL = 20;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_SPACE = 32;
inline constexpr int VK_PRIOR = 33; // Page Up
inline constexpr int VK_NEXT = 34;  // Page Down
inline constexpr int VK_END = 35;
inline constexpr int VK_HOME = 36;
inline constexpr int VK_LEFT = 37;
inline constexpr int VK_UP = 38;
inline constexpr int VK_RIGHT = 39;
inline constexpr int VK_DOWN = 40;
inline constexpr int VK_INSERT = 45;
inline constexpr int VK_DELETE = 46;
inline constexpr int VK_0 = 48; // '0'..'9' are 48..57
inline constexpr int VK_A = 65; // 'A'..'Z' are 65..90
inline constexpr int VK_E = 69;
inline constexpr int VK_F = 70;
inline constexpr int VK_G = 71;
inline constexpr int VK_Y = 89;
inline constexpr int VK_Z = 90;
inline constexpr int VK_APPS = 93; // context-menu key
inline constexpr int VK_F1 = 112;  // F1..F24 are 112..135
inline constexpr int VK_F3 = 114;
inline constexpr int VK_F8 = 119;
inline constexpr int VK_F10 = 121;
inline constexpr int VK_PACKET = 231;     // a character that no key of the layout types
inline constexpr int VK_OEM_1 = 186;      // ';:'
inline constexpr int VK_OEM_PLUS = 187;   // '=+'
inline constexpr int VK_OEM_COMMA = 188;  // ',<'
inline constexpr int VK_OEM_MINUS = 189;  // '-_'
inline constexpr int VK_OEM_PERIOD = 190; // '.>'
inline constexpr int VK_OEM_2 = 191;      // '/?'
inline constexpr int VK_OEM_3 = 192;      // '`~'
inline constexpr int VK_OEM_4 = 219;      // '[{'
inline constexpr int VK_OEM_5 = 220;      // '\|'
inline constexpr int VK_OEM_6 = 221;      // ']}'
inline constexpr int VK_OEM_7 = 222;      // '\'"'

// The key (and whether Shift is held) that types a character on a US keyboard; VK_PACKET for characters
// no key types directly. CR and LF give Enter, TAB gives Tab, BS gives Backspace, ESC gives Escape.
struct KeyStroke {
    int vk = 0;
    int shift = 0;
};
KeyStroke keyStrokeForChar(QChar c);

} // namespace qx
