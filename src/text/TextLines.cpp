#include "text/TextLines.h"

#include <algorithm>

namespace qx::textlines {

namespace {
bool isBreakChar(QChar c) {
    return c == u'\r' || c == u'\n';
}
} // namespace

int breakLengthAt(QStringView text, int pos) {
    if (pos < 0 || pos >= text.size())
        return 0;
    if (text[pos] == u'\r')
        return pos + 1 < text.size() && text[pos + 1] == u'\n' ? 2 : 1;
    return text[pos] == u'\n' ? 1 : 0;
}

int lineOf(QStringView text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    int line = 0;
    for (int i = 0; i < pos;) {
        const int n = breakLengthAt(text, i);
        if (n == 0) {
            ++i;
        } else {
            if (i + n <= pos)
                ++line;
            i += n;
        }
    }
    return line;
}

int lineStart(QStringView text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    // Inside a CR LF the line is the one the CR ends.
    if (pos > 0 && pos < text.size() && text[pos - 1] == u'\r' && text[pos] == u'\n')
        --pos;
    while (pos > 0 && !isBreakChar(text[pos - 1]))
        --pos;
    return pos;
}

int lineEnd(QStringView text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    if (pos > 0 && pos < text.size() && text[pos - 1] == u'\r' && text[pos] == u'\n')
        return pos - 1;
    while (pos < text.size() && !isBreakChar(text[pos]))
        ++pos;
    return pos;
}

bool lineSpan(QStringView text, int line, int& start, int& length) {
    if (line < 0)
        return false;
    int pos = 0;
    for (int current = 0; current < line; ++current) {
        pos = lineEnd(text, pos);
        const int n = breakLengthAt(text, pos);
        if (n == 0)
            return false;
        pos += n;
    }
    start = pos;
    length = lineEnd(text, pos) - pos;
    return true;
}

} // namespace qx::textlines
