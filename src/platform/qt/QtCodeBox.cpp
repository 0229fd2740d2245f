#include "platform/qt/QtCodeBox.h"

#include "hostlib/TextEncoding.h"
#include "platform/qt/QtKeyMap.h"
#include "text/SeparatorRule.h"
#include "text/TextFind.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace qx {

namespace {

// The plain text of mime data, or nothing when it holds none (rich text, images and bare URLs are not text).
std::optional<QString> plainTextOf(const QMimeData* data) {
    if (!data || !(data->hasFormat(QStringLiteral("text/plain")) ||
                   data->hasFormat(QStringLiteral("text/plain;charset=utf-8"))))
        return std::nullopt;
    QString text = data->text();
    if (text.isEmpty())
        return std::nullopt;
    return text;
}

// Keys of the platform's key scheme that would paste, cut, undo or redo behind the events' back: the
// clipboard keys the box knows raise KeyPress instead, and the history is the control's.
bool isOtherClipboardOrHistoryKey(const QKeyEvent& event) {
    return event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
           event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo);
}

// Alt held without Ctrl (Ctrl+Alt is AltGr on some platforms): the chord is a command, never text.
bool isAltChord(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier);
}

// Whether the key would change the text if the box let it through: it types, or it is one of the key
// scheme's editing keys.
bool reachesText(const QKeyEvent& event) {
    const int code = keyPressCodeOf(event);
    if (code != 0 && qtKeyForCode(code) != Qt::Key_Escape)
        return true;
    const QString text = event.text();
    if (!text.isEmpty() && text.front().isPrint() && !isAltChord(event))
        return true;
    for (QKeySequence::StandardKey edit :
         {QKeySequence::Delete, QKeySequence::Backspace, QKeySequence::DeleteStartOfWord,
          QKeySequence::DeleteEndOfWord, QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine}) {
        if (event.matches(edit))
            return true;
    }
    return event.key() == Qt::Key_Delete || isOtherClipboardOrHistoryKey(event);
}

} // namespace

QtCodeBox::QtCodeBox(QWidget* parent)
    : QPlainTextEdit(parent)
    , mText(document())
    , mLayout(document(), mText) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The control keeps the only history; the document's own would undo behind its back.
    setUndoRedoEnabled(false);
    // The control opens its own menu on the right button.
    setContextMenuPolicy(Qt::PreventContextMenu);
    connect(document(), &QTextDocument::contentsChange, this, &QtCodeBox::onContentsChange);
    connect(document(), &QTextDocument::contentsChanged, this, &QtCodeBox::onContentsChanged);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &QtCodeBox::onSelectionMoved);
    connect(this, &QPlainTextEdit::selectionChanged, this, &QtCodeBox::onSelectionMoved);
    setUpView();
}

QtCodeBox::~QtCodeBox() {
    // Destroying the document raises notifications that must not reach the events any more.
    mEvents = nullptr;
    disconnect(document(), nullptr, this, nullptr);
}

// --- text and selection -------------------------------------------------------------------------------

void QtCodeBox::setText(const QString& given) {
    const QString text = applySeparatorRule(given);
    // Compared where the old text lies: a whole copy of it would outlive the call in the text's cache.
    const bool changed = !mText.equals(text);
    mHeldSelection.reset();
    // The marks' cursors point into the old text: the document holds every cursor aside while it clears,
    // so a mark made or dropped during the replacement would leave it a cursor that is gone.
    clearExtraSelections();
    mSilent = true;
    mText.settingWhole(text, [&] { loadDocument(text); });
    mSilent = false;
    updateExtraSelections();
    mFormats.reset(mText.length());
    mLayout.reset(); // the new blocks have no layout formats
    mFormatsPending = false;
    mChangePending = false;
    reportSelChange(); // the caret, now at the start of the new text
    if (mEvents && changed)
        mEvents->Change();
    reportSelChange(); // where a Change handler may have moved it
}

