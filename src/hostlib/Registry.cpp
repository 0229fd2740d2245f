#include "hostlib/Registry.h"

#include "hostlib/LibraryError.h"
#include "hostlib/Logging.h"
#include "hostlib/SettingsFileCheck.h"
#include "hostlib/SystemFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace qx {

namespace {

// The registry's unnamed (default) value of a key.
const QString DefaultValueName = QStringLiteral("(Default)");

QStringList keyParts(const QString& keyPath) {
    QString path = keyPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// QSettings reads "/" in a key as a group separator, so value names keep "/" and "\" escaped.
QString settingsKey(const QString& valueName) {
    if (valueName.isEmpty()) {
        return DefaultValueName;
    }
    QString key = valueName;
    key.replace(QLatin1Char('%'), QLatin1String("%25"));
    key.replace(QLatin1Char('/'), QLatin1String("%2F"));
    key.replace(QLatin1Char('\\'), QLatin1String("%5C"));
    return key;
}

// The stored spelling of a name, matched without regard to case; empty when there is none.
QString storedName(const QStringList& names, const QString& wanted) {
    if (names.contains(wanted)) {
        return wanted;
    }
    for (const QString& name : names) {
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) {
            return name;
        }
    }
    return QString();
}

// Enters the key's nested groups; with create unset, stops and answers false at a missing one.
bool enterKey(QSettings& settings, const QString& keyPath, bool create) {
    for (const QString& part : keyParts(keyPath)) {
        QString group = storedName(settings.childGroups(), part);
        if (group.isEmpty()) {
            if (!create) {
                return false;
            }
            group = part;
        }
        settings.beginGroup(group);
    }
    return true;
}

const QString kMachineFile = QStringLiteral("Kelvane/qxTagEditor2-machine.ini");

QString envPath(const char* name) {
    return qEnvironmentVariable(name);
}

// A failed write is logged too, since callers may carry on without it.
[[noreturn]] void fail(const QString& message) {
    qCWarning(lcEditor).noquote() << message;
    throw LibraryError(message);
}

// What reading the settings file, or writing it back, would lose; a missing file has nothing to lose.
SettingsFileCheck checkFile(const QString& path) {
    if (!QFileInfo::exists(path))
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("it cannot be read (%1)").arg(file.errorString()), false};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QStringLiteral("it cannot be read (%1)").arg(file.errorString()), false};
    return checkSettingsFile(bytes);
}

} // namespace

QString Registry::SettingsFile(RegistryRoot root) {
    if (root == RegistryRoot::CurrentUser) {
        const QString file = envPath("QXTE_USER_SETTINGS");
        return !file.isEmpty() ? file
                               : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                     QStringLiteral("/Kelvane/qxTagEditor2-user.ini");
    }
    const QString file = envPath("QXTE_MACHINE_SETTINGS");
    return !file.isEmpty() ? file
                           : systemFolderHolding(QStandardPaths::GenericConfigLocation, kMachineFile) +
                                 QLatin1Char('/') + kMachineFile;
}

QString Registry::Read(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& defaultText) {
    const QString file = SettingsFile(root);
    if (const SettingsFileCheck check = checkFile(file); !check.readable) {
        qCWarning(lcEditor).noquote()
            << QStringLiteral(
                   "The settings file \"%1\" is damaged (%2): \"%3\" may read wrongly or as its default")
                   .arg(file, check.problem, valueName);
    }
    QSettings settings(file, QSettings::IniFormat);
    if (!enterKey(settings, keyPath, false)) {
        return defaultText;
    }
    const QString key = storedName(settings.childKeys(), settingsKey(valueName));
    if (key.isEmpty()) {
        return defaultText;
    }
    const QVariant value = settings.value(key);
    // A hand-written value with unquoted commas comes back from the INI reader as a list.
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    // A value stored as something that is no text ("@Rect(...)", "@Invalid()") reads as missing.
    if (!value.isValid() || !value.canConvert<QString>()) {
        qCWarning(lcEditor).noquote()
            << QStringLiteral("\"%1\" in the settings file \"%2\" is not text: the default is used")
                   .arg(valueName, file);
        return defaultText;
    }
    return value.toString();
}

void Registry::Write(RegistryRoot root, const QString& keyPath, const QString& valueName,
                     const QString& text) {
    const QString file = SettingsFile(root);
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        fail(QStringLiteral("Cannot create the settings folder \"%1\"").arg(folder));
    }
    // QSettings writes back only what it understood: a file it cannot read whole is left as it is.
    if (const SettingsFileCheck check = checkFile(file); !check.writable()) {
        fail(QStringLiteral("\"%1\" was not saved: the settings file \"%2\" is left as it is, since %3")
                 .arg(valueName, file, check.problem));
    }
    QSettings settings(file, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        fail(QStringLiteral("\"%1\" was not saved: the settings file \"%2\" could not be read")
                 .arg(valueName, file));
    }
    enterKey(settings, keyPath, true);
    const QString key = settingsKey(valueName);
    const QString stored = storedName(settings.childKeys(), key);
    settings.setValue(stored.isEmpty() ? key : stored, text);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        fail(QStringLiteral("Cannot write \"%1\" under \"%2\" in \"%3\"").arg(valueName, keyPath, file));
    }
}

} // namespace qx
