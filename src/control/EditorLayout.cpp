#include "control/EditorLayout.h"

namespace qx {

namespace {
// The actual heights of the bars the view shows.
int barsHeight(const EditorLayoutInput& in) {
    return in.statusHeight + (in.fullView ? 0 : in.editBarHeight);
}
} // namespace

EditorLayoutResult LayOutEditor(const EditorLayoutInput& in) {
    EditorLayoutResult out;
    out.editBarVisible = !in.fullView;
    out.editBar = QRect(0, 0, in.width, in.editBarHeight);
    out.statusBar = QRect(0, in.height - in.statusHeight, in.width, in.statusHeight);

    const int top = in.fullView ? 0 : in.codeBoxTop;
    const int boxHeight = in.height - barsHeight(in);
    if (in.width >= 0 && boxHeight >= 0)
        out.codeBox = QRect(0, top, in.width, boxHeight);
    return out;
}

QSize EditorSizeFor(const EditorLayoutInput& bars, QSize character, QSize boxChrome, int columns, int lines) {
    return {columns * character.width() + boxChrome.width(),
            barsHeight(bars) + lines * character.height() + boxChrome.height()};
}

int FindButtonLeft(int editBarWidth, int buttonWidth, int margin) {
    return editBarWidth - buttonWidth - margin;
}

} // namespace qx
