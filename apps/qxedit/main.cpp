#include "MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

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
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A document to open."));
    parser.process(app);

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
