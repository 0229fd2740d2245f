#pragma once

#include <QStringView>

#include <algorithm>

namespace qx {

// Scans over whole texts that a load makes, written in fixed blocks so that the compiler turns each block
// into vector instructions.
namespace charscan {

inline constexpr qsizetype kBlock = 256;

// Whether no character of text is above U+00FF.
inline bool fitsOneByte(QStringView text) {
    const char16_t* chars = text.utf16();
    const qsizetype n = text.size();
    char16_t any = 0;
    qsizetype i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        for (qsizetype k = 0; k < kBlock; ++k)
            any |= chars[i + k];
        if (any > 0xff)
            return false;
    }
    for (; i < n; ++i)
        any |= chars[i];
    return any <= 0xff;
}

// The first position at or after from whose character is `floor` or above; -1 when there is none.
inline qsizetype firstAtOrAbove(QStringView text, qsizetype from, char16_t floor) {
    const char16_t* chars = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = std::max(from, qsizetype(0));
    for (; i + kBlock <= n; i += kBlock) {
        char16_t most = 0;
        for (qsizetype k = 0; k < kBlock; ++k)
            most = std::max(most, chars[i + k]);
        if (most >= floor)
            break;
    }
    for (; i < n; ++i)
        if (chars[i] >= floor)
            return i;
    return -1;
}

// Writes the low byte of each character of text to out (which holds text.size() bytes).
inline void narrowInto(QStringView text, unsigned char* __restrict out) {
    const char16_t* __restrict chars = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (; i + kBlock <= n; i += kBlock)
        for (qsizetype k = 0; k < kBlock; ++k)
            out[i + k] = static_cast<unsigned char>(chars[i + k]);
    for (; i < n; ++i)
        out[i] = static_cast<unsigned char>(chars[i]);
}

} // namespace charscan
} // namespace qx
