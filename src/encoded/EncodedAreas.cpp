#include "encoded/EncodedAreas.h"

namespace qx::EncodedAreas {

namespace {
constexpr QChar kQuote = u'"';

// The first marker at or after `from`, or -1. Its "~" is rare in markup, unlike its "=", so that is what
// the search looks for.
qsizetype nextMarker(QStringView text, qsizetype from) {
    for (qsizetype tilde = text.indexOf(u'~', from + 1); tilde >= 0; tilde = text.indexOf(u'~', tilde + 1))
        if (text.sliced(tilde - 1).startsWith(kEncodedMarker))
            return tilde - 1;
    return -1;
}

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

bool endsContent(QChar c) {
    return c == kQuote || c == u'<' || c == u':';
}

// closingQuote() read through a text source.
int closingQuoteIn(const TextSource& text, int from) {
    const int end = text.findForward(from, text.size(), endsContent);
    return end >= 0 && text.span(end, end + 1).front() == kQuote ? end : -1;
}

// The character at pos belongs to an encoded area's content: the last quote at or before it is a marker's.
bool inContent(QStringView text, qsizetype pos) {
    const qsizetype quote = text.first(pos + 1).lastIndexOf(kQuote);
    if (quote < 4 || quote == pos || text.sliced(quote - 4, kEncodedMarker.size()) != kEncodedMarker)
        return false;
    return closingQuote(text, quote + 1) >= 0;
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

// When the last marker's quote is the last quote before the caret, nothing between the two ends the
// content; any quote, "<" or ":" there makes the answer false: a later quote belongs to no marker (the
// marker is the last), and a "<" or ":" ends the content before its closing quote.
bool CaretInEncodedArea(const TextSource& text, int caret, int lastMarker) {
    if (lastMarker < 0 || caret > text.size())
        return false;
    const int contentStart = lastMarker + int(kEncodedMarker.size());
    if (caret < contentStart || text.findBackward(contentStart, caret, endsContent) >= 0)
        return false;
    return closingQuoteIn(text, caret) >= 0;
}

bool CaretAfterRtfValue(const TextSource& text, int caret, int lastMarker) {
    if (caret <= 4 || caret > text.size())
        return false;
    // The search for the closing quote starts inside the marker, after its "{\r".
    return lastMarker >= 0 && closingQuoteIn(text, lastMarker + 5) >= 0;
}

// Between two quotes a character's answer cannot change, so the first character and each one just after
// a quote are enough.
bool OverlapsEncodedArea(QStringView text, int start, int length) {
    const qsizetype end = qMin<qsizetype>(qsizetype(start) + length, text.size());
    if (start < 0 || start >= end)
        return false;
    if (inContent(text, start))
        return true;
    for (qsizetype i = start; i + 1 < end; ++i)
        if (text[i] == kQuote && inContent(text, i + 1))
            return true;
    return false;
}

QList<Span> EncodedContents(QStringView text) {
    QList<Span> contents;
    for (qsizetype marker = nextMarker(text, 0); marker >= 0; marker = nextMarker(text, marker + 1)) {
        const qsizetype start = marker + kEncodedMarker.size();
        const qsizetype end = closingQuote(text, start);
        if (end >= 0)
            contents.append(Span{int(start), int(end - start)});
    }
    return contents;
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
