#include "control/KeystrokeHandler.h"

#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "control/BlockIndent.h"
#include "control/CaretState.h"
#include "control/UndoHistory.h"
#include "encoded/EncodedLevels.h"
#include "highlight/HighlightScheduler.h"
#include "hostlib/Logging.h"
#include "platform/ApiTools.h"
#include "platform/KeyCodes.h"
#include "platform/ListPopup.h"
#include "platform/ScopedFlag.h"
#include "platform/WindowLock.h"

namespace qx {

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kClosingTagOpener = QStringLiteral("</QX");

bool hasCtrl(int shift) {
    return (shift & kCtrlMask) != 0;
}

// Keys that only move the caret: they pass inside an encoded area.
bool isMovementKey(int keyCode) {
    switch (keyCode) {
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
        return true;
    default:
        return false;
    }
}

// Unlocks repainting on every way out of a scope.
class ScopedWindowLock {
public:
    explicit ScopedWindowLock(CodeBox& box) { WindowLock::LockWindow(&box); }
    ~ScopedWindowLock() { WindowLock::UnlockWindow(); }
    ScopedWindowLock(const ScopedWindowLock&) = delete;
    ScopedWindowLock& operator=(const ScopedWindowLock&) = delete;
};
} // namespace

KeystrokeHandler::KeystrokeHandler(Parts parts)
    : mState(parts.state)
    , mBox(parts.box)
    , mPopups(parts.popups)
    , mTrigger(parts.trigger)
    , mCaret(parts.caret)
    , mLevels(parts.levels)
    , mUndo(parts.undo)
    , mScheduler(parts.scheduler) {}

// --- KeyDown ---------------------------------------------------------------------------------------------

void KeystrokeHandler::KeyDown(int& keyCode, int shift) {
    mCaret.UpdateStates();
    if (isMovementKey(keyCode))
        mUndo.EndTypingGroup();
    if (mState.mbInEncodedArea) {
        encodedAreaKey(keyCode, shift);
    } else if (keyCode == VK_TAB) {
        keyCode = 0;
        tab(shift);
    } else if (keyCode == VK_SPACE && hasCtrl(shift)) {
        keyCode = 0;
        mPopups.HideList();
        mPopups.HideTip();
        mTrigger.ShowCompletion(mBox.GetScrollPos(), true);
    } else if ((keyCode == VK_Z || keyCode == VK_Y) &&
               (shift == kCtrlMask || (keyCode == VK_Z && shift == (kCtrlMask | kShiftMask)))) {
        const bool undo = keyCode == VK_Z && shift == kCtrlMask; // Ctrl+Shift+Z redoes, as on Linux

        keyCode = 0;
        if (!mBox.Locked())
            undo ? mUndo.Undo() : mUndo.Redo();
    }
    if (mState.mbListShown)
        listKey(keyCode);
    else if (mState.mbTipShown)
        tipKey(keyCode, shift);
    recordEditingKey(keyCode, shift);
}

// Inside an encoded area the keyboard may only move the caret, and Ctrl+E steps into the area.
void KeystrokeHandler::encodedAreaKey(int& keyCode, int shift) {
    if (isMovementKey(keyCode))
        return;
    if (keyCode == VK_E && shift == kCtrlMask) {
        keyCode = 0; // the box's own Ctrl+E (the end of the line, on X11) would move the new level's caret
        mLevels.EditEncoded();
        return;
    }
    keyCode = kKeyRefused;
}

void KeystrokeHandler::tab(int shift) {
    if (mBox.Locked())
        return;
    if (mBox.SelText().contains(kCrLf)) {
        indentBlock(shift);
        return;
    }
    if (shift == 0) {
        mUndo.RecordSnapshot();
        mBox.setSelText(QStringLiteral("  "));
        mBox.setSelLength(0);
        RecheckCompletion();
    } else if (shift == kShiftMask) {
        const int start = mBox.SelStart();
        if (start < 2 || mBox.TextRange(start - 2, start) != QLatin1String("  "))
            return;
        const int length = mBox.SelLength();
        {
            const ScopedWindowLock lock(mBox);
            mUndo.RecordSnapshot();
            mBox.setSelStart(start - 2);
            mBox.setSelLength(length + 2);
            mBox.setSelText(QString());
        }
        mPopups.ClosePopups();
    }
}

