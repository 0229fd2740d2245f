#include "hostlib/SettingsFileCheck.h"

#include "hostlib/TextEncoding.h"

#include <QByteArray>
#include <QSet>

namespace qx {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

SettingsFileCheck unreadable(const QString& problem) {
    return {problem, false};
}

SettingsFileCheck lossy(const QString& problem) {
    return {problem, true};
}

QString atLine(int line, const QString& what) {
    return QStringLiteral("line %1 %2").arg(line).arg(what);
}

// A section or value name as QSettings reads it: UTF-8 in which "%XX" and "%UXXXX" stand for the character
// of that hexadecimal code and "\" separates groups, as "/" does. A "%" without such a code stays.
QString iniName(QByteArrayView raw) {
    const QString text = QString::fromUtf8(raw);
    QString name;
    name.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text[i];
        if (c != u'%' || i + 1 == text.size()) {
            name += c == u'\\' ? QChar(u'/') : c;
            ++i;
            continue;
        }
        const bool wide = text[i + 1] == u'U';
        const qsizetype first = i + (wide ? 2 : 1);
        const qsizetype digits = wide ? 4 : 2;
        bool ok = false;
        const ushort code = first + digits <= text.size()
                                ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                                : ushort(0);
        if (!ok) {
            name += c;
            ++i;
            continue;
        }
        name += QChar(code);
        i = first + digits;
    }
    return name;
}

// What a section's name puts before the names of its values: "[General]" (in any letter case) puts
// nothing, as for the values before any section, "[%General]" puts "General/".
QString sectionPrefix(QByteArrayView raw) {
    const QByteArrayView name = raw.trimmed();
    if (name.compare("general", Qt::CaseInsensitive) == 0)
        return QString();
    if (name.compare("%general", Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(name.sliced(1)) + u'/';
    return iniName(name) + u'/';
}

} // namespace

SettingsFileCheck checkSettingsFile(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return unreadable(QStringLiteral("it starts with a byte-order mark"));
    if (!strictUtf8(bytes, false))
        return unreadable(QStringLiteral("it is not UTF-8 text"));

    // Logical lines as QSettings splits them: a quoted part and a backslash before a line break carry the
    // line on; leading blanks and empty lines are skipped.
    const qsizetype n = bytes.size();
    QSet<QString> names; // the full name of each value seen, as QSettings reads it
    QString section;     // the prefix of the current section's names
    int line = 1;
    qsizetype i = 0;
    while (true) {
        while (i < n && isSpace(bytes[i])) {
            if (bytes[i] == '\n')
                ++line;
            ++i;
        }
        if (i == n)
            break;
        const int number = line;
        const qsizetype start = i;
        if (bytes[i] == ';')
            return lossy(atLine(number, QStringLiteral("is a comment")));
        bool inQuotes = false;
        qsizetype equals = -1;
        for (; i < n; ++i) {
            const char c = bytes[i];
            if (c == '\n' || c == '\r') {
                if (!inQuotes)
                    break;
                line += c == '\n';
            } else if (c == '\\' && i + 1 < n) {
                // The escaped character; an escaped CR LF (or LF CR) is one break.
                const char next = bytes[++i];
                line += next == '\n';
                if (i + 1 < n && (next == '\r' || next == '\n') &&
                    bytes[i + 1] == (next == '\r' ? '\n' : '\r'))
                    line += bytes[++i] == '\n';
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '=' && !inQuotes && equals < 0) {
                equals = i;
            } else if (c == ';' && !inQuotes) {
                return lossy(atLine(number, QStringLiteral("ends in a comment")));
            }
        }
        const QByteArrayView text = bytes.sliced(start, i - start);
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            if (close < 0)
                return unreadable(atLine(number, QStringLiteral("opens a section without closing it")));
            if (!text.sliced(close + 1).trimmed().isEmpty())
                return lossy(atLine(number, QStringLiteral("has text after its section name")));
            section = sectionPrefix(text.sliced(1, close - 1));
        } else if (equals < 0) {
            return unreadable(atLine(number, QStringLiteral("is not of the form name=value")));
        } else {
            // Spellings QSettings reads as one name ("k%20x" and "k x"; "[A] b\c" and "[A\b] c") are one.
            const QString name = section + iniName(bytes.sliced(start, equals - start).trimmed());
            if (names.contains(name))
                return lossy(atLine(number, QStringLiteral("sets a value that an earlier line sets")));
            names.insert(name);
        }
    }
    return {};
}

} // namespace qx
