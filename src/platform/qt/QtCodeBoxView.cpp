// The code box's view aids: the line-number gutter, the current line, matching pairs, find matches, the
// checks' findings, their tooltips and zoom.
// They draw beside and behind the text (the gutter in the viewport's margin, the rest as extra selections)
// and change the shown font only, so the text, its formats, Change and the control's history never see them.
#include "platform/EntryGuard.h"
#include "platform/qt/QtCodeBox.h"
#include "platform/qt/QtColour.h"
#include "text/BracketMatch.h"
#include "text/TextFind.h"

#include <QHelpEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace qx {

namespace {
constexpr int kGutterPadding = 6;
constexpr int kFewestDigits = 2;
constexpr double kSmallestPoints = 4;
constexpr double kLargestPoints = 96;
constexpr int kWheelStep = 120; // one notch of a wheel
constexpr int kGutterMarkWidth = 3;
} // namespace

// The strip left of the text that shows the line numbers; the box paints it.
class LineNumberGutter final : public QWidget {
public:
    explicit LineNumberGutter(QtCodeBox* box)
        : QWidget(box)
        , mBox(box) {
        setObjectName(QStringLiteral("lineNumbers"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent* event) override { mBox->paintGutter(event); }

private:
    QtCodeBox* mBox;
};

void QtCodeBox::setUpView() {
    mUnzoomedFont = font();
    followPalette();
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &QtCodeBox::updateExtraSelections);
    connect(document(), &QTextDocument::contentsChanged, this, &QtCodeBox::updateExtraSelections);
    // Find matches are looked for on screen only: scrolling brings others.
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &QtCodeBox::updateExtraSelections);
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { updateGutterGeometry(); });
    connect(this, &QPlainTextEdit::updateRequest, this, &QtCodeBox::updateGutterArea);
}

// --- extra selections: the current line, find matches and the tag or bracket pair ------------------------

void QtCodeBox::setHighlightCurrentLine(bool on) {
    mHighlightCurrentLine = on;
    updateExtraSelections();
}

void QtCodeBox::setMatchTags(bool on) {
    mMatchTags = on;
    updateExtraSelections();
}

void QtCodeBox::setMatchBrackets(bool on) {
    mMatchBrackets = on;
    updateExtraSelections();
}

void QtCodeBox::setMatchHighlight(const QString& what, int options) {
    mMatchWhat = what;
    mMatchOptions = options;
    updateExtraSelections();
}

void QtCodeBox::setDiagnosticMarks(std::shared_ptr<const ShiftedList<qxDiagnostic>> found, bool changed) {
    if (found && found->size() == 0)
        found = nullptr;
    if (!found && !mDiagnostics)
        return;
    changed = changed || !found || !mDiagnostics;
    mDiagnostics = std::move(found);
    if (!changed)
        return;
    viewport()->update();
    if (mGutter)
        mGutter->update();
}

QList<TextSpan> QtCodeBox::shownDiagnosticMarks() const {
    QList<TextSpan> spans;
    for (const qxDiagnostic& mark : visibleMarks(visibleTextRange()))
        spans.append({mark.start, mark.length});
    return spans;
}

// A wave under each line piece of a finding, drawn crisp in its colour, as a spell checker's.
void QtCodeBox::paintDiagnosticMarks(std::pair<int, int> visible) {
    const QList<qxDiagnostic> marks = visibleMarks(visible);
    if (marks.isEmpty())
        return;
    runEntry("drawing the findings", [&] { paintWaves(marks); });
}

void QtCodeBox::paintWaves(const QList<qxDiagnostic>& marks) {
    QPainter painter(viewport());
    const QPointF offset = contentOffset();
    const qreal step = qMax(2.0, fontMetrics().height() / 8.0);
    for (const qxDiagnostic& mark : marks) {
        painter.setPen(
            QPen(qtColour(mark.severity == qxDiagnostic::Severity::Error ? mViewColours.errorMark
                                                                         : mViewColours.warningMark),
                 1));
        const int from = mText.toDocPos(mark.start);
        const int to = mText.toDocPos(mark.end());
        for (QTextBlock block = document()->findBlock(from); block.isValid() && block.position() < to;
             block = block.next()) {
            const QTextLayout* layout = block.layout();
            const QPointF origin = blockBoundingGeometry(block).translated(offset).topLeft();
            const int start = qMax(from, block.position()) - block.position();
            const int end = qMin(to, block.position() + block.length() - 1) - block.position();
            for (int i = 0; layout && i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const int a = qMax(start, line.textStart());
                const int b = qMin(end, line.textStart() + line.textLength());
                if (a >= b)
                    continue;
                const qreal left = origin.x() + line.cursorToX(a);
                const qreal right = origin.x() + line.cursorToX(b);
                const qreal base = origin.y() + line.y() + line.ascent() + step / 2 + 1;
                QPolygonF wave;
                for (qreal x = left; x < right + step; x += step)
                    wave << QPointF(qMin(x, right), base + (int((x - left) / step) % 2 == 0 ? 0 : step));
                painter.drawPolyline(wave);
            }
        }
    }
}

