#pragma once

#include "platform/EntryGuard.h"

#include <functional>

namespace qx {

// A timer used as a one-shot: Enabled true starts the interval afresh, false stops it; the handler
// decides whether to run again. QTimer stands behind it in the widget, a manual timer in tests.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int Interval() const = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    void setOnTimeout(std::function<void()> handler) { mOnTimeout = std::move(handler); }

protected:
    void timeout() {
        if (mOnTimeout)
            runEntry("Timer", mOnTimeout);
    }

private:
    std::function<void()> mOnTimeout;
};

} // namespace qx
