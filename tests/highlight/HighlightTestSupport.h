#pragma once

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightRenderer.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "platform/memory/MemoryCodeBox.h"

#include <QStringList>

namespace qx::test {

enum class Language { Script, Tag };

// One pass over the box, the way the control colours a text of that language.
inline void colourBox(CodeBox& box, Language language, LineStates* lines = nullptr) {
    ColourText(box, language == Language::Script ? CodeTypes::VB : CodeTypes::Kelvane,
               clsQXSyntaxHighlight::DefaultTagColour, clsQXSyntaxHighlight::DefaultEncodeColour, lines);
}

// The coloured runs of the text, in the golden form, one per entry.
inline QStringList colouredRuns(const QString& text, Language language) {
    MemoryCodeBox box;
    box.setText(text);
    colourBox(box, language);
    return HighlightRenderer(text, box.formats()).toGolden().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace qx::test
