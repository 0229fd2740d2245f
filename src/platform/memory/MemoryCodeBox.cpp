#include "platform/memory/MemoryCodeBox.h"

#include "hostlib/TextEncoding.h"
#include "platform/KeyCodes.h"
#include "text/SeparatorRule.h"
#include "text/TextFind.h"
#include "text/TextLines.h"

namespace qx {

namespace {

// The character codes the clipboard keys type: Ctrl+V (paste) and Ctrl+X (cut).
constexpr int kCtrlV = 22;
constexpr int kCtrlX = 24;

// A line break however it is typed: Enter, a line feed, a line or paragraph separator.
bool isLineBreak(int ch) {
    return ch == '\r' || ch == '\n' || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator;
}

} // namespace

// --- text and selection -------------------------------------------------------------------------------

void MemoryCodeBox::setText(const QString& given) {
    const QString text = applySeparatorRule(given);
    const bool changed = text != mText;
    const QString old = mText;
    mText = text;
    mFormats.reset(int(mText.size()));
    mAnchor = mCaret = 0;
    if (changed && mEvents) {
        mEvents->Edited(0, old, int(mText.size()));
        mEvents->Change();
    }
    select(0, 0);
}

QString MemoryCodeBox::TextRange(int start, int end) const {
    start = clamp(start);
    end = qBound(start, end, int(mText.size()));
    return mText.mid(start, end - start);
}

void MemoryCodeBox::setSelStart(int pos) {
    select(clamp(pos), clamp(pos));
}

void MemoryCodeBox::setSelLength(int length) {
    const int start = SelStart();
    select(start, clamp(start + qMax(length, 0)));
}

void MemoryCodeBox::setSelText(const QString& text) {
    replaceRange(SelStart(), SelStart() + SelLength(), applySeparatorRule(text));
}

void MemoryCodeBox::replaceRange(int start, int end, const QString& text) {
    const int oldAnchor = mAnchor;
    const int oldCaret = mCaret;
    const QString removed = mText.mid(start, end - start);
    mText.replace(start, end - start, text);
    mFormats.replace(start, end - start, int(text.size()));
    // The caret is already after the new text when Change runs, as on a real box.
    mAnchor = mCaret = start + int(text.size());
    if ((end > start || !text.isEmpty()) && mEvents) {
        mEvents->Edited(start, removed, int(text.size()));
        mEvents->Change();
    }
    const int newAnchor = mAnchor;
    const int newCaret = mCaret;
    mAnchor = oldAnchor;
    mCaret = oldCaret;
    select(newAnchor, newCaret);
}

void MemoryCodeBox::select(int anchor, int caret) {
    anchor = clamp(anchor);
    caret = clamp(caret);
    if (anchor == mAnchor && caret == mCaret)
        return;
    mAnchor = anchor;
    mCaret = caret;
    if (mEvents)
        mEvents->SelChange();
}

void MemoryCodeBox::SelectRange(int start, int end) {
    if (start < 0) {
        select(mCaret, mCaret);
        return;
    }
    select(start, end < 0 ? int(mText.size()) : end);
}

// --- formats ------------------------------------------------------------------------------------------

void MemoryCodeBox::changeFormat(const CharFormatChange& change) {
    ++mFormatCalls;
    mFormats.apply(SelStart(), SelStart() + SelLength(), change);
}

void MemoryCodeBox::setSelColor(Colour colour) {
    changeFormat({.Color = colour});
}
void MemoryCodeBox::setSelBold(bool bold) {
    changeFormat({.Bold = bold});
}
void MemoryCodeBox::setSelItalic(bool italic) {
    changeFormat({.Italic = italic});
}
void MemoryCodeBox::SetCharFormat(const CharFormatChange& change) {
    changeFormat(change);
}

void MemoryCodeBox::setUpdatesLocked(bool locked) {
    mUpdatesLocked = locked;
    if (locked)
        ++mUpdatesLockCount;
}

// --- lines and search ---------------------------------------------------------------------------------

int MemoryCodeBox::GetLineFromChar(int pos) const {
    return textlines::lineOf(mText, pos < 0 ? SelStart() : pos);
}

QByteArray MemoryCodeBox::GetLine(int line, int maxChars) const {
    int start = 0;
    int length = 0;
    if (!textlines::lineSpan(mText, line, start, length))
        return {};
    return toWindows1252(QStringView(mText).mid(start, length), maxChars);
}

int MemoryCodeBox::Find(const QString& text, int start, int end, int options) const {
    return findText(mText, text, start, end, options);
}

// --- the user -----------------------------------------------------------------------------------------

void MemoryCodeBox::typeText(const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i; // CR LF is one Enter
        const KeyStroke key = keyStrokeForChar(c);
        strokeKey(key.vk, key.shift, isLineBreak(c.unicode()) ? '\r' : c.unicode());
    }
}

