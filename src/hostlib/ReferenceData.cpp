#include "hostlib/ReferenceData.h"

#include "hostlib/HostPath.h"
#include "hostlib/LibraryError.h"
#include "hostlib/LoadFeedback.h"
#include "hostlib/Logging.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutex>

namespace qx {

namespace {

const QString FormatName = QStringLiteral("qxTagEditor2.reference");
constexpr int FormatVersion = 1;

template <typename T> const T* findByName(const QList<T>& list, const QString& name) {
    for (const T& entry : list) {
        if (entry.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &entry;
        }
    }
    return nullptr;
}

[[noreturn]] void invalid(const QString& why) {
    throw LibraryError("Invalid reference file: " + why);
}

QJsonObject objectAt(const QJsonValue& value, const char* what) {
    if (!value.isObject()) {
        invalid(QStringLiteral("a %1 is not an object").arg(QLatin1String(what)));
    }
    return value.toObject();
}

QString textOf(const QJsonObject& object, const char* key, bool required = false) {
    const QJsonValue value = object.value(QLatin1String(key));
    if ((required || !value.isUndefined()) && !value.isString()) {
        invalid(QStringLiteral("\"%1\" is not text").arg(QLatin1String(key)));
    }
    return value.toString();
}

QStringList textsOf(const QJsonObject& object, const char* key) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined()) {
        return {};
    }
    if (!value.isArray()) {
        invalid(QStringLiteral("\"%1\" is not a list").arg(QLatin1String(key)));
    }
    QStringList texts;
    for (const QJsonValue& entry : value.toArray()) {
        if (!entry.isString()) {
            invalid(QStringLiteral("\"%1\" holds something other than text").arg(QLatin1String(key)));
        }
        texts << entry.toString();
    }
    return texts;
}

template <typename T, typename Parse>
QList<T> listOf(const QJsonObject& object, const char* key, Parse parse) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (!value.isUndefined() && !value.isArray()) {
        invalid(QStringLiteral("\"%1\" is not a list").arg(QLatin1String(key)));
    }
    QList<T> list;
    for (const QJsonValue& entry : value.toArray()) {
        list << parse(objectAt(entry, key));
    }
    return list;
}

ReferenceData::Argument parseArgument(const QJsonObject& object) {
    return {textOf(object, "name", true), textsOf(object, "values")};
}

ReferenceData::Command parseCommand(const QJsonObject& object) {
    return {textOf(object, "name", true), textOf(object, "syntax"), textOf(object, "description"),
            textsOf(object, "values"), listOf<ReferenceData::Argument>(object, "arguments", parseArgument)};
}

ReferenceData::Handler parseHandler(const QJsonObject& object) {
    const QJsonValue hidden = object.value(QLatin1String("hidden"));
    if (!hidden.isUndefined() && !hidden.isBool()) {
        invalid("\"hidden\" is not true or false");
    }
    return {textOf(object, "name", true), hidden.toBool(), textsOf(object, "items"),
            listOf<ReferenceData::Command>(object, "commands", parseCommand)};
}

struct CacheEntry {
    bool exists = false;
    QDateTime modified;
    qint64 size = -1;
    std::shared_ptr<const ReferenceData> data;
};

// An unusable reference file means no reference data: the lists simply stay empty, and the log says why.
std::shared_ptr<const ReferenceData> unusable(const QString& path, const QString& why) {
    qCWarning(lcEditor).noquote()
        << QStringLiteral("The reference file \"%1\" was not read, so no reference data is offered: %2")
               .arg(path, why);
    return std::make_shared<const ReferenceData>();
}

std::shared_ptr<const ReferenceData> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return unusable(path, file.errorString());
    }
    const ScopedLoad announced(path, file.size());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return unusable(path, file.errorString());
    }
    try {
        return std::make_shared<const ReferenceData>(ReferenceData::parse(bytes));
    } catch (const LibraryError& error) {
        return unusable(path, error.message());
    }
}

} // namespace

const ReferenceData::Argument* ReferenceData::Command::findArgument(const QString& wanted) const {
    return findByName(arguments, wanted);
}

const ReferenceData::Command* ReferenceData::Handler::findCommand(const QString& wanted) const {
    return findByName(commands, wanted);
}

const ReferenceData::Handler* ReferenceData::findHandler(const QString& wanted) const {
    return findByName(handlers, wanted);
}

ReferenceData ReferenceData::parse(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        invalid(QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
    }
    const QJsonObject root = document.object();
    if (root.value(QLatin1String("format")).toString() != FormatName) {
        invalid("the format marker is missing");
    }
    const int version = root.value(QLatin1String("version")).toInt();
    if (version < 1 || version > FormatVersion) {
        invalid(QStringLiteral("unsupported version %1").arg(version));
    }
    ReferenceData data;
    data.handlers = listOf<Handler>(root, "handlers", parseHandler);
    return data;
}

std::shared_ptr<const ReferenceData> ReferenceData::load(const QString& path) {
    static QMutex mutex;
    static QHash<QString, CacheEntry> cache;

    if (path.isEmpty()) {
        return std::make_shared<const ReferenceData>();
    }
    const QFileInfo info(hostPath(path));
    const QString key = info.absoluteFilePath();
    const QMutexLocker lock(&mutex);
    CacheEntry& entry = cache[key];
    if (!info.isFile()) {
        // Said once, not on every request, until the file appears.
        if (!entry.data || entry.exists) {
            entry = {false, {}, -1, unusable(key, info.exists() ? "it is not a file" : "it does not exist")};
        }
        return entry.data;
    }
    const QDateTime modified = info.lastModified();
    if (!entry.data || !entry.exists || entry.modified != modified || entry.size != info.size()) {
        entry = {true, modified, info.size(), readFile(key)};
    }
    return entry.data;
}

} // namespace qx
