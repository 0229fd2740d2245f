#include "platform/qt/QtKeyMap.h"

#include "platform/CodeBox.h"
#include "platform/KeyCodes.h"

#include <QKeyEvent>

namespace qx {

namespace {

struct KeyPair {
    int qt;
    int vk;
};
constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},       {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},  {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},      {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},     {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},     {Qt::Key_Insert, VK_INSERT},
    {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Menu, VK_APPS},
};

bool hasCtrlOrAlt(const QKeyEvent& event) {
    return event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool isLineSeparator(QChar c) {
    return c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

int virtualKeyOf(const QKeyEvent& event) {
    const int key = event.key();
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.qt == key)
            return pair.vk;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key; // Qt and Windows agree on letters and digits
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + (key - Qt::Key_F1);
    if (key > 0 && key < 0x10000)
        return keyStrokeForChar(QChar(char16_t(key))).vk;
    return 0;
}

int shiftStateOf(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= kShiftMask;
    if (modifiers & Qt::ControlModifier)
        shift |= kCtrlMask;
    if (modifiers & Qt::AltModifier)
        shift |= kAltMask;
    return shift;
}

int mouseButtonOf(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return kLeftButton;
    case Qt::RightButton:
        return kRightButton;
    case Qt::MiddleButton:
        return kMiddleButton;
    default:
        return 0;
    }
}

int keyPressCodeOf(const QKeyEvent& event) {
    const int key = event.key();
    // Keypad keys (Insert and Delete with Num Lock off) count as the keys they stand for.
    const Qt::KeyboardModifiers modifiers =
        event.modifiers() & ~(Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_V) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert))
        return kPasteChar;
    if ((modifiers == Qt::ControlModifier && key == Qt::Key_X) ||
        (modifiers == Qt::ShiftModifier && key == Qt::Key_Delete))
        return kCutChar;
    if (isEnter(key))
        return modifiers & (Qt::AltModifier | Qt::MetaModifier) ? 0 : '\r';
    if (hasCtrlOrAlt(event))
        return 0;
    switch (key) {
    case Qt::Key_Backspace:
        return '\b';
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return '\t';
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty() || !text.front().isPrint())
        return 0;
    return isLineSeparator(text.front()) ? '\r' : text.front().unicode();
}

Qt::Key qtKeyForCode(int code) {
    switch (code) {
    case '\r':
    case '\n':
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
        return Qt::Key_Return;
    case '\b':
        return Qt::Key_Backspace;
    case '\t':
        return Qt::Key_Tab;
    case 27:
        return Qt::Key_Escape;
    default:
        return Qt::Key_unknown;
    }
}

} // namespace qx
