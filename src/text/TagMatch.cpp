#include "text/TagMatch.h"

#include <QLatin1StringView>

namespace qx {

namespace {

constexpr QLatin1StringView kOpener("<QX:");
constexpr QLatin1StringView kCloser("</QX>");
// Tag names are short: a caret further than this from a marker's "<" is not on the marker.
constexpr int kLongestName = 64;

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.' || c == u':';
}

bool markerAt(const SplitText& text, int at, QLatin1StringView marker) {
    if (at < 0 || at + marker.size() > text.size())
        return false;
    char16_t chars[8];
    for (qsizetype k = 0; k < marker.size(); ++k)
        chars[k] = text.at(at + int(k)).unicode();
    return QStringView(chars, marker.size()).compare(marker, Qt::CaseInsensitive) == 0;
}

// The opening marker at `at`: "<QX:", its name, and the ">" that closes the name.
std::optional<TextSpan> openerAt(const SplitText& text, int at) {
    if (!markerAt(text, at, kOpener))
        return std::nullopt;
    int end = at + int(kOpener.size());
    while (end < text.size() && end - at < kLongestName && isNameChar(text.at(end)))
        ++end;
    if (end < text.size() && text.at(end) == u'>')
        ++end;
    return TextSpan{at, end - at};
}

std::optional<TextSpan> closerAt(const SplitText& text, int at) {
    if (!markerAt(text, at, kCloser))
        return std::nullopt;
    return TextSpan{at, int(kCloser.size())};
}

std::optional<TextSpan> markerAt(const SplitText& text, int at) {
    if (auto opener = openerAt(text, at))
        return opener;
    return closerAt(text, at);
}

bool touches(const std::optional<TextSpan>& span, int caret) {
    return span && span->start <= caret && caret <= span->end();
}

// The marker that starts at the caret, else the one the caret stands in or right after.
std::optional<TextSpan> markerAtCaret(const SplitText& text, int caret) {
    if (caret < text.size() && text.at(caret) == u'<') {
        if (auto marker = markerAt(text, caret))
            return marker;
    }
    // Back over the name (and a closing ">") to the "<" or the "/" of "</".
    int k = caret - 1;
    if (k >= 0 && text.at(k) == u'>')
        --k;
    while (k >= 0 && caret - k <= kLongestName + int(kOpener.size()) && isNameChar(text.at(k)))
        --k;
    if (k < 0)
        return std::nullopt;
    std::optional<TextSpan> marker;
    if (text.at(k) == u'<')
        marker = markerAt(text, k);
    else if (text.at(k) == u'/')
        marker = closerAt(text, k - 1);
    return touches(marker, caret) ? marker : std::nullopt;
}

std::optional<TextSpan> closerAfter(const SplitText& text, int from) {
    int depth = 1;
    for (int at = text.indexOf(u'<', from); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (markerAt(text, at, kCloser)) {
            if (--depth == 0)
                return closerAt(text, at);
        } else if (markerAt(text, at, kOpener)) {
            ++depth;
        }
    }
    return std::nullopt;
}

std::optional<TextSpan> openerBefore(const SplitText& text, int before) {
    int depth = 1;
    for (int at = text.lastIndexOf(u'<', before - 1); at >= 0; at = text.lastIndexOf(u'<', at - 1)) {
        if (markerAt(text, at, kCloser)) {
            ++depth;
        } else if (markerAt(text, at, kOpener)) {
            if (--depth == 0)
                return openerAt(text, at);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TagPair> MatchTagAt(SplitText text, int caret) {
    if (caret < 0 || caret > text.size())
        return std::nullopt;
    const std::optional<TextSpan> marker = markerAtCaret(text, caret);
    if (!marker)
        return std::nullopt;
    const bool opening = text.at(marker->start + 1) != u'/';
    const std::optional<TextSpan> partner =
        opening ? closerAfter(text, marker->end()) : openerBefore(text, marker->start);
    if (!partner)
        return std::nullopt;
    return TagPair{*marker, *partner};
}

} // namespace qx
