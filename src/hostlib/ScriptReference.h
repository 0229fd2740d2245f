#pragma once

#include "hostlib/Properties.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

namespace qx {

struct ReferenceData;

// Handler names, syntax texts and value lists for the host's tags, read from the reference file
// named by the host database object. Without a database, or with an object that is not a
// qxDatabase, every answer is empty. Cheap to create: parsed files are shared through a cache.
// Methods are virtual so that a host or a test can supply its own answers.
class ScriptReference {
public:
    ScriptReference();
    virtual ~ScriptReference();

    virtual void setDatabase(QObject* database);

    // With an empty name, the handler names that may follow the tag opener; with a name, the names
    // that may follow that name and a hyphen. Hidden handlers are left out when excludeHidden.
    virtual std::unique_ptr<Properties> HandlerNames(const QString& handlerName, bool excludeHidden,
                                                     int reserved = 0);
    // The handler's items, separated by ":" (read back with Properties::Build).
    virtual QString HandlerItems(const QString& handler);
    // For the command at the start of the tag content (its first word, any letter case):
    virtual QString CommandSyntax(const QString& handler, const QString& content);
    virtual QString CommandDescription(const QString& handler, const QString& content);
    virtual QString CommandValues(const QString& handler, const QString& content);
    virtual QString ArgumentValues(const QString& handler, const QString& content,
                                   const QString& argumentName);

    // The command word of a tag content: leading blanks skipped, up to the first blank or one of
    // : = > < ( ) , " '.
    static QString CommandName(const QString& content);

    // The reference data of the database's file; empty data when there is none. The file is read again
    // when it changed, so a new object here means new answers.
    std::shared_ptr<const ReferenceData> data() const;

private:
    QPointer<QObject> mDatabase;
};

} // namespace qx
