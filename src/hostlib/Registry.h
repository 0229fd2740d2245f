#pragma once

#include <QString>

namespace qx {

enum class RegistryRoot { CurrentUser, LocalMachine };

// Registry values kept in QSettings INI files, one per root: the per-user file is
// $QXTE_USER_SETTINGS, else <GenericConfigLocation>/Kelvane/qxTagEditor2-user.ini; the per-machine
// file is $QXTE_MACHINE_SETTINGS, else Kelvane/qxTagEditor2-machine.ini in the first system configuration
// folder (XDG_CONFIG_DIRS, /etc/xdg by default) that has one, else in the first of them. The environment
// is read on every call. Key paths may use "\" or "/" between their parts; both give the same
// nested group. Key parts and value names are matched without regard to letter case, as the
// registry does.
class Registry {
public:
    // A file that is damaged (see SettingsFileCheck) is read as far as QSettings can, with a warning in the
    // log.
    static QString Read(RegistryRoot root, const QString& keyPath, const QString& valueName,
                        const QString& defaultText);
    // Throws LibraryError, and logs why, when the value cannot be stored, and when the file holds something
    // QSettings would drop or alter on writing it back (a comment, a line it cannot parse, a name set twice,
    // bytes that are not UTF-8): such a file is never written.
    static void Write(RegistryRoot root, const QString& keyPath, const QString& valueName,
                      const QString& text);
    // The INI file that holds the values of a root.
    static QString SettingsFile(RegistryRoot root);
};

} // namespace qx
