#include "HighlightTestSupport.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightRenderer.h"
#include "highlight/clsQXSyntaxHighlight.h"

namespace qx::test {

void colourBox(CodeBox& box, Language language) {
    ColourText(box, language == Language::Script ? CodeTypes::VB : CodeTypes::Kelvane,
               clsQXSyntaxHighlight::DefaultTagColour, clsQXSyntaxHighlight::DefaultEncodeColour);
}

QStringList colouredRuns(const QString& text, Language language) {
    MemoryCodeBox box;
    box.setText(text);
    colourBox(box, language);
    return HighlightRenderer(text, box.formats()).toGolden().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

std::string testNameOf(std::string text) {
    for (char& c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return text;
}

} // namespace qx::test
