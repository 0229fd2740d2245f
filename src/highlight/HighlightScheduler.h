#pragma once

#include "platform/CodeBox.h"
#include "platform/EditorState.h"
#include "platform/OneShotTimer.h"

namespace qx {

// Decides when the code box is re-coloured and with which processor. A pass re-colours the whole text at
// once; a delayed request (after typing) restarts a 150 ms one-shot timer, so a burst of edits costs one
// pass. The control's busy flag guards against re-entry: a pass that finds it set becomes a delayed request.
// The box and the timer must outlive the scheduler.
class HighlightScheduler {
public:
    static constexpr int DelayMilliseconds = 150;

    // Sets the timer's interval and takes over its tick (disable, then pass). The state gives the busy
    // flag, the check box's value, the stored code type (Auto is resolved here) and the two colours.
    HighlightScheduler(CodeBox& box, OneShotTimer& timer, EditorState& state);
    ~HighlightScheduler();
    HighlightScheduler(const HighlightScheduler&) = delete;
    HighlightScheduler& operator=(const HighlightScheduler&) = delete;

    // Re-colours the whole text now, if highlighting is on; deferred while the control is busy.
    void HighlightPass();
    // Restarts the timer, so that a pass runs 150 ms after the last request.
    void RequestDelayedPass();
    // The check box was clicked: stores its value ("1"/"0") as the per-user setting, gives the focus to the
    // box and runs a pass. A setting that cannot be stored does not stop the rest. The menu captions are
    // the control's to set afterwards.
    void SyntaxHighlightClicked(int checkValue);

    // The code type a pass would colour with now.
    int EffectiveCodeType() const;
    // Passes that coloured the text (not those skipped, deferred or without a processor).
    int passCount() const { return mPassCount; }

private:
    void onTimeout();

    CodeBox& mBox;
    OneShotTimer& mTimer;
    EditorState& mState;
    int mPassCount = 0;
};

} // namespace qx
