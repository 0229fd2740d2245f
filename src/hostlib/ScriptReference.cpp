#include "hostlib/ScriptReference.h"

#include "hostlib/ReferenceData.h"
#include <qxTagEditor2/qxDatabase.h>

namespace qx {

namespace {

const QLatin1Char Hyphen('-');

// A ":"-separated list that Properties::Build reads back exactly, even when a name holds ":".
QString listText(const QStringList& names) {
    Properties list;
    for (const QString& name : names) {
        list.Add(name, QString());
    }
    return list.ToText();
}

// The name that follows parent and a hyphen in a handler's name; empty when it does not follow it.
QString followerName(const QString& handler, const QString& parent) {
    if (parent.isEmpty()) {
        return handler.contains(Hyphen) ? QString() : handler;
    }
    if (handler.size() <= parent.size() + 1 || !handler.startsWith(parent, Qt::CaseInsensitive) ||
        handler[parent.size()] != Hyphen) {
        return QString();
    }
    const QString rest = handler.mid(parent.size() + 1);
    return rest.contains(Hyphen) ? QString() : rest;
}

bool endsCommand(QChar ch) {
    return ch.isSpace() || QStringLiteral(":=><(),\"'").contains(ch);
}

} // namespace

ScriptReference::ScriptReference() = default;
ScriptReference::~ScriptReference() = default;

void ScriptReference::setDatabase(QObject* database) {
    mDatabase = database;
}

std::shared_ptr<const ReferenceData> ScriptReference::data() const {
    // Only the host's own database class is trusted to name a reference file.
    if (!mDatabase || qstrcmp(mDatabase->metaObject()->className(), "qxDatabase") != 0) {
        return std::make_shared<const ReferenceData>();
    }
    return ReferenceData::load(static_cast<const qxDatabase*>(mDatabase.data())->referenceFile());
}

QString ScriptReference::CommandName(const QString& content) {
    qsizetype start = 0;
    while (start < content.size() && content[start].isSpace()) {
        ++start;
    }
    qsizetype end = start;
    while (end < content.size() && !endsCommand(content[end])) {
        ++end;
    }
    return content.mid(start, end - start);
}

std::unique_ptr<Properties> ScriptReference::HandlerNames(const QString& handlerName, bool excludeHidden,
                                                          int) {
    auto names = std::make_unique<Properties>();
    const auto reference = data();
    const QString parent = handlerName.trimmed();
    for (const ReferenceData::Handler& handler : reference->handlers) {
        const QString name = followerName(handler.name, parent);
        if (!name.isEmpty() && !(excludeHidden && handler.hidden)) {
            names->Add(name, QString());
        }
    }
    return names;
}

QString ScriptReference::HandlerItems(const QString& handler) {
    const auto reference = data();
    const ReferenceData::Handler* found = reference->findHandler(handler.trimmed());
    return found ? listText(found->items) : QString();
}

namespace {

const ReferenceData::Command* commandOf(const ReferenceData& reference, const QString& handler,
                                        const QString& content) {
    const ReferenceData::Handler* found = reference.findHandler(handler.trimmed());
    const QString command = ScriptReference::CommandName(content);
    return found && !command.isEmpty() ? found->findCommand(command) : nullptr;
}

} // namespace

QString ScriptReference::CommandSyntax(const QString& handler, const QString& content) {
    const auto reference = data();
    const ReferenceData::Command* command = commandOf(*reference, handler, content);
    return command ? command->syntax : QString();
}

QString ScriptReference::CommandDescription(const QString& handler, const QString& content) {
    const auto reference = data();
    const ReferenceData::Command* command = commandOf(*reference, handler, content);
    return command ? command->description : QString();
}

QString ScriptReference::CommandValues(const QString& handler, const QString& content) {
    const auto reference = data();
    const ReferenceData::Command* command = commandOf(*reference, handler, content);
    return command ? listText(command->values) : QString();
}

QString ScriptReference::ArgumentValues(const QString& handler, const QString& content,
                                        const QString& argumentName) {
    const auto reference = data();
    const ReferenceData::Command* command = commandOf(*reference, handler, content);
    const ReferenceData::Argument* argument =
        command ? command->findArgument(argumentName.trimmed()) : nullptr;
    return argument ? listText(argument->values) : QString();
}

} // namespace qx
