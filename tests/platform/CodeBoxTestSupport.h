#pragma once

#include "platform/CodeBox.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace qx::test {

// Records the events a code box raises, as short strings ("KeyDown 65 0", "KeyPress 97", "Change", ...),
// lets a test look at the box as each event arrives, and swallow or replace keys.
class EventRecorder : public CodeBoxEvents {
public:
    void Change() override { record("Change"); }
    void KeyDown(int& keyCode, int shift) override {
        record(QStringLiteral("KeyDown %1 %2").arg(keyCode).arg(shift));
        if (keyCode == swallowKeyDown)
            keyCode = 0;
    }
    void KeyPress(int& keyAscii) override {
        record(QStringLiteral("KeyPress %1").arg(keyAscii));
        if (keyAscii == replaceFrom)
            keyAscii = replaceTo;
    }
    void KeyUp(int& keyCode, int shift) override {
        record(QStringLiteral("KeyUp %1 %2").arg(keyCode).arg(shift));
    }
    void MouseDown(int button, int shift, int, int) override {
        record(QStringLiteral("MouseDown %1 %2").arg(button).arg(shift));
    }
    void MouseUp(int button, int shift, int, int) override {
        record(QStringLiteral("MouseUp %1 %2").arg(button).arg(shift));
    }
    void SelChange() override { record("SelChange"); }
    void GotFocus() override { record("GotFocus"); }
    void LostFocus() override { record("LostFocus"); }

    int count(const QString& event) const { return int(log.count(event)); }
    // The log without SelChange, which boxes may raise more or less often while the caret moves.
    QStringList withoutSelChange() const {
        QStringList result = log;
        result.removeAll(QStringLiteral("SelChange"));
        return result;
    }

    QStringList log;
    int swallowKeyDown = -1;
    int replaceFrom = -1;
    int replaceTo = -1;
    std::function<void(const QString&)> onEvent;

private:
    void record(const QString& event) {
        log << event;
        if (onEvent)
            onEvent(event);
    }
};

} // namespace qx::test
