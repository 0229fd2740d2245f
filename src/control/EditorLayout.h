#pragma once

#include <QRect>

#include <optional>

namespace qx {

// The control's surface, from top to bottom: the edit bar docked along the top (hidden in Full View), the
// code box, and the status bar docked along the bottom. All lengths in pixels.
struct EditorLayoutInput {
    int width = 0;  // inner width of the control
    int height = 0; // inner height of the control
    bool fullView = false;
    int codeBoxTop = 0;    // where the code box starts below the edit bar: the bar's nominal height
    int editBarHeight = 0; // the bar's actual height
    int statusHeight = 0;  // the status bar's actual height
};

struct EditorLayoutResult {
    bool editBarVisible = true;
    QRect editBar;
    QRect statusBar;
    // Where the code box goes; none when the control is too small for its bars, and the box stays put.
    std::optional<QRect> codeBox;
};

// The code box starts at the top in Full View and at the bar's nominal height otherwise, whatever the
// bar's actual height; its height leaves room for the actual heights of the bars shown.
EditorLayoutResult LayOutEditor(const EditorLayoutInput& in);

// The control's size around a code box of `columns` x `lines` characters of `character` size, with the box's
// frame, scroll bars and gutter (`boxChrome`) and the bars the view shows: 80 x 24 is what it asks a layout
// for, 20 x 3 the least it takes.
QSize EditorSizeFor(const EditorLayoutInput& bars, QSize character, QSize boxChrome, int columns, int lines);
constexpr int kHintColumns = 80, kHintLines = 24, kMinimumColumns = 20, kMinimumLines = 3;

// Left edge of the Find button, which keeps a margin from the edit bar's right end.
int FindButtonLeft(int editBarWidth, int buttonWidth, int margin);

} // namespace qx
