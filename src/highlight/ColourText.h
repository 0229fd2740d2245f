#pragma once

#include "highlight/LineStates.h"
#include "platform/CodeBox.h"

namespace qx {

// One whole highlight pass over the box with the processor the code type calls for: plain script with the
// host's object names, or tag markup in the given tag and encode colours. Returns false, leaving the text
// as it is, for a code type that has no processor. With lines, the walk's line states are recorded there.
bool ColourText(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour,
                LineStates* lines = nullptr);

// Re-colours only what the edits noted in lines can have changed, with the colours a whole pass would give.
// lines must come from a pass with the same code type, colours and word lists.
bool ColourEdits(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour, LineStates& lines);

} // namespace qx