// What QPlainTextEdit::setPlainText does, less giving the whole new text the caret's character format: that
// is the document's default here (the box shows its colours as layout formats), and costs a tenth of a load.
void QtCodeBox::loadDocument(const QString& text) {
    document()->setPlainText(text); // the document keeps no history (see the constructor)
    document()->setModified(false);
    // The insertion moved the caret to the end: back to the start, shown.
    setTextCursor(QTextCursor(document()));
}

QtCodeBox::Selection QtCodeBox::selection() const {
    if (mHeldSelection)
        return *mHeldSelection;
    const QTextCursor cursor = textCursor();
    ConvertedSelection& c = mConverted;
    if (c.docAnchor != cursor.anchor() || c.docCaret != cursor.position() || c.edits != mEdits) {
        // Each conversion walks the document's block tree: the key path asks for the selection many times.
        c = {cursor.anchor(),
             cursor.position(),
             mEdits,
             {mText.toTextPos(cursor.anchor()), mText.toTextPos(cursor.position())}};
    }
    return c.text;
}

int QtCodeBox::SelStart() const {
    const Selection s = selection();
    return qMin(s.anchor, s.caret);
}

int QtCodeBox::SelLength() const {
    const Selection s = selection();
    return qAbs(s.caret - s.anchor);
}

QString QtCodeBox::TextRange(int start, int end) const {
    start = clamp(start);
    return mText.mid(start, clamp(end) - start);
}

QString QtCodeBox::SelText() const {
    const Selection s = selection();
    return mText.mid(qMin(s.anchor, s.caret), qAbs(s.caret - s.anchor));
}

void QtCodeBox::select(int anchor, int caret) {
    const Selection wanted{clamp(anchor), clamp(caret)};
    if (formatsDeferred())
        mHeldSelection = wanted; // moving the widget's cursor costs a layout per call
    else
        showSelection(wanted);
}

void QtCodeBox::showSelection(Selection s) {
    QTextCursor cursor = textCursor();
    cursor.setPosition(mText.toDocPos(s.anchor));
    cursor.setPosition(mText.toDocPos(s.caret), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void QtCodeBox::releaseHeldSelection() {
    if (!mHeldSelection)
        return;
    const Selection held = *mHeldSelection;
    mHeldSelection.reset();
    // Whoever held the box restored the scroll position on purpose: putting the caret back must not move it.
    const ScrollPos scroll = GetScrollPos();
    showSelection(held);
    SetScrollPos(scroll);
    reportSelChange();
}

void QtCodeBox::setSelStart(int pos) {
    select(pos, pos);
}

void QtCodeBox::setSelLength(int length) {
    const int start = SelStart();
    select(start, start + qMax(length, 0));
}

void QtCodeBox::SelectRange(int start, int end) {
    if (start < 0) {
        const int caret = selection().caret;
        select(caret, caret);
        return;
    }
    select(start, end < 0 ? mText.length() : end);
}

void QtCodeBox::setSelText(const QString& text) {
    releaseHeldSelection();
    QTextCursor cursor = textCursor();
    const QString ruled = applySeparatorRule(text);
    mText.inserting(cursor.selectionStart(), ruled, [&] { cursor.insertText(ruled); });
    setTextCursor(cursor);
}

// --- clipboard and drops -------------------------------------------------------------------------------

bool QtCodeBox::canInsertFromMimeData(const QMimeData* source) const {
    return plainTextOf(source).has_value();
}

// Pasted and dropped text keeps to the separator rule too; only its plain text is ever inserted.
void QtCodeBox::insertFromMimeData(const QMimeData* source) {
    const std::optional<QString> text = plainTextOf(source);
    if (!text || isReadOnly())
        return;
    if (mMimeSource != MimeSource::Answered &&
        !allowed(mMimeSource == MimeSource::SelectionPaste ? TextInput::SelectionPaste
                                                           : TextInput::MenuPaste))
        return;
    QMimeData plain;
    const QString ruled = applySeparatorRule(*text);
    plain.setText(ruled);
    mText.inserting(textCursor().selectionStart(), ruled,
                    [&] { QPlainTextEdit::insertFromMimeData(&plain); });
}

// Copies, cuts and drags carry the selection as plain text with CR LF line breaks.
QMimeData* QtCodeBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(SelText());
    return data;
}

void QtCodeBox::pasteFromClipboard() {
    insertFrom(MimeSource::Answered,
               [this] { insertFromMimeData(QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard)); });
}

