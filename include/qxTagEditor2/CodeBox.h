#pragma once

#include <qxTagEditor2/Export.h>

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace qx {

// Colours are 0x00BBGGRR everywhere (red in the low byte).
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

class CodeBoxEvents;
struct CodeBoxWiring;
class WindowLock;

// A window whose repainting the control switches off while it rewrites the window's content, one window at
// a time. Only the control's window lock switches it.
class QXTAGEDITOR2_EXPORT LockableWindow {
public:
    virtual ~LockableWindow() = default;

protected:
    virtual void setUpdatesLocked(bool locked) = 0;

private:
    friend class WindowLock;
};

// The code box `txtCode`: the rich-text box that holds the script. Every part of the control reads and
// changes the script only through this interface, and a host reaches the box through
// qxcSCRIPTEditor::txtCode(). Positions are zero-based UTF-16 offsets into Text().
class QXTAGEDITOR2_EXPORT CodeBox : public LockableWindow {
public:
    ~CodeBox() override = default;

    // --- text and selection -------------------------------------------------------------------------
    // The whole plain text; on a box that presents line breaks as CR LF, every break reads as CR LF.
    virtual QString Text() const = 0;
    // Replaces the content (plain black, caret at 0) and raises Change when the text differs.
    virtual void setText(const QString& text) = 0;
    // Range reads for paths that run on every key: a box that keeps its text in pieces answers them
    // without putting the whole text together. Positions are clamped to the text.
    virtual int TextLength() const { return int(Text().size()); }
    // The characters of [start, end); an end at or before the start gives an empty text.
    virtual QString TextRange(int start, int end) const {
        const QString text = Text();
        start = qBound(0, start, int(text.size()));
        end = qBound(start, end, int(text.size()));
        return text.mid(start, end - start);
    }
    // One character; outside the text, a null character.
    virtual QChar CharAt(int pos) const {
        const QString text = Text();
        return pos >= 0 && pos < text.size() ? text.at(pos) : QChar();
    }
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

protected:
    // Where the box raises its events: the control that owns the box, which hooks itself on and off.
    CodeBoxEvents* mEvents = nullptr;

private:
    friend struct CodeBoxWiring;
};

} // namespace qx
