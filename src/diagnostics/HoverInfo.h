#pragma once

#include <QString>

namespace qx {

class ScriptReference;
class TextSource;

// The help for the command word under `position` in tag markup, as the syntax tip shows it once ":" is
// typed: its syntax line, then its description. A command is the first word of a tag's content, after
// "<QX:name>" and any blanks. Empty when the position is on no command, or the reference data does not know
// it.
QString CommandHelpAt(const TextSource& text, int position, ScriptReference& reference);

} // namespace qx
