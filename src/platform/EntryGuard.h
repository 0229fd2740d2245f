#pragma once

#include "hostlib/Logging.h"

#include <exception>

namespace qx {

// Runs one entry into the control from the event loop (a key, a click, a timer, a menu item): an exception
// thrown by the rules ends the entry there and is logged on the qxTagEditor2 category, so that it never
// reaches Qt's event loop, which is not exception-safe. False when the entry failed.
template <class Fn> bool runEntry(const char* entry, Fn&& fn) noexcept {
    try {
        fn();
        return true;
    } catch (const std::exception& error) {
        qCWarning(lcEditor) << entry << "failed:" << error.what();
    } catch (...) {
        qCWarning(lcEditor) << entry << "failed with an unknown exception";
    }
    return false;
}

} // namespace qx
