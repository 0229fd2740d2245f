#include "HighlightTestSupport.h"

#include "highlight/HighlightRenderer.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"

namespace qx::test {

void colourBox(CodeBox& box, Language language) {
    clsSyntaxHighlight engine;
    if (language == Language::Script) {
        clsVBSyntaxHighlight processor;
        processor.setIncludeKelvaneTags(true);
        engine.ProcessSyntax(box, processor, true);
    } else {
        clsQXSyntaxHighlight processor;
        engine.ProcessSyntax(box, processor, true);
    }
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
