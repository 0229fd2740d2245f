#pragma once

#include "platform/CodeBox.h"

namespace qx {

// The window routines of the code box, as the rest of the control calls them.

// Selects length characters from start (a negative length selects backwards from start).
void SelectRange(CodeBox& box, int start, int length);
// The box's scroll position: x and y receive its two coordinates.
void GetScrollPosition(const CodeBox& box, int& x, int& y);
void SetScrollPosition(CodeBox& box, int x, int y);

// Leading spaces of the caret's line, as the line reads in the system code page: spaces are counted up
// to the first other byte, and at most 255 bytes of the line are looked at.
int LineIndent(const CodeBox& box);

} // namespace qx
