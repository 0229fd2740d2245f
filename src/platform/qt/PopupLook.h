#pragma once

class QWidget;

namespace qx {

// What the member list and the syntax tip share: the platform's tooltip colours and frame, and the code
// box's zoom, which their fonts follow.
namespace PopupLook {

// Gives the popup the tooltip palette (its window and, for item views, its base).
void useTooltipColours(QWidget* popup);
// Draws the tooltip frame around the popup's rectangle, as the style draws a tooltip's.
void paintFrame(QWidget* popup);
// The frame's width in pixels (the styles draw a tooltip's frame one pixel wide): children sit this far
// inside the popup's edges.
inline constexpr int kFrameWidth = 1;
// How much the owner (a code box) zooms its font; 1 for an owner that is no code box.
double zoomOf(const QWidget* owner);

} // namespace PopupLook

} // namespace qx
