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
// Text typed at either edge of a finding stays outside it.
void followEdit(QList<Diagnostic>& found, int position, int removed, int added) {
    const int removedEnd = position + removed;
    const int delta = added - removed;
    QList<Diagnostic> kept;
    kept.reserve(found.size());
    for (Diagnostic diagnostic : found) {
        const int oldEnd = diagnostic.end();
        const int start = diagnostic.start < position      ? diagnostic.start
                          : diagnostic.start >= removedEnd ? diagnostic.start + delta
                                                           : position + added;
        const int end = oldEnd <= position ? oldEnd : oldEnd >= removedEnd ? oldEnd + delta : position;
        if (end <= start)
            continue;
        diagnostic.start = start;
        diagnostic.length = end - start;
        kept.append(std::move(diagnostic));
    }
    found = std::move(kept);
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
        mShown({});
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
    followEdit(mFound, position, removed, added);
    publish(false);
    mTimer.setEnabled(true);
}

const QList<Diagnostic>& DiagnosticsRunner::Current() {
    const Rules rules = currentRules();
    if (mStale || mCheckedRules != rules) {
        const QList<Diagnostic> before = mFound;
        check(rules);
        if (mLive) {
            mTimer.setEnabled(false);
            publish(mFound != before);
        }
    }
    return mFound;
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
    Current();
}

// A check that fails leaves the runner stale, with nothing followed: the next one checks the whole text.
void DiagnosticsRunner::check(const Rules& rules) {
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
    mFound = rules.plainScript ? mScript.findings() : mTags->findings();
    mFollowed = true;
    mCheckedRules = rules;
    mStale = false;
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
        mShown(mFound);
}

const Diagnostic* DiagnosticsRunner::Next(int position, bool backwards) {
    const QList<Diagnostic>& found = Current();
    if (found.isEmpty())
        return nullptr;
    if (backwards) {
        const auto before = std::find_if(found.rbegin(), found.rend(),
                                         [&](const Diagnostic& d) { return d.start < position; });
        return before != found.rend() ? &*before : &found.back();
    }
    const auto after =
        std::find_if(found.begin(), found.end(), [&](const Diagnostic& d) { return d.start > position; });
    return after != found.end() ? &*after : &found.front();
}

QString DiagnosticsRunner::MessageAt(int position) const {
    QStringList messages;
    for (const Diagnostic& diagnostic : mFound) {
        if (diagnostic.start > position)
            break;
        if (position < diagnostic.end() && !messages.contains(diagnostic.message))
            messages.append(diagnostic.message);
    }
    return messages.join(u'\n');
}

} // namespace qx
