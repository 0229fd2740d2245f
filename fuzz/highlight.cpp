// Both syntax processors over the in-memory code box.
//  - A pass ends (libFuzzer's timeout catches a pass that does not).
//  - It never changes the text, and puts back the selection, the scroll position and the visibility.
//  - It leaves every character in one of the pass's own colours, plain weight and style, no background.
//  - The renderer's runs cover the whole coloured text, in order.
// The input is read as a script file is (byte-order mark, UTF-8, else Windows-1252), so a UTF-16 mark
// reaches any character; the last byte picks the selection the box has before the pass.
#include "FuzzSupport.h"

#include "highlight/ColourText.h"
#include "highlight/EffectiveCodeType.h" // CodeTypes
#include "highlight/HighlightRenderer.h"
#include "highlight/TextDecoding.h"
#include "highlight/clsQXSyntaxHighlight.h"
#include "highlight/clsVBSyntaxHighlight.h"
#include "platform/memory/MemoryCodeBox.h"

#include <cstddef>
#include <cstdint>

namespace {

using qx::Colour;
using qx::fuzz::shown;

bool isPassColour(Colour colour) {
    using VB = qx::clsVBSyntaxHighlight;
    using QX = qx::clsQXSyntaxHighlight;
    for (Colour known : {Colour(0), VB::StringColour, VB::CommentColour, VB::LabelColour, VB::NumberColour,
                         VB::KeywordColour, VB::HostWordColour, VB::OperatorColour, QX::DefaultTagColour,
                         QX::DefaultEncodeColour, QX::DefaultQuoteColour}) {
        if (colour == known)
            return true;
    }
    return false;
}

void checkPass(const QString& text, int codeType, std::uint8_t selection) {
    const char* const language = codeType == qx::CodeTypes::VB ? "plain script" : "tag markup";
    qx::MemoryCodeBox box;
    box.setText(text);
    // The box's own reading of the text is what the pass must keep.
    const QString before = box.Text();
    const int length = int(before.size());
    const int selStart = length == 0 ? 0 : (selection * length) / 256;
    const int selLength = (length - selStart) / (1 + selection % 4);
    box.SelectRange(selStart, selStart + selLength);
    box.SetScrollPos({7, 42});

    const bool coloured = qx::ColourText(box, codeType, qx::clsQXSyntaxHighlight::DefaultTagColour,
                                         qx::clsQXSyntaxHighlight::DefaultEncodeColour);
    QX_FUZZ_CHECK(coloured, QStringLiteral("%1 has a processor").arg(QLatin1String(language)));
    QX_FUZZ_CHECK(box.Text() == before, QStringLiteral("%1 pass changed %2 to %3")
                                            .arg(QLatin1String(language), shown(before), shown(box.Text())));
    QX_FUZZ_CHECK(box.SelStart() == selStart && box.SelLength() == selLength,
                  QStringLiteral("%1 pass left the selection at %2+%3, it was %4+%5 in %6")
                      .arg(QLatin1String(language))
                      .arg(box.SelStart())
                      .arg(box.SelLength())
                      .arg(selStart)
                      .arg(selLength)
                      .arg(shown(before)));
    QX_FUZZ_CHECK(box.GetScrollPos() == (qx::ScrollPos{7, 42}) && box.Visible() && !box.updatesLocked(),
                  QStringLiteral("%1 pass did not put the box back for %2")
                      .arg(QLatin1String(language), shown(before)));
    QX_FUZZ_CHECK(box.formats().length() == length,
                  QStringLiteral("%1 pass: formats for %2 characters, the text has %3")
                      .arg(QLatin1String(language))
                      .arg(box.formats().length())
                      .arg(length));

    const qx::HighlightRenderer rendered = qx::HighlightRenderer::fromBox(box);
    QX_FUZZ_CHECK(rendered.text() == before,
                  QStringLiteral("the renderer read %1").arg(shown(rendered.text())));
    int next = 0;
    for (const qx::HighlightRenderer::Run& run : rendered.runs()) {
        QX_FUZZ_CHECK(run.start == next && run.end > run.start,
                      QStringLiteral("%1 pass: run %2..%3 after %4 in %5")
                          .arg(QLatin1String(language))
                          .arg(run.start)
                          .arg(run.end)
                          .arg(next)
                          .arg(shown(before)));
        QX_FUZZ_CHECK(isPassColour(run.format.Color) && !run.format.Bold && !run.format.Italic &&
                          run.format.BackColor == qx::kNoBackColor,
                      QStringLiteral("%1 pass left colour %2 at %3..%4 of %5")
                          .arg(QLatin1String(language))
                          .arg(run.format.Color, 8, 16, QLatin1Char('0'))
                          .arg(run.start)
                          .arg(run.end)
                          .arg(shown(before)));
        next = run.end;
    }
    QX_FUZZ_CHECK(
        next == length,
        QStringLiteral("%1 pass: runs end at %2 of %3").arg(QLatin1String(language)).arg(next).arg(length));
    (void)rendered.toGolden();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    (void)qx::fuzz::sandbox(); // the processors read their word lists from the per-machine settings
    qx::fuzz::ControlBytes control(data, size);
    control.reserve(1);
    const std::uint8_t selection = control.byte();
    const QString text = qx::decodeScriptFile(control.front());
    checkPass(text, qx::CodeTypes::VB, selection);
    checkPass(text, qx::CodeTypes::Kelvane, selection);
    return 0;
}
