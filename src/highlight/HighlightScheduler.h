#pragma once

#include "platform/CodeBox.h"
#include "platform/OneShotTimer.h"

#include <functional>

namespace qx {

// Decides when the code box is re-coloured and with which processor. A pass re-colours the whole text at
// once; a delayed request (after typing) restarts a 150 ms one-shot timer, so a burst of edits costs one
// pass. The control's busy flag guards against re-entry: a pass that finds it set becomes a delayed request.
// The box and the timer must outlive the scheduler.
class HighlightScheduler {
public:
    static constexpr int DelayMilliseconds = 150;

    // Sets the timer's interval and takes over its tick (disable, then pass).
    HighlightScheduler(CodeBox& box, OneShotTimer& timer, bool& busy);
    ~HighlightScheduler();
    HighlightScheduler(const HighlightScheduler&) = delete;
    HighlightScheduler& operator=(const HighlightScheduler&) = delete;

    // What the control knows; until set: highlighting on, tag markup, the default tag and encode colours.
    // isOn: the check box's value is not 0. codeType: the stored CodeType (Auto is resolved here).
    void setHighlightingOn(std::function<bool()> isOn) { mIsOn = std::move(isOn); }
    void setCodeType(std::function<int()> codeType) { mCodeType = std::move(codeType); }
    void setTagColour(std::function<Colour()> tagColour) { mTagColour = std::move(tagColour); }
    void setEncodeColour(std::function<Colour()> encodeColour) { mEncodeColour = std::move(encodeColour); }

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
    bool& mBusy;
    std::function<bool()> mIsOn;
    std::function<int()> mCodeType;
    std::function<Colour()> mTagColour;
    std::function<Colour()> mEncodeColour;
    int mPassCount = 0;
};

} // namespace qx
