#pragma once

#include "platform/CaretLocator.h"

namespace qx {

// A caret that stands wherever the test puts it: by default at (100, 200), 16 pixels high, on a
// 1920 x 1080 screen at 96 dots per inch.
class MemoryCaretLocator final : public CaretLocator {
public:
    CaretGeometry Locate() const override { return mGeometry; }
    void setGeometry(const CaretGeometry& geometry) { mGeometry = geometry; }
    void setCaret(const QRect& caret) { mGeometry.caret = caret; }
    void setScreen(const QRect& screen) { mGeometry.screen = screen; }

private:
    CaretGeometry mGeometry{QRect(100, 200, 1, 16), QRect(0, 0, 1920, 1080), 15.0, 15.0};
};

} // namespace qx
