#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

namespace qx {

// Runs a handler after each resize of a widget, for layouts that follow a child's size; owned by the
// widget it watches.
class ResizeWatcher final : public QObject {
public:
    ResizeWatcher(QObject* watched, std::function<void()> onResize)
        : QObject(watched)
        , mOnResize(std::move(onResize)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == parent() && mOnResize)
            mOnResize();
        return false;
    }

private:
    std::function<void()> mOnResize;
};

} // namespace qx
