#include "platform/PaintedColours.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

// On a dark base a colour is lightened (a background darkened) just enough to read, keeping its hue.
TEST(PaintedColours, LightBasesPaintAsStoredDarkOnesKeepEveryColourReadable) {
    const PaletteColours light{0xFFFFFF, 0x101010, 0xC68C30}, dark{0x1E1E1E, 0xE8E8E8, 0xDA822A};
    constexpr Colour kNone = kNoBackColor;
    const Colour cases[][5] = {
        // stored colour, background; painted on the light base; painted colour, background on the dark base
        {0, kNone, 0x101010, 0xE8E8E8, kNone},              // plain black in the palette's text colour
        {0xC00000, kNone, 0xC00000, 0xDE7B7B, kNone},       // a dark blue
        {0x000080, kNone, 0x000080, 0x7272B9, kNone},       // a dark red
        {0x50AF50, kNone, 0x50AF50, 0x50AF50, kNone},       // a green that reads on the dark base
        {0, 0x00FFFF, 0x101010, 0xE8E8E8, 0x004E4E},        // a yellow background under the text colour
        {0x0000FF, 0xE0E0FF, 0x0000FF, 0xA2A2FF, 0x494953}, // red on a pale background
    };
    for (const auto& [colour, back, onLight, onDark, backOnDark] : cases) {
        const CharFormat stored{colour, true, false, back};
        EXPECT_EQ(paintedFormat(stored, light), CharFormat({onLight, true, false, back}));
        EXPECT_EQ(paintedFormat(stored, dark), CharFormat({onDark, true, false, backOnDark}))
            << std::hex << colour;
    }
    EXPECT_EQ(viewColours(light), (ViewColours{0xF0F0F0, 0xD0D0D0, 0x808080, 0x202020, 0xFCEADC, 0x82E0FF,
                                               0x64FFFF, 0x0000D8, 0x0090E0}));
    EXPECT_EQ(viewColours(dark), (ViewColours{0x2E2E2E, 0x464646, 0x979797, 0xE8E8E8, 0x443220, 0x2D3B40,
                                              0x174656, 0x4040E2, 0x0090E0}));
    EXPECT_FALSE(isDarkColour(0xFF0000)) << "a lightness of half is not dark";
}

} // namespace
} // namespace qx
