#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qx::test {

// One user action on the control, as text: an operation and its argument ("key Ctrl+E", "type <QX:").
struct MonkeyAction {
    QString op;
    QString arg;
    friend bool operator==(const MonkeyAction&, const MonkeyAction&) = default;
};

// Lists of actions as lines of text ("op arg", the argument percent-encoded), for printing a failing run
// and for keeping it as a regression.
QString toText(const QList<MonkeyAction>& actions);
QList<MonkeyAction> actionsFromText(const QString& text);

// A deterministic list of random user actions: the same seed gives the same list.
QList<MonkeyAction> randomActions(quint32 seed, int count);

// Runs the actions on a fresh control (shown, on whatever platform the application runs) as a user makes
// them, and checks the control after each: no exception, no busy flag up, the levels as stepped, Value
// read from the control's own signal is the whole top-level text, each Undo and Redo gives back the text
// its step began from (stepping back out with a new value being a step of its own), and at the end of
// each round Undo walks back to the round's first text and Redo forward to its last. The failure, with
// the number of the action that showed it; nothing when every check held.
std::optional<QString> runActions(const QList<MonkeyAction>& actions);

// The shortest list found (by removing pieces of it) whose run still fails in `fails`.
QList<MonkeyAction> shrink(QList<MonkeyAction> actions,
                           const std::function<bool(const QList<MonkeyAction>&)>& fails);

} // namespace qx::test