void QtCodeBox::cutToClipboard() {
    if (isReadOnly() || SelLength() == 0)
        return;
    QGuiApplication::clipboard()->setText(SelText());
    QTextCursor cursor = textCursor();
    cursor.removeSelectedText();
    setTextCursor(cursor);
    ensureCursorVisible();
}

// One question for the whole drop, a move within the box included (Qt removes the dragged selection and
// inserts it again in one edit, so the events see one Change). While it is asked, the caret stands where
// the text is to land.
void QtCodeBox::dropEvent(QDropEvent* event) {
    releaseHeldSelection();
    if (isReadOnly() || !canInsertFromMimeData(event->mimeData())) {
        QPlainTextEdit::dropEvent(event); // refused by Qt, which also takes the drop caret away
        return;
    }
    const QTextCursor before = textCursor();
    const ScrollPos scroll = GetScrollPos();
    setTextCursor(cursorForPosition(event->position().toPoint()));
    const bool ok = allowed(TextInput::Drop);
    const bool move = event->dropAction() == Qt::MoveAction && event->source() == viewport();
    if (!ok || move) {
        setTextCursor(before); // a move removes the selection it was dragged from
        SetScrollPos(scroll);
    }
    if (!ok) {
        QDragLeaveEvent leave;
        QPlainTextEdit::dragLeaveEvent(&leave); // takes the drop caret away
        event->ignore();
        return;
    }
    insertFrom(MimeSource::Answered, [&] { QPlainTextEdit::dropEvent(event); });
}

// --- the text copy and Change -------------------------------------------------------------------------

void QtCodeBox::onContentsChange(int position, int charsRemoved, int charsAdded) {
    const DocumentText::Edit edit = mText.update(position, charsRemoved, charsAdded, mInInputMethod);
    if (!edit.changed)
        return; // a format-only notification
    ++mEdits;
    if (mEvents)
        mEvents->Edited(edit.start, edit.removedText, edit.added);
    if (edit.rebuilt) {
        mFormats.reset(mText.length());
        mLayout.reset();
    } else {
        // Colours stay with their characters; what is typed is plain black.
        mFormats.replace(edit.start, edit.removed, edit.added);
        mLayout.edited(edit.start, edit.removed, edit.added);
    }
    if (mHeldSelection) {
        mHeldSelection->anchor = movedByEdit(mHeldSelection->anchor, edit);
        mHeldSelection->caret = movedByEdit(mHeldSelection->caret, edit);
    }
    // Qt leaves the edited blocks' format ranges where they were: set them again from the model. setText
    // makes new blocks, which have none.
    if (!mSilent)
        mLayout.applyForced(mFormats, edit.start, edit.start + edit.added);
    else if (edit.longestLine < 0 || edit.longestLine > LayoutFormats::kLongestColouredLine)
        mLayout.keepLongLines(edit.start, edit.start + edit.added);
    mInEdit = true;
    if (!mSilent)
        mChangePending = true;
}

int QtCodeBox::movedByEdit(int pos, const DocumentText::Edit& edit) {
    if (pos <= edit.start)
        return pos;
    if (pos < edit.start + edit.removed)
        return edit.start;
    return pos - edit.removed + edit.added;
}

void QtCodeBox::onContentsChanged() {
    mInEdit = false;
    if (mChangePending) {
        mChangePending = false;
        if (mEvents)
            mEvents->Change();
    }
    if (!mSilent)
        reportSelChange(); // setText reports the caret once the new text is in
}

void QtCodeBox::onSelectionMoved() {
    if (!mInEdit && !mSilent)
        reportSelChange();
}

void QtCodeBox::reportSelChange() {
    if (mHeldSelection)
        return; // reported once the selection reaches the widget
    const Selection now = selection();
    if (now == mReported)
        return;
    mReported = now;
    if (mEvents)
        mEvents->SelChange();
}

// --- formats ------------------------------------------------------------------------------------------

