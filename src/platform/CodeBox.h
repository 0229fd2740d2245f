#pragma once

// The code box as the control sees it: the contract hosts call (the public header), plus the event wiring
// and the key-event contract, which stay inside the library.
#include <qxTagEditor2/CodeBox.h>

namespace qx {

// Shift-state bits of key and mouse events.
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
// Mouse buttons.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Ways text reaches the box other than through a key's KeyDown and KeyPress.
enum class TextInput { Drop, SelectionPaste, InputMethod, MenuPaste, MenuCut };

// A key or character code a handler sets to refuse the key: it has no effect in the box, as with 0, but
// unlike a key the control used, one that would reach no text (Escape) goes on to the box's parent.
inline constexpr int kKeyRefused = -1;

// Receives the code box's events. For one key the box raises KeyDown, then KeyPress when the key makes a
// character, then Change when the text changed (then SelChange for the caret's move), then KeyUp. A handler
// swallows a key by setting the key code (KeyDown: no KeyPress, no effect) or the character code (KeyPress:
// nothing typed) to 0; a KeyPress handler that changes the code types that character instead. Key codes are
// Windows virtual-key codes (platform/KeyCodes.h); mouse positions are pixels in the box.
class CodeBoxEvents {
public:
    virtual ~CodeBoxEvents() = default;
    virtual void Change() {}
    // Raised for every change of the text, the control's own included, as soon as Text() holds the new
    // text and before Change: the text `removed` at `position` was replaced by `added` characters.
    virtual void Edited(int position, const QString& removed, int added) {
        Q_UNUSED(position);
        Q_UNUSED(removed);
        Q_UNUSED(added);
    }
    virtual void KeyDown(int& keyCode, int shift) {
        Q_UNUSED(keyCode);
        Q_UNUSED(shift);
    }
    virtual void KeyPress(int& keyAscii) { Q_UNUSED(keyAscii); }
    virtual void KeyUp(int& keyCode, int shift) {
        Q_UNUSED(keyCode);
        Q_UNUSED(shift);
    }
    virtual void MouseDown(int button, int shift, int x, int y) {
        Q_UNUSED(button);
        Q_UNUSED(shift);
        Q_UNUSED(x);
        Q_UNUSED(y);
    }
    virtual void MouseUp(int button, int shift, int x, int y) {
        Q_UNUSED(button);
        Q_UNUSED(shift);
        Q_UNUSED(x);
        Q_UNUSED(y);
    }
    virtual void SelChange() {}
    virtual void GotFocus() {}
    virtual void LostFocus() {}
    // Text is about to change without a key: a drop (a move is one change), a middle-click paste of the
    // selection, an input-method commit, a paste or cut from a menu. Returning false refuses it, and the
    // text stays as it was. Keys go through KeyDown/KeyPress instead: Ctrl+V and Shift+Insert raise
    // KeyPress 22, Ctrl+X and Shift+Delete raise KeyPress 24.
    virtual bool BeforeInput(TextInput kind) {
        Q_UNUSED(kind);
        return true;
    }
    // A drag of the text [start, end) is starting: false offers it only as a copy, so that neither a drop
    // in the box nor one in another program takes the text away.
    virtual bool MayMoveText(int start, int end) {
        Q_UNUSED(start);
        Q_UNUSED(end);
        return true;
    }
    // The text of a tooltip for the character at `position` (the mouse rests on it); empty for none.
    virtual QString ToolTipAt(int position) {
        Q_UNUSED(position);
        return {};
    }
    // A chord the handler acts on: the box takes it before the window's shortcuts while it has the focus,
    // as Qt's text editors do for their own keys.
    virtual bool TakesChord(int keyCode, int shift) const noexcept {
        Q_UNUSED(keyCode);
        Q_UNUSED(shift);
        return false;
    }
};

// The control's side of the box: hooking its listener on and off. A host reaching the box through
// qxcSCRIPTEditor::txtCode() cannot unhook the control.
struct CodeBoxWiring {
    static void setEvents(CodeBox& box, CodeBoxEvents* events) { box.mEvents = events; }
    static CodeBoxEvents* events(const CodeBox& box) { return box.mEvents; }
};

inline void setEvents(CodeBox& box, CodeBoxEvents* events) {
    CodeBoxWiring::setEvents(box, events);
}
inline CodeBoxEvents* eventsOf(const CodeBox& box) {
    return CodeBoxWiring::events(box);
}

} // namespace qx
