#pragma once

#include <QString>

namespace qx {

// One thing wrong in the text: [start, start + length) in zero-based UTF-16 offsets, as SelStart counts.
struct Diagnostic {
    int start = 0;
    int length = 0;
    // A Warning may be the reference data lagging the host's interpreter; an Error is wrong in any case.
    enum class Severity { Error, Warning } severity = Severity::Error;
    QString message;

    int end() const { return start + length; }
    friend bool operator==(const Diagnostic&, const Diagnostic&) = default;
};

} // namespace qx
