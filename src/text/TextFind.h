#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace qx {

// Options of CodeBox::Find, as the find options of the control's surface number them.
enum FindOption : int { kFindWholeWord = 2, kFindMatchCase = 4 };

// Letters, digits and the underscore: the characters a whole-word match may not touch.
bool isWordChar(QChar c);

// Position of the first match of what in text[start, end) (end -1 or beyond: to the end), or -1. A match
// lies wholly inside the range and never begins or ends between the CR and the LF of a line break; an
// empty search text never matches.
int findText(QStringView text, QStringView what, int start, int end, int options);
// Position of the last match of what in text[start, end), or -1; the same matches as findText.
int findLastText(QStringView text, QStringView what, int start, int end, int options);
// Every match in text[start, end) as findText finds them one after another, each search going on after the
// match before it (so no two overlap).
QList<int> findAll(QStringView text, QStringView what, int start, int end, int options);

} // namespace qx
