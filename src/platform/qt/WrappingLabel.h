#pragma once

#include <QLabel>
#include <QStringList>

namespace qx {

// A plain-text label that wraps at word boundaries and, where a word is wider than the label, inside the
// word, so that every character is shown. Its height for a width counts the wrapped lines.
class WrappingLabel final : public QLabel {
public:
    explicit WrappingLabel(QWidget* parent = nullptr);

    int heightForWidth(int width) const override;
    // The lines the text is shown in at a width, each with its characters.
    QStringList linesAt(int width) const;
    // The widest of those lines, in pixels.
    int widestLineAt(int width) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qx
