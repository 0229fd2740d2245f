#pragma once

#include <QString>

namespace qx {

// The system clipboard, plain text only.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    // False when the clipboard holds no text (it is empty, or holds only an image).
    virtual bool HasText() const = 0;
    virtual QString Text() const = 0;
    virtual void setText(const QString& text) = 0;
};

} // namespace qx
