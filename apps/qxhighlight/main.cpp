// qxhighlight FILE [--code-type tag|script|auto] [--html|--ansi]
//
// Colours a script file with the editor's own highlighting and writes the result to standard output.
#include "highlight/EffectiveCodeType.h"
#include "highlight/HighlightRenderer.h"
#include "highlight/HighlightScheduler.h"
#include "highlight/TextDecoding.h"
#include "platform/memory/ManualTimer.h"
#include "platform/memory/MemoryCodeBox.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

const char* const kUsage =
    "Usage: qxhighlight FILE [--code-type tag|script|auto] [--html|--ansi]\n"
    "\n"
    "Colours FILE the way the script editor does and writes it to standard output.\n"
    "\n"
    "  --code-type auto    tag markup when the file begins with \"<QX:\" or \"{\\rt\", else plain\n"
    "                      script (the default)\n"
    "  --code-type tag     tag markup with script blocks and encoded values\n"
    "  --code-type script  plain script\n"
    "  --html              a complete HTML document: the text in a <pre>, coloured runs as <span>s\n"
    "  --ansi              the text with 24-bit colour escapes; plain black text keeps the\n"
    "                      terminal's own colour\n"
    "\n"
    "FILE may be - for standard input.\n"
    "Without --html or --ansi the output is ANSI when standard output is a terminal, else HTML.\n"
    "The file may be UTF-8 (with or without a byte-order mark), UTF-16 LE or BE with a byte-order\n"
    "mark, or Windows-1252. Line breaks are read as the editor's box presents them (CR LF) and\n"
    "written as LF; control characters are written as U+FFFD.\n"
    "The per-machine word list settings extend the lists, as in the editor.\n"
    "\n"
    "Exit status: 0 done, 1 the file cannot be read, 2 bad arguments.\n";

enum class Output { Auto, Html, Ansi };

struct Options {
    QString file;
    int codeType = qx::CodeTypes::Auto;
    Output output = Output::Auto;
};

std::optional<int> codeTypeNamed(const QString& name) {
    if (name == QLatin1String("tag"))
        return qx::CodeTypes::Kelvane;
    if (name == QLatin1String("script"))
        return qx::CodeTypes::VB;
    if (name == QLatin1String("auto"))
        return qx::CodeTypes::Auto;
    return std::nullopt;
}

// Fills options from the arguments; an error message when they make no sense.
QString parse(const QStringList& args, Options& options) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--html")) {
            options.output = Output::Html;
        } else if (arg == QLatin1String("--ansi")) {
            options.output = Output::Ansi;
        } else if (arg == QLatin1String("--code-type") || arg.startsWith(QLatin1String("--code-type="))) {
            const QString value = arg.contains(QLatin1Char('=')) ? arg.section(QLatin1Char('='), 1)
                                                                 : (++i < args.size() ? args[i] : QString());
            const std::optional<int> type = codeTypeNamed(value);
            if (!type)
                return QStringLiteral("unknown code type \"%1\"").arg(value);
            options.codeType = *type;
        } else if (arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-")) {
            return QStringLiteral("unknown option \"%1\"").arg(arg);
        } else if (options.file.isEmpty()) {
            options.file = arg;
        } else {
            return QStringLiteral("more than one file given");
        }
    }
    return options.file.isEmpty() ? QStringLiteral("no file given") : QString();
}

void write(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

// Colours the text on an in-memory box through the scheduler, exactly as the editor's pass does.
qx::HighlightRenderer colour(const QString& text, int codeType) {
    qx::MemoryCodeBox box;
    box.setText(text);
    qx::ManualTimer timer;
    qx::EditorState state;
    state.mlCodeType = codeType;
    qx::HighlightScheduler scheduler(box, timer, state);
    scheduler.HighlightPass();
    return qx::HighlightRenderer(box.Text(), box.formats());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
        write(kUsage);
        return 0;
    }
    Options options;
    const QString error = parse(args, options);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "qxhighlight: %s\n\n%s", qPrintable(error), kUsage);
        return 2;
    }

    QFile file(options.file);
    if (options.file == QLatin1String("-") ? !file.open(stdin, QIODevice::ReadOnly)
                                           : !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "qxhighlight: cannot read %s: %s\n", qPrintable(options.file),
                     qPrintable(file.errorString()));
        return 1;
    }
    const QString text = qx::toCrLf(qx::decodeScriptFile(file.readAll()));
    const qx::HighlightRenderer rendered = colour(text, options.codeType);

    Output output = options.output;
    if (output == Output::Auto)
        output = isatty(STDOUT_FILENO) ? Output::Ansi : Output::Html;
    if (output == Output::Html)
        write(rendered.toHtml(QFileInfo(options.file).fileName()).toUtf8());
    else
        write(rendered.toAnsi());
    return 0;
}
