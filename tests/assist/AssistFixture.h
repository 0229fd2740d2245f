#pragma once

#include "assist/AssistPopups.h"
#include "assist/CompletionTrigger.h"
#include "hostlib/ScriptReference.h"
#include "platform/memory/MemoryCaretLocator.h"
#include "platform/memory/MemoryCodeBox.h"
#include "platform/memory/MemoryListPopup.h"
#include "platform/memory/MemoryStatusPanels.h"
#include "platform/memory/MemoryTipPopup.h"

#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace qx::test {

inline Properties nameSet(const QStringList& names) {
    Properties set;
    for (const QString& name : names)
        set.Add(name, QString());
    return set;
}

// Answers what the test set for each operation (lists as "A:B"); logs each call as "operation|arg|arg...".
class RecordingReference : public ScriptReference {
public:
    struct Log {
        QStringList calls;
        int instances = 0, databaseSets = 0;
    };
    using Arg = const QString&;

    RecordingReference(const QMap<QString, QString>& answers, Log& log)
        : mAnswers(answers)
        , mLog(log) {
        ++mLog.instances;
    }
    void setDatabase(QObject* database) override {
        ++mLog.databaseSets;
        ScriptReference::setDatabase(database);
    }
    std::unique_ptr<Properties> HandlerNames(Arg h, bool excludeHidden, int reserved) override {
        auto names = std::make_unique<Properties>();
        names->Build(
            reply({"HandlerNames", h, excludeHidden ? "exclude" : "include", QString::number(reserved)}), 0,
            0, QStringLiteral(":"));
        return names;
    }
    QString HandlerItems(Arg h) override { return reply({"HandlerItems", h}); }
    QString CommandSyntax(Arg h, Arg c) override { return reply({"CommandSyntax", h, c}); }
    QString CommandDescription(Arg h, Arg c) override { return reply({"CommandDescription", h, c}); }
    QString CommandValues(Arg h, Arg c) override { return reply({"CommandValues", h, c}); }
    QString ArgumentValues(Arg h, Arg c, Arg a) override { return reply({"ArgumentValues", h, c, a}); }

private:
    QString reply(const QStringList& call) {
        mLog.calls.append(call.join(QLatin1Char('|')));
        return mAnswers.value(call.first());
    }

    const QMap<QString, QString>& mAnswers;
    Log& mLog;
};

// The in-memory popups, and a change handler that runs the completion trigger as the control's does.
class AssistFixture : public ::testing::Test, public CodeBoxEvents {
protected:
    AssistFixture() {
        setEvents(box, this);
        popups.setStatusPanels(&status);
        trigger.setReferenceFactory([this] { return std::make_unique<RecordingReference>(answers, log); });
    }

    void Change() override {
        if (state.mbBusy)
            return;
        ++handledChanges;
        trigger.ShowCompletion(box.GetScrollPos(), false);
    }

    // Puts text into the box without running the trigger, with the caret at its end (or at caret).
    void setText(const QString& text, int caret = -1) {
        state.mbBusy = true;
        box.setText(text);
        state.mbBusy = false;
        box.setSelStart(caret < 0 ? int(text.size()) : caret);
    }
    MemoryListPopup* list() const { return static_cast<MemoryListPopup*>(popups.List()); }
    MemoryTipPopup* tip() const { return static_cast<MemoryTipPopup*>(popups.Tip()); }
    QStringList shownEntries() const {
        return state.mbListShown && list() ? list()->entries() : QStringList();
    }

    EditorState state;
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

    QMap<QString, QString> answers; // by operation
    RecordingReference::Log log;
    int handledChanges = 0;
};

} // namespace qx::test
