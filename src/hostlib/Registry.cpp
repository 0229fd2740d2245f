#include "hostlib/Registry.h"

#include "hostlib/LibraryError.h"

#include <QDir>
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

QString envPath(const char* name) {
    return qEnvironmentVariable(name);
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
    return !file.isEmpty() ? file : QStringLiteral("/etc/xdg/Kelvane/qxTagEditor2-machine.ini");
}

QString Registry::Read(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& defaultText) {
    QSettings settings(SettingsFile(root), QSettings::IniFormat);
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
    return value.toString();
}

void Registry::Write(RegistryRoot root, const QString& keyPath, const QString& valueName,
                     const QString& text) {
    const QString file = SettingsFile(root);
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        throw LibraryError(QStringLiteral("Cannot create the settings folder \"%1\"").arg(folder));
    }
    QSettings settings(file, QSettings::IniFormat);
    enterKey(settings, keyPath, true);
    const QString key = settingsKey(valueName);
    const QString stored = storedName(settings.childKeys(), key);
    settings.setValue(stored.isEmpty() ? key : stored, text);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        throw LibraryError(
            QStringLiteral("Cannot write \"%1\" under \"%2\" in \"%3\"").arg(valueName, keyPath, file));
    }
}

} // namespace qx
