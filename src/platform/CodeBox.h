#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace qx {

// Colours are 0x00BBGGRR everywhere (red in the low byte); only platform/qt converts them.
using Colour = quint32;

// "No background colour set" for a run; also what FormatAt reports for a character without one.
inline constexpr Colour kNoBackColor = 0x0FFFFFFF;

// The format of one character, as FormatAt reports it.
struct CharFormat {
    Colour Color = 0;
    bool Bold = false;
    bool Italic = false;
    Colour BackColor = kNoBackColor;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

// A change of format applied to a range: unset members leave that attribute of each character as it was.
// SelColor/SelBold/SelItalic set one member each; the character-format message sets a colour, only the
// bold/italic flags that are True, and optionally a background colour.
struct CharFormatChange {
    std::optional<Colour> Color{};
    std::optional<bool> Bold{};
    std::optional<bool> Italic{};
    std::optional<Colour> BackColor{};

    CharFormat appliedTo(CharFormat f) const {
        if (Color)
            f.Color = *Color;
        if (Bold)
            f.Bold = *Bold;
        if (Italic)
            f.Italic = *Italic;
        if (BackColor)
            f.BackColor = *BackColor;
        return f;
    }
};

struct ScrollPos {
    int x = 0;
    int y = 0;
    friend bool operator==(const ScrollPos&, const ScrollPos&) = default;
};

// Shift-state bits of key and mouse events.
enum ShiftState : int { kShiftMask = 1, kCtrlMask = 2, kAltMask = 4 };
// Mouse buttons.
enum MouseButton : int { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

// Ways text reaches the box other than through a key's KeyDown and KeyPress.
enum class TextInput { Drop, SelectionPaste, InputMethod, MenuPaste, MenuCut };

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
};

// A window whose repainting can be switched off; at most one is locked at a time (see WindowLock).
class LockableWindow {
public:
    virtual ~LockableWindow() = default;
    virtual void setUpdatesLocked(bool locked) = 0;
};

// The code box `txtCode`: the rich-text box that holds the script. Every part of the control reads and
// changes the script only through this interface. Positions are zero-based UTF-16 offsets into Text().
class CodeBox : public LockableWindow {
public:
    ~CodeBox() override = default;

    // --- text and selection -------------------------------------------------------------------------
    // The whole plain text; on a box that presents line breaks as CR LF, every break reads as CR LF.
    virtual QString Text() const = 0;
    // Replaces the content (plain black, caret at 0) and raises Change when the text differs.
    virtual void setText(const QString& text) = 0;
    virtual int SelStart() const = 0;
    // Moves the caret there and empties the selection (clamped to the text).
    virtual void setSelStart(int pos) = 0;
    virtual int SelLength() const = 0;
    // Extends the selection from SelStart (clamped to the text).
    virtual void setSelLength(int length) = 0;
    virtual QString SelText() const = 0;
    // Replaces the selection, which is how text is inserted; the caret ends after the new text, which is
    // plain black. Raises Change when the text changed.
    virtual void setSelText(const QString& text) = 0;

    // --- format of the selection (plain properties: each sets exactly one attribute) -----------------
    virtual void setSelColor(Colour colour) = 0;
    virtual void setSelBold(bool bold) = 0;
    virtual void setSelItalic(bool italic) = 0;
    // The character-format message on the selection: applies the change to every selected character.
    // With an empty selection it affects nothing already in the text.
    virtual void SetCharFormat(const CharFormatChange& change) = 0;
    // Read-only format query, so colouring can be checked from outside. Out of range gives the default.
    virtual CharFormat FormatAt(int pos) const = 0;

    // --- flags and geometry -------------------------------------------------------------------------
    virtual bool Locked() const = 0;
    virtual void setLocked(bool locked) = 0;
    virtual double FontSize() const = 0;
    virtual bool Visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    // Position and size in the parent's device-independent pixels.
    virtual void Move(int left, int top, int width, int height) = 0;
    virtual void SetFocus() = 0;
    virtual bool HasFocus() const = 0;
    virtual void Refresh() = 0;

    // --- the rich-edit messages ---------------------------------------------------------------------
    // Select a range: start and end as EM_SETSEL takes them. end -1 (or start 0, end -1) selects to the end
    // of the text; start -1 removes the selection and leaves the caret; an end before the start selects
    // the characters between the two, with the caret at the end given. Both are clamped to the text.
    virtual void SelectRange(int start, int end) = 0;
    // Zero-based line of a position (clamped to the text); -1 gives the caret's line (with a selection, the
    // line where it begins). CR LF, a lone CR and a lone LF each end a line.
    virtual int GetLineFromChar(int pos) const = 0;
    // Copy of one line without its line break, in the system code page (Windows-1252; characters it
    // cannot hold become '?'), at most maxChars bytes. An out-of-range line gives an empty array.
    virtual QByteArray GetLine(int line, int maxChars) const = 0;
    // The scroll position in the box's own units; setting back what was read restores the view exactly.
    virtual ScrollPos GetScrollPos() const = 0;
    virtual void SetScrollPos(ScrollPos pos) = 0;

    // Position of the first match of text in [start, end) (end -1: to the end of the text), or -1.
    // options: 2 whole word, 4 match case. Does not move the selection.
    virtual int Find(const QString& text, int start, int end, int options) const = 0;

    // --- events -------------------------------------------------------------------------------------
    void setEvents(CodeBoxEvents* events) { mEvents = events; }
    CodeBoxEvents* events() const { return mEvents; }

protected:
    CodeBoxEvents* mEvents = nullptr;
};

} // namespace qx
