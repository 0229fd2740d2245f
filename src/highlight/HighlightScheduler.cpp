#include "highlight/HighlightScheduler.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightSettings.h"
#include "hostlib/Library.h"
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
    return qx::EffectiveCodeType(mState.mlCodeType, mBox.Text());
}

void HighlightScheduler::HighlightPass() {
    if (!mState.mbSyntaxHighlight)
        return; // the colours already in the text stay as they are
    if (mState.mbBusy) {
        RequestDelayedPass();
        return;
    }
    const ScopedFlag busy(mState.mbBusy);
    try {
        if (ColourText(mBox, EffectiveCodeType(), mState.mlTagColour, mState.mlEncodeColour))
            ++mPassCount;
    } catch (const std::exception& error) {
        // A pass never fails outward; the text keeps whatever colours it has.
        qCWarning(lcEditor) << "A highlight pass stopped:" << error.what();
    }
}

void HighlightScheduler::RequestDelayedPass() {
    mTimer.setEnabled(false);
    mTimer.setEnabled(true);
}

void HighlightScheduler::onTimeout() {
    mTimer.setEnabled(false);
    HighlightPass();
}

void HighlightScheduler::SyntaxHighlightClicked(int checkValue) {
    try {
        Library::instance().WriteRegistry(
            RegistryRoot::CurrentUser, QLatin1String(HighlightSettings::UserKey),
            QLatin1String(HighlightSettings::HighlightingValue), QString::number(checkValue));
    } catch (const LibraryError& error) {
        // The switch still takes effect for this session.
        qCWarning(lcEditor) << "The highlighting setting was not saved:" << error.what();
    }
    mBox.SetFocus();
    HighlightPass();
}

} // namespace qx
