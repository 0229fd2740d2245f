#pragma once

#include "text/FormatRuns.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace qx {

class CodeBox;

// A coloured text turned into something to look at: HTML, terminal escapes, or the line-per-run form the
// golden tests compare. Runs are maximal stretches of one format covering the whole text.
class HighlightRenderer {
public:
    using Run = FormatRuns::Run;

    HighlightRenderer(QString text, const FormatRuns& formats);
    // For any box: reads the format of every character.
    static HighlightRenderer fromBox(const CodeBox& box);

    const QString& text() const { return mText; }
    const std::vector<Run>& runs() const { return mRuns; }
    // The runs whose format is not plain black.
    std::vector<Run> colouredRuns() const;

    // A whole HTML document: the text in a <pre>, each coloured run a <span> with its colour, weight, style
    // and background.
    QString toHtml(const QString& title) const;
    // UTF-8 with 24-bit colour escapes; plain black runs keep the terminal's own colour.
    QByteArray toAnsi() const;
    // One coloured run per line: start, end, colour (0x00BBGGRR as 8 hex digits), flags ("B" bold, "I"
    // italic, "-" neither, then " back=" and the background if any) and the covered text, quoted and escaped.
    QString toGolden() const;
    static QString goldenLine(const Run& run, QStringView text);
    // Backslash escapes for CR, LF, tab, quote and backslash; \u{XXXX} for every other character outside
    // printable ASCII.
    static QString escaped(QStringView text);

private:
    HighlightRenderer(QString text, std::vector<Run> runs);
    // Appends text[start, end) as it is shown: CR LF and lone CR become LF, other control characters U+FFFD.
    template <class Append> void forEachShownChar(int start, int end, Append&& append) const;

    QString mText;
    std::vector<Run> mRuns;
};

} // namespace qx
