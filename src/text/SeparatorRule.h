#pragma once

#include <QString>

namespace qx {

// The separator rule of every code box, applied to all text a box is given (setText, setSelText, drops):
// - U+2029 (paragraph separator) is a line break and becomes CR LF;
// - the noncharacters U+FDD0 and U+FDD1, which Qt's text document reserves as frame markers, become U+FFFD,
//   one character for one, so that positions after them stay where they were;
// - every other character is kept, U+2028 and lone CR or LF included (a box that presents lone breaks as
//   CR LF does that itself).
// Applying the rule to its own result changes nothing. Text without those characters comes back shared,
// without a copy.
QString applySeparatorRule(const QString& text);

} // namespace qx
