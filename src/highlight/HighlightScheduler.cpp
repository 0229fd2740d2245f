#include "highlight/HighlightScheduler.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"
#include "platform/ScopedFlag.h"

namespace qx {

HighlightScheduler::HighlightScheduler(CodeBox& box, OneShotTimer& timer, bool& busy)
    : mBox(box)
    , mTimer(timer)
    , mBusy(busy)
    , mIsOn([] { return true; })
    , mCodeType([] { return CodeTypes::Kelvane; })
    , mTagColour([] { return clsQXSyntaxHighlight::DefaultTagColour; })
    , mEncodeColour([] { return clsQXSyntaxHighlight::DefaultEncodeColour; }) {
    mTimer.setInterval(DelayMilliseconds);
    mTimer.setOnTimeout([this] { onTimeout(); });
}

HighlightScheduler::~HighlightScheduler() {
    mTimer.setOnTimeout({});
}

int HighlightScheduler::EffectiveCodeType() const {
    return qx::EffectiveCodeType(mCodeType(), mBox.Text());
}

void HighlightScheduler::HighlightPass() {
    if (!mIsOn())
        return; // the colours already in the text stay as they are
    if (mBusy) {
        RequestDelayedPass();
        return;
    }
    const ScopedFlag busy(mBusy);
    try {
        if (ColourText(mBox, EffectiveCodeType(), mTagColour(), mEncodeColour()))
            ++mPassCount;
    } catch (const std::exception&) {
        // A pass never fails outward; the text keeps whatever colours it has.
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
    } catch (const LibraryError&) {
        // The switch still takes effect for this session.
    }
    mBox.SetFocus();
    HighlightPass();
}

} // namespace qx