// Any failure ends the indentation where it stands; repainting is allowed again.
void KeystrokeHandler::indentBlock(int shift) {
    try {
        const ScopedWindowLock lock(mBox);
        const ScrollPos scroll = mBox.GetScrollPos();
        mUndo.RecordSnapshot(); // with the caret where the user had it
        BlockIndent::ExtendSelectionToLines(mBox);
        const QString shifted = BlockIndent::ShiftLines(mBox.SelText(), shift == 0 ? 1 : -1, 2);
        mBox.setSelText(shifted);
        SelectRange(mBox, mBox.SelStart() - int(shifted.size()), int(shifted.size()));
        mBox.setSelColor(0);
        mBox.SetScrollPos(scroll);
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << "Block indentation stopped:" << error.what();
    }
    mPopups.ClosePopups();
}

// Moves of the list's selection; every key here is the list's.
void KeystrokeHandler::listKey(int& keyCode) {
    ListPopup* list = mPopups.List();
    auto move = [&](ListMove how) {
        if (list)
            list->MoveSelection(how);
        keyCode = 0;
    };
    switch (keyCode) {
    case VK_HOME:
        return move(ListMove::Home);
    case VK_END:
        return move(ListMove::End);
    case VK_NEXT:
        return move(ListMove::PageDown);
    case VK_PRIOR:
        return move(ListMove::PageUp);
    case VK_UP:
        return move(ListMove::Up);
    case VK_DOWN:
        return move(ListMove::Down);
    case VK_ESCAPE:
        mPopups.HideList();
        keyCode = 0;
        return;
    default:
        return;
    }
}

void KeystrokeHandler::tipKey(int keyCode, int shift) {
    const bool ctrlHomeEnd = hasCtrl(shift) && (keyCode == VK_HOME || keyCode == VK_END);
    switch (keyCode) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
        mPopups.HideTip();
        return;
    default:
        if (ctrlHomeEnd)
            mPopups.HideTip();
    }
}

// Delete, and Backspace or Delete with Ctrl, change the text without a KeyPress; Shift+Delete is a cut
// and gets its step from KeyPress 24.
void KeystrokeHandler::recordEditingKey(int keyCode, int shift) {
    if (mBox.Locked() || mState.mbInEncodedArea)
        return;
    const bool deletes = keyCode == VK_DELETE && shift != kShiftMask;
    const bool wordBack = keyCode == VK_BACK && hasCtrl(shift);
    if (!deletes && !wordBack)
        return;
    const int start = mBox.SelStart();
    const bool changes = mBox.SelLength() > 0 || (deletes ? start < mBox.TextLength() : start > 0);
    if (changes)
        mUndo.RecordSnapshot();
}

void KeystrokeHandler::KeyUp(int& keyCode, int shift) {
    Q_UNUSED(shift);
    mCaret.UpdateStates();
    if (mState.mbListShown && (keyCode == VK_LEFT || keyCode == VK_RIGHT)) {
        mPopups.HideList();
        keyCode = 0;
    }
}

void KeystrokeHandler::RecheckCompletion() {
    if (!mState.mbListShown)
        return;
    mPopups.ClosePopups();
    mTrigger.ShowCompletion(mBox.GetScrollPos(), true);
}

// --- KeyPress --------------------------------------------------------------------------------------------

void KeystrokeHandler::KeyPress(int& keyAscii) {
    if (mState.mbInEncodedArea) {
        keyAscii = kKeyRefused;
        return;
    }
    if (mBox.Locked()) {
        // Nothing typed reaches a locked text; Enter still closes what it would close.
        if (keyAscii == '\r' && !mState.mbListShown)
            mPopups.HideTip();
        keyAscii = kKeyRefused;
        mCaret.UpdateStates();
        return;
    }
    // One undo step for the whole key, recorded before any of it changes the text.
    if (keyAscii != 0)
        mUndo.RecordTyped(QChar(keyAscii));
    bool listWasShown = false;
    {
        const ScopedFlag busy(mState.mbBusy);
        ListPopup* list = mPopups.List();
        if (mState.mbListShown && list && list->ListIndex() >= 0)
            pressWithEntry(keyAscii, *list);
        else if (mState.mbListShown)
            pressWithoutEntry(keyAscii, listWasShown);
        else
            pressWithoutList(keyAscii);
    }
    indentNewLine(keyAscii, listWasShown);
    mUndo.Typed(keyAscii);
    mCaret.UpdateStates();
}

