#pragma once

#include "platform/OneShotTimer.h"

#include <QTimer>

namespace qx {

// The widget's timers: a QTimer that the handler itself switches off to run once.
class QtOneShotTimer final : public OneShotTimer {
public:
    QtOneShotTimer() {
        QObject::connect(&mTimer, &QTimer::timeout, [this] { timeout(); });
    }
    void setInterval(int milliseconds) override { mTimer.setInterval(milliseconds); }
    int Interval() const override { return mTimer.interval(); }
    bool Enabled() const override { return mTimer.isActive(); }
    void setEnabled(bool enabled) override {
        if (enabled)
            mTimer.start();
        else
            mTimer.stop();
    }
    // Ticks now when running, as if the interval had passed: for tools that drive time themselves.
    void fire() {
        if (mTimer.isActive())
            timeout();
    }

private:
    QTimer mTimer;
};

} // namespace qx
