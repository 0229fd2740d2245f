#include "platform/PopupPlacement.h"

#include <QtGlobal>

#include <algorithm>

namespace qx {

int TwipsToPixels(double twips, double twipsPerPixel) {
    if (twipsPerPixel <= 0)
        twipsPerPixel = 15.0;
    return qRound(twips / twipsPerPixel);
}

namespace {

// Keeps [start, start + length) inside [low, high) where it fits; a span longer than the room starts at low.
int keepInside(int start, int length, int low, int high) {
    if (start + length > high)
        start = high - length;
    return std::max(start, low);
}

} // namespace

QPoint PlaceListAtCaret(const QRect& caret, int offsetBelowCaretTop, const QSize& listSize,
                        const QRect& screen) {
    const int screenBottom = screen.y() + screen.height();
    int top = caret.y() + offsetBelowCaretTop;
    if (top + listSize.height() > screenBottom) {
        const int above = caret.y() - listSize.height();
        const int roomBelow = screenBottom - top;
        const int roomAbove = caret.y() - screen.y();
        // Above the line when it fits there, or at least when there is more room above than below.
        if (above >= screen.y() || roomAbove > roomBelow)
            top = above;
        top = keepInside(top, listSize.height(), screen.y(), screenBottom);
    }
    const int left = keepInside(caret.x(), listSize.width(), screen.x(), screen.x() + screen.width());
    return {left, top};
}

int ListWidthFor(int describedWidth, int neededWidth, int screenWidth) {
    return std::max(describedWidth, std::min(neededWidth, screenWidth / 2));
}

TipLayout LayoutTip(const QRect& current, const QRect& screen, int reserve, int margin, int labelWidth,
                    const std::function<int(int width)>& labelHeightFor) {
    const int screenRight = screen.x() + screen.width();
    int left = current.x();
    if (left + reserve > screenRight)
        left -= left + reserve - screenRight;
    left = std::max(left, screen.x());

    int width = labelWidth + margin;
    if (left + width > screenRight) {
        width = std::max(screenRight - left, margin + 1);
        labelWidth = width - margin;
    }
    const int height = labelHeightFor(labelWidth) + margin;
    const int bottom = current.y() + current.height();
    return {QRect(left, bottom - height, width, height), labelWidth};
}

QRect KeepTipOnScreen(const QRect& frame, const QRect& caret, const QRect& screen) {
    QRect kept = frame;
    if (kept.top() < screen.top())
        kept.moveTop(caret.y() + caret.height());
    kept.moveTop(keepInside(kept.top(), kept.height(), screen.y(), screen.y() + screen.height()));
    return kept;
}

QRect TipFrameAboveCaret(const QRect& caret, const QSize& tipSize) {
    return {QPoint(caret.x(), caret.y() - tipSize.height()), tipSize};
}

QPoint PlaceDialogClearOf(const QRect& dialog, const QRect& match, const QRect& screen) {
    if (!dialog.intersects(match))
        return dialog.topLeft();
    constexpr int kGap = 8;
    const int below = match.bottom() + 1 + kGap;
    const int top =
        below + dialog.height() <= screen.bottom() + 1 ? below : match.top() - kGap - dialog.height();
    const int left =
        qBound(screen.left(), dialog.left(), qMax(screen.left(), screen.right() + 1 - dialog.width()));
    return {left, qMax(screen.top(), top)};
}

} // namespace qx
