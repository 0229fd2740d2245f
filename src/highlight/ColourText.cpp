#include "highlight/ColourText.h"

#include "highlight/EffectiveCodeType.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"

namespace qx {

namespace {

// Runs walk(processor) with the processor the code type calls for; false when there is none.
template <class Walk> bool withProcessor(int codeType, Colour tagColour, Colour encodeColour, Walk walk) {
    if (codeType == CodeTypes::VB) {
        clsVBSyntaxHighlight processor;
        processor.setIncludeKelvaneTags(true);
        walk(processor);
    } else if (codeType == CodeTypes::Kelvane) {
        clsQXSyntaxHighlight processor;
        processor.setTagColour(tagColour);
        processor.setEncodeColour(encodeColour);
        walk(processor);
    } else {
        return false;
    }
    return true;
}

} // namespace

bool ColourText(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour, LineStates* lines) {
    return withProcessor(codeType, tagColour, encodeColour, [&](SyntaxProcessor& processor) {
        clsSyntaxHighlight().ProcessSyntax(box, processor, true, lines);
    });
}

bool ColourEdits(CodeBox& box, int codeType, Colour tagColour, Colour encodeColour, LineStates& lines) {
    return withProcessor(codeType, tagColour, encodeColour, [&](SyntaxProcessor& processor) {
        clsSyntaxHighlight().ProcessEdits(box, processor, lines, true);
    });
}

} // namespace qx
