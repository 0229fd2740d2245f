#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

namespace qx {

// The parsed content of a reference file (format in docs/hostlib-files.md).
struct ReferenceData {
    struct Argument {
        QString name;
        QStringList values;
    };
    struct Command {
        QString name;
        QString syntax;
        QString description;
        QStringList values;
        QList<Argument> arguments;
        const Argument* findArgument(const QString& name) const;
    };
    struct Handler {
        QString name;
        bool hidden = false;
        QStringList items;
        QList<Command> commands;
        const Command* findCommand(const QString& name) const;
    };

    QList<Handler> handlers;
    const Handler* findHandler(const QString& name) const;

    // Parses a reference file's bytes; throws LibraryError when they are not a valid file.
    static ReferenceData parse(const QByteArray& json);

    // The data of the file at path, parsed once per path and modification; empty data when the
    // file is missing, unreadable or corrupt, with a warning naming the file in the log (once per
    // state of the file). A large file announces its reading to the installed LoadFeedback.
    static std::shared_ptr<const ReferenceData> load(const QString& path);
};

} // namespace qx
