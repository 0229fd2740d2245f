#pragma once

#include <QStandardPaths>
#include <QString>

namespace qx {

// The system folder of `type` (configuration: XDG_CONFIG_DIRS; data: XDG_DATA_DIRS; the user's own folder is
// not one of them) that holds `relative`, searched in order; else the first of them (/etc/xdg,
// /usr/local/share by default), where a machine-wide file would go.
QString systemFolderHolding(QStandardPaths::StandardLocation type, const QString& relative);

} // namespace qx
