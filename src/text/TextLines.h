#pragma once

#include <QStringView>

namespace qx {

// Lines of a plain text in which CR LF, a lone CR and a lone LF each end one line (as a box that keeps one
// block per line counts them).
namespace textlines {

// Length of the line break starting at pos: 2 for CR LF, 1 for a lone CR or LF, 0 for anything else.
int breakLengthAt(QStringView text, int pos);
// Zero-based line of a position (clamped to the text); a position between CR and LF belongs to the line
// the CR ends.
int lineOf(QStringView text, int pos);
// Start of the line holding pos, and the end of its content (just before its break).
int lineStart(QStringView text, int pos);
int lineEnd(QStringView text, int pos);
// Start and content length of a zero-based line; false when the text has no such line.
bool lineSpan(QStringView text, int line, int& start, int& length);

} // namespace textlines
} // namespace qx
