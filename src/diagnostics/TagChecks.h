#pragma once

#include "diagnostics/Diagnostic.h"

#include <QList>
#include <QStringView>

namespace qx {

class ScriptReference;

// The host's tags of a tag-markup text. Every "<QX:" opener needs its "</QX>" and every closer an opener,
// paired as TagMatch pairs them. With reference data, the handler of each opener must be one the data lists,
// and the command at the start of its content (ScriptReference::CommandName) one of the handler's items,
// in any letter case as the completion compares them; these are Warnings, as the data may lag the host.
// Without a reference, or with one that lists no handler, names are not checked.
QList<Diagnostic> CheckTags(QStringView text, ScriptReference* reference);

// Every encoded value whose content does not decode as stepping into it would.
QList<Diagnostic> CheckEncodedValues(QStringView text);

} // namespace qx
