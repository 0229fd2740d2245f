#pragma once

#include "platform/CodeBox.h"

#include <QStringList>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace qx::test {

// Records a box's events as short strings ("KeyDown 65 0", "KeyPress 97", "Change", ...), shows each to
// onEvent as it arrives, and swallows or replaces keys as a handler may. Edited is replayed on a copy of
// the text, which must end up as the box's text: each edit has to name what it removed and where.
class EventRecorder : public CodeBoxEvents {
public:
    void Change() override { record("Change"); }
    void Edited(int position, const QString& removed, int added) override {
        editsMatch = editsMatch && copy.mid(position, removed.size()) == removed;
        copy.replace(position, removed.size(), box->TextRange(position, position + added));
    }
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
    // "BeforeInput Drop 3": the kind and the caret when asked.
    bool BeforeInput(TextInput kind) override {
        static const char* const kNames[] = {"Drop", "SelectionPaste", "InputMethod", "MenuPaste", "MenuCut"};
        record(QStringLiteral("BeforeInput %1 %2").arg(kNames[int(kind)]).arg(box->SelStart()));
        return allowInput;
    }

    int count(const QString& event) const { return int(log.count(event)); }
    int asked() const { return int(log.filter("BeforeInput").size()); }
    // Boxes may raise SelChange more or less often while the caret moves.
    QStringList withoutSelChange() const {
        QStringList result = log;
        result.removeAll(QStringLiteral("SelChange"));
        return result;
    }

    const CodeBox* box = nullptr;
    QString copy;
    bool editsMatch = true;
    bool allowInput = true;
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