// The findings are sorted by start and short (none crosses a line's end): those that reach into the screen
// from before it are the few just before the first one on it.
QList<qxDiagnostic> QtCodeBox::visibleMarks(std::pair<int, int> visible) const {
    QList<qxDiagnostic> shown;
    if (!mDiagnostics)
        return shown;
    const ShiftedList<qxDiagnostic>& found = *mDiagnostics;
    size_t i = found.lowerBound(visible.first);
    while (i > 0 && found.at(i - 1).end() > visible.first && visible.first - found.startOf(i - 1) < 4096)
        --i;
    for (; i < found.size() && found.startOf(i) < visible.second; ++i)
        if (const qxDiagnostic mark = found.at(i); mark.end() > visible.first)
            shown.append(mark);
    return shown;
}

std::optional<qxDiagnostic::Severity> QtCodeBox::markStartingIn(int start, int end) const {
    std::optional<qxDiagnostic::Severity> worst;
    if (!mDiagnostics)
        return worst;
    const ShiftedList<qxDiagnostic>& found = *mDiagnostics;
    for (size_t i = found.lowerBound(start); i < found.size() && found.startOf(i) < end; ++i) {
        worst = found.raw(i).severity;
        if (*worst == qxDiagnostic::Severity::Error)
            break;
    }
    return worst;
}

// One list holds them all: the current line first, then the find matches, the pair drawn over them. A caret
// away from any marker or bracket costs a look at the characters around it, and find matches a search of the
// lines on screen; the list is set again only when what it shows changes. Its cursors move with the text, so
// typing next to a pair that stays leaves the list as it is.
void QtCodeBox::updateExtraSelections() {
    // Reached from signals and event handlers: a failure leaves the marks as they were.
    runEntry("marking the view", [this] {
        const QTextCursor caret = textCursor();
        if (mSilent || caret.isNull())
            return; // new content is being set: setText marks again once it is in
        // A key moves the cursor and changes the document, and each calls here: look once.
        const ExtrasInput input{.caret = caret.position(),
                                .edits = mEdits,
                                .currentLine = mHighlightCurrentLine,
                                .matchTags = mMatchTags,
                                .matchBrackets = mMatchBrackets,
                                .matchWhat = mMatchWhat,
                                .matchOptions = mMatchOptions,
                                .visible = mMatchWhat.isEmpty() ? std::pair(0, 0) : visibleTextRange()};
        if (input == mExtrasInput)
            return;
        mExtrasInput = input;
        Extras wanted;
        if (mHighlightCurrentLine)
            wanted.currentLine = caret.blockNumber();
        wanted.matches = visibleMatches(input.visible);
        const int textCaret = mText.toTextPos(caret.position());
        if (mMatchTags)
            wanted.pair = MatchTagAt(mText.pieces(), textCaret);
        if (mMatchBrackets && !wanted.pair)
            wanted.pair = MatchBracketAt(mText.pieces(), textCaret);
        if (mGutter && mLineNumbers && mGutterCurrentLine != caret.blockNumber())
            mGutter->update(); // the caret's number stands out
        if (showing(wanted)) {
            mShownExtras = wanted;
            return;
        }

        QList<QTextEdit::ExtraSelection> extras;
        if (wanted.currentLine >= 0) {
            QTextEdit::ExtraSelection line;
            line.format.setBackground(qtColour(mViewColours.currentLine));
            line.format.setProperty(QTextFormat::FullWidthSelection, true);
            line.cursor = caret;
            line.cursor.clearSelection();
            extras << line;
        }
        const auto select = [&](const TextSpan& span, const QTextCharFormat& format) {
            QTextEdit::ExtraSelection marker;
            marker.format = format;
            marker.cursor = QTextCursor(document());
            marker.cursor.setPosition(mText.toDocPos(span.start));
            marker.cursor.setPosition(mText.toDocPos(span.end()), QTextCursor::KeepAnchor);
            extras << marker;
        };
        const auto mark = [&](const TextSpan& span, Colour colour) {
            QTextCharFormat format;
            format.setBackground(qtColour(colour));
            select(span, format);
        };
        for (const TextSpan& span : wanted.matches)
            mark(span, mViewColours.findMatch);
        if (wanted.pair) {
            mark(wanted.pair->atCaret, mViewColours.tagPair);
            mark(wanted.pair->partner, mViewColours.tagPair);
        }
        mShownExtras = wanted;
        setExtraSelections(extras);
    });
}