bool QtCodeBox::formatsDeferred() const {
    return mUpdatesLocked || !isVisible();
}

void QtCodeBox::changeFormat(const CharFormatChange& change) {
    const int start = SelStart();
    mFormats.apply(start, start + SelLength(), change);
    mLayout.wantedChanged(start, start + SelLength());
    mFormatsPending = true;
    if (!formatsDeferred())
        applyPendingFormats();
}

void QtCodeBox::setSelColor(Colour colour) {
    changeFormat({.Color = colour});
}
void QtCodeBox::setSelBold(bool bold) {
    changeFormat({.Bold = bold});
}
void QtCodeBox::setSelItalic(bool italic) {
    changeFormat({.Italic = italic});
}
void QtCodeBox::SetCharFormat(const CharFormatChange& change) {
    changeFormat(change);
}

void QtCodeBox::applyPendingFormats() {
    if (!mFormatsPending)
        return;
    mFormatsPending = false;
    const auto [start, end] = visibleTextRange();
    mLastAppliedBlocks = mLayout.applyChanges(mFormats, start, end);
}

std::pair<int, int> QtCodeBox::visibleTextRange() const {
    QTextBlock block = firstVisibleBlock();
    if (!block.isValid())
        return {0, 0};
    const int start = DocumentText::textStart(block);
    int end = start;
    const qreal bottom = viewport()->height();
    const QPointF offset = contentOffset();
    // The first block is always taken, so a box that was never laid out still shows its first line.
    do {
        end = DocumentText::textStart(block) + block.length();
        block = block.next();
    } while (block.isValid() && blockBoundingGeometry(block).translated(offset).top() <= bottom);
    return {start, end};
}

// Blocks that scrolled into view since the last pass get their formats just before they are painted.
void QtCodeBox::paintEvent(QPaintEvent* event) {
    const std::pair<int, int> visible = visibleTextRange();
    mLayout.applyVisible(mFormats, visible.first, visible.second);
    QPlainTextEdit::paintEvent(event);
    paintDiagnosticMarks(visible);
}

void QtCodeBox::setUpdatesLocked(bool locked) {
    mUpdatesLocked = locked;
    if (!locked)
        releaseHeld();
    setUpdatesEnabled(!locked);
}

void QtCodeBox::releaseHeld() {
    if (formatsDeferred())
        return;
    applyPendingFormats();
    releaseHeldSelection();
}

void QtCodeBox::setVisible(bool visible) {
    QPlainTextEdit::setVisible(visible);
    if (visible)
        releaseHeld();
}

void QtCodeBox::showEvent(QShowEvent* event) {
    QPlainTextEdit::showEvent(event);
    releaseHeld();
}

// --- flags, lines, scrolling, search ------------------------------------------------------------------

void QtCodeBox::setLocked(bool locked) {
    setReadOnly(locked);
    if (locked)
        setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    followPalette();
}

int QtCodeBox::GetLineFromChar(int pos) const {
    return mText.blockAt(pos < 0 ? SelStart() : clamp(pos)).blockNumber();
}

QByteArray QtCodeBox::GetLine(int line, int maxChars) const {
    const QTextBlock block = line < 0 ? QTextBlock() : document()->findBlockByNumber(line);
    if (!block.isValid())
        return {};
    return toWindows1252(block.text(), maxChars);
}

ScrollPos QtCodeBox::GetScrollPos() const {
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void QtCodeBox::SetScrollPos(ScrollPos pos) {
    horizontalScrollBar()->setValue(pos.x);
    verticalScrollBar()->setValue(pos.y);
}

int QtCodeBox::Find(const QString& text, int start, int end, int options) const {
    return findText(mText.text(), text, start, end, options);
}

// --- events -------------------------------------------------------------------------------------------

// The control's own chords win over the window's shortcuts while the box has the focus.
bool QtCodeBox::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && mEvents) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int keyCode = virtualKeyOf(*key);
        if (keyCode != 0 && mEvents->TakesChord(keyCode, shiftStateOf(key->modifiers()))) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

