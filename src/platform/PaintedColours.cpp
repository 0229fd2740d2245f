#include "platform/PaintedColours.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace qx {

namespace {

constexpr Colour kBlack = 0;
constexpr Colour kWhite = 0x00FFFFFF;
// The contrast ratios accessibility guidelines ask of body text, and of it at their enhanced level: a
// background keeps the latter with the palette's text, which leaves room for coloured text on it.
constexpr double kReadable = 4.5;
constexpr double kReadableBack = 7;
// Marks stay close to the base, so that text lightened for the base still reads on them.
constexpr double kCurrentLineTint = 0.2;
constexpr double kTagPairTint = 0.15;
// Find matches stand out more than a pair: there are many, away from the caret.
constexpr double kFindMatchTint = 0.25;
constexpr Colour kAmber = 0x0000BFFF;
// Underlines are thin: they need less contrast than text to be seen.
constexpr double kReadableMark = 4;
constexpr ViewColours kLightView{0x00F0F0F0, 0x00D0D0D0, 0x00808080, 0x00202020, 0x00FCEADC,
                                 0x0082E0FF, 0x0064FFFF, 0x000000D8, 0x000090E0};

int channel(Colour c, int index) {
    return int((c >> (8 * index)) & 0xFF);
}

double luminance(Colour c) {
    constexpr double kWeights[] = {0.2126, 0.7152, 0.0722}; // red, green, blue
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
        const double v = channel(c, i) / 255.0;
        sum += kWeights[i] * (v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double contrast(Colour a, Colour b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The least mix of `c` towards `target` that reads against `against` (all of it when none does). The contrast
// falls until the mix passes `against`'s luminance and rises after, so the readable mixes end at `target`.
Colour readableMix(Colour c, Colour target, Colour against, double wanted = kReadable) {
    if (contrast(c, against) >= wanted)
        return c;
    double unreadable = 0;
    double readable = 1;
    for (int step = 0; step < 10; ++step) {
        const double t = (unreadable + readable) / 2;
        (contrast(mixColours(c, target, t), against) >= wanted ? readable : unreadable) = t;
    }
    return mixColours(c, target, readable);
}

} // namespace

bool isDarkColour(Colour colour) {
    const int r = channel(colour, 0), g = channel(colour, 1), b = channel(colour, 2);
    return std::max({r, g, b}) + std::min({r, g, b}) < 255;
}

Colour mixColours(Colour a, Colour b, double t) {
    Colour mixed = 0;
    for (int i = 0; i < 3; ++i) {
        const int from = channel(a, i);
        mixed |= Colour(qRound(from + (channel(b, i) - from) * t)) << (8 * i);
    }
    return mixed;
}

CharFormat paintedFormat(const CharFormat& stored, const PaletteColours& palette) {
    CharFormat painted = stored;
    if (stored.Color == kBlack)
        painted.Color = palette.text;
    if (!isDarkColour(palette.base))
        return painted;
    const bool ownBack = stored.BackColor != kNoBackColor;
    if (ownBack)
        painted.BackColor = readableMix(stored.BackColor, kBlack, palette.text, kReadableBack);
    if (stored.Color != kBlack)
        painted.Color = readableMix(stored.Color, kWhite, ownBack ? painted.BackColor : palette.base);
    return painted;
}

ViewColours viewColours(const PaletteColours& palette) {
    if (!isDarkColour(palette.base))
        return kLightView;
    // The gutter from base and text alone, which every dark palette sets: a shade off the base, numbers that
    // read.
    return {mixColours(palette.base, palette.text, 0.08),
            mixColours(palette.base, palette.text, 0.2),
            mixColours(palette.base, palette.text, 0.6),
            palette.text,
            mixColours(palette.base, palette.highlight, kCurrentLineTint),
            mixColours(palette.base, kLightView.tagPair, kTagPairTint),
            mixColours(palette.base, kAmber, kFindMatchTint),
            readableMix(kLightView.errorMark, kWhite, palette.base, kReadableMark),
            readableMix(kLightView.warningMark, kWhite, palette.base, kReadableMark)};
}

} // namespace qx
