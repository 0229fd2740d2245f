#include "hostlib/SystemFolders.h"

#include <QFileInfo>
#include <QStringList>

namespace qx {

QString systemFolderHolding(QStandardPaths::StandardLocation type, const QString& relative) {
    QStringList folders = QStandardPaths::standardLocations(type);
    folders.removeAll(QStandardPaths::writableLocation(type));
    for (const QString& folder : std::as_const(folders)) {
        if (QFileInfo::exists(folder + QLatin1Char('/') + relative))
            return folder;
    }
    if (!folders.isEmpty())
        return folders.first();
    return type == QStandardPaths::GenericConfigLocation ? QStringLiteral("/etc/xdg")
                                                         : QStringLiteral("/usr/local/share");
}

} // namespace qx
