#pragma once

#include "platform/Clipboard.h"

namespace qx {

// The application's clipboard (QClipboard::Clipboard mode), plain text only.
class QtClipboard final : public Clipboard {
public:
    bool HasText() const override;
    QString Text() const override;
    void setText(const QString& text) override;
};

} // namespace qx
