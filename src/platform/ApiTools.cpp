#include "platform/ApiTools.h"

namespace qx {

namespace {
// The line buffer holds 255 characters (its first word carries the size, the rest is zero-filled).
constexpr int kLineBufferChars = 255;
} // namespace

void SelectRange(CodeBox& box, int start, int length) {
    box.SelectRange(start, start + length);
}

void GetScrollPosition(const CodeBox& box, int& x, int& y) {
    const ScrollPos pos = box.GetScrollPos();
    x = pos.x;
    y = pos.y;
}

void SetScrollPosition(CodeBox& box, int x, int y) {
    box.SetScrollPos(ScrollPos{x, y});
}

int LineIndent(const CodeBox& box) {
    const QByteArray line = box.GetLine(box.GetLineFromChar(-1), kLineBufferChars);
    int count = 0;
    while (count < line.size() && count < kLineBufferChars && line.at(count) == ' ')
        ++count;
    return count;
}

} // namespace qx
