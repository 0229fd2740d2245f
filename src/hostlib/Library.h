#pragma once

#include "hostlib/Registry.h"

#include <QString>
#include <QVariant>

namespace qx {

// The host library's file, folder, registry and text routines. Positions are one-based, as in
// the classic string functions. Failures throw LibraryError.
class Library {
public:
    enum FolderCode { AppDataFolder = 26, CommonProgramFilesFolder = 43 };

    // One shared instance per thread, created on first use.
    static Library& instance();

    // 26: $QXTE_USER_DATA_DIR, else the user's generic data folder. 43: $QXTE_COMMON_DIR, else the first
    // system data folder (XDG_DATA_DIRS) that holds a Kelvane folder, else the first of them
    // (/usr/local/share by default). No trailing separator. Other codes throw LibraryError.
    QString SpecialFolderPath(int code, int flags = 0) const;
    // True when a file (not a folder) exists. Backslashes are taken as folder separators.
    bool FileExists(const QString& path) const;

    // Position of the first character of text that is one of chars, searching from start (0 or 1:
    // the beginning); 0 when there is none. A negative start throws.
    int InStrMultiple(const QString& text, const QString& chars, int start = 0) const;
    // The first position at or after start that holds one of chars; 0 when there is none.
    int InStrMultipleFrom(int start, const QString& text, const QString& chars) const;
    // Occurrences of search in text from start, not overlapping. compare 0: letter case counts;
    // any other value ignores it.
    int InStrCount(int start, const QString& text, const QString& search, int compare) const;

    // The number at the start of the value's text, as the classic Val reads it: blanks are
    // skipped, "12abc" gives 12, "&H1F" gives 31, text without a leading number gives 0.
    double Val(const QVariant& value) const;

    // Base64 of the text's UTF-8 bytes.
    QString Base64Encode(const QString& text) const;
    // Strict: anything but Base64 (blanks aside) throws LibraryError. The bytes are read as UTF-8,
    // or as Windows-1252 when they are not valid UTF-8.
    QString Base64Decode(const QString& base64) const;

    QString ReadRegistry(RegistryRoot root, const QString& keyPath, const QString& valueName,
                         const QString& defaultText) const;
    void WriteRegistry(RegistryRoot root, const QString& keyPath, const QString& valueName,
                       const QString& text) const;

private:
    Library() = default;
};

} // namespace qx
