#pragma once

#include <array>
#include <cstdint>

namespace qx::charclass {

// Classes of the characters 0 to 255 as the script processors see them.
enum : std::uint8_t {
    Word = 1,        // A-Z, a-z, 0-9, underscore
    Blank = 2,       // space, tab
    LineEnd = 4,     // CR, LF
    Operator = 8,    // \ = / + - & ( ) > <
    Suffix = 16,     // number suffixes & # ! % @
    Punctuation = 32 // anything that is not a word character, a blank or a line end (0 included)
};

constexpr std::array<std::uint8_t, 256> makeTable() {
    std::array<std::uint8_t, 256> t{};
    for (int c = 0; c < 256; ++c) {
        const bool word =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (word)
            t[c] |= Word;
        else if (c == ' ' || c == '\t')
            t[c] |= Blank;
        else if (c == '\r' || c == '\n')
            t[c] |= LineEnd;
        else
            t[c] |= Punctuation;
    }
    for (char c : {'\\', '=', '/', '+', '-', '&', '(', ')', '>', '<'})
        t[std::uint8_t(c)] |= Operator;
    for (char c : {'&', '#', '!', '%', '@'})
        t[std::uint8_t(c)] |= Suffix;
    return t;
}

inline constexpr std::array<std::uint8_t, 256> Table = makeTable();

constexpr bool isLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
constexpr bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
// Upper case of an ASCII letter; every other character as it is.
constexpr char toUpper(int c) {
    return char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

} // namespace qx::charclass
