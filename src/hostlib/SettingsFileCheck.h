#pragma once

#include <QByteArrayView>
#include <QString>

namespace qx {

// What reading an INI settings file through QSettings, and writing it back, would lose or alter. QSettings
// drops a line it cannot parse, a comment (";" at the start of a line, or after a value outside quotes) and
// all but the last of a name set twice (names are compared as QSettings reads them: "k%20x" and "k x" are
// one name, and so are "b\c" in "[A]" and "c" in "[A\b]"), and reads bytes that are not UTF-8 wrongly; it
// reports only some of this, and only the first time a process reads the file.
struct SettingsFileCheck {
    // Empty when the file can be written back whole; else why not, naming the line ("line 3 is a
    // comment").
    QString problem;
    // False when values may be read wrongly or not at all (bytes that are not UTF-8, a line that does not
    // parse), true when only writing would lose something.
    bool readable = true;

    bool writable() const { return problem.isEmpty(); }
};

SettingsFileCheck checkSettingsFile(QByteArrayView bytes);

} // namespace qx
