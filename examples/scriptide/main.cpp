// scriptide [--dark] [--de] [FILE...]: a tabbed script IDE around the qxTagEditor2 control.
#include "IdeWindow.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Script IDE"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    IdeWindow window;
    window.setWindowTitle(QStringLiteral("Script IDE"));
    int files = 0;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        if (argument == QLatin1String("--dark"))
            window.setDark(true);
        else if (argument == QLatin1String("--de"))
            window.setGerman(true);
        else
            window.openFile(argument), ++files;
    }
    if (files == 0)
        window.openFile(QString()); // an empty first tab
    window.show();
    return QApplication::exec();
}
