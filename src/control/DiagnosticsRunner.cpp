#include "control/DiagnosticsRunner.h"

#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightScheduler.h"
#include "hostlib/ScriptReference.h"
#include "platform/CodeBox.h"
#include "platform/EditorState.h"
#include "platform/OneShotTimer.h"
#include "text/TextSource.h"

#include <algorithm>
#include <utility>

namespace qx {

namespace {

// Moves the findings with an edit, so that the marks stay on their words until the next check: those after
// it shift, one the edit cuts into keeps what is left of it outside the edit, one wholly removed goes.
// Text typed at either edge of a finding stays outside it; typed inside one, it grows. Only those that
// start within `longest` before the edit can reach it. Returns whether one went.
bool followEdit(ShiftedList<Diagnostic>& found, int& longest, int position, int removed, int added) {
    const int removedEnd = position + removed;
    const int delta = added - removed;
    const size_t first = found.lowerBound(position - longest);
    const size_t last = found.lowerBound(removedEnd);
    std::vector<Diagnostic> kept;
    for (size_t i = first; i < last; ++i) {
        Diagnostic diagnostic = found.at(i);
        const int oldEnd = diagnostic.end();
        const int start = diagnostic.start < position ? diagnostic.start : position + added;
        const int end = oldEnd <= position ? oldEnd : oldEnd >= removedEnd ? oldEnd + delta : position;
        if (end <= start)
            continue;
        diagnostic.start = start;
        diagnostic.length = end - start;
        longest = std::max(longest, diagnostic.length);
        kept.push_back(std::move(diagnostic));
    }
    const bool dropped = kept.size() < last - first;
    found.replace(first, last, std::move(kept), delta);
    return dropped;
}

int longestOf(const std::vector<Diagnostic>& found) {
    int longest = 0;
    for (const Diagnostic& diagnostic : found)
        longest = std::max(longest, diagnostic.length);
    return longest;
}

} // namespace

DiagnosticsRunner::DiagnosticsRunner(CodeBox& box, EditorState& state, OneShotTimer& timer, Shown shown)
    : mBox(box)
    , mState(state)
    , mTimer(timer)
    , mShown(std::move(shown))
    , mMakeReference([] { return std::make_unique<ScriptReference>(); }) {
    mTimer.setInterval(HighlightScheduler::DelayMilliseconds);
}

DiagnosticsRunner::~DiagnosticsRunner() {
    mTimer.setEnabled(false);
}

void DiagnosticsRunner::setLive(bool live) {
    if (live == mLive)
        return;
    mLive = live;
    mTimer.setEnabled(false);
    if (live) {
        check(currentRules());
        publish(true);
    } else if (mShown) {
        mShown(nullptr, true);
    }
}

void DiagnosticsRunner::Edited(int position, int removed, int added) {
    mStale = true;
    if (!mPending) {
        mPending = PendingEdit{position, position + removed, position + added};
    } else {
        // One stretch covers every edit since the last check, in the old text and in today's.
        PendingEdit& pending = *mPending;
        const int end = std::max(pending.newEnd, position + removed);
        pending.oldEnd += end - pending.newEnd;
        pending.newEnd = end + added - removed;
        pending.position = std::min(pending.position, position);
    }
    if (!mLive)
        return;
    if (followEdit(*mFound, mLongest, position, removed, added))
        mDropped = true;
    publish(false);
    mTimer.setEnabled(true);
}

void DiagnosticsRunner::upToDate() {
    const Rules rules = currentRules();
    if (checkDue(rules)) {
        const bool changed = check(rules);
        if (mLive) {
            mTimer.setEnabled(false);
            publish(changed);
        }
    }
}

QList<Diagnostic> DiagnosticsRunner::Current() {
    upToDate();
    const std::vector<Diagnostic> found = mFound->settled();
    return QList<Diagnostic>(found.begin(), found.end());
}

void DiagnosticsRunner::Tick() {
    mTimer.setEnabled(false);
    if (!mLive)
        return;
    // The box's own change handler may still be at work on this text: look again after it.
    if (mState.mbBusy) {
        mTimer.setEnabled(true);
        return;
    }
    upToDate();
}

// A check that fails leaves the runner stale, with nothing followed: the next one checks the whole text.
bool DiagnosticsRunner::check(const Rules& rules) {
    const std::optional<PendingEdit> pending = std::exchange(mPending, std::nullopt);
    const bool follow = mFollowed && mCheckedRules == rules;
    mFollowed = false;
    mStale = true;
    if (!follow && !rules.plainScript)
        mTags = std::make_unique<IncrementalTagCheck>(mChecker.scriptCommands(), mReference.get());
    if (follow) {
        // The checks follow the edits: only what they touched is looked at again.
        if (pending) {
            const TextSource text(mBox);
            const int removed = pending->oldEnd - pending->position;
            const int added = pending->newEnd - pending->position;
            if (rules.plainScript)
                mScript.edited(text, pending->position, removed, added);
            else
                mTags->edited(text, pending->position, removed, added);
        }
    } else if (rules.plainScript) {
        // A copy of its own: the box keeps no whole-text string for the checks.
        mScript.reset(mBox.TextRange(0, mBox.TextLength()));
    } else {
        mTags->reset(mBox.TextRange(0, mBox.TextLength()));
    }
    std::vector<Diagnostic> found;
    if (rules.plainScript) {
        const QList<Diagnostic> script = mScript.findings();
        found.assign(script.begin(), script.end());
    } else {
        found = mTags->sortedFindings().settled();
    }
    // Findings an edit took away are a change too, though the marks no longer show them.
    const bool changed = std::exchange(mDropped, false) || found != mFound->settled();
    mLongest = longestOf(found);
    *mFound = Marks(std::move(found));
    mFollowed = true;
    mCheckedRules = rules;
    mStale = false;
    return changed;
}

DiagnosticsRunner::Rules DiagnosticsRunner::currentRules() {
    QObject* database = mState.moDatabase.data();
    if (EffectiveCodeType(mState.mlCodeType, mBox.TextRange(0, 4)) == CodeTypes::VB)
        return {true, database, nullptr};
    if (!mReference || !mCheckedRules || mCheckedRules->database != database) {
        mReference = mMakeReference();
        mReference->setDatabase(database);
    }
    mReferenceData = mReference->data();
    return {false, database, mReferenceData.get()};
}

void DiagnosticsRunner::publish(bool changed) {
    if (changed)
        ++mRevision;
    if (mShown)
        mShown(mFound, changed);
}

std::optional<Diagnostic> DiagnosticsRunner::Next(int position, bool backwards) {
    upToDate();
    const Marks& found = *mFound;
    if (found.size() == 0)
        return std::nullopt;
    if (backwards) {
        const size_t before = found.lowerBound(position);
        return found.at(before > 0 ? before - 1 : found.size() - 1);
    }
    const size_t after = found.lowerBound(position + 1);
    return found.at(after < found.size() ? after : 0);
}

QString DiagnosticsRunner::MessageAt(int position) const {
    QStringList messages;
    const Marks& found = *mFound;
    for (size_t i = found.lowerBound(position - mLongest); i < found.size() && found.startOf(i) <= position;
         ++i) {
        const Diagnostic diagnostic = found.at(i);
        if (position < diagnostic.end() && !messages.contains(diagnostic.message))
            messages.append(diagnostic.message);
    }
    return messages.join(u'\n');
}

} // namespace qx
