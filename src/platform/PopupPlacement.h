#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

namespace qx {

// Twips are 1/1440 inch; the popups' sizes and offsets are given in twips and placed in pixels.
int TwipsToPixels(double twips, double twipsPerPixel);

// Top-left of the member list for a caret. The list goes offsetBelowCaretTop pixels below the caret's
// top and starts at the caret's left. It is kept on the caret's screen: when there is no room below,
// it goes above the caret's line; when it would pass the right edge, it is pushed left.
QPoint PlaceListAtCaret(const QRect& caret, int offsetBelowCaretTop, const QSize& listSize,
                        const QRect& screen);

// Width of the member list: the described width, wider when the longest entry needs more room, but not wider
// than half the screen for that. All in pixels.
int ListWidthFor(int describedWidth, int neededWidth, int screenWidth);

// The syntax tip's fixed proportions, in twips.
struct TipMetrics {
    // Room kept free to the right of the tip's left edge.
    static constexpr int kReserveTwips = 2880;
    // The tip is this much wider and taller than its label.
    static constexpr int kMarginTwips = 60;
    // The label's width, when the screen leaves room for it.
    static constexpr int kLabelWidthTwips = 2820;
};

struct TipLayout {
    QRect frame;
    int labelWidth = 0;
    friend bool operator==(const TipLayout&, const TipLayout&) = default;
};

// Lays the tip out from where it stands (its left edge and its bottom edge are the anchors), all in
// pixels: the left edge moves left until `reserve` is free to the screen's right edge; the tip is
// `margin` wider and taller than its label; growing keeps the bottom edge; a tip that would still pass
// the screen's right edge ends at it, with its label narrowed and wrapped anew.
// labelHeightFor gives the label's height when its text wraps at a width.
TipLayout LayoutTip(const QRect& current, const QRect& screen, int reserve, int margin, int labelWidth,
                    const std::function<int(int width)>& labelHeightFor);

// A tip that would pass the top of the screen goes below the caret's line instead; in either place it is kept
// inside the screen.
QRect KeepTipOnScreen(const QRect& frame, const QRect& caret, const QRect& screen);

// The frame of a tip whose bottom edge rests on the top of the caret, before the layout rules.
QRect TipFrameAboveCaret(const QRect& caret, const QSize& tipSize);

// Where a dialog goes so that it does not cover a match it selected: where it is when it covers none of
// it, else just below the match's line, or just above it when there is no room below, kept on the screen.
QPoint PlaceDialogClearOf(const QRect& dialog, const QRect& match, const QRect& screen);

} // namespace qx
