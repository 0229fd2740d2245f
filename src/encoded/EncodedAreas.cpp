#include "encoded/EncodedAreas.h"

namespace qx::EncodedAreas {

namespace {
constexpr QChar kQuote = u'"';

// The closing quote of content that starts at `from`, or -1; a "<" or ":" before it disqualifies it.
qsizetype closingQuote(QStringView text, qsizetype from) {
    for (qsizetype i = from; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == kQuote)
            return i;
        if (c == u'<' || c == u':')
            return -1;
    }
    return -1;
}
} // namespace

bool CaretInEncodedArea(QStringView text, int caret) {
    if (caret <= 4 || caret > text.size())
        return false;
    const qsizetype quote = text.first(caret).lastIndexOf(kQuote);
    if (quote < 4 || text.sliced(quote - 4, kEncodedMarker.size()) != kEncodedMarker)
        return false;
    return closingQuote(text, quote + 1) >= 0;
}

bool CaretAfterRtfValue(QStringView text, int caret) {
    if (caret <= 4 || caret > text.size())
        return false;
    const qsizetype marker = text.first(caret).lastIndexOf(kRtfMarker);
    // The search for the closing quote starts inside the marker, after its "{\r".
    return marker >= 0 && closingQuote(text, marker + 5) >= 0;
}

std::optional<Span> EncodedAreaBefore(QStringView text, int caret) {
    if (caret < 1 || caret > text.size())
        return std::nullopt;
    const qsizetype marker = text.first(caret).lastIndexOf(kEncodedMarker);
    if (marker < 0)
        return std::nullopt;
    const qsizetype start = marker + kEncodedMarker.size();
    const qsizetype end = text.indexOf(kQuote, start);
    if (end < 0)
        return std::nullopt;
    return Span{int(start), int(end - start)};
}

} // namespace qx::EncodedAreas
