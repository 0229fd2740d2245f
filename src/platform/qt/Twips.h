#pragma once

class QWidget;

namespace qx {

// Lengths on the control's surface are given in twips (1440 to the inch) and converted through the
// logical resolution of the screen that shows the widget (the primary screen before it has one): 15 twips
// make one pixel at 96 dots per inch.
class Twips {
public:
    static double perPixel(const QWidget* widget = nullptr);
    static int toPixels(int twips, const QWidget* widget = nullptr);
    static int fromPixels(int pixels, const QWidget* widget = nullptr);
};

} // namespace qx
