#include "text/SeparatorRule.h"

#include "text/CharScan.h"

namespace qx {

namespace {
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kFrameStart = 0xFDD0;
constexpr char16_t kFrameEnd = 0xFDD1;

bool isRuled(QChar c) {
    const char16_t u = c.unicode();
    return u == kParagraphSeparator || u == kFrameStart || u == kFrameEnd;
}
} // namespace

QString applySeparatorRule(const QString& text) {
    // Every ruled character lies at U+2029 or above, which scripts seldom hold.
    qsizetype first = charscan::firstAtOrAbove(text, 0, kParagraphSeparator);
    while (first >= 0 && !isRuled(text[first]))
        first = charscan::firstAtOrAbove(text, first + 1, kParagraphSeparator);
    if (first < 0)
        return text;
    QString out;
    out.reserve(text.size() + 16);
    out.append(QStringView(text).first(first));
    for (qsizetype i = first; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() == kParagraphSeparator)
            out += QLatin1String("\r\n");
        else if (isRuled(c))
            out += QChar::ReplacementCharacter;
        else
            out += c;
    }
    return out;
}

} // namespace qx
