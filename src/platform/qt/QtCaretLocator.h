#pragma once

#include "platform/CaretLocator.h"

#include <QPointer>

class QPlainTextEdit;

namespace qx {

// The caret of a plain-text edit on the screen: its cursor rectangle mapped from the viewport, on the
// screen that holds it, with that screen's twips per pixel.
class QtCaretLocator final : public CaretLocator {
public:
    explicit QtCaretLocator(QPlainTextEdit* box)
        : mBox(box) {}
    CaretGeometry Locate() const override;

private:
    QPointer<QPlainTextEdit> mBox;
};

} // namespace qx
