#include "highlight/HighlightScheduler.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightSettings.h"
#include "hostlib/LibraryError.h"
#include "hostlib/Logging.h"
#include "platform/ScopedFlag.h"

namespace qx {

HighlightScheduler::HighlightScheduler(CodeBox& box, OneShotTimer& timer, EditorState& state)
    : mBox(box)
    , mTimer(timer)
    , mState(state) {
    mTimer.setInterval(DelayMilliseconds);
    mTimer.setOnTimeout([this] { onTimeout(); });
}

HighlightScheduler::~HighlightScheduler() {
    mTimer.setOnTimeout({});
}

int HighlightScheduler::EffectiveCodeType() const {
    return qx::EffectiveCodeType(mState.mlCodeType, mBox.TextRange(0, 4));
}

HighlightScheduler::Rules HighlightScheduler::currentRules() const {
    using namespace HighlightSettings;
    const QChar separator = u'\n';
    return {EffectiveCodeType(), mState.mlTagColour, mState.mlEncodeColour,
            ReadMachineValue(KeywordsValue) + separator + ReadMachineValue(HostWordsValue) + separator +
                ReadMachineValue(ScriptCommandsValue)};
}

void HighlightScheduler::HighlightPass() {
    pass(false);
}

void HighlightScheduler::pass(bool fromEdits) {
    if (!mState.mbSyntaxHighlight) {
        mLines.clear(); // the colours already in the text stay as they are, and fall behind its edits
        return;
    }
    if (mState.mbBusy) {
        mWholePassDue = mWholePassDue || !fromEdits;
        RequestDelayedPass();
        return;
    }
    const ScopedFlag busy(mState.mbBusy);
    try {
        const Rules rules = currentRules();
        const bool edits = fromEdits && !mWholePassDue && mLines.known() && mLastRules == rules &&
                           mLines.length() == mBox.TextLength();
        if (edits && !mLines.edited())
            return; // the colours are those a whole pass would give
        mLastRules.reset();
        const int codeType = rules.codeType;
        const bool coloured = edits
                                  ? ColourEdits(mBox, codeType, rules.tagColour, rules.encodeColour, mLines)
                                  : ColourText(mBox, codeType, rules.tagColour, rules.encodeColour, &mLines);
        mWholePassDue = false;
        if (coloured) {
            ++mPassCount;
            mLastRules = rules;
        } else {
            mLines.clear();
        }
    } catch (const std::exception& error) {
        // A pass never fails outward; the text keeps whatever colours it has.
        mLines.clear();
        qCWarning(lcEditor) << "A highlight pass stopped:" << error.what();
    }
}

void HighlightScheduler::RequestDelayedPass() {
    mTimer.setEnabled(false);
    mTimer.setEnabled(true);
}

void HighlightScheduler::onTimeout() {
    mTimer.setEnabled(false);
    pass(true);
}

void HighlightScheduler::SyntaxHighlightClicked() {
    mBox.SetFocus();
    HighlightPass();
}

} // namespace qx
