#pragma once

#include <QList>
#include <QString>

namespace qx {

// One stack of the undo history: each step holds the caret to put back and the changes that led from the
// text it restores to the next step's text, so that it costs memory in proportion to what was edited.
class UndoStack {
public:
    // removed characters at position were replaced by inserted.
    struct Change {
        int position = 0;
        QString removed;
        QString inserted;
    };
    struct Step {
        int caret = 0;
        QList<Change> changes;
    };

    int Count() const { return int(mSteps.size()); }
    void Clear() { mSteps.clear(); }
    bool isEmpty() const { return mSteps.isEmpty(); }

    void push(Step step) { mSteps.append(std::move(step)); }
    Step pop() { return mSteps.takeLast(); }
    Step& top() { return mSteps.last(); }
    void dropOldest() { mSteps.removeFirst(); }

    // Characters held by the steps' texts, for measuring the history's size.
    qsizetype characters() const {
        qsizetype total = 0;
        for (const Step& step : mSteps)
            for (const Change& change : step.changes)
                total += change.removed.size() + change.inserted.size();
        return total;
    }

private:
    QList<Step> mSteps;
};

} // namespace qx
