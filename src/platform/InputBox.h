#pragma once

#include <QString>

#include <optional>

namespace qx {

// The modal input box, behind an interface so that tests can answer it.
class InputBox {
public:
    virtual ~InputBox() = default;
    // Shows the prompt with a one-line text field holding defaultText and waits for OK or Cancel.
    // OK gives the text as it stands, which may be empty; Cancel gives std::nullopt.
    virtual std::optional<QString> Ask(const QString& prompt, const QString& title,
                                       const QString& defaultText) = 0;
};

} // namespace qx
