#pragma once

#include "platform/Clipboard.h"

#include <optional>

namespace qx {

// A clipboard of the test's own; it starts without text.
class MemoryClipboard final : public Clipboard {
public:
    bool HasText() const override { return mText.has_value(); }
    QString Text() const override { return mText.value_or(QString()); }
    void setText(const QString& text) override { mText = text; }
    // Holds something that is not text.
    void clear() { mText.reset(); }

private:
    std::optional<QString> mText;
};

} // namespace qx
