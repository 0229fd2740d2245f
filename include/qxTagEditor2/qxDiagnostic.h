#pragma once

#include <QMetaType>
#include <QString>

// One thing wrong in the script, as the control's checks find it: [start, start + length) in the positions
// SelStart counts (zero-based UTF-16 offsets in the text the code box shows).
struct qxDiagnostic {
    // A Warning may be the host's reference data lagging its interpreter (an unknown handler or command);
    // an Error is wrong in any case.
    enum class Severity { Error, Warning };

    int start = 0;
    int length = 0;
    Severity severity = Severity::Error;
    // One sentence for the user, in the language installed.
    QString message;

    int end() const { return start + length; }
    friend bool operator==(const qxDiagnostic&, const qxDiagnostic&) = default;
};

Q_DECLARE_METATYPE(qxDiagnostic)
