#pragma once

#include "platform/CodeBox.h"
#include "text/FormatRuns.h"

#include <QRect>

namespace qx {

// A code box without a window, for tests of everything that drives the box. It keeps the text as given (no
// line-break conversion: a lone CR or LF stays as it is), except for the separator rule every box applies
// (text/SeparatorRule.h), and raises its events synchronously, as a real box does. The helpers at
// the end stand in for the user: they raise the events of typed keys, mouse buttons and focus changes.
class MemoryCodeBox : public CodeBox {
public:
    MemoryCodeBox() = default;

    // Counted: tests check that the per-key paths never put the whole text together.
    QString Text() const override {
        ++mWholeTextReads;
        return mText;
    }
    // Replaces the text; the formats become plain black, the caret goes to 0. Raises Change when the new
    // text differs from the old.
    void setText(const QString& text) override;
    int TextLength() const override { return int(mText.size()); }
    QString TextRange(int start, int end) const override;
    QChar CharAt(int pos) const override { return pos >= 0 && pos < mText.size() ? mText.at(pos) : QChar(); }
    int SelStart() const override { return qMin(mAnchor, mCaret); }
    void setSelStart(int pos) override;
    int SelLength() const override { return qAbs(mCaret - mAnchor); }
    void setSelLength(int length) override;
    QString SelText() const override { return mText.mid(SelStart(), SelLength()); }
    // Raises Change when something was removed or inserted, even on a locked box (code may always edit).
    void setSelText(const QString& text) override;

    void setSelColor(Colour colour) override;
    void setSelBold(bool bold) override;
    void setSelItalic(bool italic) override;
    void SetCharFormat(const CharFormatChange& change) override;
    CharFormat FormatAt(int pos) const override { return mFormats.at(pos); }

    bool Locked() const override { return mLocked; }
    void setLocked(bool locked) override { mLocked = locked; }
    double FontSize() const override { return mFontSize; }
    bool Visible() const override { return mVisible; }
    void setVisible(bool visible) override { mVisible = visible; }
    void Move(int left, int top, int width, int height) override {
        mGeometry = QRect(left, top, width, height);
    }
    // Takes the focus, raising GotFocus when the box did not have it.
    void SetFocus() override { focusIn(); }
    bool HasFocus() const override { return mFocus; }
    void Refresh() override { ++mRefreshCount; }
    void setUpdatesLocked(bool locked) override;

    void SelectRange(int start, int end) override;
    int GetLineFromChar(int pos) const override;
    QByteArray GetLine(int line, int maxChars) const override;
    ScrollPos GetScrollPos() const override { return mScroll; }
    void SetScrollPos(ScrollPos pos) override { mScroll = pos; }
    int Find(const QString& text, int start, int end, int options) const override;

    // --- what tests look at -------------------------------------------------------------------------
    const FormatRuns& formats() const { return mFormats; }
    QRect geometry() const { return mGeometry; }
    void setFontSize(double points) { mFontSize = points; }
    bool updatesLocked() const { return mUpdatesLocked; }
    // Position of the caret (the moving end of the selection) and of the anchor.
    int caret() const { return mCaret; }
    int anchor() const { return mAnchor; }
    // Calls of SetCharFormat and of setSelColor/setSelBold/setSelItalic.
    int formatCallCount() const { return mFormatCalls; }
    int refreshCount() const { return mRefreshCount; }
    int updatesLockCount() const { return mUpdatesLockCount; }
    // Calls of Text() from outside the box (its own work reads its text directly).
    int wholeTextReads() const { return mWholeTextReads; }

    // --- the user -----------------------------------------------------------------------------------
    // Types each character as a key: KeyDown, KeyPress, the insertion (raising Change), KeyUp. CR, LF and
    // the line and paragraph separators are Enter (a CR LF in the text), BS is Backspace, ESC is Escape
    // (types nothing). A locked box raises the events but its text stays as it was.
    void typeText(const QString& text);
    // Presses and releases one key: KeyDown, KeyPress for the keys that make a character (Enter, also
    // with Shift or Ctrl; Tab, Backspace, Escape, Space, letters and digits without Ctrl or Alt; 22 for
    // Ctrl+V and Shift+Insert, 24 for Ctrl+X and Shift+Delete), the key's effect, KeyUp. Effects:
    // Backspace, Delete, Enter, Tab, Space, letters and digits edit, 22 pastes the box's clipboard and 24
    // cuts to it (not on a locked box); Left, Right, Up, Down, Home and End move the caret, with Shift
    // extending the selection.
    void pressKey(int vkCode, int shift = 0);
    // The box's own clipboard, standing in for the system's: what Ctrl+V pastes and Ctrl+X cuts to.
    void setClipboardText(const QString& text) { mClipboard = text; }
    QString clipboardText() const { return mClipboard; }
    // Mouse buttons; caretPos >= 0 first moves the caret there, as a click into the text does.
    void mouseDown(int button, int shift, int x, int y, int caretPos = -1);
    void mouseUp(int button, int shift, int x, int y);
    void focusIn();
    void focusOut();

private:
    // The key's KeyDown/KeyPress/KeyUp with ch the character it makes (0 for none).
    void strokeKey(int vk, int shift, int ch);
    void typeChar(int ch);
    void keyEffect(int vk, int shift);
    void deleteBackward();
    void deleteForward();
    void moveCaret(int pos, bool extend);
    int stepLeft(int pos) const;
    int stepRight(int pos) const;
    int lineUpDown(int pos, int delta) const;
    // Sets the selection and raises SelChange when it moved.
    void select(int anchor, int caret);
    void replaceRange(int start, int end, const QString& text);
    int clamp(int pos) const { return qBound(0, pos, int(mText.size())); }
    void changeFormat(const CharFormatChange& change);

    QString mText;
    FormatRuns mFormats;
    int mAnchor = 0;
    int mCaret = 0;
    bool mLocked = false;
    bool mVisible = true;
    bool mFocus = false;
    bool mUpdatesLocked = false;
    double mFontSize = 10.0;
    QRect mGeometry;
    QString mClipboard;
    ScrollPos mScroll;
    int mFormatCalls = 0;
    int mRefreshCount = 0;
    int mUpdatesLockCount = 0;
    mutable int mWholeTextReads = 0;
};

} // namespace qx
