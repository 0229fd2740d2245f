#pragma once

#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "hostlib/ScriptReference.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"

#include <QStringList>

#include <gtest/gtest.h>

// Readable failure messages for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace qx::test {

// A set of the names, each valued with the empty text.
inline Properties nameSet(const QStringList& names) {
    Properties set;
    for (const QString& name : names)
        set.Add(name, QString());
    return set;
}

// A script reference that records what it is asked and answers what the test set.
class RecordingReference : public ScriptReference {
public:
    struct Answers {
        QStringList handlerNames;
        QString handlerItems, syntax, description, commandValues, argumentValues;
    };
    struct Log {
        QStringList calls;
        int instances = 0, databaseSets = 0;
    };

    RecordingReference(const Answers& answers, Log& log)
        : mAnswers(answers)
        , mLog(log) {
        ++mLog.instances;
    }

    void setDatabase(QObject* database) override {
        ++mLog.databaseSets;
        ScriptReference::setDatabase(database);
    }
    std::unique_ptr<Properties> HandlerNames(const QString& handler, bool excludeHidden,
                                             int reserved) override {
        record({"HandlerNames", handler, excludeHidden ? "exclude" : "include", QString::number(reserved)});
        return std::make_unique<Properties>(nameSet(mAnswers.handlerNames));
    }
    QString HandlerItems(const QString& h) override {
        return reply({"HandlerItems", h}, mAnswers.handlerItems);
    }
    QString CommandSyntax(const QString& h, const QString& c) override {
        return reply({"CommandSyntax", h, c}, mAnswers.syntax);
    }
    QString CommandDescription(const QString& h, const QString& c) override {
        return reply({"CommandDescription", h, c}, mAnswers.description);
    }
    QString CommandValues(const QString& h, const QString& c) override {
        return reply({"CommandValues", h, c}, mAnswers.commandValues);
    }
    QString ArgumentValues(const QString& h, const QString& c, const QString& argument) override {
        return reply({"ArgumentValues", h, c, argument}, mAnswers.argumentValues);
    }

private:
    // One line per call: the operation and its texts, separated by "|".
    void record(const QStringList& parts) { mLog.calls.append(parts.join(QLatin1Char('|'))); }
    QString reply(const QStringList& parts, const QString& answer) {
        record(parts);
        return answer;
    }

    Answers mAnswers;
    Log& mLog;
};

// The control's side of code assistance on the in-memory platform: its fields, a change handler that runs
// the completion trigger as the control's does, and the two popups.
class AssistFixture : public ::testing::Test, public CodeBoxEvents {
protected:
    AssistFixture() {
        setEvents(box, this);
        popups.setStatusPanels(&status);
        trigger.setReferenceFactory([this] { return std::make_unique<RecordingReference>(answers, log); });
    }

    void Change() override {
        if (mbBusy)
            return;
        ++handledChanges;
        trigger.ShowCompletion(box.GetScrollPos(), false);
    }

    // Puts text into the box without running the trigger and the caret at its end (or at caret).
    void setText(const QString& text, int caret = -1) {
        mbBusy = true;
        box.setText(text);
        mbBusy = false;
        box.setSelStart(caret < 0 ? int(text.size()) : caret);
    }
    MemoryListPopup* list() const { return static_cast<MemoryListPopup*>(popups.List()); }
    MemoryTipPopup* tip() const { return static_cast<MemoryTipPopup*>(popups.Tip()); }
    QStringList shownEntries() const { return mbListShown && list() ? list()->entries() : QStringList(); }

    EditorState state;
    bool& mbBusy = state.mbBusy;
    bool& mbListShown = state.mbListShown;
    int& mlListStart = state.mlListStart;
    bool& mbTipShown = state.mbTipShown;
    bool& mbTipLoaded = state.mbTipLoaded;
    bool& mbShowHiddenHandlers = state.mbShowHiddenHandlers;
    QPointer<QObject>& moDatabase = state.moDatabase;

    MemoryCodeBox box;
    MemoryCaretLocator caret;
    MemoryStatusPanels status;
    AssistPopups popups{state, box, caret,
                        [this] {
                            auto made = std::make_unique<MemoryListPopup>();
                            made->setOwner(&box);
                            return made;
                        },
                        [] { return std::make_unique<MemoryTipPopup>(); }};
    CompletionTrigger trigger{state, box, popups};

    RecordingReference::Answers answers;
    RecordingReference::Log log;
    int handledChanges = 0;
};

} // namespace qx::test
