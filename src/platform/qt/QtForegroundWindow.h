#pragma once

#include "platform/ForegroundWindow.h"

class QWidget;

namespace qx {

// The foreground window in Qt terms: the active top-level window while this application is active.
class QtForegroundWindow final : public ForegroundWindow {
public:
    WindowHandle Current() const override;
    // The handle of the top-level window that holds a widget; 0 for none.
    static WindowHandle handleOf(const QWidget* widget);
};

} // namespace qx