void MemoryCodeBox::pressKey(int vkCode, int shift) {
    int ch = 0;
    if ((shift == kCtrlMask && vkCode == 'V') || (shift == kShiftMask && vkCode == VK_INSERT)) {
        ch = kCtrlV;
    } else if ((shift == kCtrlMask && vkCode == 'X') || (shift == kShiftMask && vkCode == VK_DELETE)) {
        ch = kCtrlX;
    } else if (vkCode == VK_RETURN && !(shift & kAltMask)) {
        ch = '\r';
    } else if (!(shift & (kCtrlMask | kAltMask))) {
        if (vkCode == VK_BACK || vkCode == VK_TAB || vkCode == VK_ESCAPE || vkCode == VK_SPACE)
            ch = vkCode;
        else if (vkCode >= VK_A && vkCode <= VK_Z)
            ch = shift & kShiftMask ? vkCode : vkCode - VK_A + 'a';
        else if (vkCode >= VK_0 && vkCode < VK_0 + 10)
            ch = shift & kShiftMask ? ")!@#$%^&*("[vkCode - VK_0] : vkCode;
    }
    strokeKey(vkCode, shift, ch);
}

void MemoryCodeBox::strokeKey(int vk, int shift, int ch) {
    int code = vk;
    if (mEvents)
        mEvents->KeyDown(code, shift);
    if (code != 0 && code != kKeyRefused) {
        if (ch != 0) {
            if (mEvents)
                mEvents->KeyPress(ch);
            if (ch != 0 && ch != kKeyRefused)
                typeChar(ch);
        } else {
            keyEffect(vk, shift);
        }
    }
    int up = vk;
    if (mEvents)
        mEvents->KeyUp(up, shift);
}

void MemoryCodeBox::typeChar(int ch) {
    if (mLocked)
        return;
    if (ch == '\b') {
        deleteBackward();
    } else if (ch == kCtrlV) {
        if (!mClipboard.isEmpty())
            setSelText(mClipboard);
    } else if (ch == kCtrlX) {
        if (SelLength() > 0) {
            mClipboard = SelText();
            setSelText(QString());
        }
    } else if (isLineBreak(ch)) {
        setSelText(QStringLiteral("\r\n"));
    } else if (ch == '\t' || ch >= ' ') {
        setSelText(QString(QChar(char16_t(ch))));
    }
}

void MemoryCodeBox::keyEffect(int vk, int shift) {
    const bool extend = shift & kShiftMask;
    const bool ctrl = shift & kCtrlMask;
    switch (vk) {
    case VK_DELETE:
        if (!mLocked)
            deleteForward();
        break;
    case VK_LEFT:
        moveCaret(SelLength() > 0 && !extend ? SelStart() : stepLeft(mCaret), extend);
        break;
    case VK_RIGHT:
        moveCaret(SelLength() > 0 && !extend ? SelStart() + SelLength() : stepRight(mCaret), extend);
        break;
    case VK_UP:
        moveCaret(lineUpDown(mCaret, -1), extend);
        break;
    case VK_DOWN:
        moveCaret(lineUpDown(mCaret, 1), extend);
        break;
    case VK_HOME:
        moveCaret(ctrl ? 0 : textlines::lineStart(mText, mCaret), extend);
        break;
    case VK_END:
        moveCaret(ctrl ? int(mText.size()) : textlines::lineEnd(mText, mCaret), extend);
        break;
    default:
        break;
    }
}

void MemoryCodeBox::deleteBackward() {
    if (SelLength() == 0 && mCaret > 0)
        select(stepLeft(mCaret), mCaret);
    if (SelLength() > 0)
        setSelText(QString());
}

void MemoryCodeBox::deleteForward() {
    if (SelLength() == 0 && mCaret < mText.size())
        select(mCaret, stepRight(mCaret));
    if (SelLength() > 0)
        setSelText(QString());
}

void MemoryCodeBox::moveCaret(int pos, bool extend) {
    select(extend ? mAnchor : pos, pos);
}

int MemoryCodeBox::stepLeft(int pos) const {
    if (pos >= 2 && mText[pos - 2] == u'\r' && mText[pos - 1] == u'\n')
        return pos - 2;
    return qMax(pos - 1, 0);
}

int MemoryCodeBox::stepRight(int pos) const {
    return qMin(pos + qMax(textlines::breakLengthAt(mText, pos), 1), int(mText.size()));
}

int MemoryCodeBox::lineUpDown(int pos, int delta) const {
    const int column = pos - textlines::lineStart(mText, pos);
    int start = 0;
    int length = 0;
    if (!textlines::lineSpan(mText, textlines::lineOf(mText, pos) + delta, start, length))
        return delta < 0 ? 0 : int(mText.size());
    return start + qMin(column, length);
}

void MemoryCodeBox::mouseDown(int button, int shift, int x, int y, int caretPos) {
    if (caretPos >= 0)
        select(caretPos, caretPos);
    if (mEvents)
        mEvents->MouseDown(button, shift, x, y);
}

void MemoryCodeBox::mouseUp(int button, int shift, int x, int y) {
    if (mEvents)
        mEvents->MouseUp(button, shift, x, y);
}

void MemoryCodeBox::focusIn() {
    if (mFocus)
        return;
    mFocus = true;
    if (mEvents)
        mEvents->GotFocus();
}

void MemoryCodeBox::focusOut() {
    if (!mFocus)
        return;
    mFocus = false;
    if (mEvents)
        mEvents->LostFocus();
}

} // namespace qx
