#pragma once

#include <qxTagEditor2/CodeBox.h>

namespace qx {

// The colours a code box paints on, taken from its widget's palette (0x00BBGGRR, as everywhere).
struct PaletteColours {
    Colour base = 0x00FFFFFF;
    Colour text = 0;
    Colour highlight = 0x00C68C30;
    friend bool operator==(const PaletteColours&, const PaletteColours&) = default;
};

// A base whose lightness is below half.
bool isDarkColour(Colour colour);
// `a` moved the fraction `t` of the way towards `b`, channel by channel.
Colour mixColours(Colour a, Colour b, double t);

// What is painted for a stored format; the stored one stays the host's choice and what FormatAt reports.
// Plain black is painted in the palette's text colour. On a light base every other colour is painted as
// stored. On a dark base a background is darkened until the palette's text reads on it, and a text colour
// that would not read on what lies under it is lightened; both keep their hue.
CharFormat paintedFormat(const CharFormat& stored, const PaletteColours& palette);

// The colours of the view aids: on a light base the box's own light ones, on a dark base mixed from the
// palette.
struct ViewColours {
    Colour gutterBack;
    Colour gutterLine;
    Colour gutterNumber;
    Colour gutterCurrentNumber;
    Colour currentLine;
    Colour tagPair;
    Colour findMatch;
    // The wavy underlines and gutter marks of the checks' findings.
    Colour errorMark;
    Colour warningMark;
    friend bool operator==(const ViewColours&, const ViewColours&) = default;
};
ViewColours viewColours(const PaletteColours& palette);

} // namespace qx