bool KeystrokeHandler::accept(const ListPopup& list) {
    if (mBox.SelLength() != 0)
        return false;
    AcceptListEntry(mState.mlListStart, list.Text());
    return true;
}

void KeystrokeHandler::pressWithEntry(int& keyAscii, ListPopup& list) {
    switch (keyAscii) {
    case ' ':
        if (accept(list)) {
            mPopups.HideList();
            mPopups.HideTip();
        }
        // Only after an object's member does the space stay in the text.
        if (list.ListType() != 1)
            keyAscii = 0;
        return;
    case '(':
    case '.':
        if (accept(list)) {
            mPopups.HideList();
            mPopups.HideTip();
        }
        return;
    case ':':
        accept(list);
        mPopups.HideList();
        return;
    case '<':
    case '=':
    case '>':
        if (mBox.SelLength() == 0) {
            accept(list);
            mPopups.HideList();
        }
        return;
    case '\r':
        if (accept(list))
            mPopups.HideList();
        keyAscii = 0;
        return;
    default:
        return;
    }
}

void KeystrokeHandler::pressWithoutEntry(int keyAscii, bool& listWasShown) {
    if (keyAscii == '\r') {
        listWasShown = true;
        mPopups.HideTip();
        mPopups.HideList();
    } else if (keyAscii == ':') {
        mPopups.HideList();
    } else if (keyAscii == '>') {
        if (closingTagOpenerBeforeCaret()) {
            mPopups.HideTip();
            mPopups.HideList();
            correctClosingTag();
        } else {
            mPopups.HideList();
        }
    }
}

void KeystrokeHandler::pressWithoutList(int keyAscii) {
    if (mState.mbTipShown && keyAscii == '\r') {
        mPopups.HideTip();
    } else if (keyAscii == '>' && closingTagOpenerBeforeCaret()) {
        if (mState.mbTipShown)
            mPopups.HideTip();
        correctClosingTag();
    }
}

bool KeystrokeHandler::closingTagOpenerBeforeCaret() const {
    const int caret = mBox.SelStart();
    if (caret < kClosingTagOpener.size())
        return false;
    return mBox.TextRange(caret - int(kClosingTagOpener.size()), caret)
               .compare(kClosingTagOpener, Qt::CaseInsensitive) == 0;
}

void KeystrokeHandler::correctClosingTag() {
    ReplaceRange(mBox.SelStart() - int(kClosingTagOpener.size()), int(kClosingTagOpener.size()),
                 kClosingTagOpener);
}

void KeystrokeHandler::indentNewLine(int& keyAscii, bool listWasShown) {
    if (keyAscii != '\r')
        return;
    const int indent = LineIndent(mBox);
    if (indent <= 0)
        return;
    mBox.setSelText(kCrLf + QString(indent, u' '));
    mBox.setSelLength(0);
    keyAscii = 0;
    if (listWasShown)
        mTrigger.ShowCompletion(mBox.GetScrollPos(), true);
}

// --- text changes of the key handling --------------------------------------------------------------------

void KeystrokeHandler::AcceptListEntry(int start, const QString& text) {
    try {
        const ScopedWindowLock lock(mBox);
        mBox.SelectRange(start, mBox.SelStart());
        mBox.setSelColor(0);
        mBox.setSelText(text);
        mScheduler.RequestDelayedPass();
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << "A list entry was not accepted:" << error.what();
    }
}

void KeystrokeHandler::ReplaceRange(int start, int length, const QString& text) {
    const ScopedWindowLock lock(mBox);
    const ScrollPos scroll = mBox.GetScrollPos();
    const int caret = mBox.SelStart();
    SelectRange(mBox, start, length);
    mBox.setSelText(text);
    mBox.setSelStart(caret);
    mBox.SetScrollPos(scroll);
}

} // namespace qx
