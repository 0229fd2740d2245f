#pragma once

#include "text/TextSource.h"

#include <QList>
#include <QStringView>

#include <optional>

namespace qx {

// Values that the edited text holds in encoded form: an encoded area ("=~64" and a double quote, Base64
// text, a closing quote) and an RTF value ("=", a double quote, "{\rtf1", rich text, a closing quote). A
// candidate counts only when no "<" and no ":" stands between its first content character and its closing
// quote. Positions are zero-based offsets into the text; the caret is the box's SelStart.
namespace EncodedAreas {

inline constexpr QStringView kEncodedMarker = u"=~64\"";
inline constexpr QStringView kRtfMarker = u"=\"{\\rtf1";

// The content of an area: its first character and its length (up to, not including, the closing quote).
struct Span {
    int start = 0;
    int length = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// The caret stands inside an encoded area: the last double quote before it is the marker's own quote,
// and the area is closed further on.
bool CaretInEncodedArea(QStringView text, int caret);
// The same answer from `lastMarker`, the position of the last encoded marker wholly before the caret or -1
// (see MarkerIndex): it reads only from there, or from the nearest quote, "<" or ":" before the caret, to
// the nearest one after it.
bool CaretInEncodedArea(const TextSource& text, int caret, int lastMarker);

// The caret follows an RTF value: the last RTF marker wholly before the caret has its closing quote, and
// neither "<" nor ":" stands inside. The caret may be past the closing quote. `lastMarker` is the position
// of the last RTF marker wholly before the caret, or -1 (see MarkerIndex). Reads from the marker to the
// first quote, "<" or ":" after it.
bool CaretAfterRtfValue(const TextSource& text, int caret, int lastMarker);

// True when some character of [start, start + length) belongs to an encoded area's content.
bool OverlapsEncodedArea(QStringView text, int start, int length);
// The content of every encoded area in the text, in order: one pass, for work over the whole text.
QList<Span> EncodedContents(QStringView text);

// The content of the encoded area whose marker is the last one wholly before the caret, when it has a
// closing quote; for stepping into it.
std::optional<Span> EncodedAreaBefore(QStringView text, int caret);

} // namespace EncodedAreas

} // namespace qx
