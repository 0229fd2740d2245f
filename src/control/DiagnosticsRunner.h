#pragma once

#include "diagnostics/Diagnostic.h"
#include "diagnostics/DiagnosticsChecker.h"
#include "diagnostics/IncrementalScriptCheck.h"
#include "diagnostics/IncrementalTagCheck.h"
#include "text/OwedShift.h"

#include <QList>

#include <functional>
#include <memory>
#include <optional>

namespace qx {

class CodeBox;
class OneShotTimer;
struct ReferenceData;
class ScriptReference;
struct EditorState;

// Keeps the findings of the checks for the box's text. While live, a check runs a short delay after the
// last edit (a burst of typing costs one check) and the marks follow each edit at once in between; off,
// the text is checked only when asked. Either way the list answers for the text as it is now. The box,
// the state and the timer must outlive the runner; the timer's owner sends its ticks to Tick.
class DiagnosticsRunner {
public:
    using ReferenceFactory = std::function<std::unique_ptr<ScriptReference>()>;
    // The findings as the view reads them: an edit moves them at the cost of what it touches.
    using Marks = ShiftedList<Diagnostic>;
    // Told whenever the findings the view should mark change while live (null when live goes off). The
    // list is the runner's own, changed in place before each call; `changed` is false when they only moved
    // with an edit of the text, or a check found them as they were.
    using Shown = std::function<void(const std::shared_ptr<const Marks>&, bool changed)>;

    DiagnosticsRunner(CodeBox& box, EditorState& state, OneShotTimer& timer, Shown shown);
    ~DiagnosticsRunner();
    DiagnosticsRunner(const DiagnosticsRunner&) = delete;
    DiagnosticsRunner& operator=(const DiagnosticsRunner&) = delete;

    // A plain ScriptReference over the control's database by default.
    void setReferenceFactory(ReferenceFactory factory) { mMakeReference = std::move(factory); }

    // Turning live on checks at once; off clears the marks.
    void setLive(bool live);
    bool live() const { return mLive; }
    // The box's text changed, as Edited reports it.
    void Edited(int position, int removed, int added);
    // The timer's tick (the caller runs it as an entry of its own): the live check after the edits.
    void Tick();
    // The findings for the text as it is now, checked now when it changed since the last check.
    QList<Diagnostic> Current();
    // Counts the live checks whose findings differ from those of the check before, for the change notices.
    // The marks moving with an edit are no such change.
    qint64 revision() const { return mRevision; }

    // The first finding that starts after `position` (before it, backwards), going round the text's end;
    // none when there is none.
    std::optional<Diagnostic> Next(int position, bool backwards);
    // What the findings say about the character at `position`, one per line; empty when none covers it.
    QString MessageAt(int position) const;

private:
    // What decides the findings besides the text: a change of any needs a whole check.
    struct Rules {
        bool plainScript = false;
        const void* database = nullptr;
        const void* referenceData = nullptr; // tag markup's: the data its names are checked against
        friend bool operator==(const Rules&, const Rules&) = default;
    };

    // Every edit since the last check as one: [position, oldEnd) of the checked text is now
    // [position, newEnd).
    struct PendingEdit {
        int position = 0;
        int oldEnd = 0;
        int newEnd = 0;
    };

    // Checks when a check is due, and shows what it found while live.
    void upToDate();
    // Checks, and tells whether the findings changed.
    bool check(const Rules& rules);
    // Whether the text changed since the last check, or what decides its findings.
    bool checkDue(const Rules& rules) const { return mStale || mCheckedRules != rules; }
    // Keeps the reference that tag markup is checked against while its database and data stay.
    Rules currentRules();
    // Shows the findings; a check that found other findings than the one before counts as a change.
    void publish(bool changed);

    CodeBox& mBox;
    EditorState& mState;
    OneShotTimer& mTimer;
    Shown mShown;
    ReferenceFactory mMakeReference;
    DiagnosticsChecker mChecker;
    IncrementalScriptCheck mScript;
    std::unique_ptr<ScriptReference> mReference;
    std::shared_ptr<const ReferenceData> mReferenceData; // held, so that its address names it
    std::unique_ptr<IncrementalTagCheck> mTags;
    bool mFollowed = false; // the check of the last rules holds the text of the last check
    std::shared_ptr<Marks> mFound = std::make_shared<Marks>();
    int mLongest = 0; // no finding is longer: only those that start this far before an edit reach it
    std::optional<Rules> mCheckedRules;
    std::optional<PendingEdit> mPending;
    bool mStale = true;    // the text changed since the last check
    bool mDropped = false; // an edit since the last check took findings away
    bool mLive = false;
    qint64 mRevision = 0;
};

} // namespace qx