// Every way the user changes the text, and how the events hear of it first:
// - Keys raise KeyDown (all keys with a key code), then KeyPress when they type: characters, Enter however
//   it is pressed (a new line, never a line separator inside the line), Backspace, Tab, and the clipboard
//   keys as kPasteChar and kCutChar, which the box then carries out itself with plain text. Keys that edit
//   without typing raise KeyDown only: Delete, Ctrl+Backspace and Ctrl+Delete (a word), and in the X11
//   key scheme Ctrl+K (to the end of the line). The key scheme's other clipboard and history keys
//   (Ctrl+Shift+Insert, Alt+Backspace, F18, F20, the Paste and Cut keys, ...) do nothing: the box keeps no
//   history of its own (the control's key rules take Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z). The direction keys
//   change a line's direction, not text.
// - A drop asks BeforeInput(Drop); the middle-click paste of the selection (X11) asks
//   BeforeInput(SelectionPaste); an input method asks BeforeInput(InputMethod); paste() from code asks
//   BeforeInput(MenuPaste).
// - A drag of the selection asks MayMoveText when the button goes down on it: when the answer is no, the
//   drag is offered as a copy only. A drag out of the box that its target takes as a move is not asked
//   again: Qt removes the selection after the drop, and the events see only the Change.
// - Not asked: cut() from code and the standard context menu (off: the control opens its own menu); edits
//   made through the accessibility interface.
void QtCodeBox::keyPressEvent(QKeyEvent* event) {
    releaseHeldSelection();
    int keyCode = virtualKeyOf(*event);
    if (keyCode != 0 && mEvents) {
        mEvents->KeyDown(keyCode, shiftStateOf(event->modifiers()));
        if (swallowed(event, keyCode))
            return;
    }
    const int original = keyPressCodeOf(*event);
    int code = original;
    if (code != 0 && mEvents) {
        mEvents->KeyPress(code);
        if (swallowed(event, code))
            return;
    }
    typeCode(event, original, code);
}

// A key the control used is the box's; one it refused goes on to the parent when it would reach no text
// (Escape closes the dialog that holds a locked box), and is held back from the text otherwise.
bool QtCodeBox::swallowed(QKeyEvent* event, int code) {
    if (code != 0 && code != kKeyRefused)
        return false;
    event->setAccepted(code == 0 || reachesText(*event));
    return true;
}

void QtCodeBox::typeCode(QKeyEvent* event, int original, int code) {
    releaseHeldSelection(); // the handlers may have moved the caret of a box that is not shown
    if (code == 0 && isOtherClipboardOrHistoryKey(*event)) {
        event->accept();
    } else if (code == kPasteChar) {
        event->accept();
        pasteFromClipboard();
    } else if (code == kCutChar) {
        event->accept();
        cutToClipboard();
    } else if (code != original || qtKeyForCode(code) == Qt::Key_Return) {
        typeInstead(event, code);
    } else if (code == 0 && isAltChord(*event) && !event->text().isEmpty()) {
        event->ignore(); // Qt would type the chord's character: a disabled button's mnemonic, say
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
}

// The replacement carries no modifiers: Shift+Enter would put a line separator inside the line, and a
// character typed with Ctrl held would not be typed at all.
void QtCodeBox::typeInstead(QKeyEvent* event, int code) {
    const Qt::Key key = qtKeyForCode(code);
    const QString text = key == Qt::Key_Return ? QStringLiteral("\r") : QString(QChar(char16_t(code)));
    QKeyEvent replacement(QEvent::KeyPress, key, Qt::NoModifier, text, event->isAutoRepeat());
    QPlainTextEdit::keyPressEvent(&replacement);
    event->setAccepted(replacement.isAccepted());
}

void QtCodeBox::keyReleaseEvent(QKeyEvent* event) {
    int keyCode = virtualKeyOf(*event);
    if (keyCode != 0 && mEvents && !event->isAutoRepeat())
        mEvents->KeyUp(keyCode, shiftStateOf(event->modifiers()));
    QPlainTextEdit::keyReleaseEvent(event);
}

void QtCodeBox::mousePressEvent(QMouseEvent* event) {
    mHeldSelection.reset(); // the click puts the caret
    mDragCopyOnly = event->button() == Qt::LeftButton && mEvents && pressedOnSelection(*event) &&
                    !mEvents->MayMoveText(SelStart(), SelStart() + SelLength());
    QPlainTextEdit::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (mEvents)
        mEvents->MouseDown(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()), at.x(), at.y());
}

