#pragma once

#include "platform/OneShotTimer.h"

namespace qx {

// A timer that only fires when a test says so: advance() moves its clock, fire() ticks it at once.
class ManualTimer final : public OneShotTimer {
public:
    void setInterval(int milliseconds) override { mInterval = milliseconds; }
    int Interval() const override { return mInterval; }
    bool Enabled() const override { return mEnabled; }
    void setEnabled(bool enabled) override {
        mEnabled = enabled;
        mElapsed = 0;
        if (enabled)
            ++mStarts;
    }

    // Moves the clock on; ticks (once per whole interval while enabled) as a running timer would.
    void advance(int milliseconds) {
        mElapsed += milliseconds;
        while (mEnabled && mInterval > 0 && mElapsed >= mInterval) {
            mElapsed -= mInterval;
            ++mTicks;
            timeout();
        }
    }
    // Ticks now when enabled.
    void fire() {
        if (mEnabled) {
            ++mTicks;
            timeout();
        }
    }
    int ticks() const { return mTicks; }
    int starts() const { return mStarts; }

private:
    int mInterval = 0;
    int mElapsed = 0;
    bool mEnabled = false;
    int mTicks = 0;
    int mStarts = 0;
};

} // namespace qx
