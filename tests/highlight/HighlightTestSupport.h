#pragma once

#include "platform/memory/MemoryCodeBox.h"

#include <QString>
#include <QStringList>

#include <string>

namespace qx::test {

enum class Language { Script, Tag };

// Runs one pass over the box, the way the control colours a text of that language.
void colourBox(CodeBox& box, Language language);

// Colours the text on a fresh in-memory box and gives its coloured runs in the golden form, one per entry.
QStringList colouredRuns(const QString& text, Language language);

// The text with every character that cannot stand in a test name replaced by '_'.
std::string testNameOf(std::string text);

} // namespace qx::test
