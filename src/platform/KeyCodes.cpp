#include "platform/KeyCodes.h"

#include "platform/CodeBox.h"

#include <QLatin1StringView>

namespace qx {

namespace {

// Punctuation on a US keyboard: the unshifted and the shifted character of each key.
struct PunctuationKey {
    char plain;
    char shifted;
    int vk;
};
constexpr PunctuationKey kPunctuation[] = {
    {';', ':', VK_OEM_1},      {'=', '+', VK_OEM_PLUS}, {',', '<', VK_OEM_COMMA}, {'-', '_', VK_OEM_MINUS},
    {'.', '>', VK_OEM_PERIOD}, {'/', '?', VK_OEM_2},    {'`', '~', VK_OEM_3},     {'[', '{', VK_OEM_4},
    {'\\', '|', VK_OEM_5},     {']', '}', VK_OEM_6},    {'\'', '"', VK_OEM_7},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

} // namespace

KeyStroke keyStrokeForChar(QChar c) {
    const char16_t u = c.unicode();
    switch (u) {
    case u'\r':
    case u'\n':
        return {VK_RETURN, 0};
    case u'\t':
        return {VK_TAB, 0};
    case u'\b':
        return {VK_BACK, 0};
    case 27:
        return {VK_ESCAPE, 0};
    case u' ':
        return {VK_SPACE, 0};
    default:
        break;
    }
    if (u >= u'a' && u <= u'z')
        return {VK_A + (u - u'a'), 0};
    if (u >= u'A' && u <= u'Z')
        return {VK_A + (u - u'A'), kShiftMask};
    if (u >= u'0' && u <= u'9')
        return {VK_0 + (u - u'0'), 0};
    for (int i = 0; i < 10; ++i) {
        if (u == char16_t(kShiftedDigits[i]))
            return {VK_0 + i, kShiftMask};
    }
    for (const PunctuationKey& key : kPunctuation) {
        if (u == char16_t(key.plain))
            return {key.vk, 0};
        if (u == char16_t(key.shifted))
            return {key.vk, kShiftMask};
    }
    return {VK_PACKET, 0};
}

} // namespace qx
