#pragma once

#include <QString>

namespace qx {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Registry values kept in QSettings INI files, one per root: the per-user file is
// $QXTE_USER_SETTINGS, else <GenericConfigLocation>/Kelvane/qxTagEditor2-user.ini; the per-machine
// file is $QXTE_MACHINE_SETTINGS, else /etc/xdg/Kelvane/qxTagEditor2-machine.ini. The environment
// is read on every call. Key paths may use "\" or "/" between their parts; both give the same
// nested group. Key parts and value names are matched without regard to letter case, as the
// registry does.
class Registry {
public:
    static QString Read(RegistryRoot root, const QString& keyPath, const QString& valueName,
                        const QString& defaultText);
    // Throws LibraryError when the value cannot be stored.
    static void Write(RegistryRoot root, const QString& keyPath, const QString& valueName,
                      const QString& text);
    // The INI file that holds the values of a root.
    static QString SettingsFile(RegistryRoot root);
};

} // namespace qx
