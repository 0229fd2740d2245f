#pragma once

namespace qx {

// The two per-user settings under "Software\Kelvane\Script Editor", stored as the strings "1" and "0".
class EditorSettings {
public:
    // "Syntax Highlighting" through the numeric conversion: on when the number is not 0, or missing.
    static bool syntaxHighlighting();
    static void setSyntaxHighlighting(bool on);
    // "FullView": on exactly when the stored text is "1"; off when missing.
    static bool fullView();
    static void setFullView(bool on);
};

} // namespace qx
