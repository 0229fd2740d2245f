#include "highlight/HighlightScheduler.h"

#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightSettings.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "hostlib/Library.h"
#include "hostlib/LibraryError.h"

namespace qx {

namespace {

// Holds the busy flag for the length of a pass, whatever happens inside it.
class BusyScope {
public:
    explicit BusyScope(bool& busy)
        : mBusy(busy) {
        mBusy = true;
    }
    ~BusyScope() { mBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& mBusy;
};

} // namespace

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
    const BusyScope busy(mBusy);
    try {
        colourWith(EffectiveCodeType());
    } catch (const std::exception&) {
        // A pass never fails outward; the text keeps whatever colours it has.
    }
}

void HighlightScheduler::colourWith(int codeType) {
    clsSyntaxHighlight engine;
    if (codeType == CodeTypes::VB) {
        clsVBSyntaxHighlight processor;
        processor.setIncludeKelvaneTags(true);
        engine.ProcessSyntax(mBox, processor, true);
    } else if (codeType == CodeTypes::Kelvane) {
        clsQXSyntaxHighlight processor;
        processor.setTagColour(mTagColour());
        processor.setEncodeColour(mEncodeColour());
        engine.ProcessSyntax(mBox, processor, true);
    } else {
        return; // no processor for this code type: the text stays as it is
    }
    ++mPassCount;
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
