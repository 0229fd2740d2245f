#include "highlight/HighlightRenderer.h"

#include "platform/CodeBox.h"

#include <QStringList>

namespace qx {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

std::vector<FormatRuns::Run> merged(std::vector<FormatRuns::Run> runs) {
    std::vector<FormatRuns::Run> out;
    out.reserve(runs.size());
    for (const FormatRuns::Run& run : runs) {
        if (!out.empty() && out.back().format == run.format && out.back().end == run.start)
            out.back().end = run.end;
        else
            out.push_back(run);
    }
    return out;
}

// The colour as CSS or terminal components: red is the low byte.
int red(Colour c) {
    return int(c & 0xFF);
}
int green(Colour c) {
    return int((c >> 8) & 0xFF);
}
int blue(Colour c) {
    return int((c >> 16) & 0xFF);
}

QString cssColour(Colour c) {
    return QStringLiteral("#%1%2%3")
        .arg(red(c), 2, 16, QLatin1Char('0'))
        .arg(green(c), 2, 16, QLatin1Char('0'))
        .arg(blue(c), 2, 16, QLatin1Char('0'));
}

QString cssStyle(const CharFormat& f) {
    QString style = QStringLiteral("color:") + cssColour(f.Color);
    if (f.Bold)
        style += QLatin1String(";font-weight:bold");
    if (f.Italic)
        style += QLatin1String(";font-style:italic");
    if (f.BackColor != kNoBackColor)
        style += QLatin1String(";background-color:") + cssColour(f.BackColor);
    return style;
}

QByteArray ansiStyle(const CharFormat& f) {
    QByteArray s = "\x1b[0;38;2;" + QByteArray::number(red(f.Color)) + ';' +
                   QByteArray::number(green(f.Color)) + ';' + QByteArray::number(blue(f.Color));
    if (f.Bold)
        s += ";1";
    if (f.Italic)
        s += ";3";
    if (f.BackColor != kNoBackColor)
        s += ";48;2;" + QByteArray::number(red(f.BackColor)) + ';' + QByteArray::number(green(f.BackColor)) +
             ';' + QByteArray::number(blue(f.BackColor));
    return s + 'm';
}

const QByteArray kAnsiReset = "\x1b[0m";

QString hex(quint32 value, int digits) {
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

bool isPlain(const CharFormat& f) {
    return f == CharFormat{};
}

void appendHtmlEscaped(QString& out, QChar c) {
    switch (c.unicode()) {
    case '&':
        out += QLatin1String("&amp;");
        break;
    case '<':
        out += QLatin1String("&lt;");
        break;
    case '>':
        out += QLatin1String("&gt;");
        break;
    case '"':
        out += QLatin1String("&quot;");
        break;
    default:
        out += c;
    }
}

} // namespace

HighlightRenderer::HighlightRenderer(QString text, std::vector<Run> runs)
    : mText(std::move(text))
    , mRuns(merged(std::move(runs))) {}

HighlightRenderer::HighlightRenderer(QString text, const FormatRuns& formats)
    : HighlightRenderer(std::move(text), formats.runs(0, formats.length())) {}

HighlightRenderer HighlightRenderer::fromBox(const CodeBox& box) {
    const QString text = box.Text();
    std::vector<Run> runs;
    for (int i = 0; i < int(text.size()); ++i)
        runs.push_back({i, i + 1, box.FormatAt(i)});
    return HighlightRenderer(text, std::move(runs));
}

std::vector<HighlightRenderer::Run> HighlightRenderer::colouredRuns() const {
    std::vector<Run> out;
    for (const Run& run : mRuns) {
        if (!isPlain(run.format))
            out.push_back(run);
    }
    return out;
}

template <class Append> void HighlightRenderer::forEachShownChar(int start, int end, Append&& append) const {
    for (int i = start; i < end; ++i) {
        const QChar c = mText[i];
        const char16_t u = c.unicode();
        if (u == '\r') {
            if (i + 1 < int(mText.size()) && mText[i + 1] == QLatin1Char('\n'))
                continue; // the LF that follows makes the line break
            append(QChar(u'\n'));
        } else if (u == '\n' || u == '\t') {
            append(c);
        } else if (u < 0x20 || (u >= 0x7F && u <= 0x9F)) {
            append(QChar(kReplacement)); // control characters could drive the terminal or break the HTML
        } else {
            append(c);
        }
    }
}

QString HighlightRenderer::toHtml(const QString& title) const {
    QString out = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>");
    for (QChar c : title)
        appendHtmlEscaped(out, c);
    out += QLatin1String("</title>\n</head>\n<body>\n<pre class=\"qxhighlight\">");
    for (const Run& run : mRuns) {
        const bool plain = isPlain(run.format);
        if (!plain)
            out += QLatin1String("<span style=\"") + cssStyle(run.format) + QLatin1String("\">");
        forEachShownChar(run.start, run.end, [&](QChar c) { appendHtmlEscaped(out, c); });
        if (!plain)
            out += QLatin1String("</span>");
    }
    out += QLatin1String("</pre>\n</body>\n</html>\n");
    return out;
}

QByteArray HighlightRenderer::toAnsi() const {
    QByteArray out;
    QString piece;
    for (const Run& run : mRuns) {
        piece.clear();
        forEachShownChar(run.start, run.end, [&](QChar c) { piece += c; });
        if (isPlain(run.format)) {
            out += piece.toUtf8();
            continue;
        }
        // Each line of the run is styled on its own, so that a background never spills past a line end.
        const QByteArray style = ansiStyle(run.format);
        const QStringList lines = piece.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                out += '\n';
            if (!lines[i].isEmpty())
                out += style + lines[i].toUtf8() + kAnsiReset;
        }
    }
    return out;
}

QString HighlightRenderer::escaped(QStringView text) {
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                out += QLatin1String("\\u{") + hex(c.unicode(), 4) + QLatin1Char('}');
            else
                out += c;
        }
    }
    return out;
}

QString HighlightRenderer::goldenLine(const Run& run, QStringView text) {
    const CharFormat& f = run.format;
    QString flags = QString(f.Bold ? QLatin1String("B") : QLatin1String("")) +
                    QString(f.Italic ? QLatin1String("I") : QLatin1String(""));
    if (flags.isEmpty())
        flags = QStringLiteral("-");
    if (f.BackColor != kNoBackColor)
        flags += QLatin1String(" back=") + hex(f.BackColor, 8);
    return QStringLiteral("%1 %2 %3 %4 \"%5\"")
        .arg(run.start)
        .arg(run.end)
        .arg(hex(f.Color, 8))
        .arg(flags, escaped(text.sliced(run.start, run.end - run.start)));
}

QString HighlightRenderer::toGolden() const {
    QString out;
    for (const Run& run : colouredRuns())
        out += goldenLine(run, mText) + QLatin1Char('\n');
    return out;
}

} // namespace qx