// The lines on screen with one character more on either side, so that a whole word at their edges is judged
// by what touches it.
QList<TextSpan> QtCodeBox::visibleMatches(std::pair<int, int> visible) const {
    QList<TextSpan> spans;
    if (mMatchWhat.isEmpty())
        return spans;
    const int from = qMax(visible.first - 1, 0);
    const QString shown = mText.mid(from, visible.second + 1 - from);
    for (const int at :
         findAll(shown, mMatchWhat, visible.first - from, visible.second - from, mMatchOptions))
        spans.append({from + at, int(mMatchWhat.size())});
    return spans;
}

void QtCodeBox::clearExtraSelections() {
    mShownExtras.reset();
    mExtrasInput = {};
    setExtraSelections({});
}

bool QtCodeBox::showing(const Extras& wanted) const {
    // Matches and a pair may cover the same spans in other colours.
    if (!mShownExtras || mShownExtras->matches.size() != wanted.matches.size() ||
        mShownExtras->pair.has_value() != wanted.pair.has_value())
        return false;
    const QList<QTextEdit::ExtraSelection> shown = extraSelections();
    qsizetype next = 0;
    if (wanted.currentLine >= 0 &&
        (next >= shown.size() || shown[next++].cursor.blockNumber() != wanted.currentLine))
        return false;
    QList<TextSpan> spans = wanted.matches;
    if (wanted.pair)
        spans << wanted.pair->atCaret << wanted.pair->partner;
    if (shown.size() - next != spans.size())
        return false;
    for (const TextSpan& span : spans) {
        const QTextCursor& cursor = shown[next++].cursor;
        if (mText.toTextPos(cursor.selectionStart()) != span.start ||
            mText.toTextPos(cursor.selectionEnd()) != span.end())
            return false;
    }
    return true;
}

// --- the gutter -------------------------------------------------------------------------------------------

void QtCodeBox::setLineNumbers(bool on) {
    if (on == mLineNumbers)
        return;
    mLineNumbers = on;
    if (on && !mGutter)
        mGutter = new LineNumberGutter(this);
    updateGutterGeometry();
    if (mGutter)
        mGutter->setVisible(on);
}

int QtCodeBox::gutterWidth() const {
    if (!mLineNumbers)
        return 0;
    int digits = 1;
    for (int lines = std::max(blockCount(), 1); lines >= 10; lines /= 10)
        ++digits;
    digits = std::max(digits, kFewestDigits);
    return 2 * kGutterPadding + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void QtCodeBox::updateGutterGeometry() {
    const int width = gutterWidth();
    if (viewportMargins().left() != width)
        setViewportMargins(width, 0, 0, 0);
    if (mGutter) {
        const QRect inside = contentsRect();
        mGutter->setGeometry(inside.left(), inside.top(), width, inside.height());
    }
}

void QtCodeBox::updateGutterArea(const QRect& rect, int dy) {
    if (!mGutter || !mLineNumbers)
        return;
    if (dy != 0)
        mGutter->scroll(0, dy);
    else
        mGutter->update(0, rect.y(), mGutter->width(), rect.height());
}

void QtCodeBox::paintGutter(QPaintEvent* event) {
    QPainter painter(mGutter);
    painter.fillRect(event->rect(), qtColour(mViewColours.gutterBack));
    painter.setPen(qtColour(mViewColours.gutterLine));
    painter.drawLine(mGutter->width() - 1, event->rect().top(), mGutter->width() - 1, event->rect().bottom());
    painter.setFont(font());

    mGutterCurrentLine = textCursor().blockNumber();
    const int right = mGutter->width() - kGutterPadding;
    const int lineHeight = fontMetrics().height();
    const QPointF offset = contentOffset();
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF bounds = blockBoundingGeometry(block).translated(offset);
        if (bounds.top() > event->rect().bottom())
            break;
        if (!block.isVisible() || bounds.bottom() < event->rect().top())
            continue;
        const int number = block.blockNumber();
        const int start = mText.toTextPos(block.position());
        if (const auto severity = markStartingIn(start, mText.toTextPos(block.position() + block.length())))
            painter.fillRect(QRectF(0, bounds.top(), kGutterMarkWidth, lineHeight),
                             qtColour(*severity == qxDiagnostic::Severity::Error ? mViewColours.errorMark
                                                                                 : mViewColours.warningMark));
        painter.setPen(qtColour(number == mGutterCurrentLine ? mViewColours.gutterCurrentNumber
                                                             : mViewColours.gutterNumber));
        painter.drawText(QRectF(0, bounds.top(), right, lineHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(number + 1));
    }
}

// --- tooltips ---------------------------------------------------------------------------------------------

int QtCodeBox::characterAt(const QPoint& point) const {
    const QTextCursor cursor = cursorForPosition(point);
    const QRect caret = cursorRect(cursor);
    if (point.y() < caret.top() || point.y() > caret.bottom())
        return -1; // below the last line
    QTextCursor under = cursor;
    if (point.x() < caret.left() && !under.atBlockStart())
        under.movePosition(QTextCursor::PreviousCharacter);
    else if (under.atBlockEnd())
        return -1; // past the line's end
    return mText.toTextPos(under.position());
}

bool QtCodeBox::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !mEvents)
        return QPlainTextEdit::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    QString tip;
    runEntry("a tooltip", [&] {
        const int position = characterAt(help->pos());
        if (position >= 0)
            tip = mEvents->ToolTipAt(position);
    });
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, viewport());
    }
    return true;
}

