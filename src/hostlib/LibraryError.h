#pragma once

#include <QString>
#include <stdexcept>

namespace qx {

// Raised by every failed call into the host library. Callers in the editor let it end the
// request it belongs to; the message is meant for a person.
class LibraryError : public std::runtime_error {
public:
    explicit LibraryError(const QString& message)
        : std::runtime_error(message.toStdString()) {}
    explicit LibraryError(const char* message)
        : std::runtime_error(message) {}

    QString message() const { return QString::fromStdString(what()); }
};

} // namespace qx
