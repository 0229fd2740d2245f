#pragma once

#include "highlight/LineStates.h"
#include "platform/CodeBox.h"
#include "platform/EditorState.h"
#include "platform/OneShotTimer.h"

#include <optional>

namespace qx {

// Decides when the code box is re-coloured and with which processor. A direct pass re-colours the whole
// text; a delayed request (after typing) restarts a 150 ms one-shot timer, so a burst of edits costs one
// pass, and that pass re-colours only the lines the edits since the last pass can have changed, with the
// colours a whole pass would give. The control's busy flag guards against re-entry: a pass that finds it
// set becomes a delayed request. The box and the timer must outlive the scheduler.
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
    // A text edit, as the box reports it: the next delayed pass starts from the first one.
    void Edited(int position, int removed, int added) { mLines.Edited(position, removed, added); }
    // Restarts the timer, so that a pass runs 150 ms after the last request.
    void RequestDelayedPass();
    // The check box was switched: gives the focus to the box and runs a pass. Storing the choice and the
    // menu captions are the control's.
    void SyntaxHighlightClicked();

    // The code type a pass would colour with now.
    int EffectiveCodeType() const;
    // Passes that coloured the text (not those skipped, deferred or without a processor).
    int passCount() const { return mPassCount; }

private:
    // What decides the colours besides the text: a pass over edits needs the same as the pass before.
    struct Rules {
        int codeType = 0;
        Colour tagColour = 0;
        Colour encodeColour = 0;
        QString words; // the per-machine word list settings
        friend bool operator==(const Rules&, const Rules&) = default;
    };

    void onTimeout();
    void pass(bool fromEdits);
    Rules currentRules() const;

    CodeBox& mBox;
    OneShotTimer& mTimer;
    EditorState& mState;
    int mPassCount = 0;
    LineStates mLines;
    std::optional<Rules> mLastRules; // of the pass that recorded mLines
    bool mWholePassDue = false;      // a whole pass was deferred while the control was busy
};

} // namespace qx
