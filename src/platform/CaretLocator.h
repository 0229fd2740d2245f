#pragma once

#include <QRect>

namespace qx {

// Where the code box's caret stands on the screen, for placing the popups next to it. All rectangles are
// in global device-independent pixels.
struct CaretGeometry {
    // Top-left of the caret; its height is the height of the caret's line.
    QRect caret;
    // The usable area of the screen that holds the caret.
    QRect screen;
    // 1440 twips are one inch on this screen: 15 twips per pixel at 96 dots per inch.
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
};

class CaretLocator {
public:
    virtual ~CaretLocator() = default;
    virtual CaretGeometry Locate() const = 0;
};

} // namespace qx
