#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPalette>
#include <QTimer>
#include <QToolTip>

#include <cstdio>

namespace {

// Saves a picture of the window once it is shown and laid out, then ends the application.
void scheduleScreenshot(MainWindow& window, const QString& file) {
    QTimer::singleShot(0, &window, [&window, file] {
        QCoreApplication::processEvents();
        const bool saved = window.grab().save(file, "PNG");
        if (!saved)
            std::fprintf(stderr, "qxedit: cannot write the screenshot %s\n", qPrintable(file));
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

// The Fusion style with a dark palette, as a host with a dark look would set them before its first window.
void useDarkLook() {
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QColor window(0x35, 0x35, 0x35), base(0x1E, 0x1E, 0x1E), text(0xE8, 0xE8, 0xE8),
        accent(0x2A, 0x82, 0xDA);
    QPalette dark(text, window, window.lighter(150), window.darker(200), window.darker(150), text, Qt::white,
                  base, window);
    dark.setColor(QPalette::AlternateBase, window);
    dark.setColor(QPalette::Highlight, accent);
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::Link, accent.lighter(130));
    dark.setColor(QPalette::PlaceholderText, QColor(0x90, 0x90, 0x90));
    dark.setColor(QPalette::ToolTipBase, base);
    dark.setColor(QPalette::ToolTipText, text);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, QColor(0x80, 0x80, 0x80));
    QApplication::setPalette(dark);
    QToolTip::setPalette(dark);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qxedit"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Demo host of the qxTagEditor2 script-editor control."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(
        QStringLiteral("screenshot"), QStringLiteral("Save a PNG picture of the window to <file> and exit."),
        QStringLiteral("file"));
    parser.addOption(screenshot);
    const QCommandLineOption dark(QStringLiteral("dark"),
                                  QStringLiteral("Use the Fusion style with a dark palette."));
    parser.addOption(dark);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A document to open."));
    parser.process(app);

    if (parser.isSet(dark))
        useDarkLook();
    const bool screenshotMode = parser.isSet(screenshot);
    MainWindow window;
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty() || !window.openFile(files.first(), screenshotMode))
        window.openSample();
    window.show();
    if (screenshotMode)
        scheduleScreenshot(window, parser.value(screenshot));
    return QApplication::exec();
}
