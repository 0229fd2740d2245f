// The file form of a Properties collection: versioned JSON, written atomically.
#include "hostlib/HostPath.h"
#include "hostlib/LibraryError.h"
#include "hostlib/LoadFeedback.h"
#include "hostlib/Properties.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <initializer_list>
#include <utility>

namespace qx {

namespace {

const QString FormatName = QStringLiteral("qxTagEditor2.properties");
constexpr int FormatVersion = 1;
// Items nest no deeper than this, in a file and in a collection that is saved, so that reading and writing
// never run out of stack; what the editor stores nests two levels at most.
constexpr int MaxDepth = 100;

QString tooDeep() {
    return QStringLiteral("items are nested more than %1 levels deep").arg(MaxDepth);
}

void requireNoKey(const QString& key) {
    if (!key.isEmpty()) {
        throw LibraryError("Encrypted property files are not supported: pass an empty key");
    }
}

// The keys of an object other than the given ones.
QJsonObject otherKeys(QJsonObject object, std::initializer_list<const char*> known) {
    for (const char* key : known) {
        object.remove(QLatin1String(key));
    }
    return object;
}

QJsonArray toJson(const Properties& items, const QString& path, int depth) {
    if (depth > MaxDepth) {
        throw LibraryError(QStringLiteral("Cannot save \"%1\": %2").arg(path, tooDeep()));
    }
    QJsonArray array;
    for (const Property& item : items) {
        QJsonObject object = item.OtherKeys();
        object.insert("name", item.Name());
        object.insert("value", item.Value().toString());
        if (item.SubProperties().Count() > 0) {
            object.insert("items", toJson(item.SubProperties(), path, depth + 1));
        }
        array.append(object);
    }
    return array;
}

[[noreturn]] void corrupt(const QString& path, const QString& why) {
    throw LibraryError(QStringLiteral("\"%1\" is not a valid property file: %2").arg(path, why));
}

void fromJson(const QJsonArray& array, Properties& into, const QString& path, int depth) {
    if (depth > MaxDepth && !array.isEmpty()) {
        corrupt(path, tooDeep());
    }
    for (const QJsonValue& entry : array) {
        const QJsonObject object = entry.toObject();
        const QJsonValue name = object.value("name");
        const QJsonValue value = object.value("value");
        const QJsonValue items = object.value("items");
        if (!entry.isObject() || !name.isString()) {
            corrupt(path, "an item without a name");
        }
        if (!value.isUndefined() && !value.isString()) {
            corrupt(path, "a value that is not text");
        }
        if (!items.isUndefined() && !items.isArray()) {
            corrupt(path, "sub-items that are not a list");
        }
        Property* added = into.Add(name.toString(), value.toString());
        added->setOtherKeys(otherKeys(object, {"name", "value", "items"}));
        fromJson(items.toArray(), added->SubProperties(), path, depth + 1);
    }
}

// The file's items; its other top-level keys go to otherFileKeys.
Properties parseFile(const QByteArray& bytes, const QString& path, QJsonObject& otherFileKeys) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        corrupt(path, QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
    }
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value("format").toString() != FormatName) {
        corrupt(path, "the format marker is missing");
    }
    const QJsonValue version = root.value("version");
    if (!version.isDouble() || version.toDouble() != version.toInt() || version.toInt() < 1) {
        corrupt(path, "the version is missing");
    }
    if (version.toInt() > FormatVersion) {
        corrupt(path, QStringLiteral("version %1 is newer than this program reads (%2)")
                          .arg(version.toInt())
                          .arg(FormatVersion));
    }
    if (!root.value("items").isArray()) {
        corrupt(path, "the item list is missing");
    }
    Properties loaded;
    fromJson(root.value("items").toArray(), loaded, path, 1);
    otherFileKeys = otherKeys(root, {"format", "version", "items"});
    return loaded;
}

} // namespace

void Properties::LoadFromFile(const QString& path, const QString& key) {
    requireNoKey(key);
    const QString file = hostPath(path);
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly)) {
        throw LibraryError(QStringLiteral("Cannot read \"%1\": %2").arg(file, input.errorString()));
    }
    const ScopedLoad announced(file, input.size());
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        throw LibraryError(QStringLiteral("Cannot read \"%1\": %2").arg(file, input.errorString()));
    }
    QJsonObject otherFileKeys;
    Properties loaded = parseFile(bytes, file, otherFileKeys);
    loaded.mOtherFileKeys = std::move(otherFileKeys);
    *this = std::move(loaded);
}

void Properties::SaveFile(const QString& path, const QString& key) const {
    requireNoKey(key);
    const QString file = hostPath(path);
    QJsonObject root = mOtherFileKeys;
    root.insert("format", FormatName);
    root.insert("version", FormatVersion);
    root.insert("items", toJson(*this, file, 1));
    QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    // Qt's reader drops a U+FEFF that starts a string without escapes, so it is always written escaped.
    // Its UTF-8 bytes can only stand for that character, inside a string.
    bytes.replace("\xEF\xBB\xBF", "\\ufeff");

    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw LibraryError(QStringLiteral("Cannot create the folder \"%1\"").arg(folder));
    }
    // A save small enough to sit in the write buffer fails only when it is flushed, and commit() does not
    // see that failure: it would replace the file with what reached the disk. So flush first.
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() || !output.flush() ||
        !output.commit()) {
        throw LibraryError(QStringLiteral("Cannot save \"%1\": %2").arg(file, output.errorString()));
    }
}

} // namespace qx
