#pragma once

#include "highlight/WordList.h"
#include "text/TagMatch.h"

#include <QList>
#include <QStringView>

namespace qx {

// The script values of a tag-markup text, found as the tag colouring finds them: in a block opened by a tag
// named QX:VBS or QX:SCRIPT, a command of `commands` (upper case, as clsQXSyntaxHighlight keeps them), "=",
// a double quote, the script, and a double quote followed by a colon. Each span is the script between the
// quotes. A value that the text ends before it is closed is left out: it is most likely being typed.
QList<TextSpan> ScriptValues(QStringView text, const WordList& commands);

} // namespace qx
