#include "highlight/ColourText.h"

#include "highlight/EffectiveCodeType.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"

namespace qx {

bool ColourText(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour) {
    clsSyntaxHighlight engine;
    if (codeType == CodeTypes::VB) {
        clsVBSyntaxHighlight processor;
        processor.setIncludeKelvaneTags(true);
        engine.ProcessSyntax(box, processor, true);
    } else if (codeType == CodeTypes::Kelvane) {
        clsQXSyntaxHighlight processor;
        processor.setTagColour(tagColour);
        processor.setEncodeColour(encodeColour);
        engine.ProcessSyntax(box, processor, true);
    } else {
        return false;
    }
    return true;
}

} // namespace qx