bool QtCodeBox::pressedOnSelection(const QMouseEvent& event) const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return false;
    const int at = cursorForPosition(event.position().toPoint()).position();
    return at >= cursor.selectionStart() && at <= cursor.selectionEnd();
}

// Qt offers a drag of the selection as a move while the box is editable: for text the events keep from
// moving, the box is not editable while the drag runs (inside this call), so only a copy is offered, a drop
// back into the box is refused, and no program the text is dropped on can take it away.
void QtCodeBox::mouseMoveEvent(QMouseEvent* event) {
    if (!mDragCopyOnly || !(event->buttons() & Qt::LeftButton) || isReadOnly()) {
        QPlainTextEdit::mouseMoveEvent(event);
        return;
    }
    const Qt::TextInteractionFlags flags = textInteractionFlags();
    setTextInteractionFlags(flags & ~Qt::TextEditable);
    QPlainTextEdit::mouseMoveEvent(event);
    setTextInteractionFlags(flags);
}

// Where the platform has a selection clipboard, Qt pastes it on a middle click, after putting the caret at
// the click; insertFromMimeData asks first.
void QtCodeBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton)
        insertFrom(MimeSource::SelectionPaste, [&] { QPlainTextEdit::mouseReleaseEvent(event); });
    else
        QPlainTextEdit::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if (mEvents)
        mEvents->MouseUp(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()), at.x(), at.y());
}

// A menu that pops up keeps the focus where it is, as far as the control is concerned.
void QtCodeBox::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    if (mEvents && event->reason() != Qt::PopupFocusReason)
        mEvents->GotFocus();
}

void QtCodeBox::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (mEvents && event->reason() != Qt::PopupFocusReason)
        mEvents->LostFocus();
}

void QtCodeBox::inputMethodEvent(QInputMethodEvent* event) {
    releaseHeldSelection();
    const QString commit = applySeparatorRule(event->commitString());
    if (commit != event->commitString())
        event->setCommitString(commit, event->replacementStart(), event->replacementLength());
    if (inputMethodMayEdit(*event)) {
        forwardInputMethodEvent(event);
        return;
    }
    // Refused: nothing is committed. The composition is still shown, unless showing it would replace the
    // selection.
    event->accept();
    if (textCursor().hasSelection())
        return;
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    forwardInputMethodEvent(&preeditOnly);
}

// A composition changes the text when it starts over a selection (which it replaces) and when it commits
// (or replaces text around the caret). The first of these asks; the answer holds while the composition is
// on screen, so that a composition asks once.
bool QtCodeBox::inputMethodMayEdit(const QInputMethodEvent& event) {
    const QString shown = textCursor().block().layout()->preeditAreaText();
    if (shown.isEmpty())
        mInputMethodAnswer.reset();
    const bool edits = !event.commitString().isEmpty() || event.replacementLength() > 0 ||
                       (textCursor().hasSelection() && event.preeditString() != shown);
    if (!edits || isReadOnly()) // Qt gives a locked box no input-method text
        return true;
    if (!mInputMethodAnswer)
        mInputMethodAnswer = allowed(TextInput::InputMethod);
    return *mInputMethodAnswer;
}

void QtCodeBox::forwardInputMethodEvent(QInputMethodEvent* event) {
    // The preedit area is reported as a change of its whole block: only what really changed is an edit.
    mInInputMethod = true;
    QPlainTextEdit::inputMethodEvent(event);
    mInInputMethod = false;
    // A preedit replaces the block's layout formats; once it is over, give the block its own back.
    if (event->preeditString().isEmpty()) {
        const int start = DocumentText::textStart(textCursor().block());
        mLayout.applyForced(mFormats, start, start + textCursor().block().length() - 1);
    }
}

} // namespace qx
