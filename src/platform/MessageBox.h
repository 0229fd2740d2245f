#pragma once

#include <QString>

namespace qx {

// The modal message box, behind an interface so that tests can answer it.
class MessageBox {
public:
    enum class Icon { Information, Exclamation, Critical };
    virtual ~MessageBox() = default;
    // Shows the text with an OK button and waits until it is closed.
    virtual void Show(Icon icon, const QString& title, const QString& text) = 0;
};

} // namespace qx
