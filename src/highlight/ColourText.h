#pragma once

#include "platform/CodeBox.h"

namespace qx {

// One whole highlight pass over the box with the processor the code type calls for: plain script with the
// host's object names, or tag markup in the given tag and encode colours. Returns false, leaving the text
// as it is, for a code type that has no processor.
bool ColourText(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour);

} // namespace qx
