#pragma once

#include <QtGlobal>

namespace qx {

// Identifies a top-level window for the foreground check; 0 is no window.
using WindowHandle = quintptr;

// The window in front, as the window system reports it: one of this application's windows, or
// kOtherApplication while another application is in front.
class ForegroundWindow {
public:
    static constexpr WindowHandle kOtherApplication = ~WindowHandle(0);

    virtual ~ForegroundWindow() = default;
    virtual WindowHandle Current() const = 0;
};

} // namespace qx
