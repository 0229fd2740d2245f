#pragma once

#include <QLoggingCategory>

namespace qx {

// The library's logging category "qxTagEditor2". Errors that a routine ignores by design are still
// written here with qCWarning, so that a host can see why something did not happen.
Q_DECLARE_LOGGING_CATEGORY(lcEditor)

} // namespace qx
