#include "hostlib/Library.h"

#include "hostlib/HostPath.h"
#include "hostlib/LibraryError.h"
#include "hostlib/SystemFolders.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace qx {

namespace {

QString withoutTrailingSeparator(QString path) {
    while (path.size() > 1 && (path.endsWith(QLatin1Char('/')) || path.endsWith(QLatin1Char('\\')))) {
        path.chop(1);
    }
    return path;
}

QString envOr(const char* name, const QString& fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

Library& Library::instance() {
    thread_local Library library;
    return library;
}

QString Library::SpecialFolderPath(int code, int) const {
    switch (code) {
    case AppDataFolder:
        return withoutTrailingSeparator(envOr(
            "QXTE_USER_DATA_DIR", QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    case CommonProgramFilesFolder:
        return withoutTrailingSeparator(
            envOr("QXTE_COMMON_DIR",
                  systemFolderHolding(QStandardPaths::GenericDataLocation, QStringLiteral("Kelvane"))));
    default:
        throw LibraryError(QStringLiteral("Unknown special folder code %1").arg(code));
    }
}

bool Library::FileExists(const QString& path) const {
    return !path.isEmpty() && QFileInfo(hostPath(path)).isFile();
}

QString Library::ReadRegistry(RegistryRoot root, const QString& keyPath, const QString& valueName,
                              const QString& defaultText) const {
    return Registry::Read(root, keyPath, valueName, defaultText);
}

void Library::WriteRegistry(RegistryRoot root, const QString& keyPath, const QString& valueName,
                            const QString& text) const {
    Registry::Write(root, keyPath, valueName, text);
}

} // namespace qx