void QtCodeBox::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    updateGutterGeometry();
    updateExtraSelections(); // more or fewer lines on screen
}

// --- zoom -------------------------------------------------------------------------------------------------

void QtCodeBox::setZoom(int steps) {
    const double unzoomed = mUnzoomedFont.pointSizeF();
    if (unzoomed <= 0)
        return; // a pixel-sized font is not zoomed
    const double points =
        std::clamp(unzoomed + steps, std::min(kSmallestPoints, unzoomed), std::max(kLargestPoints, unzoomed));
    steps = qRound(points - unzoomed);
    if (steps == mZoom)
        return;
    QFont shown = mUnzoomedFont;
    if (steps != 0)
        shown.setPointSizeF(unzoomed + steps);
    mZoom = steps;
    mZooming = true;
    setFont(steps == 0 ? mUnzoomedFont : shown);
    mZooming = false;
    Q_EMIT zoomChanged();
}

double QtCodeBox::zoomFactor() const {
    const double unzoomed = mUnzoomedFont.pointSizeF();
    return unzoomed > 0 ? font().pointSizeF() / unzoomed : 1.0;
}

// A locked box shows the read-only look: the palette's disabled base behind the text, or its window colour
// where the disabled base is no different.
void QtCodeBox::followPalette() {
    const auto colour = [this](QPalette::ColorRole role) {
        return colourOf(palette().color(QPalette::Active, role));
    };
    QColor base = palette().color(QPalette::Active, QPalette::Base);
    if (isReadOnly())
        base = palette().color(QPalette::Disabled, QPalette::Base) != base
                   ? palette().color(QPalette::Disabled, QPalette::Base)
                   : palette().color(QPalette::Active, QPalette::Window);
    QPalette shown = viewport()->palette();
    shown.setColor(QPalette::Base, base);
    viewport()->setPalette(shown);
    const PaletteColours colours{colourOf(base), colour(QPalette::Text), colour(QPalette::Highlight)};
    // The blocks on screen take the new colours when painted, the others when they scroll into view.
    if (mLayout.setPalette(colours))
        viewport()->update();
    mViewColours = viewColours(colours);
    clearExtraSelections();
    updateExtraSelections();
    if (mGutter)
        mGutter->update();
}

void QtCodeBox::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        followPalette();
    if (event->type() != QEvent::FontChange)
        return;
    if (!mZooming) {
        // A font set from outside is shown as set, and zoom starts again from it.
        mUnzoomedFont = font();
        if (std::exchange(mZoom, 0) != 0)
            Q_EMIT zoomChanged();
    }
    updateGutterGeometry();
    updateExtraSelections(); // more or fewer lines on screen
}

void QtCodeBox::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        mWheelRemainder = 0;
        QPlainTextEdit::wheelEvent(event);
        return;
    }
    mWheelRemainder += event->angleDelta().y();
    const int steps = mWheelRemainder / kWheelStep;
    mWheelRemainder -= steps * kWheelStep;
    if (steps != 0)
        zoomBy(steps);
    event->accept();
}

} // namespace qx
