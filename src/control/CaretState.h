#pragma once

#include "encoded/EncodedAreas.h"
#include "text/MarkerIndex.h"

namespace qx {

class AssistPopups;
class CodeBox;
class EditBar;
class EditorShell;
class EncodedLevels;
class StatusPanels;
struct EditorState;

// Where the caret stands: in an encoded value's content or not, after an RTF value or not. The one owner
// of that answer, asked by the controller and the key rules alike. Entering or leaving an encoded value
// raises EncodingAreaChange once, unloads the popups on the way in, and switches the Edit button and the
// "Encoded" panel; the RTF button is enabled exactly while the caret follows an RTF value.
class CaretState {
public:
    CaretState(CodeBox& box, EditorState& state, EncodedLevels& levels, AssistPopups& popups, EditBar& bar,
               StatusPanels& panels, EditorShell& shell);

    void UpdateEncodedState();
    void UpdateRtfState();
    // UpdateEncodedState, then UpdateRtfState.
    void UpdateStates();
    // Keeps the RTF markers' index in step with a change of the box's text, as Edited reports it.
    void Edited(int position, int removed, int added);

private:
    CodeBox& mBox;
    EditorState& mState;
    EncodedLevels& mLevels;
    AssistPopups& mPopups;
    EditBar& mBar;
    StatusPanels& mPanels;
    EditorShell& mShell;
    // Where the RTF markers stand, so that the RTF state never scans back through the whole text.
    MarkerIndex mRtfMarkers{EncodedAreas::kRtfMarker.toString()};
};

} // namespace qx
