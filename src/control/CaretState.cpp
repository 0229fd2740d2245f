#include "control/CaretState.h"

#include "assist/AssistPopups.h"
#include "control/EditorShell.h"
#include "encoded/EncodedLevels.h"
#include "platform/CodeBox.h"
#include "platform/EditBar.h"
#include "platform/EditorState.h"
#include "platform/StatusPanels.h"

namespace qx {

CaretState::CaretState(CodeBox& box, EditorState& state, EncodedLevels& levels, AssistPopups& popups,
                       EditBar& bar, StatusPanels& panels, EditorShell& shell)
    : mBox(box)
    , mState(state)
    , mLevels(levels)
    , mPopups(popups)
    , mBar(bar)
    , mPanels(panels)
    , mShell(shell) {}

void CaretState::UpdateEncodedState() {
    const bool in = mLevels.CaretInEncodedArea(mBox.SelStart());
    if (in == mState.mbInEncodedArea)
        return;
    mState.mbInEncodedArea = in;
    mShell.EncodingAreaChange(in);
    if (in)
        mPopups.UnloadPopups();
    mBar.setButtonEnabled(EditBar::kEditButton, in);
    mPanels.setPanelEnabled(QStringLiteral("Encoded"), in);
}

void CaretState::UpdateRtfState() {
    const int caret = mBox.SelStart();
    mBar.setButtonEnabled(EditBar::kRtfButton,
                          EncodedAreas::CaretAfterRtfValue(mBox, caret, mRtfMarkers.LastBefore(mBox, caret)));
}

void CaretState::UpdateStates() {
    UpdateEncodedState();
    UpdateRtfState();
}

void CaretState::Edited(int position, int removed, int added) {
    mRtfMarkers.Edited(mBox, position, removed, added);
}

} // namespace qx
