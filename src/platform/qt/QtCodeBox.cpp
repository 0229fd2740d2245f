#include "platform/qt/QtCodeBox.h"

#include "hostlib/TextEncoding.h"
#include "platform/SeparatorRule.h"
#include "platform/TextFind.h"
#include "platform/qt/QtKeyMap.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>

namespace qx {

QtCodeBox::QtCodeBox(QWidget* parent)
    : QPlainTextEdit(parent)
    , mText(document())
    , mLayout(document(), mText) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The control opens its own menu on the right button.
    setContextMenuPolicy(Qt::PreventContextMenu);
    // Characters without a format are plain black, whatever the style says.
    QPalette colours = palette();
    colours.setColor(QPalette::Text, Qt::black);
    colours.setColor(QPalette::Base, Qt::white);
    setPalette(colours);
    connect(document(), &QTextDocument::contentsChange, this, &QtCodeBox::onContentsChange);
    connect(document(), &QTextDocument::contentsChanged, this, &QtCodeBox::onContentsChanged);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &QtCodeBox::onSelectionMoved);
    connect(this, &QPlainTextEdit::selectionChanged, this, &QtCodeBox::onSelectionMoved);
}

QtCodeBox::~QtCodeBox() {
    // Destroying the document raises notifications that must not reach the events any more.
    setEvents(nullptr);
    disconnect(document(), nullptr, this, nullptr);
}

// --- text and selection -------------------------------------------------------------------------------

void QtCodeBox::setText(const QString& text) {
    const QString old = mText.text();
    mHeldSelection.reset();
    mSilent = true;
    setPlainText(applySeparatorRule(text));
    mSilent = false;
    mFormats.reset(int(mText.text().size()));
    mLayout.applied().reset(mFormats.length()); // the new blocks have no layout formats
    mFormatsPending = false;
    mChangePending = false;
    if (mEvents && old != mText.text())
        mEvents->Change();
    reportSelChange();
}

QtCodeBox::Selection QtCodeBox::selection() const {
    if (mHeldSelection)
        return *mHeldSelection;
    const QTextCursor cursor = textCursor();
    return {mText.toTextPos(cursor.anchor()), mText.toTextPos(cursor.position())};
}

int QtCodeBox::SelStart() const {
    const Selection s = selection();
    return qMin(s.anchor, s.caret);
}

int QtCodeBox::SelLength() const {
    const Selection s = selection();
    return qAbs(s.caret - s.anchor);
}

QString QtCodeBox::SelText() const {
    return mText.text().mid(SelStart(), SelLength());
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
    select(start, end < 0 ? int(mText.text().size()) : end);
}

void QtCodeBox::setSelText(const QString& text) {
    releaseHeldSelection();
    QTextCursor cursor = textCursor();
    cursor.insertText(applySeparatorRule(text));
    setTextCursor(cursor);
}

// Pasted and dropped text keeps to the separator rule too; only its plain text is ever inserted.
void QtCodeBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText()) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData plain;
    plain.setText(applySeparatorRule(source->text()));
    QPlainTextEdit::insertFromMimeData(&plain);
}

// --- the text copy and Change -------------------------------------------------------------------------

void QtCodeBox::onContentsChange(int position, int charsRemoved, int charsAdded) {
    const DocumentText::Edit edit = mText.update(position, charsRemoved, charsAdded, mInInputMethod);
    if (!edit.changed)
        return; // a format-only notification
    if (mEvents) {
        if (edit.rebuilt)
            mEvents->Edited(0, -1, int(mText.text().size()));
        else
            mEvents->Edited(edit.start, edit.removed, edit.added);
    }
    if (edit.rebuilt) {
        mFormats.reset(int(mText.text().size()));
        mLayout.applied().reset(mFormats.length());
    } else {
        // Colours stay with their characters; what is typed is plain black.
        mFormats.replace(edit.start, edit.removed, edit.added);
        mLayout.applied().replace(edit.start, edit.removed, edit.added);
    }
    if (mHeldSelection) {
        mHeldSelection->anchor = movedByEdit(mHeldSelection->anchor, edit);
        mHeldSelection->caret = movedByEdit(mHeldSelection->caret, edit);
    }
    // Qt leaves the edited blocks' format ranges where they were: set them again from the model. setText
    // makes new blocks, which have none.
    if (!mSilent)
        mLayout.applyForced(mFormats, edit.start, edit.start + edit.added);
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
    reportSelChange();
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
    const auto [start, end] = visibleTextRange();
    mLayout.applyVisible(start, end);
    QPlainTextEdit::paintEvent(event);
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

void QtCodeBox::keyPressEvent(QKeyEvent* event) {
    releaseHeldSelection();
    int keyCode = virtualKeyOf(*event);
    if (keyCode != 0 && mEvents) {
        mEvents->KeyDown(keyCode, shiftStateOf(event->modifiers()));
        if (keyCode == 0) {
            event->accept();
            return;
        }
    }
    const int original = keyPressCodeOf(*event);
    int code = original;
    if (code != 0 && mEvents) {
        mEvents->KeyPress(code);
        if (code == 0) {
            event->accept();
            return;
        }
    }
    if (code != original)
        typeInstead(event, code);
    else
        QPlainTextEdit::keyPressEvent(event);
}

void QtCodeBox::typeInstead(QKeyEvent* event, int code) {
    const Qt::Key key = qtKeyForCode(code);
    const QString text = key == Qt::Key_Return ? QStringLiteral("\r") : QString(QChar(char16_t(code)));
    QKeyEvent replacement(QEvent::KeyPress, key, event->modifiers(), text, event->isAutoRepeat());
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
    QPlainTextEdit::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    if (mEvents)
        mEvents->MouseDown(mouseButtonOf(event->button()), shiftStateOf(event->modifiers()), at.x(), at.y());
}

void QtCodeBox::mouseReleaseEvent(QMouseEvent* event) {
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
    // The preedit area is reported as a change of its whole block: only what really changed is an edit.
    releaseHeldSelection();
    const QString commit = applySeparatorRule(event->commitString());
    if (commit != event->commitString())
        event->setCommitString(commit, event->replacementStart(), event->replacementLength());
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
