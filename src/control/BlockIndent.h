#pragma once

#include <QString>

namespace qx {

class CodeBox;

// Tab on a selection of several lines: the selection is widened to whole lines and every line gains or
// loses leading spaces.
namespace BlockIndent {

// Widens the box's selection to whole lines: its end moves past the CR LF that ends the last selected
// line (unless the selection already ends with CR LF, or there is none), its start back to the start of
// its line.
void ExtendSelectionToLines(CodeBox& box);

// The text with every line indented (direction > 0) by `count` spaces, or outdented (direction < 0) by up
// to `count` leading spaces; a final CR LF stays as it is and starts no line of its own.
QString ShiftLines(const QString& text, int direction, int count);

} // namespace BlockIndent

} // namespace qx
